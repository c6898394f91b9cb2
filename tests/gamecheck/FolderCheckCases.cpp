// SPDX-License-Identifier: GPL-3.0-or-later
#include "gamecheck/FolderCheckCases.h"

#include "game/MapChecksum.h"

#include <sys/stat.h>
#include <unistd.h>

namespace {

using gamecheck::Severity;
constexpr Severity E = Severity::Error;
constexpr Severity A = Severity::Advice;

QByteArray arena(const QByteArray& map, const QByteArray& more = {})
{
    return "{\nmap \"" + map + "\"\nlongname \"" + map.toUpper() + "\"\ntype \"ffa\"\n" + more + "}\n";
}

QByteArray withBots(const QByteArray& map, const QByteArray& bots)
{
    return arena(map, "bots \"" + bots + "\"\n");
}

// A bot navigation file's header for the map whose checksum is `checksum`,
// hidden as version 5 hides it.
QByteArray aas(std::uint32_t checksum)
{
    QByteArray header = "EAAS" + QByteArray("\x05\0\0\0", 4) + QByteArray(116, '\0');
    for (int i = 0; i < 4; ++i)
        header[8 + i] = char(checksum >> (8 * i));
    for (int i = 8; i < header.size(); ++i)
        header[i] = char(header[i] ^ char((i - 8) * 119));
    return header;
}

std::uint32_t checksumOf(const QByteArray& bsp)
{
    game::MapChecksum checksum;
    checksum.add(bsp.constData(), std::size_t(bsp.size()));
    return checksum.value();
}

// A bot the game lets join where the map has its navigation file.
const QByteArray robo = "{\nname \"Robo\"\naifile \"bots/robo_c.c\"\n}\n";
// One of OpenArena's own.
const QByteArray angelyss = "{\nname \"Angelyss\"\naifile \"bots/robo_c.c\"\n}\n";

const QByteArray levelshot = QByteArray("\0\0\2\0\0\0\0\0\0\0\0\0\1\0\1\0\30\0", 18) + QByteArray(3, '\x7f');

// A map with its bot navigation file and levelshot.
std::vector<TestEntry> mapFilesOf(const QByteArray& map, const QByteArray& bsp)
{
    return {{"maps/" + map + ".bsp", bsp}, {"maps/" + map + ".aas", aas(checksumOf(bsp))},
            {"levelshots/" + map + ".tga", levelshot}};
}

// The same for the smallest map; `version` makes another build of it.
std::vector<TestEntry> mapFiles(const QByteArray& map, const QByteArray& version = {})
{
    return mapFilesOf(map, smallestBsp(version));
}

// A map of `strings` entities besides the worldspawn, each with a
// classname the game module copies into 32 bytes of its pool.
QByteArray bspKeeping(int strings)
{
    return bspWithEntities("{\n\"classname\" \"worldspawn\"\n}\n"
                           + QByteArray("{\n\"classname\" \"info_null\"\n}\n").repeated(strings));
}

// A block whose keys and values, as the game module keeps them
// (\\key\\value...), come to `held` bytes: the pairs given, then "x" and
// a value that makes up the rest. G_Alloc is asked for 10 bytes more.
QByteArray sizedBlock(qsizetype held, const std::vector<std::pair<QByteArray, QByteArray>>& pairs = {})
{
    QByteArray block = "{";
    for (const auto& [key, value] : pairs) {
        block += ' ' + key + " \"" + value + '"';
        held -= 2 + key.size() + value.size();
    }
    return block + " x \"" + QByteArray(held - 3, 'v') + "\" }\n";
}

// Files of blocks under scripts/, `perFile` to a file: "scripts/<prefix>_NN<extension>".
std::vector<TestEntry> blockFiles(const QByteArray& prefix, const QByteArray& extension,
                                  const QByteArrayList& blocks, int perFile)
{
    std::vector<TestEntry> files;
    for (qsizetype at = 0; at < blocks.size(); at += perFile) {
        files.push_back({"scripts/" + prefix + '_' + QByteArray::number(at / perFile).rightJustified(2, '0')
                             + extension,
                         blocks.mid(at, perFile).join()});
    }
    return files;
}

std::vector<TestEntry> with(std::vector<TestEntry> entries, std::vector<TestEntry> more)
{
    entries.insert(entries.end(), more.begin(), more.end());
    return entries;
}

// Arena files without maps, one block each, named "<prefix>_NN.arena" with
// NN from `from`; the name listed is 10 characters longer than the prefix.
std::vector<TestEntry> mapless(const QByteArray& prefix, int from, int count, const QByteArray& text = "{ x y }\n")
{
    std::vector<TestEntry> files;
    for (int n = from; n < from + count; ++n)
        files.push_back({"scripts/" + prefix + '_' + QByteArray::number(n).rightJustified(2, '0') + ".arena", text});
    return files;
}

// Arena files that fill the menus' memory: each arena takes 1,024 bytes of
// it, eight arenas to a file.
std::vector<TestEntry> poolFillers(int arenas)
{
    const QByteArray block = "{\nlongname \"" + QByteArray(1000, 'p') + "\"\n}\n";
    std::vector<TestEntry> files;
    for (int file = 0; file * 8 < arenas; ++file)
        files.push_back({"scripts/pool_" + QByteArray::number(file).rightJustified(2, '0') + ".arena",
                         block.repeated(std::min(8, arenas - file * 8))});
    return files;
}

std::vector<FolderFile> with(std::vector<FolderFile> files, std::vector<FolderFile> more)
{
    files.insert(files.end(), more.begin(), more.end());
    return files;
}

// Loose files of a game folder, under `folder` (a pk3dir, say).
std::vector<FolderFile> looseIn(const QByteArray& folder, const std::vector<TestEntry>& entries)
{
    std::vector<FolderFile> files;
    for (const TestEntry& entry : entries)
        files.push_back({folder + '/' + entry.name, {}, entry.bytes});
    return files;
}

// 52 arena files with names of 18 characters, then one whose name ends the
// server's list of 1,024 bytes exactly at its last byte when it is 33
// characters long, and is one too many at 34; then `after` more.
FolderCase listPastNames(const char* name, qsizetype lastNameLength, int after, int parsed)
{
    std::vector<TestEntry> files = mapless("list_file", 0, 52);
    files.push_back({"scripts/" + QByteArray(lastNameLength - 6, 'n') + ".arena", "{ x y }\n"});
    const std::vector<TestEntry> rest = mapless("list_file", 52, after);
    files.insert(files.end(), rest.begin(), rest.end());
    FolderCase row{name, {{"lists.pk3", files, {}}}, {}, parsed, {}, {}};
    for (std::size_t at = std::size_t(parsed); at < files.size(); ++at)
        row.expected.push_back({E, "lists.pk3", files[at].name, ""});
    return row;
}

// The game reads an entry whose CRC is wrong, and nothing of one whose
// local header disagrees with the directory (here: "stored" against "deflated").
QByteArray arenaOfWrongCrc(const QByteArray& archive)
{
    return withEntryField(archive, "scripts/yard.arena", 16, 0xDEADBEEF);
}

QByteArray arenaOfDisagreeingHeader(const QByteArray& archive)
{
    QByteArray patched = archive;
    forEachRecord(archive, [&](const QByteArray& name, qsizetype at) {
        if (name == "scripts/yard.arena")
            patched[qFromLittleEndian<quint32>(archive.constData() + at + 42) + 8] = '\0';
    });
    return patched;
}

const QByteArray yardArena = arena("yard");

// The server's pool of 256 KB, filled as G_Alloc counts: the 32 bytes of
// the map ent's one kept entity, 960 bot infos of 256 bytes, then arena
// infos of 256 bytes, the first ent's own (with `bots`, if any), and a
// last one of `lastAsked` bytes; G_Alloc compares what it holds with the
// size asked for, unrounded.
std::vector<TestEntry> serverPoolFilled(int arenas, qsizetype lastAsked, const QByteArray& bots = {})
{
    QByteArrayList botInfos, infos;
    for (int n = 0; n < 960; ++n)
        botInfos << sizedBlock(246);
    std::vector<std::pair<QByteArray, QByteArray>> ent{{"map", "ent"}, {"longname", "ENT"}, {"type", "ffa"}};
    if (!bots.isEmpty())
        ent.push_back({"bots", bots});
    for (int n = 2; n < arenas; ++n)
        infos << sizedBlock(246);
    infos << sizedBlock(lastAsked - 10);
    return with(with(mapFilesOf("ent", bspKeeping(1)), blockFiles("fill", ".bot", botInfos, 31)),
                with({{"scripts/ent.arena", sizedBlock(246, ent)}}, blockFiles("pool", ".arena", infos, 32)));
}

// OpenArena's BG_Alloc takes each info's size with 4 bytes more, rounded:
// 1,024 bytes for these. 768 bytes of its own default admin levels, the
// 288 bytes of nine kept entities, 200 bots: room for 54 arenas of 100.
std::vector<TestEntry> openArenaPoolFilled()
{
    QByteArrayList bots, infos;
    for (int n = 0; n < 200; ++n)
        bots << sizedBlock(1010);
    for (int n = 1; n < 100; ++n)
        infos << sizedBlock(1010);
    return with(with(mapFilesOf("ent", bspKeeping(9)), blockFiles("fill", ".bot", bots, 7)),
                with({{"scripts/ent.arena", sizedBlock(1010, {{"map", "ent"}, {"longname", "ENT"}, {"type", "ffa"}})}},
                     blockFiles("pool", ".arena", infos, 7)));
}

} // namespace

