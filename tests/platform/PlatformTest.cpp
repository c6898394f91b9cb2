#include "platform/KeyPressHook.h"
#include "platform/ProcessStarter.h"
#include "platform/SettingsStore.h"
#include "support/Files.h"
#include "support/QtPrinting.h"
#include "support/TempSettings.h"

#include <QFile>
#include <QKeyEvent>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace platform;
using testing_support::TempSettings;

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

TEST(KeyPressHook, WorksOutTheClassicCharacterCodeWhateverTextThePlatformGives)
{
    auto code = [](int key, Qt::KeyboardModifiers modifiers, const QString& text) {
        return typedCharacterCode(QKeyEvent(QEvent::KeyPress, key, modifiers, text));
    };
    // Ctrl+V types 22 both offscreen ("v") and under X11 (0x16).
    EXPECT_EQ(code(Qt::Key_V, Qt::ControlModifier, "v"), 22);
    EXPECT_EQ(code(Qt::Key_V, Qt::ControlModifier, "\x16"), 22);
    EXPECT_EQ(code(Qt::Key_Enter, Qt::KeypadModifier, "\r"), 13);
    // Keys that type nothing, and access keys, never reach the hook.
    EXPECT_EQ(code(Qt::Key_Delete, Qt::NoModifier, "\x7f"), std::nullopt);
    EXPECT_EQ(code(Qt::Key_Tab, Qt::NoModifier, "\t"), std::nullopt);
    EXPECT_EQ(code(Qt::Key_E, Qt::AltModifier, "e"), std::nullopt);
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
