#include "platform/FileReplacement.h"
#include "support/Files.h"
#include "support/OrdinaryUser.h"
#include "support/QtPrinting.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace testing_support;
using platform::replaceFileContent;

namespace {

const QByteArray text = "{\r\nmap             \"q3dm17\"\r\n}\r\n";

struct stat statusOf(const QString& path)
{
    struct stat status {};
    ::stat(QFile::encodeName(path).constData(), &status);
    return status;
}

bool hardLink(const QString& existing, const QString& newName)
{
    return ::link(QFile::encodeName(existing).constData(), QFile::encodeName(newName).constData()) == 0;
}

// Writes under a file-size limit that cuts the write short, as a full disk would.
platform::FileWriteResult writeCutShort(const QString& path)
{
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tiny = saved;
    tiny.rlim_cur = 16;
    setrlimit(RLIMIT_FSIZE, &tiny);
    const platform::FileWriteResult result = replaceFileContent(path, text);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    return result;
}

class FileReplacement : public ::testing::Test {
protected:
    QTemporaryDir temp;
    QString at(const char* name) const { return temp.filePath(name); }
};

} // namespace

TEST_F(FileReplacement, ACutShortWriteLeavesTheEarlierFileWhetherReplacedOrWrittenInPlace)
{
    writeFile(at("plain.arena"), "old!");
    writeFile(at("linked.arena"), "an earlier content longer than the limit");
    ASSERT_TRUE(hardLink(at("linked.arena"), at("second name")));
    for (const char* name : {"plain.arena", "linked.arena"}) {
        const QByteArray before = readAll(at(name));
        const platform::FileWriteResult result = writeCutShort(at(name));
        EXPECT_FALSE(result.written) << name;
        EXPECT_FALSE(result.reason.isEmpty()) << name;
        EXPECT_EQ(readAll(at(name)), before) << name;
    }
    EXPECT_EQ(QDir(temp.path()).entryList(QDir::Files | QDir::Hidden).size(), 3) << "a temporary file left";
}

TEST_F(FileReplacement, KeepsTheFilesOtherNamesOwnerAndGroup)
{
    writeFile(at("linked.arena"), QByteArray(500, 'x'));
    ASSERT_TRUE(hardLink(at("linked.arena"), at("second name")));
    ASSERT_TRUE(replaceFileContent(at("linked.arena"), text).written);
    EXPECT_EQ(readAll(at("second name")), text);
    EXPECT_EQ(statusOf(at("linked.arena")).st_nlink, 2u);

    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can give files to others";
    for (const auto& [name, owner, group] : {std::tuple{"group.arena", 0, 4242}, std::tuple{"owner.arena", 4242, 4242}}) {
        writeFile(at(name), "old");
        ASSERT_EQ(::chown(QFile::encodeName(at(name)).constData(), owner, group), 0);
        ASSERT_TRUE(replaceFileContent(at(name), text).written);
        EXPECT_EQ(readAll(at(name)), text);
        EXPECT_EQ(statusOf(at(name)).st_uid, uid_t(owner)) << name;
        EXPECT_EQ(statusOf(at(name)).st_gid, gid_t(group)) << name;
    }
}

TEST_F(FileReplacement, AnOrdinaryUserIsRefusedAReadOnlyFileButMayWriteHisOwnInAFolderHeCannotWrite)
{
    writeFile(at("read-only.arena"), "mine, read-only");
    writeFile(at("writable.arena"), "mine, writable and long enough to be cut");
    QFile::setPermissions(at("read-only.arena"), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    giveToOrdinaryUser(at("read-only.arena"));
    giveToOrdinaryUser(at("writable.arena"));
    // The folder is not his: root's and 0755, or made read-only for him.
    ASSERT_TRUE(QFile::setPermissions(temp.path(), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup
                                                       | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther
                                                       | (::geteuid() == 0 ? QFile::WriteOwner : QFile::Permissions())));
    const int outcome = asOrdinaryUser([&] {
        return (replaceFileContent(at("read-only.arena"), text).written ? 1 : 0)
               | (replaceFileContent(at("writable.arena"), text).written ? 0 : 2);
    });
    QFile::setPermissions(temp.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(outcome, 0);
    EXPECT_EQ(readAll(at("read-only.arena")), QByteArray("mine, read-only"));
    EXPECT_EQ(readAll(at("writable.arena")), text);
}
