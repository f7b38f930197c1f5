// Ports, line settings and raw transfers.
#include "portlink.h"

#include <memory>

#include "common/linkframe.h"
#include "port.h"
#include "settings_text.h"

using namespace portlink;
namespace lf = club::link;

extern "C" {

uint32_t IFD_OpenPort(const char* name, const char* settings) {
    if (!name || lowest_free_slot() == 0) return 0;
    auto port = std::make_unique<Port>();
    if (!port->line.open(device_path(name))) return 0;  // 257, lost with the object
    parse_settings(settings, port->baud, port->timeouts.read_const);
    if (!port->line.configure(port->baud) || !port->line.set_timeouts(port->timeouts)) return 0;  // 258, lost too
    port->draw_session_values();
    return insert_port(std::move(port));
}

int16_t IFD_IsPortValid(uint32_t handle) { return find_port(handle) ? kSuccess : kFailure; }

int16_t IFD_ClosePort(uint32_t handle) {
    Port* p = find_port(handle);
    if (!p) return kFailure;
    p->line.close();
    p->error = 0;
    remove_port(handle);
    return kSuccess;
}

int16_t IFD_SetInterval(uint32_t handle, uint32_t ms) {
    Port* p = find_port(handle);
    if (!p) return kFailure;
    p->timeouts.read_const = ms;
    if (!p->line.set_timeouts(p->timeouts)) {
        p->error = lf::kErrSettings;
        return kFailure;
    }
    return kSuccess;
}

int16_t IFD_CommClear(uint32_t handle) {
    Port* p = find_port(handle);
    if (!p) return kFailure;
    p->line.purge();
    return kSuccess;
}

int16_t IFD_SendRaw(uint32_t handle, const uint8_t* bytes, uint32_t count) {
    Port* p = find_port(handle);
    if (!p) return kFailure;
    if (count == 0) return kSuccess;
    if (!bytes || p->line.write(bytes, count) != count) {
        p->error = lf::kErrWrite;
        return kFailure;
    }
    return kSuccess;
}

int16_t IFD_GetRaw(uint32_t handle, uint8_t* buffer, uint32_t* count) {
    Port* p = find_port(handle);
    if (!p) return kFailure;
    if (!count) return kSuccess;
    if (*count == 0) return kSuccess;
    if (!buffer) {
        *count = 0;
        p->error = lf::kErrNoAnswer;
        return kFailure;
    }
    const long n = p->line.read(buffer, *count);
    if (n < 0) {
        *count = 0;
        p->error = lf::kErrNoAnswer;
        return kFailure;
    }
    *count = static_cast<uint32_t>(n);
    return kSuccess;
}

int32_t IFD_GetErrCode(uint32_t handle) {
    Port* p = find_port(handle);
    return p ? p->error : lf::kErrBadHandle;
}

void IFD_SetErrCode(uint32_t handle, int32_t code) {
    if (Port* p = find_port(handle)) p->error = code;
}

}  // extern "C"
