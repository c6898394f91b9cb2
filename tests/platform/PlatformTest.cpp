#include "platform/KeyPressHook.h"
#include "platform/ProcessStarter.h"
#include "platform/SaveDialogBackend.h"
#include "platform/SettingsStore.h"
#include "support/TempSettings.h"
#include "support/Testing.h"

using namespace platform;
using testing_support::TempSettings;

TEST(SettingsStore, KeepsAwkwardTextUnchangedAcrossStores)
{
    TempSettings temp;
    const QStringList values = {"/home/a b/maps, new/x.arena", "@weird", " lead and trail ", "C:\\Games\\m.pk3",
                                QStringLiteral("/home/\u00e9t\u00e9/\u20ac.arena"), "true", "1;2"};
    for (const QString& value : values) {
        EXPECT_TRUE(SettingsStore().write("Mapwright", "Filenames", ".Arena", value));
        EXPECT_EQ(SettingsStore().read("Mapwright", "Filenames", ".Arena"), value);
    }
    EXPECT_EQ(SettingsStore().read("Mapwright", "Filenames", "Pk3"), "");
    EXPECT_EQ(SettingsStore().read("Mapwright", "Filenames", "Pk3", "fallback"), "fallback");
    EXPECT_TRUE(QFile::exists(temp.iniPath()));
}

TEST(KeyPressHook, WorksOutTheClassicCharacterCodeWhateverTextThePlatformGives)
{
    const auto code = [](int key, Qt::KeyboardModifiers modifiers, const QString& text) {
        return typedCharacterCode(QKeyEvent(QEvent::KeyPress, key, modifiers, text));
    };
    // X11 gives control combinations their control character as text; only
    // the classic code counts. Ctrl with Alt is AltGr on some keyboards.
    EXPECT_EQ(code(Qt::Key_V, Qt::ControlModifier, "\x16"), 22);
    EXPECT_EQ(code(Qt::Key_Backspace, Qt::ControlModifier, "\x7f"), 127);
    EXPECT_EQ(code(Qt::Key_Q, Qt::ControlModifier | Qt::AltModifier, "@"), '@');
    EXPECT_EQ(code(Qt::Key_Delete, Qt::NoModifier, "\x7f"), std::nullopt);
    EXPECT_EQ(code(Qt::Key_Tab, Qt::NoModifier, "\t"), std::nullopt);
}

TEST(ProcessStarter, ReportsAProgramThatCannotStart)
{
    EXPECT_FALSE(QtProcessStarter().startDetached("no-such-program", {"x"}));
}

TEST(SaveDialog, IsQtsOwnAndGivesTheNameAsTypedWithoutAskingOverAnExistingFile)
{
    QTemporaryDir folder;
    testing_support::writeFile(folder.filePath("bare"), "old");
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        EXPECT_TRUE(dialog->testOption(QFileDialog::DontUseNativeDialog));
        EXPECT_EQ(dialog->windowTitle(), "Create .Arena File");
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        name->setText("bare");
        QTest::keyClick(name, Qt::Key_Return);
    });
    const std::optional<QString> chosen = QtSaveDialog().askForSavePath(
        nullptr, {"Create .Arena File", folder.filePath("x.arena"), ".Arena Files (*.arena)"});
    EXPECT_EQ(chosen, folder.filePath("bare"));
}
