// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/Typelist.h"
#include "platform/system/SettingsStore.h"
#include "support/MainWindowUser.h"

using CreateCommand = MainWindowUser;

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
    EXPECT_EQ(scripted.messages->styles, QList<int>(prompts().size(), 48));
    EXPECT_EQ(scripted.messages->titles, QStringList(prompts().size(), "Mapwright"));
}

TEST_F(CreateCommand, EachRouteOffersItsOwnNameAndTheSaveRouteWritesTheFileOrReportsWhyNot)
{
    const QTemporaryDir folder;
    const auto asked = [this](std::size_t index) {
        const platform::SaveDialogRequest& request = scripted.dialog->requests.at(index);
        return QStringList{request.title, request.nameFilter, request.initialPath};
    };
    // The title's quotes are what the game misreads; each time, the author
    // is asked and writes it anyway.
    scripted.report->answerToAll = platform::ReportWindow::Answer::WriteAnyway;
    // A remembered name comes back exactly, however awkward its text.
    const QString stored = QStringLiteral("@ C:\\maps, new;1/true \u00e9\u20ac.pk3 ");
    platform::SettingsStore().write("Mapwright", "Filenames", "Pk3", stored);
    setFields(QStringLiteral(" Say \"caf\u00e9\" \u20ac \u4e2d\U0001F600 "), " q3dm17");
    tickGameType(3);
    tickGameType(0);
    find("fraglimit")->setText("");
    choose("aPk3");
    create();
    choose("aArena");
    const QString path = folder.filePath("yard.arena");
    create(path);
    // The game's layout byte for byte; the title verbatim, edge spaces and
    // quotes kept, in Windows-1252 with "?" for what it lacks.
    const QByteArray text = "{\r\n"
                            "map             \"q3dm17\"\r\n"
                            "bots            \"\"\r\n"
                            "longname        \" Say \"caf\xE9\" \x80 ?? \"\r\n"
                            "fraglimit       \"\"\r\n"
                            "type            \"ffa team\"\r\n"
                            "}\r\n";

    EXPECT_EQ(asked(0), (QStringList{"Add .arena file to PK3", "PK3 Files (*.pk3)", stored}));
    EXPECT_EQ(asked(1), (QStringList{"Create .Arena File", ".Arena Files (*.arena)", ""}));
    EXPECT_TRUE(prompts().isEmpty()) << "Cancel, and success on the save route, are silent";
    EXPECT_EQ(readAll(path), text);
    EXPECT_EQ(TempSettings::remembered(".Arena"), path);
    EXPECT_EQ(TempSettings::remembered("Pk3"), stored);

    // A name without an extension is used as typed, an existing file is
    // replaced without a question, and Cancel leaves the name remembered.
    const QString bare = folder.filePath("bare");
    writeFile(bare, QByteArray(1000, 'z'));
    create(bare);
    create();
    EXPECT_EQ(asked(3)[2], bare);
    EXPECT_EQ(readAll(bare), text);
    EXPECT_TRUE(prompts().isEmpty());

    // A file that cannot be written is reported, with its path, and not
    // remembered.
    const QString unwritable = folder.filePath("no such folder/yard.arena");
    create(unwritable);
    ASSERT_EQ(prompts().size(), 1);
    EXPECT_EQ(scripted.messages->styles[0], 48);
    EXPECT_TRUE(prompts().first().contains(unwritable));
    EXPECT_EQ(TempSettings::remembered(".Arena"), bare);
    EXPECT_EQ(scripted.report->shown.size(), 3u) << "asked before each write, never after a Cancel";
}

TEST(Typelist, FollowsIndexOrderWithSingleSpaces)
{
    EXPECT_EQ(editor::buildTypelist({1, 1, 1, 1, 1}), "ffa ctf single team tourney");
    EXPECT_EQ(editor::buildTypelist({0, 1, 0, 0, 1}), "ctf tourney");
    EXPECT_EQ(editor::buildTypelist({2, 0, 2, 0, 0}), "") << "a greyed box does not count";
}
