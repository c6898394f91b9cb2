// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/ArenaText.h"
#include "editor/Typelist.h"
#include "platform/system/FileReplacement.h"
#include "platform/system/SettingsStore.h"
#include "support/MainWindowUser.h"

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>

using CreateCommand = MainWindowUser;

namespace {

const QByteArray oldText = editor::arenaText({"yard", "", "The Old Yard, with a title long enough to outlast", "", "ffa"});
const QByteArray newText = editor::arenaText({"yard", "", "New", "", "ffa"});

// Links a second name to the file, which sends a save in place.
void linkSecondName(const QString& path)
{
    ASSERT_EQ(::link(QFile::encodeName(path).constData(), QFile::encodeName(path + " too").constData()), 0);
}

// Saves in a process of its own that is killed at `step`, as a crash or a
// kill would end the program there.
void saveKilledAt(const QString& path, const char* step)
{
    const pid_t child = ::fork();
    if (child == 0) {
        platform::replaceFileContent(path, newText, [step](const char* reached) {
            if (qstrcmp(reached, step) == 0)
                ::raise(SIGKILL);
        });
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "never reached";
}

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

// A file written where it lies (here: one with a second name) keeps a
// complete copy of its earlier content from before it is touched until the
// new one is on the disk; a file replaced by a new one is never touched.
// Open offers the copy back where the file differs from it; a later save
// takes away what a killed one left.
TEST_F(CreateCommand, AKillAtAnyStepOfASaveLeavesTheFileWholeOrItsCopyOfferedBackAtOpen)
{
    const QTemporaryDir folder;
    const QString path = folder.filePath("yard.arena");
    const QString copy = settings.copiesFolder() + '/' + QString(path).replace('/', '!');
    ASSERT_TRUE(QDir().mkpath(folder.filePath(".mapwright-save-Mine01"))) << "a folder of a like name, not a save's";
    struct Case {
        const char* step;
        bool inPlace;
        QByteArray killed; // what the file holds after the kill
        std::optional<bool> answer; // to the question at Open, if one is asked
        QByteArray opened;
    };
    const Case cases[] = {
        {"copy written", true, oldText, {}, oldText},
        {"copy kept", true, oldText, {}, oldText},
        {"written", true, newText + oldText.mid(newText.size()), true, oldText},
        {"truncated", true, newText, false, newText},
        {"on the disk", true, newText, true, oldText},
        {"new file written", false, oldText, {}, oldText},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.step);
        QFile::remove(path + " too");
        writeFile(path, oldText);
        if (test.inPlace)
            linkSecondName(path);
        saveKilledAt(path, test.step);
        EXPECT_EQ(readAll(path), test.killed);
        const qsizetype asked = scripted.messages->questions.size();
        if (test.answer)
            scripted.messages->answers << *test.answer;
        window->openFile(path);
        EXPECT_EQ(scripted.messages->questions.size(), asked + (test.answer ? 1 : 0));
        if (test.answer) {
            EXPECT_TRUE(scripted.messages->questions.last().contains(copy)) << scripted.messages->questions.last().toStdString();
        }
        EXPECT_EQ(readAll(path), test.opened);
        EXPECT_EQ(readAll(copy), test.answer == false ? oldText : "<unreadable>");

        ASSERT_TRUE(platform::replaceFileContent(path, newText).written);
        EXPECT_EQ(readAll(path + " too"), test.inPlace ? newText : "<unreadable>");
        EXPECT_EQ(namesIn(settings.copiesFolder()), "");
        EXPECT_EQ(namesIn(folder.path()), test.inPlace ? ".mapwright-save-Mine01 yard.arena yard.arena too"
                                                       : ".mapwright-save-Mine01 yard.arena");
    }
}

// A disk that fills, here a file-size limit that cuts the new text short,
// and for the last case the putting back too.
TEST_F(CreateCommand, AFullDiskLeavesTheFileAsItWasOrTheMessageNamesItsCompleteCopy)
{
    const QTemporaryDir folder;
    const QString path = folder.filePath("yard.arena");
    const QString copy = settings.copiesFolder() + '/' + QString(path).replace('/', '!');
    const rlim_t limit = rlim_t(newText.size() - 8);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    bool putBackFails = false;
    openWindow({}, [&](const char* step) {
        rlimit none{0, saved.rlim_max};
        if (putBackFails && qstrcmp(step, "putting back") == 0)
            setrlimit(RLIMIT_FSIZE, &none);
    });
    setFields("New", "yard");
    find("fraglimit")->setText("");
    tickGameType(0);
    choose("aArena");
    struct Case {
        const char* what;
        bool inPlace;
        QByteArray old;
        bool putBackFails;
        QByteArray left;
        QString said;
    };
    const QByteArray tooLarge(qsizetype(limit) + 1, 'o');
    const Case cases[] = {
        {"replaced by a new file", false, oldText, false, oldText, "Nothing was written."},
        {"in place, its copy cut short", true, tooLarge, false, tooLarge, "Nothing was written."},
        {"in place, put back", true, "old", false, "old", "Nothing was written."},
        {"in place, putting back cut short too", true, "old", true, newText.left(qsizetype(limit)),
         "The file may now hold part of the new text. A complete copy of what it held before is kept in\n" + copy},
    };
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        QFile::remove(path + " too");
        writeFile(path, test.old);
        if (test.inPlace)
            linkSecondName(path);
        putBackFails = test.putBackFails;
        rlimit cut{limit, saved.rlim_max};
        setrlimit(RLIMIT_FSIZE, &cut);
        create(path);
        setrlimit(RLIMIT_FSIZE, &saved);
        EXPECT_EQ(readAll(path), test.left);
        EXPECT_TRUE(prompts().last().contains(test.said)) << prompts().last().toStdString();
        EXPECT_EQ(prompts().last().contains("Nothing was written."), !test.putBackFails);
        EXPECT_EQ(readAll(copy), test.putBackFails ? test.old : "<unreadable>");
    }
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_EQ(prompts().size(), std::size(cases));
    EXPECT_EQ(namesIn(folder.path()), "yard.arena yard.arena too") << "a save's working folder left";
}

TEST(Typelist, FollowsIndexOrderWithSingleSpaces)
{
    EXPECT_EQ(editor::buildTypelist(std::vector{1, 1, 1, 1, 1}), "ffa ctf single team tourney");
    EXPECT_EQ(editor::buildTypelist(std::vector{0, 1, 0, 0, 1}), "ctf tourney");
    EXPECT_EQ(editor::buildTypelist(std::vector{2, 0, 2, 0, 0}), "") << "a greyed box does not count";
    // A game's other types follow the five, in its words.
    EXPECT_EQ(editor::buildTypelist(std::vector{1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1}, game::openArena()), "ffa lms dom");
}
