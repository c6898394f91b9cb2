// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/RecentFiles.h"
#include "platform/system/ChecksumCache.h"
#include "platform/system/FileAttributes.h"
#include "platform/system/FileMove.h"
#include "platform/system/FileReplacement.h"
#include "platform/dialogs/ChoiceWindow.h"
#include "platform/dialogs/ReportWindow.h"
#include "platform/dialogs/SaveDialogBackend.h"
#include "support/ExtendedAttributes.h"
#include "support/OrdinaryUser.h"
#include "support/TempSettings.h"
#include "support/Testing.h"

#include <sys/stat.h>
#include <unistd.h>

using namespace platform;

namespace {

const QByteArray text = "{\r\nmap             \"q3dm17\"\r\n}\r\n";

} // namespace

TEST(FileReplacement, KeepsTheFilesOwnerAndGroup)
{
    QTemporaryDir temp;
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can give files to others";
    for (const auto& [name, owner, group] : {std::tuple{"group", 0, 4242}, std::tuple{"owner", 4242, 4242}}) {
        const QString path = temp.filePath(name);
        writeFile(path, "old");
        ASSERT_EQ(::chown(QFile::encodeName(path).constData(), owner, group), 0);
        ASSERT_TRUE(replaceFileContent(path, text).written);
        EXPECT_EQ(readAll(path), text);
        EXPECT_EQ(std::pair(QFileInfo(path).ownerId(), QFileInfo(path).groupId()), std::pair(uint(owner), uint(group)));
    }
}

TEST(FileReplacement, KeepsTheFilesAccessListAndExtendedAttributes)
{
    QTemporaryDir temp;
    bool lists = false, userAttributes = false;
    const QString missing = missingAttributeSupport(temp.path(), &lists, &userAttributes);
    if (!lists || !userAttributes)
        GTEST_SKIP() << missing.toStdString();
    const QString path = temp.filePath("yard.arena");
    writeFile(path, "old");
    // The group may only read; the mask, which the mode's group bits show,
    // lets the named user write.
    ASSERT_EQ(QProcess::execute("setfacl", {"-m", "user:nobody:rw,group::r,other::-", path}), 0);
    ASSERT_EQ(::setxattr(QFile::encodeName(path).constData(), "user.note", "kept", 4, 0), 0);
    const QByteArray before = attributesOf(path);
    ASSERT_TRUE(replaceFileContent(path, text).written);
    EXPECT_EQ(readAll(path), text);
    EXPECT_EQ(attributesOf(path), before);
}

TEST(FileReplacement, AnOrdinaryUserIsRefusedAReadOnlyFileButMayWriteHisOwnInAFolderHeCannotWriteAlsoByALink)
{
    QTemporaryDir temp, links, state;
    const QString readOnly = temp.filePath("read-only"), writable = temp.filePath("writable");
    const QString link = links.filePath("link");
    writeFile(readOnly, "mine, read-only");
    writeFile(writable, "mine, writable");
    ASSERT_TRUE(QFile::link(writable, link));
    QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    for (const QString& his : {readOnly, writable, links.path(), state.path()})
        giveToOrdinaryUser(his);
    // The folder is not his: root's and 0755, or made read-only for him.
    ASSERT_EQ(::chmod(QFile::encodeName(temp.path()).constData(), ::geteuid() == 0 ? 0755 : 0555), 0);
    // Where his copies are kept while a file is written in place.
    qputenv("XDG_STATE_HOME", QFile::encodeName(state.path()));
    const int outcome = asOrdinaryUser([&] {
        return (replaceFileContent(readOnly, text).written ? 1 : 0) | (replaceFileContent(writable, "x").written ? 0 : 2)
               | (replaceFileContent(link, text).written ? 0 : 4);
    });
    qunsetenv("XDG_STATE_HOME");
    ::chmod(QFile::encodeName(temp.path()).constData(), 0700);
    EXPECT_EQ(outcome, 0);
    EXPECT_EQ(readAll(readOnly), QByteArray("mine, read-only"));
    EXPECT_EQ(readAll(writable), text);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
}

