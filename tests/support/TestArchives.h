// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Small archives built in the tests, through libzip, with each entry's
// compression and encryption as asked; and the smallest map the game loads.
#include "support/Testing.h"

#include <zip.h>

#include <cstring>
#include <vector>

struct TestEntry {
    QByteArray name;
    QByteArray bytes;
    zip_int32_t method = ZIP_CM_DEFLATE;
    bool encrypted = false;
};

// Creates or replaces the archive; fails the test if libzip cannot write it.
inline void writeArchive(const QString& path, const std::vector<TestEntry>& entries)
{
    int error = 0;
    zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(archive, nullptr) << "libzip error " << error;
    for (const TestEntry& entry : entries) {
        zip_source_t* source = zip_source_buffer(archive, entry.bytes.constData(), zip_uint64_t(entry.bytes.size()), 0);
        const zip_int64_t index = zip_file_add(archive, entry.name.constData(), source, ZIP_FL_ENC_RAW);
        ASSERT_GE(index, 0) << zip_strerror(archive);
        ASSERT_EQ(zip_set_file_compression(archive, zip_uint64_t(index), entry.method, 0), 0) << zip_strerror(archive);
        if (entry.encrypted) {
            ASSERT_EQ(zip_file_set_encryption(archive, zip_uint64_t(index), ZIP_EM_AES_256, "secret"), 0);
        }
    }
    ASSERT_EQ(zip_close(archive), 0) << zip_strerror(archive);
}

// A map of one leaf in one node, with one plane, one shader, one model and
// a worldspawn: as little as the game's loader takes.
inline QByteArray smallestBsp()
{
    const auto ints = [](std::initializer_list<qint32> values) {
        QByteArray bytes;
        for (const qint32 value : values)
            bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
        return bytes;
    };
    const auto floats = [](std::initializer_list<float> values) {
        QByteArray bytes;
        for (const float value : values)
            bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
        return bytes;
    };
    QByteArray entities("{\n\"classname\" \"worldspawn\"\n}\n");
    entities += '\0';
    const QByteArray lumps[17] = {
        entities,
        QByteArray("textures/judge").leftJustified(64, '\0') + ints({0, 1}),
        floats({0, 0, 1, 0}),
        ints({0, -1, -1, -64, -64, -64, 64, 64, 64}),
        ints({0, 0, -64, -64, -64, 64, 64, 64, 0, 0, 0, 0}),
        {},
        {},
        floats({-64, -64, -64, 64, 64, 64}) + ints({0, 0, 0, 0}),
    };
    QByteArray header = "IBSP" + ints({46});
    QByteArray body;
    const qint32 start = qint32(header.size() + 17 * 8);
    for (const QByteArray& lump : lumps) {
        header += ints({start + qint32(body.size()), qint32(lump.size())});
        body += lump;
        while (body.size() % 4)
            body += '\0';
    }
    return header + body;
}
