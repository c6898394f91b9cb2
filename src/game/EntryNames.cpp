// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/EntryNames.h"

namespace game {

namespace {

char asciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

} // namespace

bool namesTheSameEntry(const QByteArray& one, const QByteArray& other)
{
    return entryKey(one) == entryKey(other);
}

QByteArray asciiLowered(const QByteArray& name)
{
    QByteArray lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(), asciiLower);
    return lower;
}

bool endsWithInAnyCase(const QByteArray& name, const QByteArray& ending)
{
    return name.size() >= ending.size() && asciiLowered(name.right(ending.size())) == asciiLowered(ending);
}

QByteArray entryKey(const QByteArray& name)
{
    QByteArray key = name;
    for (char& c : key)
        c = c == '\\' ? '/' : asciiLower(c);
    return key;
}

QByteArrayList caseVariantsOf(const QByteArray& entryName, const QByteArrayList& entryNames)
{
    QByteArrayList variants;
    for (const QByteArray& name : entryNames) {
        if (namesTheSameEntry(name, entryName) && name != entryName)
            variants << name;
    }
    return variants;
}

} // namespace game
