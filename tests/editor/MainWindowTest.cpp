#include "platform/Beep.h"
#include "support/Legibility.h"
#include "support/MainWindowUser.h"

#include <QAction>
#include <QTimer>

using namespace testing_support;

namespace {

// Everything a user can see of the window's controls, for comparing states.
QStringList visibleState(const QWidget& window)
{
    QStringList state;
    for (const QLineEdit* edit : window.findChildren<QLineEdit*>())
        state << edit->objectName() + "=" + edit->text();
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>())
        state << button->objectName() + (button->isChecked() ? ":on" : ":off");
    state.sort();
    return state;
}

class MainWindow : public MainWindowUser {
protected:
    void SetUp() override
    {
        MainWindowUser::SetUp();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    QLineEdit* fraglimit() { return find("fraglimit"); }
};

} // namespace

TEST_F(MainWindow, OpensFixedSizeLegibleAndBoldOnlyWhereDesigned)
{
    EXPECT_EQ(window->minimumSize(), window->maximumSize()) << "the window does not resize";
    EXPECT_EQ(QApplication::focusWidget(), find("longname"));
    EXPECT_EQ(fraglimit()->text(), "10");
    const QStringList bold = {"Frame1", "Frame3", "Command4"};
    for (QWidget* widget : window->centralWidget()->findChildren<QWidget*>())
        EXPECT_EQ(widget->font().bold(), bold.contains(widget->objectName())) << widget->objectName().toStdString();
    EXPECT_EQ(legibilityProblems(window.get()), QStringList{});
}

TEST_F(MainWindow, ClearByButtonMenuOrAltEReturnsExactlyToTheOpeningState)
{
    const QStringList opening = visibleState(*window);
    auto fillEverything = [&] {
        typeInto(find("longname"), "Yard");
        for (int index = 0; index < 5; ++index)
            tickGameType(index);
        typeInto(fraglimit(), "5");
        find("bots")->setText("Sarge Doom");
        choose("aPk3");
        ASSERT_NE(visibleState(*window), opening);
    };
    fillEverything();
    QTest::mouseClick(find<QPushButton>("Command3"), Qt::LeftButton);
    EXPECT_EQ(visibleState(*window), opening);
    fillEverything();
    find<QAction>("clearmenu")->trigger();
    EXPECT_EQ(visibleState(*window), opening);
    fillEverything();
    QTest::keyClick(window.get(), Qt::Key_E, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return visibleState(*window) == opening; }));

    // The two routes stay one group after Clear.
    choose("aPk3");
    choose("aArena");
    EXPECT_FALSE(find<QRadioButton>("aPk3")->isChecked());
}

TEST_F(MainWindow, FragLimitTakesDigitsPeriodAndBackspaceOnly)
{
    fraglimit()->setFocus();
    QTest::keyClick(fraglimit(), Qt::Key_End);
    QTest::keyClick(fraglimit(), Qt::Key_Backspace);
    QTest::keyClick(fraglimit(), Qt::Key_Backspace);
    const int beepsBefore = platform::beepCount();

    QTest::keyClicks(fraglimit(), "1a -+,.5");
    QTest::keyClick(fraglimit(), Qt::Key_Return);
    QTest::keyClick(fraglimit(), Qt::Key_Escape);
    QTest::keyClick(fraglimit(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(fraglimit()->text(), "1.5");
    EXPECT_EQ(platform::beepCount() - beepsBefore, 8);

    // The length limit acts after the filter, silently; keys that type no
    // character work as usual.
    QTest::keyClick(fraglimit(), Qt::Key_9);
    QTest::keyClick(fraglimit(), Qt::Key_Left);
    QTest::keyClick(fraglimit(), Qt::Key_Backspace);
    QTest::keyClick(fraglimit(), Qt::Key_Home);
    QTest::keyClick(fraglimit(), Qt::Key_Delete);
    EXPECT_EQ(fraglimit()->text(), "5");
    EXPECT_EQ(platform::beepCount() - beepsBefore, 8);
}

TEST_F(MainWindow, EnterAndEscapePressNoButtonAndExitAsksNothing)
{
    typeInto(find("longname"), "Yard");
    for (const char* name : {"longname", "bots", "Command4", "Command3"}) {
        QWidget* focus = window->findChild<QWidget*>(name);
        focus->setFocus();
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
            QTest::keyClick(focus, key);
    }
    EXPECT_TRUE(scripted.messages->shown.empty()) << "Create did not run";
    EXPECT_EQ(find("longname")->text(), "Yard") << "Clear did not run";

    QTimer::singleShot(0, find<QAction>("exitmenu"), &QAction::trigger);
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(scripted.messages->shown.empty());
}
