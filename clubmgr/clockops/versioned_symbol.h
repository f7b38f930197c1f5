// Looks a link-library function up by name and symbol version.
//
// portlink and wirelink export the same names (IFD_OpenPort, HexToBin, ...), each under its
// own version node. A program that calls both cannot reference the name twice at link
// time (the linker keeps one reference per name), so the modules look each function up
// in the loaded libraries by name and version when they first need it.
#pragma once

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>

namespace clockops::link {

template <typename Fn>
Fn VersionedSymbol(const char *name, const char *version)
{
    void *symbol = dlvsym(RTLD_DEFAULT, name, version);
    if (!symbol) {
        // Both libraries are linked into the program, so this is a broken installation.
        std::fprintf(stderr, "clubmgr: %s@%s not found: %s\n", name, version, dlerror());
        std::abort();
    }
    return reinterpret_cast<Fn>(symbol);
}

} // namespace clockops::link

#define CLUB_STR2(x) #x
#define CLUB_STR(x) CLUB_STR2(x)
// Defines a forwarding function `local` that calls `name`@`version`.
#define CLUB_VERSIONED_CALL(ret, local, name, version, params, args)                                  \
    ret local params                                                                                   \
    {                                                                                                  \
        using Fn = ret(*) params;                                                                      \
        static const Fn fn = VersionedSymbol<Fn>(#name, CLUB_STR(version));                           \
        return fn args;                                                                                \
    }
