#include "editor/Form1.h"
#include "platform/Beep.h"
#include "support/Legibility.h"
#include "support/ScriptedServices.h"
#include "support/TempSettings.h"
#include "support/UserInput.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

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

class MainWindow : public ::testing::Test {
protected:
    TempSettings settings;
    ScriptedServices scripted;
    editor::Form1 window{scripted.services()};

    void SetUp() override
    {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    template <typename Control>
    Control* find(const char* name) { return control<Control>(window, name); }
    QLineEdit* fraglimit() { return find<QLineEdit>("fraglimit"); }
};

} // namespace

TEST_F(MainWindow, OpensWithItsDesignValues)
{
    EXPECT_EQ(window.windowTitle(), "Quake 3 Mapwright");
    EXPECT_EQ(window.centralWidget()->size(), QSize(336, 335));
    EXPECT_EQ(window.minimumSize(), window.maximumSize()) << "the window does not resize";
    EXPECT_EQ(QApplication::focusWidget(), find<QLineEdit>("longname"));
    EXPECT_EQ(fraglimit()->text(), "10");
    EXPECT_EQ(fraglimit()->maxLength(), 3);
    for (const char* name : {"longname", "filename", "bots"})
        EXPECT_EQ(find<QLineEdit>(name)->text(), "") << name;
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>())
        EXPECT_FALSE(button->isChecked()) << button->objectName().toStdString();

    // Twips turned into pixels, measured from the frame that holds the control.
    EXPECT_EQ(find<QCheckBox>("typeselect_1")->geometry(), QRect(16, 40, 113, 17));
    EXPECT_EQ(find<QPushButton>("Command4")->geometry(), QRect(264, 296, 65, 33));
    EXPECT_EQ(find<QLabel>("Picture1")->pixmap().size(), QSize(74, 31));
}

TEST_F(MainWindow, UsesBoldOnlyWhereTheDesignSaysAndShowsEveryCaptionWhole)
{
    const QStringList bold = {"Frame1", "Frame3", "Command4"};
    for (QWidget* widget : window.centralWidget()->findChildren<QWidget*>()) {
        EXPECT_EQ(widget->font().bold(), bold.contains(widget->objectName())) << widget->objectName().toStdString();
        EXPECT_EQ(widget->font().family(), "Liberation Sans");
    }
    EXPECT_EQ(legibilityProblems(&window), QStringList{});
}

TEST_F(MainWindow, TabsThroughTheControlsInDesignOrder)
{
    const QStringList expected = {"filename",     "typeselect_0", "fraglimit",    "bots",         "aPk3",
                                  "aArena",       "typeselect_2", "typeselect_1", "typeselect_4", "typeselect_3",
                                  "label8",       "Command1",     "Command2",     "Command3",     "Command4"};
    QWidget* current = find<QLineEdit>("longname");
    for (const QString& name : expected) {
        current = current->nextInFocusChain();
        while (current->focusPolicy() == Qt::NoFocus || !current->isVisible())
            current = current->nextInFocusChain();
        EXPECT_EQ(current->objectName(), name);
    }
}

TEST_F(MainWindow, ClearReturnsExactlyToTheOpeningState)
{
    const QStringList opening = visibleState(window);
    typeInto(find<QLineEdit>("longname"), "Yard");
    typeInto(find<QLineEdit>("filename"), "q3dm17");
    for (int index = 0; index < 5; ++index)
        clickIndicator(find<QCheckBox>(qPrintable(QStringLiteral("typeselect_%1").arg(index))));
    fraglimit()->setFocus();
    QTest::keyClick(fraglimit(), Qt::Key_Backspace);
    find<QLineEdit>("bots")->setText("Sarge Doom");
    clickIndicator(find<QRadioButton>("aPk3"));
    ASSERT_NE(visibleState(window), opening);

    QTest::mouseClick(find<QPushButton>("Command3"), Qt::LeftButton);
    EXPECT_EQ(visibleState(window), opening);

    // The File menu's Clear, and Alt+E, do the same.
    clickIndicator(find<QRadioButton>("aArena"));
    typeInto(find<QLineEdit>("longname"), "again");
    find<QAction>("clearmenu")->trigger();
    EXPECT_EQ(visibleState(window), opening);
    clickIndicator(find<QRadioButton>("aArena"));
    QTest::keyClick(&window, Qt::Key_E, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return visibleState(window) == opening; }));

    // The two routes stay one group after Clear.
    clickIndicator(find<QRadioButton>("aPk3"));
    clickIndicator(find<QRadioButton>("aArena"));
    EXPECT_TRUE(find<QRadioButton>("aArena")->isChecked());
    EXPECT_FALSE(find<QRadioButton>("aPk3")->isChecked());
}

TEST_F(MainWindow, FragLimitTakesDigitsPeriodAndBackspaceOnly)
{
    fraglimit()->setFocus();
    fraglimit()->selectAll();
    QTest::keyClick(fraglimit(), Qt::Key_Backspace);
    const int beepsBefore = platform::beepCount();

    QTest::keyClicks(fraglimit(), "1a -+,.5");
    EXPECT_EQ(fraglimit()->text(), "1.5");
    EXPECT_EQ(platform::beepCount() - beepsBefore, 5);

    // Enter, Escape and Ctrl+V are characters too: each is refused with a beep.
    QTest::keyClick(fraglimit(), Qt::Key_Return);
    QTest::keyClick(fraglimit(), Qt::Key_Escape);
    QTest::keyClick(fraglimit(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(platform::beepCount() - beepsBefore, 8);
    EXPECT_EQ(fraglimit()->text(), "1.5");

    // The length limit acts after the filter, silently.
    QTest::keyClick(fraglimit(), Qt::Key_9);
    EXPECT_EQ(fraglimit()->text(), "1.5");
    EXPECT_EQ(platform::beepCount() - beepsBefore, 8);

    // Keys that type no character work as usual.
    QTest::keyClick(fraglimit(), Qt::Key_Left);
    QTest::keyClick(fraglimit(), Qt::Key_Backspace);
    EXPECT_EQ(fraglimit()->text(), "15");
    QTest::keyClick(fraglimit(), Qt::Key_Home);
    QTest::keyClick(fraglimit(), Qt::Key_Delete);
    EXPECT_EQ(fraglimit()->text(), "5");
    EXPECT_EQ(platform::beepCount() - beepsBefore, 8);
}

TEST_F(MainWindow, EnterAndEscapePressNoButton)
{
    typeInto(find<QLineEdit>("longname"), "Yard");
    for (const char* name : {"longname", "filename", "bots", "Command4", "Command3"}) {
        QWidget* focus = window.findChild<QWidget*>(name);
        focus->setFocus();
        QTest::keyClick(focus, Qt::Key_Return);
        QTest::keyClick(focus, Qt::Key_Enter);
        QTest::keyClick(focus, Qt::Key_Escape);
    }
    EXPECT_TRUE(scripted.messages->shown.empty()) << "Create did not run";
    EXPECT_EQ(find<QLineEdit>("longname")->text(), "Yard") << "Clear did not run";
    for (const QPushButton* button : window.findChildren<QPushButton*>()) {
        EXPECT_FALSE(button->isDefault());
        EXPECT_FALSE(button->autoDefault());
    }
}

TEST_F(MainWindow, ExitEndsTheProgramWithoutAQuestion)
{
    typeInto(find<QLineEdit>("longname"), "unsaved");
    QTimer::singleShot(0, find<QAction>("exitmenu"), &QAction::trigger);
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(scripted.messages->shown.empty());
}
