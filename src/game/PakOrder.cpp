// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/PakOrder.h"

namespace game {

namespace {

int sortKey(char byte)
{
    int c = static_cast<signed char>(byte);
    if (c >= 'a' && c <= 'z')
        c -= 'a' - 'A';
    if (c == '\\' || c == ':')
        c = '/';
    return c;
}

} // namespace

int comparePakNames(const QByteArray& one, const QByteArray& other)
{
    // The names end in a NUL, which sorts before every byte but those from 0x80 up.
    for (qsizetype at = 0;; ++at) {
        const int a = at < one.size() ? sortKey(one[at]) : 0;
        const int b = at < other.size() ? sortKey(other[at]) : 0;
        if (a != b)
            return a < b ? -1 : 1;
        if (a == 0)
            return 0;
    }
}

bool isPakName(const QByteArray& fileName)
{
    return fileName.size() >= 4 && fileName.right(4).toLower() == ".pk3";
}

} // namespace game
