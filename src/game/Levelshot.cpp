// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/Levelshot.h"

#include <QBuffer>
#include <QByteArrayList>
#include <QImageReader>

namespace game {

namespace {

constexpr std::uint64_t tgaHeaderSize = 18;
// A JPEG's frame header may follow large metadata segments.
constexpr std::uint64_t jpegHeaderSearch = 64 * 1024;

// TGA: Qt has no reader for it here, and the header's few bytes say all.
QString tgaProblem(const QByteArray& header)
{
    if (std::uint64_t(header.size()) < tgaHeaderSize)
        return QStringLiteral("a TGA cut short");
    const int colourMapType = std::uint8_t(header[1]);
    const int imageType = std::uint8_t(header[2]);
    const int bitsPerPixel = std::uint8_t(header[16]);
    if (imageType != 2 && imageType != 3 && imageType != 10)
        return QStringLiteral("a TGA of type %1, not 2, 3 or 10").arg(imageType);
    if (colourMapType != 0)
        return QStringLiteral("a TGA with a colour map");
    // Grey pictures (type 3) come at 8 bits too.
    if (bitsPerPixel != 24 && bitsPerPixel != 32 && !(imageType == 3 && bitsPerPixel == 8))
        return QStringLiteral("a TGA of %1 %2 per pixel, not 24 or 32")
            .arg(bitsPerPixel)
            .arg(bitsPerPixel == 1 ? QStringLiteral("bit") : QStringLiteral("bits"));
    return {};
}

// The number of colour components of a JPEG, from its frame header; 0 when
// the header is not within `bytes`.
int jpegComponents(const QByteArray& bytes)
{
    qsizetype at = 2; // after the start-of-image marker
    while (at + 4 <= bytes.size() && std::uint8_t(bytes[at]) == 0xFF) {
        const int marker = std::uint8_t(bytes[at + 1]);
        const int length = std::uint8_t(bytes[at + 2]) << 8 | std::uint8_t(bytes[at + 3]);
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame)
            return at + 9 < bytes.size() ? std::uint8_t(bytes[at + 9]) : 0;
        at += 2 + length;
    }
    return 0;
}

LevelshotFault imageFault(const QByteArray& header, const QByteArray& format)
{
    QBuffer buffer;
    buffer.setData(header);
    QImageReader reader(&buffer, format);
    if (!reader.canRead())
        return {QStringLiteral("not a %1 picture").arg(QString::fromLatin1(format.toUpper()))};
    if (format == "jpg") {
        // ioquake3 and Quake3e have the JPEG library give them RGB, which
        // it makes of grey; id's 1.32 renderer takes what the file holds.
        const int components = jpegComponents(header);
        if (components == 1)
            return {QStringLiteral("a greyscale JPEG, not RGB"), true};
        if (components == 4)
            return {QStringLiteral("a CMYK JPEG, not RGB")};
    }
    return {};
}

QByteArray extensionOf(const QByteArray& entryName)
{
    return entryName.mid(entryName.lastIndexOf('.') + 1).toLower();
}

} // namespace

QByteArrayList levelshotNames(const QByteArray& map)
{
    QByteArrayList names;
    for (const char* extension : {"tga", "jpg", "jpeg", "png"})
        names << "levelshots/" + map + "." + extension;
    return names;
}

std::uint64_t levelshotHeaderSize(const QByteArray& entryName)
{
    return levelshotFormat(entryName) == "tga" ? tgaHeaderSize : jpegHeaderSearch;
}

LevelshotFault levelshotFault(const QByteArray& entryName, const QByteArray& header)
{
    const QByteArray format = levelshotFormat(entryName);
    return format == "tga" ? LevelshotFault{tgaProblem(header)} : imageFault(header, format);
}

QByteArray levelshotFormat(const QByteArray& entryName)
{
    const QByteArray extension = extensionOf(entryName);
    return extension == "tga" || extension == "png" ? extension : QByteArray("jpg");
}

} // namespace game
