// SPDX-License-Identifier: GPL-3.0-or-later
#include "gamecheck/ShownName.h"

#include <QFile>

namespace gamecheck {

namespace {

// Characters that print nothing of themselves and change how what follows
// is shown: controls, line and paragraph separators, direction marks.
bool isControl(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x200E || c == 0x200F || (c >= 0x2028 && c <= 0x202E)
        || (c >= 0x2066 && c <= 0x2069) || c == 0xFEFF;
}

// The length of the well-formed UTF-8 sequence at `at`, and its code
// point; 0 when the bytes there are not UTF-8.
int utf8At(const QByteArray& bytes, qsizetype at, char32_t& code)
{
    const auto byte = [&](qsizetype i) { return i < bytes.size() ? std::uint8_t(bytes[i]) : std::uint8_t(0); };
    const std::uint8_t lead = byte(at);
    int length = 0;
    char32_t lowest = 0;
    if (lead < 0x80) {
        code = lead;
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, code = lead & 0x1F, lowest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, code = lead & 0x0F, lowest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, code = lead & 0x07, lowest = 0x10000;
    } else {
        return 0;
    }
    for (int i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80)
            return 0;
        code = code << 6 | (byte(at + i) & 0x3F);
    }
    if (code < lowest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

QString escaped(char32_t c)
{
    switch (c) {
    case '\\': return QStringLiteral("\\\\");
    case '"': return QStringLiteral("\\\"");
    case '\a': return QStringLiteral("\\a");
    case '\b': return QStringLiteral("\\b");
    case '\t': return QStringLiteral("\\t");
    case '\n': return QStringLiteral("\\n");
    case '\v': return QStringLiteral("\\v");
    case '\f': return QStringLiteral("\\f");
    case '\r': return QStringLiteral("\\r");
    default: return QStringLiteral("\\%1").arg(uint(c), 3, 8, QLatin1Char('0'));
    }
}

} // namespace

QString shownName(const QByteArray& name)
{
    QString shown;
    bool quoted = false;
    for (qsizetype at = 0; at < name.size();) {
        char32_t code = 0;
        const int length = utf8At(name, at, code);
        if (length > 0 && !isControl(code) && code != '\\' && code != '"') {
            shown += QString::fromUtf8(name.constData() + at, length);
            at += length;
            continue;
        }
        quoted = true;
        if (length == 1) {
            shown += escaped(code);
            ++at;
            continue;
        }
        for (int i = 0; i < std::max(length, 1); ++i)
            shown += escaped(std::uint8_t(name[at + i]));
        at += std::max(length, 1);
    }
    return quoted ? QLatin1Char('"') + shown + QLatin1Char('"') : shown;
}

QString shownPath(const QString& path)
{
    return shownName(QFile::encodeName(path));
}

QString withoutControls(const QString& text)
{
    QString shown;
    for (const char32_t c : text.toUcs4()) {
        if (!isControl(c))
            shown += QString::fromUcs4(&c, 1);
        else if (c < 0x100)
            shown += escaped(c);
        else
            shown += QStringLiteral("\\u%1").arg(uint(c), 4, 16, QLatin1Char('0'));
    }
    return shown;
}

} // namespace gamecheck
