#include "platform/printing/qt/cups_library.h"

#include <dlfcn.h>

namespace platform {

namespace {

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
// Null members where libcups or one of its functions is missing.
LibcupsFunctions Loaded()
{
    LibcupsFunctions functions;
    void* library = dlopen("libcups.so.2", RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        return functions;
    }
    // The library stays loaded for the program's life. dlsym hands back
    // every symbol as an object pointer.
    // NOLINTBEGIN(cppcoreguidelines-macro-usage, cppcoreguidelines-pro-type-reinterpret-cast)
#define PELMARO_LIBCUPS_LOOK_UP(name) \
    functions.name = reinterpret_cast<decltype(&::name)>(dlsym(library, #name));
    PELMARO_LIBCUPS_FUNCTIONS(PELMARO_LIBCUPS_LOOK_UP)
#undef PELMARO_LIBCUPS_LOOK_UP
    // NOLINTEND(cppcoreguidelines-macro-usage, cppcoreguidelines-pro-type-reinterpret-cast)
    return functions;
}
#pragma GCC diagnostic pop

bool Complete(const LibcupsFunctions& functions)
{
    bool complete = true;
    // NOLINTNEXTLINE(cppcoreguidelines-macro-usage)
#define PELMARO_LIBCUPS_FOUND(name) complete = complete && functions.name != nullptr;
    PELMARO_LIBCUPS_FUNCTIONS(PELMARO_LIBCUPS_FOUND)
#undef PELMARO_LIBCUPS_FOUND
    return complete;
}

}  // namespace

const LibcupsFunctions& Libcups()
{
    static const LibcupsFunctions functions = Loaded();  // thread-safe, once
    return functions;
}

bool LoadLibcups()
{
    static const bool loaded = Complete(Libcups());
    return loaded;
}

}  // namespace platform
