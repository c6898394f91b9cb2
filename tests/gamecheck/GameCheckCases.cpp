// SPDX-License-Identifier: GPL-3.0-or-later
#include "gamecheck/GameCheckCases.h"

#include "editor/ArenaText.h"

#include <sys/stat.h>

namespace {

using gamecheck::Severity;
constexpr Severity E = Severity::Error;
constexpr Severity A = Severity::Advice;
constexpr const char* arenaEntry = "scripts/judge.arena";

struct Fields {
    QString map = QStringLiteral("judge");
    QString bots = QString();
    QString longname = QStringLiteral("Judge");
    QString fraglimit = QStringLiteral("20");
    QString type = QStringLiteral("ffa");
};

QByteArray arena(const Fields& fields)
{
    return editor::arenaText({fields.map, fields.bots, fields.longname, fields.fraglimit, fields.type});
}

const QByteArray clean = arena({});

// An entry name one byte too long for the game's buffer.
const QByteArray nameOf256 = "other/" + QByteArray(250, 'n');

const QByteArray roboBot = "{\r\nname \"Robo\"\r\n}\r\n";

// An info file, the clean arena unless given, padded with a comment to exactly `size` bytes.
QByteArray paddedTo(qsizetype size, const QByteArray& text = clean)
{
    const QByteArray start = "// ";
    return start + QByteArray(size - start.size() - 2 - text.size(), 'x') + "\r\n" + text;
}

// A title that makes the arena's info string exactly `length` bytes long.
QByteArray infoStringOf(qsizetype length)
{
    const qsizetype others = QByteArray("\\map\\judge\\bots\\<NULL>\\longname\\\\fraglimit\\20\\type\\ffa").size();
    return arena({.longname = QString(length - others, u'y')});
}

QByteArray tga(int type, int bits)
{
    QByteArray header(18, '\0');
    header[2] = char(type);
    header[12] = header[14] = 1; // 1 x 1
    header[16] = char(bits);
    return header + QByteArray(bits / 8, '\x7f');
}

QByteArray picture(QImage::Format format, const char* type)
{
    QImage image(8, 8, format);
    image.fill(QColor(200, 40, 40));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, type);
    return bytes;
}

// The map and its levelshot, as a clean archive holds them.
std::vector<TestEntry> mapOf(const char* map = "judge", QByteArray levelshot = tga(2, 24), const char* extension = "tga")
{
    return {{"maps/" + QByteArray(map) + ".bsp", smallestBsp()},
            {"levelshots/" + QByteArray(map) + "." + extension, std::move(levelshot)}};
}

std::vector<TestEntry> with(std::vector<TestEntry> entries, std::vector<TestEntry> more)
{
    entries.insert(entries.end(), more.begin(), more.end());
    return entries;
}

} // namespace

