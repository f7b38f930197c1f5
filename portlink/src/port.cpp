#include "port.h"

#include <sys/random.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <algorithm>

namespace portlink {
namespace {

// Emptied when the library is loaded; its destructor closes every port still open when
// the library is unloaded.
std::array<std::unique_ptr<Port>, kSlots> g_ports;

void secure_random(uint8_t* out, size_t n) {
    size_t got = 0;
    while (got < n) {
        const ssize_t r = ::getrandom(out + got, n - got, 0);
        if (r > 0) {
            got += size_t(r);
        } else if (r < 0 && errno != EINTR) {
            // No getrandom(): the kernel's pool through the device instead.
            if (FILE* f = std::fopen("/dev/urandom", "rb")) {
                got += std::fread(out + got, 1, n - got, f);
                std::fclose(f);
            }
            if (got < n) std::abort();  // never hand out predictable keys
        }
    }
}

}  // namespace

Port::Port() { draw_session_values(); }

void Port::draw_session_values() {
    uint8_t r[20];
    secure_random(r, sizeof r);
    std::copy(r, r + 4, session);
    std::copy(r + 4, r + 12, data_key);
    std::copy(r + 12, r + 20, mac_key);
    club::des_set_key(data_ks, data_key);
    club::des_set_key(mac_ks, mac_key);
}

Port* find_port(uint32_t handle) {
    if (handle < 1 || handle > kSlots) return nullptr;
    Port* p = g_ports[handle - 1].get();
    return p && p->line.is_open() ? p : nullptr;
}

uint32_t lowest_free_slot() {
    for (uint32_t i = 0; i < kSlots; ++i)
        if (!g_ports[i]) return i + 1;
    return 0;
}

uint32_t insert_port(std::unique_ptr<Port> port) {
    const uint32_t h = lowest_free_slot();
    if (h) g_ports[h - 1] = std::move(port);
    return h;
}

void remove_port(uint32_t handle) {
    if (handle >= 1 && handle <= kSlots) g_ports[handle - 1].reset();
}

}  // namespace portlink
