// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/SearchPath.h"

#include "game/PakOrder.h"
#include "platform/system/FolderFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace game {

namespace {

QString absoluteClean(const QString& path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

bool sameFolder(const QString& one, const QString& other)
{
    if (one.isEmpty() || other.isEmpty())
        return false;
    const QString a = QFileInfo(one).canonicalFilePath(), b = QFileInfo(other).canonicalFilePath();
    return a.isEmpty() || b.isEmpty() ? absoluteClean(one) == absoluteClean(other) : a == b;
}

bool isFolder(const QString& path)
{
    return QFileInfo(path).isDir();
}

QString expandedHome(const QString& place)
{
    return place.startsWith(QLatin1String("~/")) ? QDir::home().filePath(place.mid(2)) : place;
}

bool holdsAPak(const QString& folder)
{
    const std::optional<std::vector<platform::FolderItem>> items = platform::listFolder(QFile::encodeName(folder));
    return items && std::any_of(items->begin(), items->end(),
                                [](const platform::FolderItem& item) { return !item.folder && isPakName(item.name); });
}

// The first of the game's usual places that holds its folder; with
// `withPaks`, a folder with a pk3 in it, as an installed game's has.
QString usualInstall(const Game& game, const QString& under = {}, bool withPaks = false)
{
    for (const char* place : game.installPlaces) {
        const QString root = under + expandedHome(QString::fromUtf8(place));
        const QString folder = QDir(root).filePath(QString::fromLatin1(game.folder));
        if (isFolder(folder) && (!withPaks || holdsAPak(folder)))
            return root;
    }
    return {};
}

// The game home and install the search path is built from: the folder's
// own root is the one it lies in.
struct Roots {
    QString home;
    QString install;
};

Roots rootsOf(const QString& parent, const Game& game, const Locations& where)
{
    Roots roots;
    roots.home = where.home;
    if (roots.home.isEmpty() && where.usualPlaces)
        roots.home = QDir::home().filePath(QString::fromLatin1(game.homeFolder));
    if (!sameFolder(parent, roots.home)) {
        roots.install = parent;
        return roots;
    }
    roots.install = where.install;
    if (roots.install.isEmpty() && where.usualPlaces)
        roots.install = usualInstall(game);
    return roots;
}

} // namespace

SearchPath SearchPath::ofFolders(const QStringList& folders, const Game& game)
{
    SearchPath path;
    path.game = &game;
    for (const QString& folder : folders)
        path.directories.push_back({folder, QFile::encodeName(QFileInfo(folder).fileName()), false,
                                    folder != folders.back()});
    return path;
}

QStringList SearchPath::paths() const
{
    QStringList list;
    for (const GameDirectory& directory : directories)
        list << directory.path;
    return list;
}

bool tellsItsGame(const QString& folder)
{
    const QFileInfo info(absoluteClean(folder));
    const QDir parent(info.path());
    const QString parentName = QFileInfo(info.path()).fileName();
    for (const Game* game : allGames()) {
        if (info.fileName() == QLatin1String(game->folder) || isFolder(parent.filePath(QString::fromLatin1(game->folder)))
            || parentName == QLatin1String(game->homeFolder))
            return true;
    }
    return false;
}

const Game& gameOfFolder(const QString& folder)
{
    const QFileInfo info(absoluteClean(folder));
    const QString name = info.fileName();
    const QDir parent(info.path());
    const bool besideOpenArena = isFolder(parent.filePath(QString::fromLatin1(openArena().folder)));
    if (name == QLatin1String(openArena().folder))
        return openArena();
    if (name == QLatin1String(quake3().folder))
        return quake3();
    if (name == QLatin1String(teamArena().folder))
        return besideOpenArena ? openArena() : teamArena();
    // A mod's folder: the game whose own folder lies beside it, or whose
    // home folder it lies in.
    if (besideOpenArena || QFileInfo(info.path()).fileName() == QLatin1String(openArena().homeFolder))
        return openArena();
    return quake3();
}

SearchPath searchPathOf(const QString& folder, const Locations& where)
{
    const QString named = absoluteClean(folder);
    const QString name = QFileInfo(named).fileName();
    const Game& game = where.game ? *where.game : gameOfFolder(named);
    Locations looked = where;
    looked.usualPlaces = where.usualPlaces && (where.game || tellsItsGame(named));
    const Roots roots = rootsOf(QFileInfo(named).path(), game, looked);

    QStringList folderNames;
    const bool isMod = name != QLatin1String(game.folder) && !(game.restsOn && name == QLatin1String(game.restsOn));
    if (isMod)
        folderNames << name;
    folderNames << QString::fromLatin1(game.folder);
    if (game.restsOn)
        folderNames << QString::fromLatin1(game.restsOn);

    SearchPath path;
    path.game = &game;
    for (const QString& folderName : folderNames) {
        for (const bool inHome : {true, false}) {
            const QString root = inHome ? roots.home : roots.install;
            if (root.isEmpty() || (inHome && sameFolder(roots.home, roots.install)))
                continue;
            const QString directory = QDir(root).filePath(folderName);
            const bool there = std::any_of(path.directories.begin(), path.directories.end(),
                                           [&](const GameDirectory& known) { return sameFolder(known.path, directory); });
            if (there || !isFolder(directory))
                continue;
            // The folder named keeps the path it was named by, for the findings.
            const QString shown = sameFolder(directory, named) ? folder : directory;
            path.directories.push_back({shown, QFile::encodeName(folderName), inHome, isMod && folderName == name});
        }
    }
    return path;
}

std::vector<InstalledGame> installedGames(const QString& root)
{
    std::vector<InstalledGame> installed;
    for (const Game* game : allGames()) {
        const QString install = usualInstall(*game, root, true);
        if (!install.isEmpty())
            installed.push_back({game, QDir(install).filePath(QString::fromLatin1(game->folder))});
    }
    return installed;
}

} // namespace game