// The route replaces a file only while it is the one it read; the cache
// answers only for the file it was given. Each field of a file's identity,
// changed alone, makes another file of it for both.
TEST(FileIdentity, EachFieldChangedAloneIsAnotherFileToTheRouteAndToTheChecksumCache)
{
    QTemporaryDir temp;
    const QString target = temp.filePath("maps.pk3"), complete = temp.filePath("new.pk3");
    writeFile(target, "old");
    const std::optional<FileIdentity> asRead = identityAt(target);
    ASSERT_TRUE(asRead);
    const std::pair<const char*, std::function<void(FileIdentity&)>> changes[] = {
        {"device", [](FileIdentity& file) { ++file.device; }},
        {"inode", [](FileIdentity& file) { ++file.inode; }},
        {"size", [](FileIdentity& file) { ++file.size; }},
        {"modified, seconds", [](FileIdentity& file) { ++file.modified.tv_sec; }},
        {"modified, nanoseconds", [](FileIdentity& file) { file.modified.tv_nsec ^= 1; }},
        {"changed, seconds", [](FileIdentity& file) { ++file.changed.tv_sec; }},
        {"changed, nanoseconds", [](FileIdentity& file) { file.changed.tv_nsec ^= 1; }},
    };
    const QString cachePath = temp.filePath("cache/map-checksums");
    ChecksumCache remembered(cachePath);
    remembered.remember(*asRead, "entry 1", 0x1234abcd);
    ASSERT_TRUE(remembered.save());
    const ChecksumCache cache(cachePath);
    EXPECT_EQ(cache.find(*asRead, "entry 1"), 0x1234abcd);
    EXPECT_EQ(cache.find(*asRead, "entry 2"), std::nullopt);
    writeFile(complete, "new");
    for (const auto& [field, change] : changes) {
        FileIdentity other = *asRead;
        change(other);
        EXPECT_EQ(moveIntoPlace(complete, target, other).status, MoveOutcome::Status::TargetChanged) << field;
        EXPECT_EQ(cache.find(other, "entry 1"), std::nullopt) << field;
    }
    EXPECT_EQ(readAll(target), QByteArray("old"));
    EXPECT_EQ(moveIntoPlace(complete, target, asRead).status, MoveOutcome::Status::Moved);
    EXPECT_EQ(readAll(target), QByteArray("new"));
}

// A link in the cache's place, to a file or to /dev/null (here a FIFO, which
// as /dev/null would never end a read, stands in for it), says where the
// user wants no cache written: neither the link nor what it leads to changes.
TEST(ChecksumCache, NeverWritesThroughALinkInItsPlaceNorReplacesIt)
{
    QTemporaryDir temp;
    writeFile(temp.filePath("mine"), "my notes");
    ASSERT_EQ(::mkfifo(QFile::encodeName(temp.filePath("fifo")).constData(), 0600), 0);
    for (const char* target : {"mine", "fifo"}) {
        const QString cachePath = temp.filePath(QStringLiteral("cache-%1/map-checksums").arg(target));
        ASSERT_TRUE(QDir().mkpath(QFileInfo(cachePath).path()));
        ASSERT_TRUE(QFile::link(temp.filePath(target), cachePath));
        ChecksumCache cache(cachePath);
        cache.remember(FileIdentity{}, "entry 1", 1);
        EXPECT_TRUE(cache.save()) << target;
        EXPECT_EQ(QFileInfo(cachePath).symLinkTarget(), temp.filePath(target));
        EXPECT_EQ(namesIn(QFileInfo(cachePath).path()), "map-checksums") << target;
    }
    EXPECT_EQ(readAll(temp.filePath("mine")), QByteArray("my notes"));
    EXPECT_EQ(QFileInfo(temp.filePath("fifo")).isFile(), false);
}

// Qt reads a settings file as it opens it, and a FIFO there would keep it
// waiting for ever, in the window's Open Recent menu.
TEST(SettingsStore, AFifoInPlaceOfTheSettingsFileIsNeitherWaitedOnNorReplaced)
{
    const TempSettings settings;
    ASSERT_TRUE(QDir().mkpath(QFileInfo(settings.iniPath()).path()));
    ASSERT_EQ(::mkfifo(QFile::encodeName(settings.iniPath()).constData(), 0600), 0);
    ::alarm(10); // a wait ends the test
    EXPECT_EQ(editor::recentFiles(), QStringList());
    EXPECT_FALSE(editor::addRecentFile("yard.arena"));
    ::alarm(0);
    struct stat status {};
    EXPECT_TRUE(::stat(QFile::encodeName(settings.iniPath()).constData(), &status) == 0 && S_ISFIFO(status.st_mode));
}

TEST(FileAttributes, WithoutItsAccessListAFileGivesTheGroupNoMoreThanTheListDid)
{
    // A list as the system stores it: its version, then each entry's tag (1
    // the owner, 2 a user, 4 the group, 16 the mask, 32 others), permissions
    // and id.
    const auto list = [](std::initializer_list<std::pair<quint16, quint16>> entries, quint32 version = 2) {
        QByteArray bytes;
        QDataStream out(&bytes, QIODevice::WriteOnly);
        out.setByteOrder(QDataStream::LittleEndian);
        out << version;
        for (const auto& [tag, permissions] : entries)
            out << tag << permissions << quint32(65534);
        return bytes;
    };
    const std::tuple<const char*, mode_t, QByteArray, mode_t> cases[] = {
        {"a named user may write, the group only read", 0660, list({{1, 6}, {2, 6}, {4, 4}, {16, 6}, {32, 0}}), 0640},
        {"the mask takes from the group", 04670, list({{1, 6}, {4, 5}, {16, 6}, {32, 0}}), 04640},
        {"no mask", 0664, list({{1, 6}, {4, 6}, {32, 4}}), 0664},
        {"another version", 0660, list({{1, 6}, {4, 6}, {16, 6}}, 3), 0600},
        {"cut short", 0660, list({{1, 6}, {4, 6}}).chopped(1), 0600},
    };
    for (const auto& [what, mode, accessList, without] : cases)
        EXPECT_EQ(modeWithoutAccessList(mode, accessList), without) << what;
}

