// SPDX-License-Identifier: GPL-3.0-or-later
// id's Start Server menu: for the game type chosen, it copies the name of
// each arena's map, by the arenas' numbers, into a list of 64 with no
// check, so more maps of one type write over the menu's other data.
#include "game/InfoString.h"
#include "gamecheck/FolderContext.h"

#include <QMap>

#include <array>

namespace gamecheck {

namespace {

// The menu's game types, and the words of "type" each lists a map for.
struct StartServerType {
    const char* caption;
    std::array<const char*, 2> words;
};
constexpr std::array<StartServerType, 4> startServerTypes{{{"Free For All", {"ffa", "single"}},
                                                           {"Team Deathmatch", {"team", nullptr}},
                                                           {"Tournament", {"tourney", nullptr}},
                                                           {"Capture the Flag", {"ctf", nullptr}}}};

// Whether a type value holds one of the words, as the menu reads its words:
// cut at every byte the tokenizer takes for white space, in any letter case.
bool listsFor(const QByteArray& type, const StartServerType& gameType)
{
    QByteArray word;
    for (qsizetype at = 0; at <= type.size(); ++at) {
        if (at < type.size() && static_cast<signed char>(type[at]) > ' ') {
            word += type[at];
            continue;
        }
        for (const char* wanted : gameType.words) {
            if (wanted && word.compare(wanted, Qt::CaseInsensitive) == 0)
                return true;
        }
        word.clear();
    }
    return false;
}

} // namespace

void checkStartServerMenu(FolderContext& context)
{
    // The first arena past the limit, by its file and block: the menus and
    // the type it overflows, and the limit.
    QMap<std::pair<game::FileCopy, std::size_t>, QStringList> past;
    QMap<std::pair<game::FileCopy, std::size_t>, std::pair<QString, int>> typeOf;
    for (const LoadedList& loaded : context.lists) {
        const int most = loaded.loader->loader.startServerMaps;
        if (most == std::numeric_limits<int>::max())
            continue;
        // The menu asks for each number in turn, and finds the first arena with it.
        QMap<int, const game::ListedInfo*> byNumber;
        for (const game::ListedInfo& info : loaded.list.infos) {
            if (info.numbered)
                byNumber.insert(info.number, &info);
        }
        for (const StartServerType& gameType : startServerTypes) {
            int listed = 0;
            for (const game::ListedInfo* info : byNumber) {
                const std::optional<QByteArray> type = game::infoValue(loaded.list.blockOf(*info), "type");
                if (!type || !listsFor(*type, gameType) || ++listed != most + 1)
                    continue;
                const std::optional<game::FileCopy>& copy = loaded.list.files[info->file].copy;
                if (!copy || !context.wanted(*copy))
                    break;
                past[{*copy, info->block}] << loaded.name();
                typeOf[{*copy, info->block}] = {QString::fromLatin1(gameType.caption), most};
            }
        }
    }
    for (auto arena = past.cbegin(); arena != past.cend(); ++arena) {
        context.placeOf(arena.key().first)
            .add(context.findings, Severity::Error, "type",
                 QStringLiteral("This arena's map is number %1 of the %2 maps that %3 list in their Start Server "
                                "menu, which keeps %4: they write its name and those of the rest past the end of the "
                                "list, over the menu's other data, which may show wrong maps or crash the game.")
                     .arg(number(qulonglong(typeOf[arena.key()].second + 1)), typeOf[arena.key()].first,
                          spokenList(arena.value()), number(qulonglong(typeOf[arena.key()].second))));
    }
}

} // namespace gamecheck
