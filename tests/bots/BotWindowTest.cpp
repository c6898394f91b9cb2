// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/Legibility.h"
#include "support/MainWindowUser.h"

namespace {

const char *const Add = "label1", *const Remove = "label2", *const Clear = "label3", *const Cancel = "label4",
                  *const Ok = "label5";

// The main window, whose "..." opens the bot selection window, and a user driving that with the mouse.
class BotWindow : public MainWindowUser {
protected:
    QWidget* form = nullptr; // the one open now

    QListWidget* list(const char* name) const { return control<QListWidget>(*form, name); }
    void press(const char* button) const { QTest::mouseClick(control<QPushButton>(*form, button), Qt::LeftButton); }
    void select(QListWidgetItem* item, bool twice = false) const
    {
        QListWidget* list = item->listWidget();
        list->scrollToItem(item);
        const QPoint at = list->visualItemRect(item).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        if (twice) { // what the window system delivers for a double-click, and the time to act on it
            QTest::mousePress(list->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
            QCoreApplication::processEvents();
        }
    }
    void add(const char* name) const { select(list("botlist")->findItems(name, Qt::MatchExactly).front()); press(Add); }

    // Opens the window with "...", checks that it starts afresh, and lets `act` work in it and close it.
    void openAndAct(const std::function<void()>& act)
    {
        const auto checkAndAct = [&](QWidget* opened) {
            form = opened;
            EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == list("botlist"); }));
            EXPECT_EQ(list("addedbots")->count(), 0) << "never filled from the field";
            QStringList catalogue;
            for (int row = 0; row < list("botlist")->count(); ++row)
                catalogue << list("botlist")->item(row)->text();
            EXPECT_EQ(catalogue.join(' '), "Anarki Angel Biker Bitterman Bones Cadavre Crash Daemia Doom Gorre Grunt "
                                           "Hossman Hunter Keel Klesk Lucy Major Mynx Orbb Patriot Phobos Ranger Razor "
                                           "Sarge Slash Sorlag Stripe Tankjr Uriel Visor Wrack Xaero");
            EXPECT_TRUE(list("botlist")->selectedItems().isEmpty());
            EXPECT_EQ(spokenNameProblems(form), QStringList{});
            act();
        };
        const auto dotDotDot = [this] { QTest::mouseClick(find<QPushButton>("label8"), Qt::LeftButton); };
        EXPECT_EQ(inModalWindow(dotDotDot, checkAndAct), "bots::Form2");
    }
};

} // namespace

TEST_F(BotWindow, OkHandsOverTheChosenBotsAndEveryOpeningStartsEmpty)
{
    openAndAct([this] { press(Add); add("Sarge"); press(Add); press(Ok); }); // the first Add with nothing selected
    EXPECT_EQ(find("bots")->text(), "Sarge Sarge");

    openAndAct([this] {
        for (const char* name : {"Anarki", "Bones", "Crash", "Doom"})
            add(name);
        list("addedbots")->setFocus(); // a current entry, but none selected
        press(Remove);
        select(list("addedbots")->item(1));
        press(Remove);
        press(Remove); // the neighbour that slid up was never picked
        ASSERT_EQ(list("addedbots")->count(), 3);
        select(list("addedbots")->item(2), true);
        EXPECT_EQ(list("addedbots")->selectedItems().size(), 0) << "a neighbour selected after the double-click";
        press(Ok);
    });
    EXPECT_EQ(find("bots")->text(), "Anarki Crash");

    openAndAct([this] { add("Orbb"); press(Clear); press(Ok); });
    EXPECT_EQ(find("bots")->text(), "");
}

TEST_F(BotWindow, RefusesASeventeenthBotAndLeavesTheFieldOnCancelOrCloseWhileEnterAndEscapeDoNothing)
{
    find("bots")->setText("Grunt");
    openAndAct([this] {
        EXPECT_EQ(legibilityProblems(form), QStringList{});
        add("Xaero");
        for (int count = 2; count <= 16; ++count)
            press(Add);
        press(Add);
        select(list("botlist")->item(31), true);
        EXPECT_EQ(prompts(), QStringList(2, "Sorry, this program allows only 16 bots."));
        EXPECT_EQ(scripted.messages->styles, QList<int>(2, 48));
        EXPECT_EQ(scripted.messages->titles, QStringList(2, "Mapwright"));

        select(list("addedbots")->item(0));
        for (const char* name : {"botlist", "addedbots", Add, Remove, Clear, Cancel, Ok})
            pressEnterAndEscape(control(*form, name));
        EXPECT_TRUE(form->isVisible());
        EXPECT_EQ(list("addedbots")->count(), 16);
        press(Cancel);
    });
    openAndAct([this] {
        add("Doom");
        QCloseEvent close; // the close box, as the window system sends it
        QCoreApplication::sendEvent(form->windowHandle(), &close);
    });
    EXPECT_EQ(find("bots")->text(), "Grunt");
}
