// Opening, checking and closing ports; the per-port error code.
#include "port_table.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <strings.h>

#include "wirelink.h"

namespace wirelink {
namespace {

std::unique_ptr<Port> g_slots[kSlots];

// A signed decimal after leading blanks; false when there is none.
bool read_number(const char *p, long &out) {
    char *end = nullptr;
    long v = std::strtol(p, &end, 10);
    if (end == p) return false;
    out = v;
    return true;
}

}  // namespace

Port *find_port(uint32_t handle) {
    if (handle < 1 || handle > kSlots) return nullptr;
    Port *p = g_slots[handle - 1].get();
    return p && p->line.is_open() ? p : nullptr;
}

void parse_settings(const char *text, LinkSettings &settings) {
    if (!text) return;
    const char *p = text;
    while (*p) {
        long v;
        if (strncasecmp(p, "baud", 4) == 0 && p[4]) {
            if (read_number(p + 5, v)) settings.baud = v;
        } else if (strncasecmp(p, "timeout=", 8) == 0) {
            // A negative or absurd time-out would make every wait unbounded or zero.
            if (read_number(p + 8, v) && v >= 0 && v <= 600000) settings.timeout_ms = int(v);
        }
        const char *semi = std::strchr(p, ';');
        if (!semi) break;
        p = semi + 1;
    }
}

}  // namespace wirelink

using namespace wirelink;

extern "C" {

uint32_t IFD_OpenPort(const char *name, const char *settings) {
    uint32_t slot = 0;
    while (slot < kSlots && g_slots[slot]) ++slot;
    if (slot == kSlots || !name) return 0;
    LinkSettings s;
    parse_settings(settings, s);
    auto port = std::make_unique<Port>();
    if (port->line.open(device_path(name), s.baud) != SerialPort::OpenResult::Ok) return 0;
    port->read_timeout_ms = s.timeout_ms;
    g_slots[slot] = std::move(port);
    return slot + 1;
}

int16_t IFD_IsPortValid(uint32_t handle) { return find_port(handle) ? -1 : 0; }

int16_t IFD_ClosePort(uint32_t handle) {
    if (!find_port(handle)) return 0;
    g_slots[handle - 1].reset();
    return -1;
}

int32_t IFD_GetErrCode(uint32_t handle) {
    Port *p = find_port(handle);
    return p ? p->error : WL_ERR_BAD_HANDLE;
}

void IFD_SetErrCode(uint32_t handle, int32_t code) {
    if (Port *p = find_port(handle)) p->error = code;
}

}  // extern "C"
