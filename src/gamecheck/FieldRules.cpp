// SPDX-License-Identifier: GPL-3.0-or-later
#include "gamecheck/FieldRules.h"

#include "game/BotList.h"
#include "game/InfoString.h"
#include "game/Limits.h"

#include <QLocale>
#include <QRegularExpression>

namespace gamecheck {

using game::InfoBlock;
using game::KeyValue;
using game::findKey;
using game::refusedCharacter;
using game::fitInfoString;
using game::GameCode;
using game::InfoStringFit;

namespace {

// The game looks for maps/<map>.bsp in a path of 64 bytes, its NUL included.
constexpr qsizetype longestMapName = game::gamePathSize - 1 - int(sizeof "maps/.bsp" - 1);

QString shown(const QByteArray& text)
{
    return QString::fromLatin1(text);
}

// The keys Mapwright writes: how a sentence names each, and what the game
// loses when it drops one.
struct KnownKey {
    const char* key;
    const char* phrase;
    const char* loss;
};
constexpr KnownKey knownKeys[] = {
    {"map", "The map file name", "so the arena would name no map and could not start"},
    {"longname", "The title", "so the map would show no title"},
    {"bots", "The bot list", "so the level would have no bots"},
    {"fraglimit", "The frag limit", "so the match would play to the game's own frag limit"},
    {"type", "The game-type list", "so the map would be listed under no game type"},
};

const KnownKey* knownKey(const QByteArray& key)
{
    for (const KnownKey& known : knownKeys)
        if (key == known.key)
            return &known;
    return nullptr;
}

QString whatDropping(const QByteArray& key)
{
    const KnownKey* known = knownKey(key);
    return known ? QString::fromLatin1(known->loss) : QStringLiteral("so that setting would be lost");
}

QByteArrayList words(const QByteArray& value)
{
    return value.simplified().split(' ');
}

bool hasWord(const KeyValue* pair, const char* word)
{
    return pair && !pair->valueWasEmpty && words(pair->value.text.toLower()).contains(word);
}

// The number the game reads from the start of a value: its leading digits.
int leadingNumber(const KeyValue* pair)
{
    if (!pair || pair->valueWasEmpty)
        return 0;
    int number = 0;
    for (const char c : pair->value.text) {
        if (c < '0' || c > '9' || number > 100000)
            break;
        number = number * 10 + (c - '0');
    }
    return number;
}

void checkEmpty(const KeyValue& pair, bool singlePlayer, const Place& place, Findings& findings)
{
    const QByteArray& key = pair.key.text;
    // The frag limit's rule says what an empty one becomes; a '{' read as a
    // key is a missing '}', reported with the file's syntax.
    if (key == "fraglimit" || key == "{")
        return;
    QString sentence;
    if (key == "map")
        sentence = QStringLiteral("The map file name is empty. The game reads it as the map <NULL>, which cannot start.");
    else if (key == "longname")
        sentence = QStringLiteral("The title is empty. The game shows the text <NULL> as the map's title.");
    else if (key == "bots" && singlePlayer)
        sentence = QStringLiteral("The bot list is empty with Single Player ticked. The game tries to add a bot "
                                  "named <NULL>, so the level has no opponents.");
    else if (key != "bots")
        sentence = keyPhrase(key) + QStringLiteral(" is empty. The game reads it as the text <NULL>.");
    if (!sentence.isEmpty())
        place.add(findings, Severity::Advice, key, sentence);
}

void checkMapName(const QByteArray& map, const Place& place, Findings& findings)
{
    const QString name = shown(map);
    if (map.size() > longestMapName) {
        place.add(findings, Severity::Error, "map",
                  QStringLiteral("The map file name is %1 characters long. The game looks for the map in a path "
                                 "of 64 bytes, so a name over %2 characters never loads.")
                      .arg(map.size())
                      .arg(longestMapName));
    }
    static const QRegularExpression refusedInPath(QStringLiteral("\\s|\\.\\.|::"));
    if (const QRegularExpressionMatch refused = refusedInPath.match(name); refused.hasMatch()) {
        const QString what = refused.captured().trimmed().isEmpty() ? QStringLiteral("white space")
                                                                    : "'" + refused.captured() + "'";
        place.add(findings, Severity::Error, "map",
                  QStringLiteral("The map file name holds %1. The game refuses such a path, so the map cannot start.")
                      .arg(what));
    }
    if (map.size() > game::menuMapNameLimit && map.size() <= longestMapName) {
        place.add(findings, Severity::Error, "map",
                  QStringLiteral("The map file name is %1 characters long. The classic menu keeps only the first %2, "
                                 "so the map cannot be started from its Start Server menu and never shows its "
                                 "levelshot.")
                      .arg(map.size())
                      .arg(game::menuMapNameLimit));
    }
    static const QRegularExpression plain(QStringLiteral("^[a-z0-9_-]*$"));
    if (!plain.match(name).hasMatch()) {
        place.add(findings, Severity::Advice, "map",
                  QStringLiteral("The map file name \"%1\" holds characters other than a-z, 0-9, '_' and '-'. "
                                 "Unpacked on Linux, the game finds a map only by its exact case, and the classic "
                                 "menu shows it in capitals.")
                      .arg(name));
    }
}

// A piece of the list that the console reads otherwise than the game sends it.
void checkBotRequest(const game::BotRequest& request, const Place& place, Findings& findings)
{
    if (!request.more && !request.name.isEmpty())
        return;
    QString what;
    if (request.name.isEmpty())
        what = QStringLiteral("finds no bot's name in it, takes the skill level for one, and adds no bot");
    else if (request.skill.isEmpty())
        what = QStringLiteral("adds the bot \"%1\", and the rest of it never joins").arg(shown(request.name));
    else
        what = QStringLiteral("adds the bot \"%1\" with \"%2\" read as its skill level, and the rest of it never "
                              "joins")
                   .arg(shown(request.name), shown(request.skill));
    place.add(findings, Severity::Error, "bots",
              QStringLiteral("The bot list holds \"%1\" between spaces. The game splits the list at spaces only and "
                             "asks the console for that bot, but the console splits it again at white space and "
                             "comments: it %2.")
                  .arg(shown(request.piece), what));
}

void checkBots(const QByteArray& list, const KnownBots& bots, const Place& place, Findings& findings)
{
    for (const game::BotRequest& request : game::botRequests(list)) {
        checkBotRequest(request, place, findings);
        const QByteArray& name = request.name;
        if (name.isEmpty() || bots.knows(name))
            continue;
        if (bots.complete()) {
            place.add(findings, Severity::Error, "bots",
                      QStringLiteral("The bot \"%1\" is defined by no bot file the game loads from this folder. The "
                                     "game prints \"not defined\" and spawns no bot, and the classic menu shows a "
                                     "different bot in its place.")
                          .arg(shown(name)));
        } else {
            const QString stock = QStringLiteral("none of %1's %2 bots")
                                      .arg(QString::fromLatin1(bots.game().name))
                                      .arg(bots.game().stockBots.size());
            const QString where = bots.hasOwnBots() ? stock + QStringLiteral(", nor one this archive's bot files define")
                                                    : stock;
            place.add(findings, Severity::Advice, "bots",
                      QStringLiteral("The bot \"%1\" is %2. Unless another pk3 brings it, the game prints \"not "
                                     "defined\" and spawns no bot, and the classic menu shows a different bot in its "
                                     "place.")
                          .arg(shown(name), where));
        }
    }
}

// Words the game's menus do not know list the map under no game type.
void checkTypeWords(const KeyValue& type, const game::Game& game, const Place& place, Findings& findings)
{
    QStringList unknown;
    bool anyKnown = false;
    for (const QByteArray& word : game::wordsOf(type.value.text)) {
        if (game.typeOf(word))
            anyKnown = true;
        else
            unknown << QStringLiteral("\"%1\"").arg(shown(word));
    }
    if (unknown.isEmpty())
        return;
    const QString what = unknown.size() == 1 ? QStringLiteral("The game-type list holds %1, which is no game type of %2")
                                             : QStringLiteral("The game-type list holds %1, which are no game types of %2");
    place.add(findings, anyKnown ? Severity::Advice : Severity::Error, "type",
              what.arg(unknown.join(QStringLiteral(", ")), QString::fromLatin1(game.name))
                  + QStringLiteral(": its menus know %1, each a word of its own, so they %2.")
                        .arg(game.typeWords(), !anyKnown              ? QStringLiteral("list the map under no game type")
                                              : unknown.size() == 1 ? QStringLiteral("ignore it")
                                                                    : QStringLiteral("ignore them")));
}

void checkTypes(const InfoBlock& arena, bool wholeFolder, const game::Game& game, const Place& place, Findings& findings)
{
    const KeyValue* type = findKey(arena, "type");
    if (type && !type->valueWasEmpty && !refusedCharacter(*type))
        checkTypeWords(*type, game, place, findings);
    // Over a whole folder the count of single-player arenas is known.
    if (hasWord(type, "single") && !wholeFolder) {
        place.add(findings, Severity::Advice, "type",
                  QStringLiteral("Single Player is ticked. The classic menu counts single-player maps in tiers of four "
                                 "across the whole install, and drops the surplus from every menu, Skirmish included, "
                                 "when the count is not a multiple of 4."));
    }
    if (hasWord(type, "team") && !hasWord(type, "ffa")) {
        place.add(findings, Severity::Advice, "type",
                  QStringLiteral("Team Deathmatch is ticked without Free For All. The expansion's menu has no word for "
                                 "Team Deathmatch and lists those maps by \"ffa\", so it will not list this map."));
    }
}

void checkFragLimit(const InfoBlock& arena, const Place& place, Findings& findings)
{
    const KeyValue* fraglimit = findKey(arena, "fraglimit");
    if (!fraglimit || refusedCharacter(*fraglimit) || leadingNumber(fraglimit) != 0
        || leadingNumber(findKey(arena, "timelimit")) != 0)
        return;
    const QString what = fraglimit->valueWasEmpty ? QStringLiteral("The frag limit is empty, which the game reads as 0")
                                                  : QStringLiteral("The frag limit is 0");
    place.add(findings, Severity::Advice, "fraglimit",
              what + QStringLiteral(". With no time limit either, the game plays the match to 10 frags."));
}

QString bytesOf(qsizetype count)
{
    return QLocale(QLocale::English).toString(qlonglong(count));
}

// The game code's limits on one arena's info string, naming the code they
// concern where the codes differ.
void checkInfoString(const InfoBlock& arena, const Place& place, Findings& findings)
{
    const InfoStringFit native = fitInfoString(arena, GameCode::Ioquake3Native);
    const InfoStringFit id132 = fitInfoString(arena, GameCode::Id132Qvm);
    const QString comesTo = QStringLiteral("This arena's keys and values come to %1 bytes").arg(bytesOf(native.length));
    const QString loses = QStringLiteral("so it loses keys, and the classic menu may not show the arena at all");
    if (id132.pairsLost) {
        place.add(findings, Severity::Error, {},
                  comesTo + QStringLiteral(". The game keeps at most 1,024 bytes of them (1,023 in ioquake3's and "
                                           "OpenArena's own game code), %1.")
                                .arg(loses));
    } else if (native.pairsLost) {
        const QString id132Fate = id132.overflows
            ? QStringLiteral("keeps all 1,024, which leaves no room for the string's end, and then stops the game with "
                             "\"Info_SetValueForKey: oversize infostring\"")
            : QStringLiteral("keeps them all");
        place.add(findings, Severity::Error, {},
                  comesTo + QStringLiteral(". ioquake3's native game code and OpenArena's keep at most 1,023 of them, "
                                           "%1; id's 1.32 game code, the QVMs that ioquake3 and Quake3e run by "
                                           "default, %2.")
                                .arg(loses, id132Fate));
    } else if (native.numberDigits == 0) {
        place.add(findings, Severity::Error, {},
                  comesTo + QStringLiteral(", which leaves no room for the arena number that the game adds after them. "
                                           "The classic menu may not show the arena at all, and id's 1.32 menus may "
                                           "stop the game with \"Info_SetValueForKey: oversize infostring\"."));
    } else if (native.numberDigits < 4) {
        constexpr qsizetype numbersBelow[] = {1, 10, 100, 1000};
        place.add(findings, Severity::Advice, {},
                  comesTo + QStringLiteral(", which leaves room for the arena number that the game adds after them "
                                           "only while it is below %1. Where more arenas load before it, the classic "
                                           "menu may not show it.")
                                .arg(bytesOf(numbersBelow[native.numberDigits])));
    }
}

} // namespace

QString keyPhrase(const QByteArray& key)
{
    const KnownKey* known = knownKey(key);
    return known ? QString::fromLatin1(known->phrase) : QStringLiteral("The value of \"%1\"").arg(shown(key));
}

void checkFields(const InfoBlock& arena, const KnownBots& bots, const Place& place, Findings& findings)
{
    const bool wholeFolder = bots.complete();
    const bool singlePlayer = hasWord(findKey(arena, "type"), "single");
    for (const KeyValue& pair : arena.pairs) {
        if (const char refused = refusedCharacter(pair)) {
            const bool inKey = pair.key.text.contains(refused);
            place.add(findings, Severity::Error, pair.key.text,
                      QStringLiteral("%1 holds '%2'. The game drops a %3 with '%2', %4.")
                          .arg(inKey ? QStringLiteral("The key \"%1\"").arg(shown(pair.key.text)) : keyPhrase(pair.key.text),
                               QChar::fromLatin1(refused), inKey ? QStringLiteral("key") : QStringLiteral("value"),
                               whatDropping(pair.key.text)));
            continue;
        }
        if (pair.valueWasEmpty)
            checkEmpty(pair, singlePlayer, place, findings);
    }
    if (const KeyValue* map = findKey(arena, "map"); map && !map->valueWasEmpty && !refusedCharacter(*map))
        checkMapName(map->value.text, place, findings);
    if (const KeyValue* list = findKey(arena, "bots"); list && !list->valueWasEmpty && !refusedCharacter(*list))
        checkBots(list->value.text, bots, place, findings);
    checkFragLimit(arena, place, findings);
    checkTypes(arena, wholeFolder, bots.game(), place, findings);
    checkInfoString(arena, place, findings);
}

} // namespace gamecheck