const std::vector<CheckCase>& checkCases()
{
    static const std::vector<CheckCase> cases = {
        // The fields alone, as Create writes them.
        {"clean_arena", Route::Save, clean, {}, {}, Judge::Loader},
        {"title_with_semicolon", Route::Save, arena({.longname = "A;B"}), {},
         {{E, "", "longname", "The title holds ';'. The game drops a value with ';', so the map would show no title."}},
         Judge::Loader},
        {"title_with_quote", Route::Save, arena({.longname = "A\"B"}), {}, {{E, "", "longname"}}, Judge::Loader},
        {"title_ending_in_quote", Route::Save, arena({.longname = "Foo\""}), {}, {{E, "", "longname"}}, Judge::Loader},
        // The game reads this without a word of warning, as the title " Say "
        // and a key "caf": bytes from 0x80 up end a word outside quotes.
        {"title_with_quoted_accented_word", Route::Save, arena({.longname = QString::fromUtf8(" Say \"caf\u00e9\" \u20ac ")}),
         {}, {{E, "", "longname"}}},
        {"title_starting_with_quote", Route::Save, arena({.longname = "\"Foo"}), {}, {{E, "", "longname"}}, Judge::Loader},
        {"title_with_backslash", Route::Save, arena({.longname = "A\\B"}), {}, {{E, "", "longname"}}, Judge::Loader},
        {"bots_with_semicolon", Route::Save, arena({.bots = "Sarge;Grunt"}), {}, {{E, "", "bots"}}, Judge::Loader},
        {"title_with_comment_marks", Route::Save, arena({.longname = "A // B /* C"}), {}, {}, Judge::Loader},
        {"title_in_windows_1252", Route::Save, arena({.longname = "Caf\u00e9 \u00bb"}), {}, {}, Judge::Loader},
        {"empty_title", Route::Save, arena({.longname = ""}), {}, {{A, "", "longname"}}, Judge::Loader},
        {"empty_frag_limit", Route::Save, arena({.fraglimit = ""}), {}, {{A, "", "fraglimit"}}, Judge::Loader},
        {"zero_frag_limit", Route::Save, arena({.fraglimit = "0"}), {}, {{A, "", "fraglimit"}}, Judge::Loader},
        {"single_player_without_bots", Route::Save, arena({.type = "ffa single"}), {},
         {{A, "", "bots"}, {A, "", "type"}}, Judge::Loader},
        {"single_player_with_bots", Route::Save, arena({.bots = "Sarge grunt", .type = "single"}), {},
         {{A, "", "type"}}, Judge::Loader},
        // The console splits the bot at the tab: the server adds Sarge with "Grunt" for his skill level.
        // A value is quoted in the sentence as it is: its controls must not command the terminal.
        {"bots_separated_by_tab", Route::Save, arena({.bots = "Sarge\tGrunt"}), {},
         {{E, "", "bots", "The bot list holds \"Sarge\\tGrunt\" between spaces. The game splits the list at spaces "
                          "only and asks the console for that bot, but the console splits it again at white space and "
                          "comments: it adds the bot \"Sarge\" with \"Grunt\" read as its skill level, and the rest "
                          "of it never joins."}}},
        {"unknown_bot", Route::Save, arena({.bots = "Sarge Nobody"}), {}, {{A, "", "bots"}}, Judge::Loader},
        // The console parts words at an escape too: the game asks for "\033[2K" and adds "[2K".
        {"unknown_bot_with_escape", Route::Save, arena({.bots = "Sarge \x1b[2K"}), {},
         {{A, "", "bots", "The bot \"[2K\" is none of Quake 3 Arena's 32 bots. Unless another pk3 brings it, the game "
                          "prints \"not defined\" and spawns no bot, and the classic menu shows a different bot in "
                          "its place."}}, Judge::Loader},
        {"team_without_ffa", Route::Save, arena({.type = "ctf team"}), {}, {{A, "", "type"}}, Judge::Loader},
        // The classic menu knows its five words, whole and in any case.
        {"type_words_in_capitals", Route::Save, arena({.type = "FFA Tourney"}), {}, {}},
        {"type_word_misspelt", Route::Save, arena({.type = "ffa tournament"}), {},
         {{A, "", "type", "The game-type list holds \"tournament\", which is no game type of Quake 3 Arena: its menus "
                          "know ffa, ctf, single, team and tourney, each a word of its own, so they ignore it."}}},
        {"type_words_joined_by_commas", Route::Save, arena({.type = "ffa,ctf"}), {}, {{E, "", "type"}}},
        // A word of OpenArena's, which Quake 3's menus do not know, after a
        // byte (0x85 in the file) that the menu takes for white space.
        {"type_word_of_another_game", Route::Save, arena({.type = QString::fromUtf8("ffa\u2026lms")}), {},
         {{A, "", "type"}}},
        {"map_name_in_capitals", Route::Save, arena({.map = "Judge"}), {}, {{A, "", "map"}}, Judge::Loader},
        {"map_name_of_15", Route::Save, arena({.map = "abcdefghijklmno"}), {}, {}, Judge::Loader},
        {"map_name_of_16", Route::Save, arena({.map = "abcdefghijklmnop"}), {}, {{E, "", "map"}}},
        // maps/<map>.bsp in 64 bytes: the last name that fits, and the first that does not.
        {"map_name_of_54", Route::Save, arena({.map = QString(54, u'm')}), {},
         {{E, "", "map", "The map file name is 54 characters long. The classic menu keeps only the first 15, so the "
                         "map cannot be started from its Start Server menu and never shows its levelshot."}}},
        {"map_name_of_55", Route::Save, arena({.map = QString(55, u'm')}), {},
         {{E, "", "map", "The map file name is 55 characters long. The game looks for the map in a path of 64 bytes, "
                         "so a name over 54 characters never loads."}}},
        {"map_name_with_space", Route::Save, arena({.map = "my map"}), {}, {{E, "", "map"}, {A, "", "map"}}},
        {"map_name_with_dots", Route::Save, arena({.map = "up..down"}), {}, {{E, "", "map"}, {A, "", "map"}}},
        // The server numbers this arena 0, and "\\num\\0" makes 1,023 bytes of 1,017, 1,024 of 1,018.
        {"info_string_of_1017", Route::Save, infoStringOf(1017), {},
         {{A, "", "", "This arena's keys and values come to 1,017 bytes, which leaves room for the arena number that "
                      "the game adds after them only while it is below 10. Where more arenas load before it, the "
                      "classic menu may not show it."}}, Judge::Loader},
        {"info_string_of_1018", Route::Save, infoStringOf(1018), {}, {{E, "", ""}}, Judge::Loader},
        // The last that id's 1.32 code keeps, and the first it drops.
        {"info_string_of_1024", Route::Save, infoStringOf(1024), {},
         {{E, "", "", "This arena's keys and values come to 1,024 bytes. ioquake3's native game code and OpenArena's "
                      "keep at most 1,023 of them, so it loses keys, and the classic menu may not show the arena at "
                      "all; id's 1.32 game code, the QVMs that ioquake3 and Quake3e run by default, keeps all 1,024, "
                      "which leaves no room for the string's end, and then stops the game with "
                      "\"Info_SetValueForKey: oversize infostring\"."}}, Judge::Loader},
        {"info_string_of_1025", Route::Save, infoStringOf(1025), {},
         {{E, "", "", "This arena's keys and values come to 1,025 bytes. The game keeps at most 1,024 bytes of them "
                      "(1,023 in ioquake3's and OpenArena's own game code), so it loses keys, and the classic menu may "
                      "not show the arena at all."}}, Judge::Loader},
        {"title_beyond_a_token", Route::Save, arena({.longname = QString(1100, u't')}), {}, {{E, "", ""}}, Judge::Loader},
        // The file's syntax and size, as hand-written files have them.
        {"text_before_brace", Route::Save, "map\r\n" + clean, {}, {{E, "", ""}}, Judge::Loader},
        {"comments_between_tokens", Route::Save, "// made by hand\r\n/* two\r\nlines */" + clean, {}, {}, Judge::Loader},
        {"two_arenas", Route::Save, clean + arena({.map = "judge2"}), {}, {}, Judge::Loader, 2},
        {"brace_missing_between", Route::Save, clean.chopped(3) + arena({.map = "judge2"}), {},
         {{E, "", ""}}, Judge::Loader, 2},
        {"brace_missing_at_end", Route::Save, clean.chopped(3), {}, {{E, "", ""}}, Judge::Loader},
        {"title_over_two_lines", Route::Save, "{\r\nmap \"judge\"\r\nlongname \"two\r\nlines\"\r\n}\r\n", {}, {},
         Judge::Loader},
        {"unclosed_quote", Route::Save, "{\r\nmap \"judge\r\nlongname \"Judge\"\r\n}\r\n", {}, {{E, "", "map"}},
         Judge::Loader},
        // A NUL ends a quoted value as a quote would, and the game reads on.
        {"nul_inside_quotes", Route::Save, "{\r\nmap \"judge\"\r\nlongname \"Judge" + QByteArray(1, '\0')
         + "\r\n}\r\n" + arena({.map = "judge2"}), {}, {{A, "", "longname"}}, Judge::Loader, 2},
        // "" reads as the end of the file: the game ends the arena there and reads the next '{'.
        {"empty_quoted_key", Route::Save, "{\r\nmap \"judge\"\r\n\"\"\r\n" + arena({.map = "judge2"}) + arena({.map = "judge3"}),
         {}, {{E, "", "", "Line 3 holds an empty key \"\". The game takes it for the end of the file: it complains of "
                          "an unexpected end, ends the arena there, and reads on from the next word as if it started "
                          "another arena."}}, Judge::Loader, 3},
        {"empty_quotes_before_brace", Route::Save, "\"\"\r\n" + clean, {},
         {{E, "", "", "Line 1 holds an empty \"\" where a '{' should start an arena. The game takes it for the end of "
                      "the file and stops there without a word, so no arena from that point on shows."}}, Judge::Loader},
        {"file_of_8191_bytes", Route::Save, paddedTo(8191), {}, {}, Judge::Loader},
        {"file_of_8192_bytes", Route::Save, paddedTo(8192), {}, {{E, "", ""}}, Judge::Loader},
        {"empty_file", Route::Save, "", {}, {{E, "", ""}}, Judge::Facts, 0},
        {"loose_file", Route::File, arena({.longname = "A;B"}), {}, {{E, "", "longname"}}, Judge::Facts, 1,
         Tweak::None, "judge.arena"},
        {"loose_file_missing", Route::File, {}, {}, {}, Judge::Facts, 1, Tweak::Absent, "judge.arena", false,
         "No such file"},
        // Its open would block on a FIFO, and a device may never end.
        {"loose_file_a_fifo", Route::File, {}, {}, {}, Judge::Facts, 1, Tweak::Fifo, "judge.arena", false,
         "Not a regular file: it is a FIFO"},
        {"loose_file_linked_to_dev_zero", Route::File, {}, {}, {}, Judge::Facts, 1, Tweak::DevZero, "judge.arena", false,
         "Not a regular file: it is a device"},

        // Archives, as the game loads them.
        {"clean_archive", Route::File, {}, with(mapOf(), {{arenaEntry, clean}}), {}, Judge::Loader},
        {"stored_archive", Route::File, {}, with(mapOf(), {{arenaEntry, clean, ZIP_CM_STORE}}), {}, Judge::Loader},
        {"bzip2_arena", Route::File, {}, with(mapOf(), {{arenaEntry, clean, ZIP_CM_BZIP2}}), {{E, arenaEntry, ""}},
         Judge::Loader},
        {"encrypted_arena", Route::File, {}, with(mapOf(), {{arenaEntry, clean, ZIP_CM_DEFLATE, true}}),
         {{E, arenaEntry, ""}}, Judge::Loader},
        {"zip64_archive", Route::File, {}, with(mapOf(), {{arenaEntry, clean}}),
         {{E, "", "", "The archive uses Zip64 records, which the game does not read, and its end record places the "
                      "directory past itself. The game skips the whole archive."}}, Judge::Loader, 1, Tweak::Zip64},
        // The game takes Zip64 records for bytes before the archive, and the server crashes.
        {"zip64_records_before_valid_fields", Route::File, {}, with(mapOf(), {{arenaEntry, clean}}),
         {{E, "", "", "The archive uses Zip64 records, which the game does not read: it takes their 76 bytes for bytes "
                      "in front of the archive, reads the directory that much further on, and finds only 0 of the 3 "
                      "entries its end record counts. It keeps the others as files without names, and a server that "
                      "loads this pk3 crashes when it looks through its files."}}, Judge::Loader, 1, Tweak::Zip64Records},
        // Sizes of 0xFFFFFFFF are sizes to the game, which never looks for Zip64 fields.
        {"size_of_ffffffff", Route::File, {}, with(mapOf(), {{arenaEntry, clean}, {"textures/x.tga", "x"}}),
         {{A, "", ""}}, Judge::Loader, 1, Tweak::SaturatedSize},
        {"entries_65534", Route::File, {}, with(mapOf(), {{arenaEntry, clean}}), {}, Judge::Loader, 1, Tweak::PaddedTo65534},
        {"entries_65535", Route::File, {}, with(mapOf(), {{arenaEntry, clean}}), {}, Judge::Loader, 1, Tweak::PaddedTo65535},
        // The game looks for the end record in the last 65,535 bytes.
        {"comment_of_65513", Route::File, {}, with(mapOf(), {{arenaEntry, clean}}), {}, Judge::Loader, 1,
         Tweak::Comment65513},
        {"comment_of_65514", Route::File, {}, with(mapOf(), {{arenaEntry, clean}}), {{E, "", ""}}, Judge::Loader, 1,
         Tweak::Comment65514},
        // The game never checks a CRC.
        {"arena_of_wrong_crc", Route::File, {}, with(mapOf(), {{arenaEntry, clean}}), {}, Judge::Loader, 1,
         Tweak::WrongCrc},
        {"local_header_disagrees", Route::File, {}, with({{arenaEntry, clean}}, mapOf()), {{E, arenaEntry, ""}},
         Judge::Loader, 1, Tweak::LocalHeaderDisagrees},
        {"archive_without_bsp", Route::File, {}, {{"levelshots/judge.tga", tga(2, 24)}, {arenaEntry, clean}},
         {{E, arenaEntry, "map"}}},
        // The names the game folds, in each letter case.
        {"special_names_in_lower_case", Route::File, {},
         with(mapOf(), {{arenaEntry, clean}, {"scripts/arenas.txt", clean}, {"scripts/bots.txt", "{\r\n}\r\n"},
                        {"vm/qagame.qvm", "code"}}),
         {{E, "scripts/arenas.txt", ""}, {E, "scripts/bots.txt", ""}, {E, "vm/qagame.qvm", ""}, {E, "scripts/judge.arena", "map"}}},
        {"special_names_in_capitals", Route::File, {},
         {{"MAPS/JUDGE.BSP", smallestBsp()}, {"LEVELSHOTS/JUDGE.TGA", tga(2, 24)}, {"SCRIPTS/JUDGE.ARENA", clean},
          {"SCRIPTS/ARENAS.TXT", clean}, {"SCRIPTS/BOTS.TXT", "{\r\n}\r\n"}, {"VM/UI.QVM", "code"}},
         {{E, "SCRIPTS/ARENAS.TXT", ""}, {E, "SCRIPTS/BOTS.TXT", ""}, {E, "VM/UI.QVM", ""}, {E, "SCRIPTS/JUDGE.ARENA", "map"}}},
        {"special_names_in_mixed_case", Route::File, {},
         {{"Maps/Judge.Bsp", smallestBsp()}, {"LevelShots/Judge.Tga", tga(2, 24)}, {"Scripts/Judge.Arena", clean},
          {"Scripts/Arenas.Txt", clean}, {"Scripts/Bots.Txt", "{\r\n}\r\n"}, {"Vm/CGame.Qvm", "code"}},
         {{E, "Scripts/Arenas.Txt", ""}, {E, "Scripts/Bots.Txt", ""}, {E, "Vm/CGame.Qvm", ""}, {E, "Scripts/Judge.Arena", "map"}}},
        {"two_arenas_for_one_map", Route::File, {},
         with(mapOf(), {{arenaEntry, clean}, {"scripts/judge_ctf.arena", arena({.type = "ctf"})}}),
         {{E, "scripts/judge_ctf.arena", "map"}, {A, "scripts/judge_ctf.arena", ""}}},
        {"arena_file_too_large", Route::File, {}, with(mapOf(), {{arenaEntry, paddedTo(9000)}}), {{E, arenaEntry, ""}}},
        {"generic_arena_name", Route::File, {}, with(mapOf(), {{"scripts/maps.arena", clean}}),
         {{A, "scripts/maps.arena", ""}}},
        {"arena_in_subfolder_unread", Route::File, {}, with(mapOf(), {{"scripts/old/judge.arena", "broken"}}), {}},
        // Without maps/judge.aas, no bot joins: an error alone as among other pk3s.
        {"bot_from_bot_file", Route::File, {},
         with(mapOf(), {{arenaEntry, arena({.bots = "Robo Sarge"})}, {"scripts/robo.bot", roboBot}}),
         {{E, arenaEntry, "bots"}}},
        {"bot_not_in_bot_file", Route::File, {},
         with(mapOf(), {{arenaEntry, arena({.bots = "Robo2"})}, {"scripts/robo.bot", roboBot}}),
         {{A, arenaEntry, "bots"}, {E, arenaEntry, "bots"}}},
        {"no_levelshot", Route::File, {}, {{"maps/judge.bsp", smallestBsp()}, {arenaEntry, clean}},
         {{A, arenaEntry, "map"}}},
        {"colour_mapped_tga", Route::File, {}, with(mapOf("judge", tga(1, 8)), {{arenaEntry, clean}}),
         {{E, arenaEntry, "map"}}},
        {"16_bit_tga", Route::File, {}, with(mapOf("judge", tga(2, 16)), {{arenaEntry, clean}}), {{E, arenaEntry, "map"}}},
        {"grey_tga", Route::File, {}, with(mapOf("judge", tga(3, 8)), {{arenaEntry, clean}}), {}},
        {"colour_jpeg", Route::File, {}, with(mapOf("judge", picture(QImage::Format_RGB32, "jpg"), "jpg"),
                                              {{arenaEntry, clean}}), {}},
        {"grey_jpeg", Route::File, {}, with(mapOf("judge", picture(QImage::Format_Grayscale8, "jpg"), "jpg"),
                                            {{arenaEntry, clean}}),
         {{E, arenaEntry, "map", "The levelshot levelshots/judge.jpg is a greyscale JPEG, not RGB. ioquake3 and Quake3e "
                                 "convert it, but id's 1.32 release cannot load it, and throws the player out of the "
                                 "menu."}}},
        {"png_levelshot", Route::File, {}, with(mapOf("judge", picture(QImage::Format_RGB32, "png"), "png"),
                                                {{arenaEntry, clean}}), {}},
        {"png_that_is_not", Route::File, {}, with(mapOf("judge", "not a picture", "png"), {{arenaEntry, clean}}),
         {{E, arenaEntry, "map"}}},
        {"games_own_name", Route::File, {}, with(mapOf(), {{arenaEntry, clean}}), {{E, "", ""}}, Judge::Facts, 1,
         Tweak::None, "PAK3.pk3"},
        {"name_with_space", Route::File, {}, with(mapOf(), {{arenaEntry, clean}}), {{E, "", ""}}, Judge::Facts, 1,
         Tweak::None, "my maps.pk3"},
        {"archive_missing", Route::File, {}, {}, {}, Judge::Facts, 1, Tweak::Absent, "judge.pk3", false, "No such file"},
        {"archive_not_a_zip", Route::File, {}, {}, {}, Judge::Facts, 1, Tweak::NotZip, "judge.pk3", false,
         "Not a zip archive"},
        {"archive_a_fifo", Route::File, {}, {}, {}, Judge::Facts, 1, Tweak::Fifo, "judge.pk3", false,
         "Not a regular file: it is a FIFO"},
        {"archive_a_folder", Route::File, {}, {}, {}, Judge::Facts, 1, Tweak::Folder, "judge.pk3", false,
         "Not a regular file: it is a folder"},
        {"archive_a_dangling_link", Route::File, {}, {}, {}, Judge::Facts, 1, Tweak::DanglingLink, "judge.pk3", false,
         "A symbolic link to a file that does not exist"},
        {"archive_a_link_loop", Route::File, {}, {}, {}, Judge::Facts, 1, Tweak::LinkLoop, "judge.pk3", false,
         "A symbolic link that leads round in a loop"},
        {"archive_not_readable", Route::File, {}, mapOf(), {}, Judge::Facts, 1, Tweak::Unreadable, "judge.pk3", false,
         "Cannot be read: Permission denied"},

        // The directory as the game finds it, where other readers find another.
        {"empty_archive", Route::File, {}, {}, {{E, "", ""}}, Judge::Facts, 1, Tweak::EmptyArchive},
        {"two_directories", Route::File, {}, with(mapOf(), {{arenaEntry, clean}}), {{E, "", ""}, {E, arenaEntry, "longname"}},
         Judge::Loader, 1,
         Tweak::TwoDirectories, "judge.pk3", true, nullptr, with(mapOf(), {{arenaEntry, arena({.longname = "A\"B"})}})},
        {"two_end_records", Route::File, {}, with(mapOf(), {{arenaEntry, clean}}), {{E, "", ""}, {E, arenaEntry, "longname"}},
         Judge::Loader, 1,
         Tweak::TwoEndRecords, "judge.pk3", true, nullptr, with(mapOf(), {{arenaEntry, arena({.longname = "A\"B"})}})},
        {"game_code_in_second_directory", Route::File, {}, with(mapOf(), {{arenaEntry, clean}, {"textures/x.tg", "x"}}),
         {{E, "", ""}, {E, "vm/qagame.qvm", ""}}, Judge::Facts, 1, Tweak::TwoDirectories, "judge.pk3", true, nullptr,
         with(mapOf(), {{arenaEntry, clean}, {"vm/qagame.qvm", "code"}})},
        // The zip library refuses what the game reads.
        {"prepended_bytes", Route::File, {}, with(mapOf(), {{arenaEntry, clean}}), {{A, "", ""}}, Judge::Loader, 1,
         Tweak::PrependedBytes},
        {"gap_before_end_record", Route::File, {}, with(mapOf(), {{arenaEntry, clean}}), {{E, "", ""}}, Judge::Loader, 1,
         Tweak::Gap},
        {"count_beyond_records", Route::File, {}, with(mapOf(), {{arenaEntry, clean}}),
         {{E, "", "", "The game reads the archive's directory and finds only 3 of the 65,535 entries its end record "
                      "counts. It keeps the others as files without names, and a server that loads this pk3 crashes "
                      "when it looks through its files."}}, Judge::Loader, 1, Tweak::CountBeyondRecords},
        // Of entries with one name for the game, it reads the last.
        {"same_name_twice_last_clean", Route::File, {},
         with(mapOf(), {{"scripts/JUDGE.arena", arena({.longname = "A;B"})}, {arenaEntry, clean}}), {}, Judge::Loader},
        {"same_name_twice_last_broken", Route::File, {},
         with(mapOf(), {{arenaEntry, clean}, {"scripts/JUDGE.arena", arena({.longname = "A;B"})}}),
         {{E, "scripts/JUDGE.arena", "longname"}}, Judge::Loader},
        {"arena_behind_backslash", Route::File, {}, with(mapOf(), {{"scripts\\judge.arena", arena({.longname = "A;B"})}}),
         {{E, "\"scripts\\\\judge.arena\"", "longname"}}, Judge::Loader},
        {"entry_name_of_255_bytes", Route::File, {},
         with(mapOf(), {{"other/" + QByteArray(249, 'n'), "x"}, {arenaEntry, clean}}), {}, Judge::Loader},
        {"entry_name_of_256_bytes", Route::File, {},
         with(mapOf(), {{nameOf256, "x"}, {arenaEntry, clean}}), {{E, nameOf256.constData(), ""}}},
        {"bot_file_of_8191_bytes", Route::File, {},
         with(mapOf(), {{arenaEntry, arena({.bots = "Robo"})}, {"scripts/robo.bot", paddedTo(8191, roboBot)}}),
         {{E, arenaEntry, "bots"}}},
        {"bot_file_of_8192_bytes", Route::File, {},
         with(mapOf(), {{arenaEntry, arena({.bots = "Robo"})}, {"scripts/robo.bot", paddedTo(8192, roboBot)}}),
         {{E, "scripts/robo.bot", ""}, {A, arenaEntry, "bots"}, {E, arenaEntry, "bots"}}},

        // Create's pk3 route: the archive as it will be with the arena in place.
        {"add_to_new_archive", Route::Add, clean, {}, {{E, arenaEntry, "map"}, {A, arenaEntry, "map"}}, Judge::Facts, 1,
         Tweak::Absent},
        {"add_beside_the_map", Route::Add, clean, mapOf(), {}},
        {"add_in_place_of_case_variant", Route::Add, clean, with(mapOf(), {{"Scripts/JUDGE.arena", arena({.map = "x"})}}), {}},
        {"add_beside_arena_for_same_map", Route::Add, clean, with(mapOf(), {{"scripts/other.arena", clean}}),
         {{E, arenaEntry, "map"}, {A, "scripts/other.arena", ""}}},
        {"add_title_with_semicolon", Route::Add, arena({.longname = "A;B"}), mapOf(), {{E, arenaEntry, "longname"}}},
        {"add_to_bzip2_archive", Route::Add, clean, with(mapOf(), {{"textures/a.tga", tga(2, 24), ZIP_CM_BZIP2}}),
         {{E, "textures/a.tga", ""}}},
        {"add_to_not_a_zip", Route::Add, clean, {}, {}, Judge::Facts, 1, Tweak::NotZip, "judge.pk3", false,
         "Not a zip archive"},
        {"add_to_empty_archive", Route::Add, clean, {}, {{E, arenaEntry, "map"}, {A, arenaEntry, "map"}}, Judge::Facts, 1,
         Tweak::EmptyArchive},
    };
    return cases;
}

