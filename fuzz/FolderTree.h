// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A small game folder written from bytes, for fuzzing the folder rules, and
// the bytes that write a given one, for their seeds. The bytes: the first
// picks the game; then records of a kind, a name and its contents:
//   kind (1 byte), name length (1), name, contents length (2, little-endian), contents.
// By kind % 4: 0, an entry of the pk3 being written (a first one, "a.pk3",
// where none is yet); 1, a new pk3 of that name; 2, a loose file of that
// path; 3, a pk3 of that name whose whole bytes are the contents.
#include <QByteArray>

#include <cstdint>
#include <vector>

namespace fuzztree {

struct Entry {
    QByteArray name;
    QByteArray bytes;
};

struct Pak {
    QByteArray name;
    std::vector<Entry> entries;
    QByteArray raw; // the whole file, where its entries are not given
    bool isRaw = false;
};

struct Tree {
    int game = 0;
    std::vector<Pak> paks;
    std::vector<Entry> looseFiles;
};

enum Kind : char { EntryKind = 0, PakKind = 1, LooseKind = 2, RawPakKind = 3 };

inline Tree decode(const QByteArray& bytes)
{
    Tree tree;
    if (bytes.isEmpty())
        return tree;
    tree.game = std::uint8_t(bytes[0]);
    for (qsizetype at = 1; at + 2 <= bytes.size();) {
        const int kind = std::uint8_t(bytes[at]) % 4;
        const qsizetype nameLength = std::uint8_t(bytes[at + 1]);
        at += 2;
        const QByteArray name = bytes.mid(at, nameLength);
        at += nameLength;
        if (at + 2 > bytes.size())
            break;
        const qsizetype length = std::uint8_t(bytes[at]) | qsizetype(std::uint8_t(bytes[at + 1])) << 8;
        at += 2;
        const QByteArray contents = bytes.mid(at, length);
        at += length;
        if (kind == LooseKind) {
            tree.looseFiles.push_back({name, contents});
        } else if (kind == EntryKind) {
            if (tree.paks.empty() || tree.paks.back().isRaw)
                tree.paks.push_back({"a.pk3", {}, {}, false});
            tree.paks.back().entries.push_back({name, contents});
        } else {
            tree.paks.push_back({name, {}, contents, kind == RawPakKind});
        }
    }
    return tree;
}

inline void appendRecord(QByteArray& bytes, Kind kind, const QByteArray& name, const QByteArray& contents)
{
    const QByteArray shortName = name.left(255);
    const QByteArray shortContents = contents.left(0xFFFF);
    bytes += char(kind);
    bytes += char(shortName.size());
    bytes += shortName;
    bytes += char(shortContents.size() & 0xFF);
    bytes += char(shortContents.size() >> 8);
    bytes += shortContents;
}

} // namespace fuzztree
