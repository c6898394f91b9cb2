// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <zip.h>

namespace platform {

// The functions of libzip that the program uses.
#define MAPWRIGHT_LIBZIP_FUNCTIONS(F)                                                                                  \
    F(zip_discard) F(zip_error_fini) F(zip_error_init_with_code) F(zip_error_strerror) F(zip_fclose)                  \
    F(zip_fdopen) F(zip_fopen_index) F(zip_fread) F(zip_get_name) F(zip_get_num_entries) F(zip_stat_index)             \
    F(zip_strerror)

struct LibZip {
#define MAPWRIGHT_LIBZIP_POINTER(name) decltype(&::name) name = nullptr;
    MAPWRIGHT_LIBZIP_FUNCTIONS(MAPWRIGHT_LIBZIP_POINTER)
#undef MAPWRIGHT_LIBZIP_POINTER
};

// libzip, loaded the first time an archive is read rather than at start:
// it brings OpenSSL's libcrypto along, some 1.5 MB that no window needs,
// and start-up is the one wait a user feels every time. Nothing when the
// library cannot be loaded; `error` then says why.
const LibZip* libZip(QString* error = nullptr);

} // namespace platform