const std::vector<FolderCase>& folderCases()
{
    static const std::vector<FolderCase> cases = [] {
        std::vector<FolderCase> rows = {
            {"bsp_in_a_neighbour", {{"arena.pk3", {{"scripts/yard.arena", arena("yard")}}, {}}, {"yard.pk3", mapFiles("yard"), {}}},
             {}, 1, {"yard"}},
            {"arena_hidden_by_a_later_entry_in_capitals",
             {{"a.pk3", with(mapFiles("yard"), {{"scripts/yard.arena", arena("yard")}}), {}},
              {"b.pk3", {{"SCRIPTS/YARD.ARENA", arena("yard", "fraglimit \"5\"\n")}}, {}}},
             {{E, "a.pk3", "scripts/yard.arena", ""}}, 1, {"yard"}},
            {"map_listed_by_two_arena_files",
             {{"a.pk3", with(mapFiles("yard"), {{"scripts/yard.arena", arena("yard")}}), {}},
              {"b.pk3", {{"scripts/yard_ctf.arena", arena("yard", "fraglimit \"5\"\n")}}, {}}},
             {{E, "a.pk3", "scripts/yard.arena", "map"}, {A, "b.pk3", "scripts/yard_ctf.arena", ""}}, 2, {"yard"}},
            {"arenas_txt_in_a_late_pk3",
             {{"a.pk3", with(with(mapFiles("yard"), mapFiles("court")),
                             {{"scripts/arenas.txt", arena("yard") + arena("court")}}), {}},
              {"z.pk3", {{"scripts/arenas.txt", arena("yard", "fraglimit \"5\"\n")}}, {}}},
             {{E, "a.pk3", "scripts/arenas.txt", ""}, {E, "a.pk3", "maps/court.bsp", ""}, {E, "z.pk3", "scripts/arenas.txt", ""}},
             1, {"yard"}},
            listPastNames("seventy_arena_files_past_the_name_list", 33, 17, 53),
            listPastNames("name_list_full_at_1024_bytes", 34, 0, 52),
            {"1024_arenas", {{"a.pk3", with(mapless("blocks", 0, 1, QByteArray("{ x y }\n").repeated(1000)),
                                            mapless("blocks", 1, 1, QByteArray("{ x y }\n").repeated(24))), {}}},
             {}, 1024},
            {"1025_arenas", {{"a.pk3", with(mapless("blocks", 0, 1, QByteArray("{ x y }\n").repeated(1000)),
                                            mapless("blocks", 1, 1, QByteArray("{ x y }\n").repeated(25))), {}}},
             {{E, "a.pk3", "scripts/blocks_01.arena", ""}}, 1024},
            {"128_arenas_fill_the_menus_memory", {{"pool.pk3", poolFillers(128), {}}}, {}, 128},
            {"129_arenas_overflow_the_menus_memory", {{"pool.pk3", poolFillers(129), {}}},
             {{E, "pool.pk3", "scripts/pool_16.arena", ""}}, 129},
            {"re_release_named_with_a_dash",
             {{"mymap.pk3", with(mapFiles("mymap"), {{"scripts/mymap.arena", arena("mymap")}}), {}},
              {"mymap-v2.pk3", with(mapFiles("mymap", "v2"), {{"scripts/mymap.arena", arena("mymap", "fraglimit \"5\"\n")}}), {}}},
             {{E, "mymap-v2.pk3", "scripts/mymap.arena", ""}, {E, "mymap-v2.pk3", "maps/mymap.bsp", ""}}, 1, {"mymap"}},
            {"re_release_named_with_an_underscore",
             {{"mymap.pk3", with(mapFiles("mymap"), {{"scripts/mymap.arena", arena("mymap")}}), {}},
              {"mymap_v2.pk3", with(mapFiles("mymap", "v2"), {{"scripts/mymap.arena", arena("mymap", "fraglimit \"5\"\n")}}), {}}},
             {{E, "mymap.pk3", "scripts/mymap.arena", ""}, {A, "mymap.pk3", "maps/mymap.bsp", ""}}, 1, {"mymap"}},
            {"identical_copies_hide_nothing",
             {{"a.pk3", with(mapFiles("yard"), {{"scripts/yard.arena", arena("yard")}}), {}},
              {"b.pk3", with(mapFiles("yard"), {{"scripts/yard.arena", arena("yard")}}), {}}},
             {}, 1, {"yard"}},
            {"bot_defined_in_another_pk3",
             {{"a.pk3", with(mapFiles("yard"), {{"scripts/yard.arena", withBots("yard", "Robo")}}), {}},
              {"bots.pk3", {{"scripts/robo.bot", robo}}, {}}},
             {}, 1, {"yard"}},
            {"bot_defined_only_in_a_file_too_large",
             {{"a.pk3", with(mapFiles("yard"), {{"scripts/yard.arena", withBots("yard", "Robo")}}), {}},
              {"bots.pk3", {{"scripts/robo.bot", robo + "//" + QByteArray(8192 - robo.size() - 3, 'x') + "\n"}}, {}}},
             {{E, "a.pk3", "scripts/yard.arena", "bots"}, {E, "bots.pk3", "scripts/robo.bot", ""}}, 1, {"yard"}},
            {"bot_defined_nowhere", {{"a.pk3", with(mapFiles("yard"), {{"scripts/yard.arena", withBots("yard", "Robo")}}), {}}},
             {{E, "a.pk3", "scripts/yard.arena", "bots"}}, 1, {"yard"}},
            {"no_aas_with_bots",
             {{"a.pk3", {{"maps/yard.bsp", smallestBsp()}, {"levelshots/yard.tga", levelshot},
                         {"scripts/yard.arena", withBots("yard", "Robo")}, {"scripts/robo.bot", robo}}, {}}},
             {{E, "a.pk3", "scripts/yard.arena", "bots"}}, 1, {"yard"}},
            {"no_aas_without_bots",
             {{"a.pk3", {{"maps/yard.bsp", smallestBsp()}, {"levelshots/yard.tga", levelshot},
                         {"scripts/yard.arena", arena("yard")}}, {}}},
             {{A, "a.pk3", "maps/yard.bsp", ""}}, 1, {"yard"}},
            {"aas_of_another_bsp",
             {{"a.pk3", {{"maps/yard.bsp", smallestBsp()}, {"maps/yard.aas", aas(checksumOf(smallestBsp("old")))},
                         {"levelshots/yard.tga", levelshot}, {"scripts/yard.arena", arena("yard")}}, {}}},
             {{E, "a.pk3", "maps/yard.aas", ""}}, 1, {"yard"}},
            {"loose_arena_against_a_pk3",
             {{"a.pk3", with(mapFiles("yard"), {{"scripts/yard.arena", arena("yard")}}), {}},
              {"scripts/yard.arena", {}, arena("yard", "fraglimit \"5\"\n")}},
             {{E, "a.pk3", "scripts/yard.arena", ""}, {E, "scripts/yard.arena", "", ""},
              {A, "scripts/yard.arena", "", ""}},
             1, {"yard"}},
            {"mod_folder_before_the_base",
             {{"z.pk3", with(mapFiles("yard"), {{"scripts/yard.arena", arena("yard")}}), {}}},
             {{E, "z.pk3", "scripts/yard.arena", ""}}, 1, {"yard"},
             {{"a.pk3", {{"scripts/yard.arena", arena("yard", "fraglimit \"5\"\n")}}, {}}}},
            {"bsp_without_arena", {{"a.pk3", mapFiles("yard"), {}}}, {{E, "a.pk3", "maps/yard.bsp", ""}}, 0, {}},
            {"arena_without_bsp", {{"a.pk3", {{"scripts/gone.arena", arena("gone")}}, {}}},
             {{E, "a.pk3", "scripts/gone.arena", "map"}, {A, "a.pk3", "scripts/gone.arena", "map"}}, 1, {"gone"}},
            {"arena_name_with_two_dots", {{"a.pk3", mapless("up..down", 0, 1), {}}}, {{E, "a.pk3", "scripts/up..down_00.arena", ""}}, 0},
            {"arena_name_of_119", {{"a.pk3", {{"scripts/" + QByteArray(113, 'n') + ".arena", "{ x y }\n"}}, {}}}, {}, 1},
            // The server aborts: it parses nothing.
            {"arena_name_of_120", {{"a.pk3", {{"scripts/" + QByteArray(114, 'n') + ".arena", "{ x y }\n"}}, {}}},
             {{E, "a.pk3", "scripts/" + QByteArray(114, 'n') + ".arena", ""}}, -1},
            {"pack_in_the_home_folder",
             {{"a.pk3", with(mapFiles("yard"), {{"scripts/yard.arena", arena("yard")}}), {}}}, {}, 2, {"yard", "court"}, {},
             {{"h.pk3", with(mapFiles("court"), {{"scripts/court.arena", arena("court")}}), {}}}},
            {"copy_in_the_home_folder_wins",
             {{"a.pk3", with(mapFiles("yard"), {{"scripts/yard.arena", arena("yard")}}), {}}},
             {{E, "a.pk3", "scripts/yard.arena", ""}}, 1, {"yard"}, {},
             {{"a.pk3", {{"scripts/yard.arena", arena("yard", "fraglimit \"5\"\n")}}, {}}}},
            // A pure server's players ignore loose files and pk3dirs.
            {"map_in_a_pk3dir", looseIn("mymap.pk3dir", with(mapFiles("mymap"), {{"scripts/mymap.arena", arena("mymap")}})),
             {{A, "mymap.pk3dir/maps/mymap.bsp", "", ""}, {A, "mymap.pk3dir/scripts/mymap.arena", "", ""}},
             1, {"mymap"}},
            // id's 1.32 release reads no pk3dir, so it keeps the pk3's copy.
            {"pk3dir_sorts_after_its_pk3",
             with(looseIn("yard.pk3dir", {{"scripts/yard.arena", arena("yard", "fraglimit \"5\"\n")}}),
                  {{"yard.pk3", with(mapFiles("yard"), {{"scripts/yard.arena", arena("yard")}}), {}}}),
             {{E, "yard.pk3", "scripts/yard.arena", ""}, {E, "yard.pk3dir/scripts/yard.arena", "", ""},
              {A, "yard.pk3dir/scripts/yard.arena", "", ""}},
             1, {"yard"}},
            {"openarena_bots_of_its_own", {{"a.pk3", with(mapFiles("yard"), {{"scripts/yard.arena", withBots("yard", "Angelyss Robo")},
                                                                             {"scripts/angelyss.bot", angelyss}}), {}}},
             {{E, "a.pk3", "scripts/yard.arena", "bots"}}, 1, {"yard"}, {}, {}, &game::openArena()},
            // What the game reads of an arena entry, the server counts.
            {"arena_of_wrong_crc",
             {{"a.pk3", with(mapFiles("yard"), {{"scripts/yard.arena", yardArena}}), {}, FolderFile::Kind::File, {}, arenaOfWrongCrc}}, {}, 1, {"yard"}},
            {"arena_in_bzip2", {{"a.pk3", with(mapFiles("yard"), {{"scripts/yard.arena", yardArena, ZIP_CM_BZIP2}}), {}}},
             {{E, "a.pk3", "scripts/yard.arena", ""}, {E, "a.pk3", "maps/yard.bsp", ""}}, 0},
            {"arena_of_disagreeing_local_header",
             {{"a.pk3", with(mapFiles("yard"), {{"scripts/yard.arena", yardArena}}), {}, FolderFile::Kind::File, {}, arenaOfDisagreeingHeader}},
             {{E, "a.pk3", "scripts/yard.arena", ""}, {E, "a.pk3", "maps/yard.bsp", ""}}, 0},
            // The console splits the bot the game asks for at the tab: it looks for Nobody.
            {"bot_list_split_at_a_tab",
             {{"a.pk3", with(mapFiles("yard"), {{"scripts/yard.arena", withBots("yard", "Nobody\tRobo")},
                                                {"scripts/robo.bot", robo}}), {}}},
             {{E, "a.pk3", "scripts/yard.arena", "bots"}, {E, "a.pk3", "scripts/yard.arena", "bots"}}, 1, {"yard"}},
            // Latin-1 names, as old tools left them: each file is found and
            // named by its own bytes, and no two names print as one.
            {"names_that_are_not_utf8",
             {{"caf\xe9.pk3", with(mapFiles("cafe"), {{"scripts/cafe.arena", arena("cafe")}}), {}},
              {"caf\xe8.pk3", mapFiles("lost"), {}},
              {"scripts/ch\xe2teau.arena", {}, arena("chateau")}, {"chateau.pk3", mapFiles("chateau"), {}}},
             {{E, "caf\xe8.pk3", "maps/lost.bsp", ""}, {A, "scripts/ch\xe2teau.arena", "", ""}},
             2, {"cafe", "chateau"}},
            // The server waits on a FIFO for a writer, and never starts its map.
            {"fifo_named_as_an_arena_file",
             {{"a.pk3", with(mapFiles("yard"), {{"scripts/yard.arena", arena("yard")}}), {}},
              {"scripts/wait.arena", {}, {}, FolderFile::Kind::Fifo}},
             {{E, "scripts/wait.arena", "", ""}}, -1},
            // A device reads as empty: the server parses the others.
            {"device_named_as_an_arena_file",
             {{"a.pk3", with(mapFiles("yard"), {{"scripts/yard.arena", arena("yard")}}), {}},
              {"scripts/null.arena", {}, {}, FolderFile::Kind::Link, "/dev/null"}},
             {{E, "scripts/null.arena", "", ""}}, 1, {"yard"}},
            // The game's stat() fails on a link to nothing: it never lists it.
            {"pk3_link_to_nothing",
             {{"a.pk3", with(mapFiles("yard"), {{"scripts/yard.arena", arena("yard")}}), {}},
              {"gone.pk3", {}, {}, FolderFile::Kind::Link, "nowhere.pk3"}},
             {}, 1, {"yard"}},
            // The map's entities, the bots and the arenas fill the server's
            // pool to its last byte; one byte more and the server stops.
            {"server_memory_full_at_its_last_byte",
             {{"pool.pk3", serverPoolFilled(64, 224), {}}},
             {}, 64, {"ent"}},
            {"server_memory_one_byte_short",
             {{"pool.pk3", serverPoolFilled(64, 225), {}}},
             {{E, "pool.pk3", "scripts/pool_01.arena", ""}}, -1, {"ent"}},
            // At the first arena that does not fit, OpenArena's server ends
            // that file and tries the next: arenas 54 to 99, in files 7 to 14.
            {"openarena_server_memory_ends_each_file", {{"pool.pk3", openArenaPoolFilled(), {}}},
             {{E, "pool.pk3", "scripts/pool_07.arena", ""}, {E, "pool.pk3", "scripts/pool_08.arena", ""},
              {E, "pool.pk3", "scripts/pool_09.arena", ""}, {E, "pool.pk3", "scripts/pool_10.arena", ""},
              {E, "pool.pk3", "scripts/pool_11.arena", ""}, {E, "pool.pk3", "scripts/pool_12.arena", ""},
              {E, "pool.pk3", "scripts/pool_13.arena", ""}, {E, "pool.pk3", "scripts/pool_14.arena", ""}},
             54, {"ent"}, {}, {}, &game::openArena()},
            // A bot's 8,904 bytes of state as it joins: with 8,928 bytes left
            // it joins; with 8,896 the server stops.
            {"bot_joins_into_the_last_room",
             {{"pool.pk3", with(serverPoolFilled(29, 192, "Robo"), {{"scripts/robo.bot", robo}}), {}}},
             {}, 29, {"ent"}},
            {"bot_finds_no_room",
             {{"pool.pk3", with(serverPoolFilled(29, 224, "Robo"), {{"scripts/robo.bot", robo}}), {}}},
             {{E, "pool.pk3", "scripts/ent.arena", "bots"}}, 29, {"ent"}},
            // id's Start Server menu keeps 64 maps of a type, reading "type"
            // in any case, where the numbering's "single" is matched as spelt.
            {"64_free_for_all_maps_fill_the_start_server_menu",
             {{"ffa.pk3", {{"scripts/ffa.arena", QByteArray("{ type ffa }\n").repeated(64)}}, {}}}, {}, 64},
            {"65_free_for_all_maps_overflow_the_start_server_menu",
             {{"ffa.pk3",
               {{"scripts/ffa.arena",
                 QByteArray("{ type Single }\n").repeated(4) + QByteArray("{ type ffa }\n").repeated(61)}},
               {}}},
             {{E, "ffa.pk3", "scripts/ffa.arena", "type"}}, 65},
            {"four_single_player_arenas", {{"sp.pk3", {}, {}}}, {}, 5},
            {"five_single_player_arenas", {{"sp.pk3", {}, {}}}, {{E, "sp.pk3", "scripts/other.arena", "map"}}, 6},
        };
        // 300 arenas of 1,024 bytes in files of seven: OpenArena's server
        // keeps 255 after its 768 bytes of admin levels (a plain count: 256),
        // its menus 128 of their 128 KB.
        {
            QByteArrayList blocks;
            for (int n = 0; n < 300; ++n)
                blocks << sizedBlock(1010);
            FolderCase row{"openarena_server_keeps_255_of_300",
                           {{"pool.pk3", blockFiles("pool", ".arena", blocks, 7), {}}}, {}, 255};
            row.game = &game::openArena();
            for (const int first : {128, 255}) {
                for (int file = first / 7; file <= 299 / 7; ++file) {
                    const QByteArray name = "scripts/pool_" + QByteArray::number(file).rightJustified(2, '0') + ".arena";
                    row.expected.push_back({E, "pool.pk3", name, ""});
                }
            }
            rows.push_back(row);
        }
        // Single-player arenas and one other after them, whose number the
        // fifth single-player arena takes.
        for (FolderCase& row : rows) {
            const int singlePlayer = QByteArray(row.name).startsWith("four") ? 4 : QByteArray(row.name).startsWith("five") ? 5 : 0;
            if (singlePlayer == 0)
                continue;
            std::vector<TestEntry>& entries = row.base.front().entries;
            for (int n = 1; n <= singlePlayer; ++n) {
                const QByteArray map = "sp" + QByteArray::number(n);
                entries = with(with(entries, mapFiles(map)),
                               {{"scripts/" + map + ".arena", "{\nmap \"" + map + "\"\nlongname \"SP\"\ntype \"single\"\n}\n"}});
            }
            entries = with(with(entries, mapFiles("other")), {{"scripts/other.arena", arena("other")}});
        }
        return rows;
    }();
    return cases;
}

