#include "editor/Form1.h"
#include "info/Contact.h"
#include "info/Form3.h"
#include "info/Form4.h"
#include "support/Legibility.h"
#include "support/ScriptedServices.h"
#include "support/Testing.h"

using namespace testing_support;

namespace {

const QString helpText = QStringLiteral(
    "1. Fill in the fields on the main screen \n"
    "2. Select up to 16 of the 32 bots provided with the game.\n"
    " 3. Finally, click on one of the options for the final file - either add to or create a new pk3 file,"
    " or create a .Arena file. \n"
    "4. It's as simple as that.");

void click(QWidget* form, const char* name) { QTest::mouseClick(control<QWidget>(*form, name), Qt::LeftButton); }

// Presses Enter and Escape where a user's keys go: to the control with the focus,
// which leaves to the window what it does not take.
void pressEnterAndEscape(QWidget* form)
{
    QWidget* focused = form->focusWidget();
    ASSERT_NE(focused, nullptr) << "no control has the focus";
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
        QTest::keyClick(focused, key);
    QTest::qWait(150); // long enough for a button's animated click
}

// Runs a trigger of the main window and, if it opens a window of the class
// expected, lets `whileOpen` act on that and close it.
void openFrom(const std::function<void()>& trigger, const char* expected,
              const std::function<void(QWidget*)>& whileOpen)
{
    QPointer<QWidget> form;
    QTimer watcher;
    watcher.callOnTimeout([&] {
        if ((form = QApplication::activeModalWidget())) {
            watcher.stop();
            const QByteArray opened = form->metaObject()->className();
            EXPECT_EQ(opened, expected);
            if (opened == expected)
                whileOpen(form);
            EXPECT_FALSE(form->isVisible()) << "still open";
            form->hide();
        }
    });
    watcher.start(10);
    trigger();
    EXPECT_FALSE(watcher.isActive()) << "nothing opened";
    EXPECT_TRUE(QTest::qWaitFor([&] { return form.isNull(); })) << "not destroyed on closing";
}

} // namespace

TEST(InformationWindows, OpenFromTheirButtonsAndMenuItemsBuiltAfreshWithEveryTextWhole)
{
    ScriptedServices scripted;
    editor::Form1 window{scripted.services()};
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    const auto button = [&](const char* name) { return [&window, name] { click(&window, name); }; };
    const auto menu = [&](const char* name) { return [&window, name] { control<QAction>(window, name)->trigger(); }; };

    // Each window is destroyed on closing, so every opening shows it afresh.
    openFrom(button("Command2"), "info::Form4", [](QWidget* form) { click(form, "label1"); });
    openFrom(menu("usemenu"), "info::Form4", [](QWidget* form) {
        EXPECT_EQ(control<QLabel>(*form, "Helpdisplay")->text(), helpText);
        EXPECT_EQ(legibilityProblems(form), QStringList{});
        pressEnterAndEscape(form);
        EXPECT_TRUE(form->isVisible()) << "Enter or Escape closed the Help window";
        QCloseEvent close; // the frame's close box, as the window system sends it
        QCoreApplication::sendEvent(form->windowHandle(), &close);
    });
    openFrom(button("Command1"), "info::Form3", [](QWidget* form) { click(form, "label7"); });
    openFrom(menu("creditsmenu"), "info::Form3", [](QWidget* form) {
        const QLabel* title = control<QLabel>(*form, "Label1");
        const QLabel* credit = control<QLabel>(*form, "Label3");
        EXPECT_EQ(legibilityProblems(form), QStringList{});
        EXPECT_EQ(credit->width(), title->width()) << "the credit line takes the title's width";
        EXPECT_EQ(credit->x(), 11);
        click(form, "Label2");
        // Escape and Enter are no way out; Alt+O is.
        pressEnterAndEscape(form);
        EXPECT_TRUE(form->isVisible());
        QTest::keyClick(form, Qt::Key_O, Qt::AltModifier);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !form->isVisible(); }));
    });
    EXPECT_EQ(scripted.processes->programs, QStringList{"xdg-open"}) << "the main window's process start";
}

TEST(AboutWindow, LinkTriesTheSecondProgramOnlyWhenTheFirstCannotStart)
{
    const auto processes = std::make_shared<ScriptedProcessStarter>();
    info::Form3 form{nullptr, processes};
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QLabel* link = control<QLabel>(form, "Label2");
    // A click with the other button, or let go outside the link, is no click on it.
    QTest::mouseClick(link, Qt::RightButton);
    QTest::mousePress(link, Qt::LeftButton);
    QTest::mouseRelease(link, Qt::LeftButton, Qt::NoModifier, QPoint(-5, -5));
    EXPECT_TRUE(processes->programs.isEmpty());

    // A double click as the window system delivers it counts once; the
    // second program is tried only when the first cannot start, and when
    // neither can, nothing else shows.
    QTest::mouseDClick(form.windowHandle(), Qt::LeftButton, {}, link->geometry().center());
    ASSERT_EQ(processes->programs, QStringList{"xdg-open"});
    processes->missing = QStringList{"xdg-open"};
    QTest::mouseClick(link, Qt::LeftButton);
    processes->missing << "sensible-browser";
    QTest::mouseClick(link, Qt::LeftButton);
    EXPECT_EQ(processes->programs,
              QStringList({"xdg-open", "xdg-open", "sensible-browser", "xdg-open", "sensible-browser"}));
    EXPECT_EQ(processes->arguments, QList<QStringList>(5, QStringList{info::webPage}));
    for (const QWidget* widget : QApplication::topLevelWidgets())
        EXPECT_EQ(widget->isVisible(), widget == &form) << widget->metaObject()->className();
}
