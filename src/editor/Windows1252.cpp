// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/Windows1252.h"

#include <QList>

#include <array>

namespace editor {

namespace {

// The characters of bytes 0x80 to 0x9F; 0 marks the five unassigned bytes,
// which stand for the control characters of the same number, as Windows
// reads them, so that any byte comes back as it was.
constexpr std::array<char16_t, 32> upperControlRange = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

char encodeCharacter(uint character)
{
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF))
        return static_cast<char>(character);
    for (std::size_t i = 0; i < upperControlRange.size(); ++i) {
        if (upperControlRange[i] == character || (upperControlRange[i] == 0 && character == 0x80 + i))
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

char16_t decodeByte(unsigned char byte)
{
    if (byte < 0x80 || byte >= 0xA0 || upperControlRange[byte - 0x80] == 0)
        return byte;
    return upperControlRange[byte - 0x80];
}

} // namespace

QByteArray toWindows1252(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const uint character : text.toUcs4())
        bytes += encodeCharacter(character);
    return bytes;
}

QString fromWindows1252(const QByteArray& bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char byte : bytes)
        text += QChar(decodeByte(static_cast<unsigned char>(byte)));
    return text;
}

} // namespace editor
