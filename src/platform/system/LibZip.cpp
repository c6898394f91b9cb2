// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/LibZip.h"

#include <dlfcn.h>

namespace platform {

namespace {

struct Loaded {
    LibZip functions;
    QString error; // empty once loaded
};

Loaded load()
{
    Loaded loaded;
    void* library = ::dlopen(MAPWRIGHT_LIBZIP_SONAME, RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        loaded.error = QStringLiteral("The zip library could not be loaded: %1").arg(QString::fromLocal8Bit(::dlerror()));
        return loaded;
    }
    // The library stays loaded for the rest of the program's life.
#define MAPWRIGHT_LIBZIP_RESOLVE(name)                                                                                 \
    loaded.functions.name = reinterpret_cast<decltype(&::name)>(::dlsym(library, #name));                            \
    if (!loaded.functions.name)                                                                                        \
        loaded.error = QStringLiteral("The zip library lacks %1.").arg(QLatin1String(#name));
    MAPWRIGHT_LIBZIP_FUNCTIONS(MAPWRIGHT_LIBZIP_RESOLVE)
#undef MAPWRIGHT_LIBZIP_RESOLVE
    return loaded;
}

} // namespace

const LibZip* libZip(QString* error)
{
    static const Loaded loaded = load();
    if (loaded.error.isEmpty())
        return &loaded.functions;
    if (error)
        *error = loaded.error;
    return nullptr;
}

} // namespace platform