namespace {

// Makes the first entry's local header say "stored" while the directory
// says "deflated".
void makeLocalHeaderDisagree(const QString& path)
{
    QByteArray bytes = readAll(path);
    ASSERT_TRUE(bytes.startsWith("PK\3\4"));
    ASSERT_EQ(bytes[8], '\x08');
    bytes[8] = '\0';
    writeFile(path, bytes);
}

} // namespace

QString buildCaseFile(const CheckCase& row, const QString& folder)
{
    const QString path = QDir(folder).filePath(QString::fromUtf8(row.fileName));
    const bool isArchive = QByteArray(row.fileName).endsWith(".pk3");
    switch (row.tweak) {
    case Tweak::Absent:
        break;
    case Tweak::EmptyArchive:
        writeFile(path, endRecord(0, 0, 0));
        break;
    case Tweak::TwoDirectories:
    case Tweak::TwoEndRecords:
        writeFile(path, twoDirectoryArchive(row.archive, row.secondDirectory, row.tweak == Tweak::TwoEndRecords));
        break;
    case Tweak::PrependedBytes:
        writeFile(path, QByteArray(1000, 'j') + archiveBytes(row.archive));
        break;
    case Tweak::Gap:
    case Tweak::CountBeyondRecords: {
        const ZipParts parts = zipParts(archiveBytes(row.archive));
        const bool gap = row.tweak == Tweak::Gap;
        writeFile(path, parts.entries + parts.directory + QByteArray(gap ? 100 : 0, 'g')
                            + endRecord(gap ? quint16(row.archive.size()) : 0xFFFF, quint32(parts.directory.size()),
                                        quint32(parts.entries.size())));
        break;
    }
    case Tweak::Zip64Records:
        writeFile(path, withZip64Records(archiveBytes(row.archive)));
        break;
    case Tweak::SaturatedSize:
    case Tweak::WrongCrc: {
        const bool crc = row.tweak == Tweak::WrongCrc;
        writeFile(path, withEntryField(archiveBytes(row.archive), row.archive.back().name, crc ? 16 : 20,
                                       crc ? 0xDEADBEEF : 0xFFFFFFFF));
        break;
    }
    case Tweak::PaddedTo65534:
    case Tweak::PaddedTo65535:
        writeFile(path, paddedTo(archiveBytes(row.archive), row.tweak == Tweak::PaddedTo65534 ? 65534 : 65535));
        break;
    case Tweak::Comment65513:
    case Tweak::Comment65514:
        writeFile(path, withComment(archiveBytes(row.archive), row.tweak == Tweak::Comment65513 ? 65513 : 65514));
        break;
    case Tweak::Fifo:
        EXPECT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        break;
    case Tweak::Folder:
        EXPECT_TRUE(QDir(folder).mkdir(QString::fromUtf8(row.fileName)));
        break;
    case Tweak::DevZero:
    case Tweak::DanglingLink:
    case Tweak::LinkLoop:
        EXPECT_TRUE(QFile::link(row.tweak == Tweak::DevZero ? QStringLiteral("/dev/zero")
                                : row.tweak == Tweak::LinkLoop ? path : QDir(folder).filePath("nothing"),
                                path));
        break;
    case Tweak::Unreadable:
        writeArchive(path, row.archive);
        EXPECT_TRUE(QFile::setPermissions(path, {}));
        break;
    case Tweak::NotZip:
        writeFile(path, "This is a text file, not an archive.\n");
        break;
    case Tweak::Zip64:
        writeZip64Archive(path, row.archive);
        break;
    case Tweak::None:
    case Tweak::LocalHeaderDisagrees:
        if (isArchive && row.route == Route::Add && row.archive.empty())
            break;
        if (isArchive)
            writeArchive(path, row.archive);
        else
            writeFile(path, row.arena);
        if (row.tweak == Tweak::LocalHeaderDisagrees)
            makeLocalHeaderDisagree(path);
        break;
    }
    return path;
}
