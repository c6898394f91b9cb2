#include "editor/ZipEntries.h"

#include <algorithm>

namespace editor {

namespace {

char asciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

} // namespace

QByteArrayList caseVariantsOf(const QByteArray& entryName, const QByteArrayList& entryNames)
{
    QByteArrayList variants;
    for (const QByteArray& name : entryNames) {
        const bool sameName = std::equal(name.begin(), name.end(), entryName.begin(), entryName.end(),
                                         [](char a, char b) { return asciiLower(a) == asciiLower(b); });
        if (sameName && name != entryName)
            variants << name;
    }
    return variants;
}

} // namespace editor
