// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The one table of game-check cases: arena texts and small archives, with
// the findings each should give. The real game judges the rows it can.
#include "gamecheck/GameCheck.h"
#include "support/Archives.h"

#include <vector>

enum class Route {
    Save, // checkArenaToSave on the arena text
    Add,  // checkArenaToAdd: the arena text into the archive as scripts/judge.arena
    File, // checkFile on the archive, or on the arena text saved as judge.arena
};

// What a row's archive or file goes through after it is built, or what is
// made in its place. TwoDirectories, TwoEndRecords: the archive's directory
// for the zip library, `secondDirectory` for the game; PrependedBytes, Gap:
// junk before the archive or its end record, the offsets as they were;
// CountBeyondRecords: 0xFFFF entries counted; DevZero: a link to /dev/zero;
// Zip64Records: Zip64 records before valid 32-bit fields; SaturatedSize,
// WrongCrc: the last entry's compressed size 0xFFFFFFFF, or its CRC wrong;
// PaddedTo65534, PaddedTo65535: that many entries in all; Comment65513,
// Comment65514: a comment of that many bytes after the end record.
enum class Tweak {
    None, Zip64, LocalHeaderDisagrees, NotZip, Absent, EmptyArchive, TwoDirectories, TwoEndRecords, PrependedBytes, Gap,
    CountBeyondRecords, Fifo, DevZero, Folder, DanglingLink, LinkLoop, Unreadable, Zip64Records, SaturatedSize, WrongCrc,
    PaddedTo65534, PaddedTo65535, Comment65513, Comment65514,
};

// Whether the real loader judges the row: it must complain exactly when
// the check reports an error. Menu rules live in a module the server does
// not load; those rows stand on the game's documented facts.
enum class Judge { Loader, Facts };

struct Expected {
    gamecheck::Severity severity;
    const char* entry;
    const char* key;
    const char* sentence = nullptr; // checked word for word where given
};

struct CheckCase {
    const char* name;
    Route route;
    QByteArray arena;
    std::vector<TestEntry> archive;
    std::vector<Expected> expected;
    Judge judge = Judge::Facts;
    int arenasHeld = 1;
    Tweak tweak = Tweak::None;
    const char* fileName = "judge.pk3";
    bool readable = true;
    const char* reason = nullptr; // how the reason for an unreadable file starts
    std::vector<TestEntry> secondDirectory = {};
};

const std::vector<CheckCase>& checkCases();

// Test names and failures show the row by its name.
inline void PrintTo(const CheckCase& row, std::ostream* out)
{
    *out << row.name;
}

// Builds the row's file in `folder` and returns its path.
QString buildCaseFile(const CheckCase& row, const QString& folder);
