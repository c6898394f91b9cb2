// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/LevelshotPicture.h"

#include "game/Levelshot.h"

#include <QBuffer>
#include <QImageReader>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace game {

namespace {

constexpr qsizetype tgaHeaderSize = 18;
// The largest side of a picture that is decoded: more than any levelshot
// needs, and little enough memory.
constexpr int largestSide = 2048;

// A TGA's pixels in the order of the file, as the renderer reads them:
// types 2 and 3 as they are, type 10 in runs; empty when the file is cut short.
std::vector<QRgb> tgaPixels(const QByteArray& bytes, qsizetype count)
{
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    const int type = data[2];
    const int size = data[16] / 8;
    qsizetype at = tgaHeaderSize + data[0];
    const auto pixel = [&] {
        const std::uint8_t* p = data + at;
        at += size;
        return size == 1 ? qRgb(p[0], p[0], p[0]) : qRgba(p[2], p[1], p[0], size == 4 ? p[3] : 255);
    };
    std::vector<QRgb> pixels;
    pixels.reserve(std::size_t(count));
    while (qsizetype(pixels.size()) < count) {
        const int packet = type == 10 && at < bytes.size() ? data[at++] : 0;
        const bool run = packet & 0x80;
        const int length = type == 10 ? 1 + (packet & 0x7f) : 1;
        if (at + (run ? 1 : length) * size > bytes.size())
            return {};
        const QRgb repeated = run ? pixel() : 0;
        for (int n = 0; n < length; ++n) {
            const QRgb next = run ? repeated : pixel();
            if (qsizetype(pixels.size()) < count) // a run may go past the last row
                pixels.push_back(next);
        }
    }
    return pixels;
}

QImage tgaPicture(const QByteArray& bytes)
{
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    const int width = data[12] | data[13] << 8;
    const int height = data[14] | data[15] << 8;
    const bool topDown = data[17] & 0x20;
    if (width == 0 || height == 0 || width > largestSide || height > largestSide)
        return {};
    const std::vector<QRgb> pixels = tgaPixels(bytes, qsizetype(width) * height);
    if (pixels.empty())
        return {};
    QImage image(width, height, QImage::Format_ARGB32);
    for (int row = 0; row < height; ++row) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(topDown ? row : height - 1 - row));
        std::copy_n(pixels.begin() + qsizetype(row) * width, width, line);
    }
    return image;
}

} // namespace

QImage levelshotPicture(const QByteArray& entryName, const QByteArray& bytes, QSize size)
{
    // As ioquake3 shows it: a greyscale JPEG, which only id's 1.32 refuses, too.
    if (const LevelshotFault fault = levelshotFault(entryName, bytes); !fault.problem.isEmpty() && !fault.onlyId132)
        return {};
    QImage picture;
    if (levelshotFormat(entryName) == "tga") {
        picture = tgaPicture(bytes);
    } else {
        QBuffer buffer;
        buffer.setData(bytes);
        QImageReader reader(&buffer, levelshotFormat(entryName));
        const QSize own = reader.size();
        if (!own.isValid() || own.width() > largestSide || own.height() > largestSide)
            return {};
        // A JPEG is decoded at the size it is shown at, the quickest way.
        reader.setScaledSize(size);
        picture = reader.read();
    }
    return picture.isNull() ? picture : picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace game
