#include "editor/ArenaText.h"
#include "editor/Form1.h"
#include "platform/SettingsStore.h"
#include "support/ScriptedServices.h"
#include "support/TempSettings.h"
#include "support/UserInput.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

QString remembered(const char* key)
{
    return platform::SettingsStore().read("Mapwright", "Filenames", key);
}

class CreateCommand : public ::testing::Test {
protected:
    TempSettings settings;
    QTemporaryDir folder;
    ScriptedServices scripted;
    editor::Form1 window{scripted.services()};

    QLineEdit* field(const char* name) { return control<QLineEdit>(window, name); }
    QCheckBox* gameType(int index)
    {
        return control<QCheckBox>(window, qPrintable(QStringLiteral("typeselect_%1").arg(index)));
    }

    void fillIn(const QString& title, const QString& file)
    {
        typeInto(field("longname"), title);
        typeInto(field("filename"), file);
    }
    void clickCreate() { QTest::mouseClick(control<QPushButton>(window, "Command4"), Qt::LeftButton); }
    void chooseSaveRoute() { clickIndicator(control<QRadioButton>(window, "aArena")); }
    void choosePk3Route() { clickIndicator(control<QRadioButton>(window, "aPk3")); }
    QStringList prompts() const { return scripted.messages->prompts(); }
};

} // namespace

TEST_F(CreateCommand, ChecksTheFieldsInOrderAndReportsOnlyTheFirstFailure)
{
    typeInto(field("filename"), "  q3dm17  ");
    typeInto(field("longname"), "   ");
    clickCreate();
    EXPECT_EQ(prompts(), QStringList{"Please enter a map title."});
    EXPECT_EQ(field("filename")->text(), "  q3dm17  ") << "the file name is trimmed only once the title passed";

    typeInto(field("longname"), "Yard");
    clickCreate();
    EXPECT_EQ(field("filename")->text(), "q3dm17");
    EXPECT_EQ(prompts().last(), "Please select at least one game type.");

    clickIndicator(gameType(3));
    clickCreate();
    EXPECT_EQ(prompts().last(), "Please select a method of Creating your .Arena File");

    EXPECT_EQ(scripted.dialog->requests.size(), 0u);
    for (const ShownMessage& message : scripted.messages->shown) {
        EXPECT_EQ(message.style, 48);
        EXPECT_EQ(message.title, "Mapwright");
    }
}

TEST_F(CreateCommand, AFileNameOfSpacesIsEmptiedAndRefused)
{
    fillIn("Yard", "    ");
    clickCreate();
    EXPECT_EQ(prompts(), QStringList{"You must enter a map filename."});
    EXPECT_EQ(field("filename")->text(), "");
}

TEST_F(CreateCommand, SaveRouteWritesTheFileAndRemembersItsPath)
{
    fillIn(" The Longest Yard ", " q3dm17");
    clickIndicator(gameType(3));
    clickIndicator(gameType(0));
    field("fraglimit")->setFocus();
    QTest::keyClick(field("fraglimit"), Qt::Key_Backspace);
    QTest::keyClick(field("fraglimit"), Qt::Key_Backspace);
    QTest::keyClicks(field("fraglimit"), "20");
    chooseSaveRoute();
    const QString path = folder.filePath("yard.arena");
    scripted.dialog->answer(path);

    clickCreate();

    ASSERT_EQ(scripted.dialog->requests.size(), 1u);
    const platform::SaveDialogRequest& request = scripted.dialog->requests[0];
    EXPECT_EQ(request.title, "Create .Arena File");
    EXPECT_EQ(request.nameFilter, ".Arena Files (*.arena)");
    EXPECT_EQ(request.initialPath, "");
    EXPECT_TRUE(prompts().isEmpty()) << "success on the save route is silent";
    EXPECT_EQ(readAll(path), editor::arenaText({"q3dm17", "", " The Longest Yard ", "20", "ffa team"}));
    EXPECT_EQ(remembered(".Arena"), path);
    EXPECT_EQ(remembered("Pk3"), "");

    // The next run offers the path just used, and a name without an
    // extension is used as typed.
    const QString bare = folder.filePath("bare");
    scripted.dialog->answer(bare);
    clickCreate();
    EXPECT_EQ(scripted.dialog->requests[1].initialPath, path);
    EXPECT_TRUE(QFile::exists(bare));
    EXPECT_EQ(remembered(".Arena"), bare);
}

TEST_F(CreateCommand, EachRouteOffersItsOwnRememberedName)
{
    platform::SettingsStore().write("Mapwright", "Filenames", ".Arena", "/maps/a.arena");
    platform::SettingsStore().write("Mapwright", "Filenames", "Pk3", "/maps/b.pk3");
    fillIn("Yard", "q3dm17");
    clickIndicator(gameType(1));

    choosePk3Route();
    scripted.dialog->cancel();
    clickCreate();
    chooseSaveRoute();
    scripted.dialog->cancel();
    clickCreate();

    ASSERT_EQ(scripted.dialog->requests.size(), 2u);
    EXPECT_EQ(scripted.dialog->requests[0].title, "Add .arena file to PK3");
    EXPECT_EQ(scripted.dialog->requests[0].nameFilter, "PK3 Files (*.pk3)");
    EXPECT_EQ(scripted.dialog->requests[0].initialPath, "/maps/b.pk3");
    EXPECT_EQ(scripted.dialog->requests[1].initialPath, "/maps/a.arena");
}

TEST_F(CreateCommand, CancelWritesAndRemembersNothing)
{
    fillIn("Yard", "q3dm17");
    clickIndicator(gameType(0));
    chooseSaveRoute();
    scripted.dialog->cancel();

    clickCreate();

    EXPECT_TRUE(prompts().isEmpty());
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
    EXPECT_EQ(remembered(".Arena"), "");
}

TEST_F(CreateCommand, AFileThatCannotBeWrittenIsReportedAndNotRemembered)
{
    fillIn("Yard", "q3dm17");
    clickIndicator(gameType(0));
    chooseSaveRoute();
    const QString path = folder.filePath("no such folder/yard.arena");
    scripted.dialog->answer(path);

    clickCreate();

    ASSERT_EQ(scripted.messages->shown.size(), 1u);
    const ShownMessage& message = scripted.messages->shown[0];
    EXPECT_EQ(message.style, 48);
    EXPECT_EQ(message.title, "Mapwright");
    EXPECT_TRUE(message.prompt.contains(path));
    EXPECT_EQ(remembered(".Arena"), "");
}

TEST_F(CreateCommand, AnExistingFileIsReplacedWithoutAQuestion)
{
    const QString path = folder.filePath("old.arena");
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(1000, 'z'));
    }
    fillIn("Yard", "q3dm17");
    clickIndicator(gameType(2));
    chooseSaveRoute();
    scripted.dialog->answer(path);

    clickCreate();

    EXPECT_TRUE(prompts().isEmpty());
    EXPECT_EQ(readAll(path), editor::arenaText({"q3dm17", "", "Yard", "10", "single"}));
}
