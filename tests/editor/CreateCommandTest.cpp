#include "editor/ArenaText.h"
#include "platform/SettingsStore.h"
#include "support/MainWindowUser.h"
#include "support/Testing.h"

using namespace testing_support;

namespace {

class CreateCommand : public MainWindowUser {
protected:
    QTemporaryDir folder;
};

} // namespace

TEST_F(CreateCommand, ChecksTheFieldsInOrderAndReportsOnlyTheFirstFailure)
{
    typeInto(find("filename"), "  q3dm17  ");
    typeInto(find("longname"), "   ");
    create();
    EXPECT_EQ(prompts(), QStringList{"Please enter a map title."});
    EXPECT_EQ(find("filename")->text(), "  q3dm17  ") << "the file name is trimmed only once the title passed";

    typeInto(find("longname"), "Yard");
    create();
    EXPECT_EQ(find("filename")->text(), "q3dm17");
    EXPECT_EQ(prompts().last(), "Please select at least one game type.");

    tickGameType(3);
    create();
    EXPECT_EQ(prompts().last(), "Please select a method of Creating your .Arena File");

    find("filename")->setText("  ");
    create();
    EXPECT_EQ(prompts().last(), "You must enter a map filename.");
    EXPECT_EQ(find("filename")->text(), "");

    // A pasted line break would split the file's line; a tab is kept, and
    // only spaces are trimmed.
    choose("aArena");
    for (const auto& [field, name] : {std::pair{"longname", "map title"}, {"filename", "map file name"},
                                      {"fraglimit", "frag limit"}}) {
        setFields("Yard", " \tq3dm17 ");
        find(field)->setText(find(field)->text() + "\nB");
        create();
        EXPECT_TRUE(prompts().last().startsWith(QStringLiteral("The %1 holds a line break").arg(name)));
    }
    EXPECT_EQ(find("filename")->text(), "\tq3dm17");

    EXPECT_TRUE(scripted.dialog->requests.empty());
    for (const ShownMessage& message : scripted.messages->shown)
        EXPECT_TRUE(message.style == 48 && message.title == "Mapwright");
}

TEST_F(CreateCommand, SaveRouteWritesTheFileOffersItsPathNextTimeAndReportsFailures)
{
    setFields(" The Longest Yard ", " q3dm17");
    tickGameType(3);
    tickGameType(0);
    find("fraglimit")->setText("");
    choose("aArena");
    const QString path = folder.filePath("yard.arena");
    create(path);

    ASSERT_EQ(scripted.dialog->requests.size(), 1u);
    EXPECT_EQ(scripted.dialog->requests[0].title, "Create .Arena File");
    EXPECT_EQ(scripted.dialog->requests[0].nameFilter, ".Arena Files (*.arena)");
    EXPECT_EQ(scripted.dialog->requests[0].initialPath, "");
    EXPECT_TRUE(prompts().isEmpty()) << "success on the save route is silent";
    EXPECT_EQ(readAll(path), editor::arenaText({"q3dm17", "", " The Longest Yard ", "", "ffa team"}));
    EXPECT_EQ(TempSettings::remembered(".Arena"), path);
    EXPECT_EQ(TempSettings::remembered("Pk3"), "");

    // A name without an extension is used as typed, and an existing file is
    // replaced without a question.
    const QString bare = folder.filePath("bare");
    writeFile(bare, QByteArray(1000, 'z'));
    create(bare);
    EXPECT_EQ(scripted.dialog->requests[1].initialPath, path);
    EXPECT_EQ(readAll(bare), editor::arenaText({"q3dm17", "", " The Longest Yard ", "", "ffa team"}));
    EXPECT_TRUE(prompts().isEmpty());

    // A file that cannot be written is reported, with its path, and not
    // remembered.
    const QString unwritable = folder.filePath("no such folder/yard.arena");
    create(unwritable);
    ASSERT_EQ(scripted.messages->shown.size(), 1u);
    EXPECT_EQ(scripted.messages->shown[0].style, 48);
    EXPECT_TRUE(prompts().first().contains(unwritable));
    EXPECT_EQ(TempSettings::remembered(".Arena"), bare);
}

TEST_F(CreateCommand, EachRouteOffersItsOwnNameAndCancelDoesNothing)
{
    platform::SettingsStore().write("Mapwright", "Filenames", ".Arena", "/maps/a.arena");
    platform::SettingsStore().write("Mapwright", "Filenames", "Pk3", "/maps/b.pk3");
    setFields("Yard", "q3dm17");
    tickGameType(1);
    choose("aPk3");
    create();
    choose("aArena");
    create();

    ASSERT_EQ(scripted.dialog->requests.size(), 2u);
    EXPECT_EQ(scripted.dialog->requests[0].title, "Add .arena file to PK3");
    EXPECT_EQ(scripted.dialog->requests[0].nameFilter, "PK3 Files (*.pk3)");
    EXPECT_EQ(scripted.dialog->requests[0].initialPath, "/maps/b.pk3");
    EXPECT_EQ(scripted.dialog->requests[1].initialPath, "/maps/a.arena");
    EXPECT_TRUE(prompts().isEmpty());
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
    EXPECT_EQ(TempSettings::remembered(".Arena"), "/maps/a.arena");
}