// Puts one file in place under its own bytes: written under a plain name,
// then renamed, for a name need not be text.
void putFile(const QString& folder, const FolderFile& file)
{
    const QByteArray target = QFile::encodeName(folder) + '/' + file.path;
    QDir().mkpath(QFile::decodeName(target.left(target.lastIndexOf('/'))));
    if (file.kind == FolderFile::Kind::Fifo) {
        ASSERT_EQ(::mkfifo(target.constData(), 0644), 0);
        return;
    }
    if (file.kind == FolderFile::Kind::Link) {
        ASSERT_EQ(::symlink(file.linkTo.constData(), target.constData()), 0);
        return;
    }
    const QString written = QDir(folder).filePath(QStringLiteral(".being-written"));
    if (file.patch)
        writeFile(written, file.patch(archiveBytes(file.entries)));
    else if (file.path.endsWith(".pk3"))
        writeArchive(written, file.entries);
    else
        writeFile(written, file.bytes);
    ASSERT_EQ(::rename(QFile::encodeName(written).constData(), target.constData()), 0);
}

game::SearchPath buildFolders(const FolderCase& row, const QString& root, const QString& home)
{
    game::SearchPath path;
    path.game = row.game;
    const auto build = [&](const QString& under, const QString& folder, const std::vector<FolderFile>& files, bool inHome) {
        const QDir dir(QDir(under).filePath(folder));
        QDir().mkpath(dir.path());
        for (const FolderFile& file : files)
            putFile(dir.path(), file);
        path.directories.push_back({dir.path(), folder.toUtf8(), inHome, folder == QLatin1String("mod")});
    };
    if (!row.mod.empty())
        build(root, QStringLiteral("mod"), row.mod, false);
    if (!row.home.empty())
        build(home, baseFolder, row.home, true);
    build(root, baseFolder, row.base, false);
    return path;
}