TEST(SaveDialog, GivesTheNameAsTypedWithoutAskingOverAnExistingFile)
{
    QTemporaryDir folder;
    writeFile(folder.filePath("bare"), "old");
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        EXPECT_EQ(dialog->windowTitle(), "Create .Arena File");
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        name->setText("bare");
        QTest::keyClick(name, Qt::Key_Return);
    });
    const std::optional<QString> chosen = QtSaveDialog().askForSavePath(
        nullptr, {"Create .Arena File", folder.filePath("x.arena"), ".Arena Files (*.arena)"});
    EXPECT_EQ(chosen, folder.filePath("bare"));
}

TEST(ReportWindow, ListsEveryLineAndGoesBackUnlessWriteAnywayIsChosen)
{
    const std::vector<ReportLine> lines{{true, "yard.pk3:scripts/arenas.txt", "The stock maps vanish."},
                                        {false, "yard.pk3", "The menu shows a grey picture."}};
    // Escape, Enter on the default button, and a click on each button.
    const std::function<void(QDialog&)> answers[] = {
        [](QDialog& window) { QTest::keyClick(&window, Qt::Key_Escape); },
        [](QDialog& window) { QTest::keyClick(&window, Qt::Key_Return); },
        [](QDialog& window) { control<QPushButton>(window, "goBack")->click(); },
        [](QDialog& window) { control<QPushButton>(window, "writeAnyway")->click(); },
    };
    for (std::size_t index = 0; index < std::size(answers); ++index) {
        std::unique_ptr<QDialog> window(buildReportWindow(nullptr, "Heading", lines, true));
        window->open();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        EXPECT_EQ(control<QTextBrowser>(*window, "findings")->toPlainText(),
                  "Error \u2014 yard.pk3:scripts/arenas.txt\nThe stock maps vanish.\n"
                  "Advice \u2014 yard.pk3\nThe menu shows a grey picture.");
        EXPECT_TRUE(control<QPushButton>(*window, "goBack")->isDefault());
        answers[index](*window);
        EXPECT_EQ(window->result(), index == 3 ? QDialog::Accepted : QDialog::Rejected) << "answer " << index;
    }
    std::unique_ptr<QDialog> report(buildReportWindow(nullptr, "Heading", lines, false));
    EXPECT_FALSE(report->findChild<QPushButton*>("writeAnyway"));
    EXPECT_TRUE(report->findChild<QPushButton*>("close"));
}

TEST(ChoiceWindow, StartsOnTheFirstLineAndTakesTheSelectedOneOnEnterOrADoubleClickButNotOnEscape)
{
    const QStringList lines{"a \u2014 A \u2014 arena 1 of 3", "b \u2014 B \u2014 arena 2 of 3", "c \u2014 C \u2014 arena 3 of 3"};
    // Each answer, and the row it should give: none for a cancel.
    const std::pair<std::function<void(QListWidget&)>, int> answers[] = {
        {[](QListWidget& list) { QTest::keyClick(&list, Qt::Key_Return); }, 0},
        {[](QListWidget& list) { QTest::keyClick(&list, Qt::Key_Down); QTest::keyClick(&list, Qt::Key_Enter); }, 1},
        {[](QListWidget& list) { QTest::keyClick(&list, Qt::Key_Down); QTest::keyClick(&list, Qt::Key_Escape); }, -1},
        {[](QListWidget& list) {
             // What the window system delivers for a double click.
             const QPoint at = list.visualItemRect(list.item(2)).center();
             QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at);
             QTest::mousePress(list.viewport(), Qt::LeftButton, {}, at);
             QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, at);
             QTest::mouseRelease(list.viewport(), Qt::LeftButton, {}, at);
         }, 2},
    };
    for (const auto& [answer, row] : answers) {
        std::unique_ptr<QDialog> window(buildChoiceWindow(nullptr, "Open", "Which one?", lines));
        window->open();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        auto* list = control<QListWidget>(*window, "choices");
        EXPECT_EQ(QApplication::focusWidget(), list);
        EXPECT_EQ(list->currentRow(), 0);
        answer(*list);
        EXPECT_EQ(window->result(), row < 0 ? QDialog::Rejected : QDialog::Accepted) << row;
        if (row >= 0) {
            EXPECT_EQ(list->currentRow(), row);
        }
    }
}
