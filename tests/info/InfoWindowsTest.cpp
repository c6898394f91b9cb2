// SPDX-License-Identifier: GPL-3.0-or-later
#include "info/Contact.h"
#include "info/Form3.h"
#include "platform/widgets/LinkLabel.h"
#include "support/Legibility.h"
#include "support/MainWindowUser.h"

namespace {

void click(QWidget* form, const char* name) { QTest::mouseClick(control(*form, name), Qt::LeftButton); }

using InformationWindows = MainWindowUser;

} // namespace

TEST_F(InformationWindows, OpenFromTheirButtonsAndMenuItemsWithEveryTextWholeAndCloseOnlyAsDesigned)
{
    const auto button = [this](const char* name) { return [this, name] { click(window.get(), name); }; };
    const auto menu = [this](const char* name) { return [this, name] { find<QAction>(name)->trigger(); }; };
    // Help: Enter and Escape leave it open, the frame's close box closes it.
    const auto help = [](QWidget* form) {
        EXPECT_EQ(legibilityProblems(form), QStringList{});
        EXPECT_EQ(spokenNameProblems(form), QStringList{});
        pressEnterAndEscape(form->focusWidget());
        EXPECT_TRUE(form->isVisible()) << "Enter or Escape closed the Help window";
        QCloseEvent close; // as the window system sends it
        QCoreApplication::sendEvent(form->windowHandle(), &close);
    };
    // About: Enter and Escape leave it open, Alt+O closes it.
    const auto about = [](QWidget* form) {
        const QLabel* title = control<QLabel>(*form, "Label1");
        const QLabel* credit = control<QLabel>(*form, "Label3");
        EXPECT_EQ(legibilityProblems(form), QStringList{});
        EXPECT_EQ(spokenNameProblems(form), QStringList{});
        EXPECT_EQ(credit->width(), title->width()) << "the credit line takes the title's width";
        click(form, "Label2");
        pressEnterAndEscape(form->focusWidget());
        EXPECT_TRUE(form->isVisible());
        QTest::keyClick(form, Qt::Key_O, Qt::AltModifier);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !form->isVisible(); }));
    };
    EXPECT_EQ(inModalWindow(button("Command2"), [](QWidget* form) { click(form, "label1"); }), "info::Form4");
    EXPECT_EQ(inModalWindow(menu("usemenu"), help), "info::Form4");
    EXPECT_EQ(inModalWindow(button("Command1"), [](QWidget* form) { click(form, "label7"); }), "info::Form3");
    EXPECT_EQ(inModalWindow(menu("creditsmenu"), about), "info::Form3");
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

TEST(AboutWindow, LinkOpensFromTheKeyboardAndForAssistiveToolsAndStaysReadableOnADarkPalette)
{
    const auto processes = std::make_shared<ScriptedProcessStarter>();
    info::Form3 form{nullptr, processes};
    QPalette palette = form.palette();
    EXPECT_EQ(platform::readableLinkPalette(palette), palette) << "a light palette keeps the designed blue";
    palette.setColor(QPalette::Window, QColor(35, 38, 41));
    palette.setColor(QPalette::Link, QColor(61, 174, 233));
    form.setPalette(palette);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QLabel* link = control<QLabel>(form, "Label2");
    EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(61, 174, 233));

    // OK has the focus first, so Enter right away opens nothing; Tab goes to
    // the link and on to OK, where Space closes the window.
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Tab, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space})
        QTest::keyClick(QApplication::focusWidget(), key);
    QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(link);
    EXPECT_EQ(spoken->role(), QAccessible::Link);
    spoken->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(processes->programs, QStringList(4, "xdg-open"));
    for (const Qt::Key key : {Qt::Key_Tab, Qt::Key_Space})
        QTest::keyClick(QApplication::focusWidget(), key);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !form.isVisible(); })) << "OK did not follow the link in Tab order";
}
