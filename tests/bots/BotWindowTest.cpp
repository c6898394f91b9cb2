#include "bots/Form2.h"
#include "editor/Form1.h"
#include "support/ScriptedServices.h"
#include "support/TempSettings.h"
#include "support/UserInput.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

QStringList entries(const QListWidget* list)
{
    QStringList result;
    for (int row = 0; row < list->count(); ++row)
        result << list->item(row)->text();
    return result;
}

int selectedRow(const QListWidget* list)
{
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.front());
}

// Drives one bot selection window the way a user would, with the mouse.
struct Driver {
    bots::Form2& form;

    QListWidget* botlist() const { return control<QListWidget>(form, "botlist"); }
    QListWidget* addedbots() const { return control<QListWidget>(form, "addedbots"); }
    void press(const char* button) const { QTest::mouseClick(control<QPushButton>(form, button), Qt::LeftButton); }
    static QPoint at(QListWidget* list, int row)
    {
        list->scrollToItem(list->item(row));
        return list->visualItemRect(list->item(row)).center();
    }
    void select(QListWidget* list, int row) const { QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at(list, row)); }
    // What the window system delivers for a double-click, and the time to act on it.
    void doubleClick(QListWidget* list, int row) const
    {
        select(list, row);
        QTest::mousePress(list->viewport(), Qt::LeftButton, {}, at(list, row));
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at(list, row));
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at(list, row));
        QCoreApplication::processEvents();
    }
    void add(const QString& name) const
    {
        select(botlist(), botlist()->row(botlist()->findItems(name, Qt::MatchExactly).front()));
        press("label1");
    }
};

class BotWindow : public ::testing::Test {
protected:
    std::shared_ptr<RecordingMessageBox> messages = std::make_shared<RecordingMessageBox>();
    QStringList confirmed;
    QPointer<bots::Form2> form = open();
    Driver user{*form};

    bots::Form2* open()
    {
        auto* opened = new bots::Form2(nullptr, [this](const QString& text) { confirmed << text; }, messages);
        opened->setAttribute(Qt::WA_DeleteOnClose);
        opened->show();
        return opened;
    }
    void SetUp() override { ASSERT_TRUE(QTest::qWaitForWindowActive(form)); }
    void TearDown() override { delete form; }
    bool destroyed()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return form.isNull();
    }
};

} // namespace

TEST_F(BotWindow, OpensWithItsDesignValuesAndTheWholeCatalogue)
{
    EXPECT_EQ(form->windowTitle(), "Bot Selection");
    EXPECT_EQ(form->size(), QSize(246, 137));
    EXPECT_EQ(form->minimumSize(), form->maximumSize());
    EXPECT_EQ(user.addedbots()->geometry(), QRect(160, 16, 73, 56));
    EXPECT_EQ(control<QLabel>(*form, "Picture1")->pixmap().size(), QSize(74, 31));
    const QStringList captions = {"Add ->", "<- Remove", "Clear", "Cancel", "OK"};
    for (int index = 0; index < 5; ++index) {
        const auto* button = control<QPushButton>(*form, qPrintable(QStringLiteral("label%1").arg(index + 1)));
        EXPECT_EQ(button->text(), captions[index]);
        EXPECT_EQ(button->font().bold(), index == 4) << "only OK is bold";
        EXPECT_EQ(button->font().family(), "Liberation Sans");
        EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()), button->width() - 4) << "caption cut";
    }

    EXPECT_EQ(entries(user.botlist()),
              QStringList({"Anarki", "Angel",  "Biker",  "Bitterman", "Bones",  "Cadavre", "Crash",  "Daemia",
                           "Doom",   "Gorre",  "Grunt",  "Hossman",   "Hunter", "Keel",    "Klesk",  "Lucy",
                           "Major",  "Mynx",   "Orbb",   "Patriot",   "Phobos", "Ranger",  "Razor",  "Sarge",
                           "Slash",  "Sorlag", "Stripe", "Tankjr",    "Uriel",  "Visor",   "Wrack",  "Xaero"}));
    EXPECT_EQ(user.addedbots()->count(), 0);
    EXPECT_EQ(selectedRow(user.botlist()), -1);
    EXPECT_EQ(QApplication::focusWidget(), user.botlist());
    QWidget* current = user.botlist();
    for (const char* name : {"addedbots", "label5", "label4", "label1", "label2", "label3", "botlist"}) {
        do
            current = current->nextInFocusChain();
        while (current->focusPolicy() == Qt::NoFocus);
        EXPECT_EQ(current->objectName(), name) << "tab order";
    }
}

TEST_F(BotWindow, AddAppendsTheSelectedBotAgainAndAgain)
{
    user.press("label1");
    EXPECT_EQ(user.addedbots()->count(), 0) << "nothing selected, nothing added";
    user.add("Sarge");
    user.press("label1");
    EXPECT_EQ(entries(user.addedbots()), QStringList({"Sarge", "Sarge"}));
    user.select(user.addedbots(), 0);
    user.doubleClick(user.botlist(), 8);
    EXPECT_EQ(selectedRow(user.addedbots()), 0) << "Add leaves the chosen list's selection alone";
    user.press("label5");
    EXPECT_EQ(confirmed, QStringList({"Sarge Sarge Doom"}));
}

