// Opening, checking and closing ports; the per-port error code.
#include "port_table.h"

#include <memory>

#include "settings_text.h"

#include "wirelink.h"

namespace wirelink {
namespace {

std::unique_ptr<Port> g_slots[kSlots];

}  // namespace

Port *find_port(uint32_t handle) {
    if (handle < 1 || handle > kSlots) return nullptr;
    Port *p = g_slots[handle - 1].get();
    return p && p->line.is_open() ? p : nullptr;
}

int read_byte(Port &port, int wait_ms) {
    portlink::Timeouts t;
    t.read_mult = 0;
    t.read_const = uint32_t(wait_ms < 0 ? 0 : wait_ms);
    port.line.set_timeouts(t);
    uint8_t b;
    return port.line.read(&b, 1) == 1 ? b : -1;
}

}  // namespace wirelink

using namespace wirelink;

extern "C" {

uint32_t IFD_OpenPort(const char *name, const char *settings) {
    uint32_t slot = 0;
    while (slot < kSlots && g_slots[slot]) ++slot;
    if (slot == kSlots || !name) return 0;
    long baud = 57600;
    uint32_t timeout = 2000;
    portlink::parse_settings(settings, baud, timeout);
    auto port = std::make_unique<Port>();
    // Not shared: a device another port holds cannot be opened again.
    if (!port->line.open(portlink::device_path(name)) || !port->line.configure(baud)) return 0;
    // A time-out beyond ten minutes is a typing error, not a wish to hang that long.
    port->read_timeout_ms = int(timeout > 600000 ? 600000 : timeout);
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
