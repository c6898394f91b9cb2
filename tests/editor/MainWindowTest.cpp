// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/widgets/Beep.h"
#include "support/Archives.h"
#include "support/Legibility.h"
#include "support/MainWindowUser.h"

namespace {

using MainWindow = MainWindowUser;

} // namespace

TEST_F(MainWindow, OpensFixedSizeAndLegibleAndTabsInDesignOrder)
{
    EXPECT_EQ(window->minimumSize(), window->maximumSize()) << "the window does not resize";
    EXPECT_EQ(QApplication::focusWidget(), find("longname"));
    EXPECT_EQ(legibilityProblems(window.get()), QStringList{});
    EXPECT_EQ(spokenNameProblems(window.get()), QStringList{});

    // Tab walks the fields in design order: the two routes are one group, one
    // stop; frames and labels take none.
    QStringList order;
    for (QWidget* focus = QApplication::focusWidget(); !order.contains(focus->objectName());
         focus = QApplication::focusWidget()) {
        order << focus->objectName();
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    EXPECT_EQ(order.join(' '), "longname filename typeselect_0 fraglimit bots aPk3 typeselect_2 typeselect_1 "
                               "typeselect_4 typeselect_3 label8 Command1 Command2 Command3 Command4");
}

TEST_F(MainWindow, ClearByButtonMenuOrAltEReturnsExactlyToTheOpeningState)
{
    const QStringList opening = visibleState(*window);
    const std::function<void()> clears[] = {
        [&] { QTest::mouseClick(find<QPushButton>("Command3"), Qt::LeftButton); },
        [&] { find<QAction>("clearmenu")->trigger(); },
        [&] { QTest::keyClick(window.get(), Qt::Key_E, Qt::AltModifier); }};
    for (const auto& clear : clears) {
        typeInto(find("longname"), "Yard");
        for (int index = 0; index < 5; ++index)
            tickGameType(index);
        typeInto(find("fraglimit"), "5");
        find("bots")->setText("Sarge Doom");
        choose("aPk3");
        ASSERT_NE(visibleState(*window), opening);
        clear();
        EXPECT_TRUE(QTest::qWaitFor([&] { return visibleState(*window) == opening; }))
            << visibleState(*window).join(' ').toStdString();
    }
    // The two routes stay one group after Clear.
    choose("aPk3");
    choose("aArena");
    EXPECT_FALSE(find<QRadioButton>("aPk3")->isChecked());
}

TEST_F(MainWindow, FragLimitTakesDigitsPeriodAndBackspaceOnlyHoweverTheyAreTyped)
{
    QLineEdit* const fraglimit = find("fraglimit");
    fraglimit->setText("");
    fraglimit->setFocus();
    const int beepsBefore = platform::beepCount();

    QTest::keyClicks(fraglimit, "1a -+,.");
    // Keys no access key or menu takes, and control characters, are typed
    // characters too; Ctrl with Alt is AltGr on some keyboards.
    using Press = std::pair<Qt::Key, Qt::KeyboardModifiers>;
    for (const auto& [key, modifiers] : {Press{Qt::Key_Return, {}}, {Qt::Key_Escape, {}}, {Qt::Key_V, Qt::ControlModifier},
                                         {Qt::Key_X, Qt::AltModifier}, {Qt::Key_Minus, Qt::AltModifier},
                                         {Qt::Key_A, Qt::MetaModifier}, {Qt::Key_Backspace, Qt::ControlModifier},
                                         {Qt::Key_BracketLeft, Qt::ControlModifier},
                                         {Qt::Key_5, Qt::ControlModifier | Qt::AltModifier}})
        QTest::keyClick(fraglimit, key, modifiers);
    EXPECT_EQ(fraglimit->text(), "1.5");
    EXPECT_EQ(platform::beepCount() - beepsBefore, 13);

    // An input method's text (a dead key, then e) is typed character by
    // character; the length limit acts after the filter, silently; keys
    // that type no character work as usual.
    fraglimit->setText("");
    QInputMethodEvent composed;
    composed.setCommitString(QStringLiteral("\u00e95"));
    QCoreApplication::sendEvent(fraglimit, &composed);
    EXPECT_EQ(fraglimit->text(), "5");
    QTest::keyClicks(fraglimit, "789");
    QTest::keyClick(fraglimit, Qt::Key_Left);
    QTest::keyClick(fraglimit, Qt::Key_Backspace);
    QTest::keyClick(fraglimit, Qt::Key_Home);
    QTest::keyClick(fraglimit, Qt::Key_Delete);
    EXPECT_EQ(fraglimit->text(), "8");
    EXPECT_EQ(platform::beepCount() - beepsBefore, 14);
}

TEST_F(MainWindow, EnterAndEscapePressNoButton)
{
    typeInto(find("longname"), "Yard");
    for (const char* name : {"longname", "bots", "Command4", "Command3"})
        pressEnterAndEscape(find<QWidget>(name));
    EXPECT_TRUE(prompts().isEmpty()) << "Create did not run";
    EXPECT_EQ(find("longname")->text(), "Yard") << "Clear did not run";
}

// The Game menu lists the games installed in their usual places, those with
// a pk3; the one chosen gives the window its type boxes, legibly and in the
// tab order after the five, and is remembered for the next start.
TEST_F(MainWindow, TheGameMenuChoosesAnInstalledGameForThisRunAndTheNext)
{
    const QTemporaryDir root;
    QDir().mkpath(root.filePath("usr/lib/ioquake3/baseq3")); // the engine alone: no game installed
    QDir().mkpath(root.filePath("usr/share/games/openarena/baseoa"));
    writeArchive(root.filePath("usr/share/games/openarena/baseoa/pak0.pk3"), {{"maps/a.bsp", smallestBsp()}});
    openWindow({{}, {}, root.path()});
    QMenu* menu = find<QMenu>("gamemenu");
    QMetaObject::invokeMethod(menu, "aboutToShow");
    QStringList items;
    for (const QAction* item : menu->actions())
        items << item->text();
    const QString openArena = QStringLiteral("OpenArena (%1)").arg(root.filePath("usr/share/games/openarena/baseoa"));
    EXPECT_EQ(items, (QStringList{openArena, {}, "Choose game &folder..."}));
    menu->actions().front()->trigger();
    EXPECT_TRUE(find<QLabel>("statusline")->text().startsWith(QStringLiteral("OpenArena \u2014 "))) ;
    EXPECT_EQ(find<QCheckBox>("typeselect_12")->text(), "Domination");
    EXPECT_EQ(legibilityProblems(window.get()), QStringList{});
    find<QCheckBox>("typeselect_3")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "typeselect_5");

    openWindow({{}, {}, root.path()});
    EXPECT_TRUE(QTest::qWaitFor([&] { return find<QLabel>("statusline")->text().startsWith("OpenArena"); }))
        << "the choice is read once the window is up";
}