TEST_F(BotWindow, RemoveTakesOutTheSelectedEntryAndThenNothing)
{
    for (const char* name : {"Anarki", "Bones", "Crash", "Doom", "Orbb"})
        user.add(name);
    // A list given the focus has a current entry, but nothing is selected.
    user.addedbots()->setFocus();
    user.press("label2");
    EXPECT_EQ(user.addedbots()->count(), 5);

    user.select(user.addedbots(), 1);
    user.press("label2");
    user.doubleClick(user.addedbots(), 2); // the entry that slides up must not end up selected
    EXPECT_EQ(selectedRow(user.addedbots()), -1);
    user.select(user.addedbots(), 2); // the last one
    user.press("label2");
    user.press("label2");
    user.press("label5");
    EXPECT_EQ(confirmed, QStringList({"Anarki Crash"}));
}

TEST_F(BotWindow, RefusesASeventeenthBot)
{
    user.add("Xaero");
    for (int count = 2; count <= 16; ++count)
        user.press("label1");
    EXPECT_TRUE(messages->shown.empty()) << "up to the 16th bot silently";
    user.select(user.addedbots(), 3);

    user.press("label1");
    user.doubleClick(user.botlist(), 31);
    ASSERT_EQ(messages->shown.size(), 2u);
    EXPECT_EQ(messages->shown[0].prompt, "Sorry, this program allows only 16 bots.");
    EXPECT_EQ(messages->shown[0].style, 48);
    EXPECT_EQ(messages->shown[0].title, "Mapwright");
    EXPECT_EQ(user.addedbots()->count(), 16);
    EXPECT_EQ(selectedRow(user.addedbots()), 3);
    EXPECT_EQ(selectedRow(user.botlist()), 31);
}

TEST_F(BotWindow, OkAfterClearGivesAnEmptyText)
{
    user.add("Orbb");
    user.add("Mynx");
    user.press("label3");
    EXPECT_EQ(user.addedbots()->count(), 0);
    EXPECT_EQ(selectedRow(user.botlist()), 17) << "Clear leaves the catalogue alone";
    user.press("label5");
    EXPECT_EQ(confirmed, QStringList({""}));
    EXPECT_TRUE(destroyed());
}

TEST_F(BotWindow, EnterAndEscapeDoNothingWhileCancelAndTheCloseBoxClose)
{
    user.add("Hunter");
    user.select(user.addedbots(), 0);
    for (const char* name : {"botlist", "addedbots", "label1", "label2", "label3", "label4", "label5"}) {
        auto* focus = control<QWidget>(*form, name);
        focus->setFocus();
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
            QTest::keyClick(focus, key);
    }
    EXPECT_FALSE(destroyed());
    EXPECT_EQ(entries(user.addedbots()), QStringList({"Hunter"}));

    user.press("label4");
    EXPECT_TRUE(destroyed());
    form = open();
    EXPECT_TRUE(form->close());
    EXPECT_TRUE(destroyed());
    EXPECT_TRUE(confirmed.isEmpty());
}

TEST(BotWindowFromMainWindow, OnlyOkReplacesTheBotsFieldAndEveryOpeningStartsEmpty)
{
    TempSettings settings;
    ScriptedServices scripted;
    editor::Form1 window{scripted.services()};
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    auto* bots = control<QLineEdit>(window, "bots");
    bots->setText("Grunt");

    // Opens the window with the "..." button and lets `act` work in it.
    auto openAndAct = [&](const std::function<void(Driver&)>& act) {
        QPointer<bots::Form2> opened;
        QTimer::singleShot(0, [&] {
            opened = qobject_cast<bots::Form2*>(QApplication::activeModalWidget());
            ASSERT_TRUE(opened);
            Driver user{*opened};
            EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == user.botlist(); }));
            EXPECT_EQ(user.addedbots()->count(), 0) << "never filled from the field";
            act(user);
            if (opened && opened->isVisible()) {
                ADD_FAILURE() << "the window stayed open";
                opened->close();
            }
        });
        QTest::mouseClick(control<QPushButton>(window, "label8"), Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(opened.isNull()) << "destroyed on closing";
    };

    openAndAct([](Driver& user) { user.add("Sarge"); user.add("Sarge"); user.press("label5"); });
    EXPECT_EQ(bots->text(), "Sarge Sarge");
    openAndAct([](Driver& user) { user.add("Doom"); user.press("label4"); });
    openAndAct([](Driver& user) { user.add("Doom"); user.form.close(); });
    EXPECT_EQ(bots->text(), "Sarge Sarge");
    openAndAct([](Driver& user) { user.press("label5"); });
    EXPECT_EQ(bots->text(), "");
}
