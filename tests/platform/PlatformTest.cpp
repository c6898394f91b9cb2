#include "platform/CommonDialog.h"
#include "platform/KeyPressHook.h"
#include "platform/ListDoubleClick.h"
#include "platform/ProcessStarter.h"
#include "platform/SettingsStore.h"
#include "support/Files.h"
#include "support/ScriptedServices.h"
#include "support/TempSettings.h"

#include <QFile>
#include <QKeyEvent>
#include <QListWidget>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace platform;
using testing_support::TempSettings;

TEST(CommonDialog, TurnsClassicFiltersIntoQtNameFilters)
{
    EXPECT_EQ(qtNameFilter(".Arena Files (*.arena)|*.arena"), ".Arena Files (*.arena)");
    EXPECT_EQ(qtNameFilter("PK3 Files (*.pk3)|*.pk3"), "PK3 Files (*.pk3)");
    EXPECT_EQ(qtNameFilter("Pictures|*.png;*.jpg|All|*.*"), "Pictures (*.png *.jpg);;All (*.*)");
}

TEST(SettingsStore, KeepsAwkwardTextUnchangedAcrossStores)
{
    TempSettings temp;
    const QStringList values = {"/home/a b/maps, new/x.arena", "@weird", " lead and trail ", "C:\\Games\\m.pk3",
                                QStringLiteral("/home/\u00e9t\u00e9/\u20ac.arena"), "true", "1;2"};
    for (const QString& value : values) {
        SettingsStore().write("Mapwright", "Filenames", ".Arena", value);
        EXPECT_EQ(SettingsStore().read("Mapwright", "Filenames", ".Arena"), value);
    }
    EXPECT_EQ(SettingsStore().read("Mapwright", "Filenames", "Pk3"), "");
    EXPECT_EQ(SettingsStore().read("Mapwright", "Filenames", "Pk3", "fallback"), "fallback");
    EXPECT_TRUE(QFile::exists(temp.iniPath()));
}

TEST(KeyPressHook, WorksOutTheClassicCharacterCode)
{
    auto code = [](int key, Qt::KeyboardModifiers modifiers, const QString& text) {
        return typedCharacterCode(QKeyEvent(QEvent::KeyPress, key, modifiers, text));
    };
    EXPECT_EQ(code(Qt::Key_5, Qt::NoModifier, "5"), 53);
    EXPECT_EQ(code(Qt::Key_5, Qt::KeypadModifier, "5"), 53);
    EXPECT_EQ(code(Qt::Key_A, Qt::ShiftModifier, "A"), 65);
    EXPECT_EQ(code(Qt::Key_Backspace, Qt::NoModifier, "\b"), 8);
    EXPECT_EQ(code(Qt::Key_Return, Qt::NoModifier, "\r"), 13);
    EXPECT_EQ(code(Qt::Key_Enter, Qt::KeypadModifier, "\r"), 13);
    EXPECT_EQ(code(Qt::Key_Escape, Qt::NoModifier, "\x1b"), 27);
    // Ctrl+V types 22 whatever text the platform attaches to it.
    EXPECT_EQ(code(Qt::Key_V, Qt::ControlModifier, "v"), 22);
    EXPECT_EQ(code(Qt::Key_V, Qt::ControlModifier, "\x16"), 22);
    EXPECT_EQ(code(Qt::Key_A, Qt::ControlModifier, ""), 1);
    EXPECT_EQ(code(Qt::Key_Left, Qt::NoModifier, ""), std::nullopt);
    EXPECT_EQ(code(Qt::Key_Delete, Qt::NoModifier, "\x7f"), std::nullopt);
    EXPECT_EQ(code(Qt::Key_Tab, Qt::NoModifier, "\t"), std::nullopt);
    EXPECT_EQ(code(Qt::Key_F1, Qt::NoModifier, ""), std::nullopt);
    EXPECT_EQ(code(Qt::Key_E, Qt::AltModifier, "e"), std::nullopt);
}

TEST(ListDoubleClick, RunsOnceTheDoubleClickOnAnEntryIsOver)
{
    QListWidget list;
    list.addItems({"one", "two"});
    list.resize(100, 100);
    list.show();
    int runs = 0;
    new ListDoubleClick(&list, [&] { ++runs; });
    QWidget* area = list.viewport();
    const QPoint entry = list.visualItemRect(list.item(1)).center();

    QTest::mousePress(area, Qt::LeftButton, {}, entry);
    QTest::mouseDClick(area, Qt::LeftButton, {}, entry);
    QCoreApplication::processEvents();
    EXPECT_EQ(runs, 0) << "not before the button is released";
    QTest::mouseRelease(area, Qt::LeftButton, {}, entry);
    QCoreApplication::processEvents();
    EXPECT_EQ(runs, 1);

    // A double-click whose release went astray is over at the next press.
    QTest::mousePress(area, Qt::LeftButton, {}, entry);
    QTest::mouseDClick(area, Qt::LeftButton, {}, entry);
    QTest::mouseClick(area, Qt::LeftButton, {}, entry);
    // Below the entries there is nothing to double-click.
    QTest::mousePress(area, Qt::LeftButton, {}, QPoint(50, 90));
    QTest::mouseDClick(area, Qt::LeftButton, {}, QPoint(50, 90));
    QTest::mouseRelease(area, Qt::LeftButton, {}, QPoint(50, 90));
    QCoreApplication::processEvents();
    EXPECT_EQ(runs, 1);
}

TEST(ProcessStarter, HandsTheArgumentsOverUntouchedAndReportsAProgramThatCannotStart)
{
    // The recorder writes its arguments, each in brackets, in one line; it
    // is found on PATH, as the programs the About window starts are.
    QTemporaryDir folder;
    const QString record = folder.filePath("record");
    testing_support::writeFile(folder.filePath("recorder"),
                               "#!/bin/sh\nprintf '[%s]' \"$@\" > '" + record.toUtf8() + "'\n");
    QFile::setPermissions(folder.filePath("recorder"), QFile::ReadOwner | QFile::ExeOwner);
    const QByteArray savedPath = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(folder.path()));
    const auto restorePath = qScopeGuard([&] { qputenv("PATH", savedPath); });
    QtProcessStarter starter;

    EXPECT_FALSE(starter.startDetached("no-such-program", {"x"}));

    // No shell sees the arguments: quotes, spaces, wildcards and command
    // substitutions arrive as they were given.
    const QStringList awkward = {"http://a.example/?q=1&r=2", "two words", "'quoted' \"too\"", "*", "$(exit 1)", ""};
    ASSERT_TRUE(starter.startDetached("recorder", awkward));
    const QByteArray expected = "[http://a.example/?q=1&r=2][two words]['quoted' \"too\"][*][$(exit 1)][]";
    EXPECT_TRUE(QTest::qWaitFor([&] { return testing_support::readAll(record) == expected; }))
        << testing_support::readAll(record).toStdString();
}
