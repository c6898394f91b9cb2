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
    struct Case {
        int key;
        Qt::KeyboardModifiers modifiers;
        const char* text;
        std::optional<std::int16_t> expected;
    };
    // Ctrl combinations come offscreen with the letter and under X11 with
    // the control character; only the classic code counts.
    const Case cases[] = {
        {Qt::Key_V, Qt::ControlModifier, "v", 22},       {Qt::Key_V, Qt::ControlModifier, "\x16", 22},
        {Qt::Key_Enter, Qt::KeypadModifier, "\r", 13},   {Qt::Key_Return, Qt::ControlModifier, "\r", 10},
        {Qt::Key_Backspace, Qt::ControlModifier, "\b", 127}, {Qt::Key_BracketLeft, Qt::ControlModifier, "\x1b", 27},
        {Qt::Key_BracketRight, Qt::ControlModifier, "]", 29}, {Qt::Key_X, Qt::AltModifier, "x", 'x'},
        {Qt::Key_Minus, Qt::MetaModifier, "-", '-'},      {Qt::Key_A, Qt::ControlModifier | Qt::AltModifier, "a", 'a'},
        {Qt::Key_Delete, Qt::NoModifier, "\x7f", {}},    {Qt::Key_Tab, Qt::NoModifier, "\t", {}},
        {Qt::Key_Left, Qt::AltModifier, "", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(code(c.key, c.modifiers, c.text), c.expected) << c.key << " " << c.text;
}

TEST(ProcessStarter, ReportsAProgramThatCannotStart)
{
    EXPECT_FALSE(QtProcessStarter().startDetached("no-such-program", {"x"}));
}

TEST(SaveDialog, IsQtsOwnAndGivesTheNameAsTypedWithoutAskingOverAnExistingFile)
{
    QTemporaryDir folder;
    testing_support::writeFile(folder.filePath("old.arena"), "old");
    QStringList answers = {"old.arena", "bare"};
    std::vector<std::optional<QString>> chosen;
    while (!answers.isEmpty()) {
        const QString answer = answers.takeFirst();
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_TRUE(dialog);
            EXPECT_TRUE(dialog->testOption(QFileDialog::DontUseNativeDialog));
            EXPECT_EQ(dialog->windowTitle(), "Create .Arena File");
            auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
            name->setText(answer);
            QTest::keyClick(name, Qt::Key_Return);
        });
        chosen.push_back(QtSaveDialog().askForSavePath(
            nullptr, {"Create .Arena File", folder.filePath("x.arena"), ".Arena Files (*.arena)"}));
    }
    EXPECT_EQ(chosen, (std::vector<std::optional<QString>>{folder.filePath("old.arena"), folder.filePath("bare")}));
}
