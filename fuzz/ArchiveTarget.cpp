// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: bytes as a .pk3 archive, through the game's reading of
// its end record and directory, the zip library's, and every archive rule,
// levelshot headers included; and the same bytes as a TGA levelshot, which
// the arena chooser decodes whole. The bytes are a file in memory, which the
// check opens by its path as any other.
#include "FindingsStayLines.h"
#include "game/ArchiveView.h"
#include "game/LevelshotPicture.h"
#include "gamecheck/ArchiveRules.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdint>
#include <sys/mman.h>
#include <unistd.h>

namespace {

int memoryFile = -1;
QString memoryPath;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // The image readers of the levelshot rule are plugins, found through the application.
    static QCoreApplication application(*argc, *argv);
    memoryFile = ::memfd_create("fuzz.pk3", MFD_CLOEXEC);
    memoryPath = QStringLiteral("/proc/self/fd/%1").arg(memoryFile);
    return memoryFile < 0 ? 1 : 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (::ftruncate(memoryFile, 0) != 0 || ::pwrite(memoryFile, data, size, 0) != ssize_t(size))
        std::abort();
    const QImage picture = game::levelshotPicture("levelshots/fuzz.tga", QByteArray(reinterpret_cast<const char*>(data),
                                                                                    qsizetype(size)),
                                                  game::levelshotSizeInMenu);
    if (!picture.isNull() && picture.size() != game::levelshotSizeInMenu)
        std::abort();
    const std::optional<game::ArchiveView> archive = game::ArchiveView::open(QFile::encodeName(memoryPath));
    if (!archive)
        return 0;
    if (archive->directory().records.size() > archive->directory().entryCount)
        std::abort();
    gamecheck::Findings findings;
    gamecheck::checkArchive(*archive, memoryPath, game::quake3(), findings);
    requireOneLineEach(findings);
    return 0;
}
