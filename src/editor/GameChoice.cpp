// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/GameChoice.h"

#include "editor/Windows1252.h"

#include "game/GameFolder.h"
#include "game/InfoLists.h"
#include "game/InfoString.h"
#include "game/StockBots.h"
#include "platform/system/ProgramName.h"
#include "platform/system/SettingsStore.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace editor {

namespace {

// Remembered with the file names the routes offer. Plain literals, not
// objects: nothing is built before the program starts.
constexpr char16_t section[] = u"Filenames";
constexpr char16_t key[] = u"Game";

QStringList namesOf(std::span<const char* const> bots)
{
    QStringList names;
    for (const char* name : bots)
        names << fromWindows1252(name);
    return names;
}

} // namespace

bool GameChoice::take(const QString& folder)
{
    if (!QFileInfo(folder).isDir() || !game::tellsItsGame(folder))
        return false;
    const QString absolute = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    if (absolute != gameFolder)
        roster.reset();
    gameFolder = absolute;
    chosen = &game::gameOfFolder(absolute);
    return true;
}

bool GameChoice::chooseFolder(const QString& folder)
{
    if (!take(folder))
        return false;
    remember();
    return true;
}

void GameChoice::remember() const
{
    if (!gameFolder.isEmpty())
        platform::SettingsStore().write(platform::programName, QString::fromUtf16(section), QString::fromUtf16(key),
                                        gameFolder);
}

GameChoice GameChoice::forFile(const QString& path) const
{
    GameChoice choice = *this;
    const QString folder = QFileInfo(QFileInfo(path).absoluteFilePath()).path();
    if (!(QFileInfo(folder).fileName() == QLatin1String("scripts") && choice.take(QFileInfo(folder).path())))
        choice.take(folder);
    return choice;
}

void GameChoice::restore()
{
    const QString folder =
        platform::SettingsStore().read(platform::programName, QString::fromUtf16(section), QString::fromUtf16(key));
    if (!folder.isEmpty())
        take(folder);
}

QStringList GameChoice::botCatalogue()
{
    if (gameFolder.isEmpty())
        return namesOf(game::stockBots);
    if (roster)
        return *roster;
    const game::GameFolder folder =
        game::GameFolder::open(game::searchPathOf(gameFolder, {chosen, {}, {}, true}));
    const game::InfoList bots = game::loadBots(folder, game().serverLoader().loader);
    QStringList names;
    QSet<QString> seen;
    for (const game::ListedInfo& info : bots.infos) {
        const std::optional<QByteArray> name = game::infoValue(bots.blockOf(info), "name");
        // The game finds a bot by the first info of its name, in any case.
        if (name && !seen.contains(QString::fromLatin1(name->toLower()))) {
            seen.insert(QString::fromLatin1(name->toLower()));
            names << fromWindows1252(*name);
        }
    }
    roster = names.isEmpty() ? namesOf(game().stockBots) : names;
    return *roster;
}

GameOffer GameChoice::offer()
{
    return {&game(), botCatalogue()};
}

QString GameChoice::description() const
{
    return QString::fromLatin1(game().name);
}

} // namespace editor
