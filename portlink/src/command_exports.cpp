// Command runners and the link's own system commands.
#include <cstring>

#include "common/hex.h"
#include "common/linkframe.h"
#include "exchange.h"
#include "portlink.h"

using namespace portlink;
namespace lf = club::link;

namespace {

const uint8_t kIspAccessCode[8] = {0x6E, 0x13, 0xA9, 0x54, 0xC1, 0x0B, 0x97, 0xE6};

// Hexadecimal text into exactly n bytes; bytes the text does not supply are 0.
void hex_bytes(const char* text, uint8_t* out, size_t n) {
    std::memset(out, 0, n);
    club::hex_to_bin(text, out, n);
}

// Plain runner (flags 00) without the exact-flags rule; the answer block is returned.
bool plain_exchange(Port& port, uint8_t command, const uint8_t* data, uint8_t count, uint8_t* answer) {
    uint8_t request[3 + 8] = {0, command, count};
    std::memcpy(request + 3, data, count);
    uint8_t flags = 0;
    return exchange(port, 0x00, request, &flags, answer);
}

}  // namespace

extern "C" {

int16_t IFD_RunCmd(uint32_t handle, uint8_t* flags, const uint8_t* request, uint8_t* answer) {
    Port* p = find_port(handle);
    if (!p) return kFailure;
    return exchange(*p, flags ? *flags : 0x00, request, flags, answer) ? kSuccess : kFailure;
}

int16_t IFD_RunSysCmd(uint32_t handle, uint32_t command, const uint8_t* data, uint32_t count, uint8_t* out,
                      uint32_t* capacity) {
    Port* p = find_port(handle);
    if (!p) return kFailure;
    return run_command(*p, 0x00, lf::kFlagAnswer, static_cast<uint8_t>(command), data, count, out, capacity)
               ? kSuccess
               : kFailure;
}

int16_t IFD_RunUserCmd(uint32_t handle, uint32_t command, const uint8_t* data, uint32_t count, uint8_t* out,
                       uint32_t* capacity) {
    Port* p = find_port(handle);
    if (!p) return kFailure;
    return run_command(*p, 0xC1, 0xC3, static_cast<uint8_t>(command), data, count, out, capacity) ? kSuccess
                                                                                                   : kFailure;
}

int16_t IFD_GetState(uint32_t handle, uint32_t* state) {
    Port* p = find_port(handle);
    if (!p) return kFailure;
    const uint8_t sub = 0x00;
    uint8_t answer[kAnswerBlock];
    if (!plain_exchange(*p, 0x00, &sub, 1, answer)) return kFailure;
    if (answer[2] < 1) {
        p->error = lf::kErrMalformed;
        return kFailure;
    }
    if (state) *state = answer[3];
    return kSuccess;
}

int16_t PG_GetDevState(uint32_t handle, uint32_t* state) { return IFD_GetState(handle, state); }

int16_t IFD_GetDevNo(uint32_t handle, char* devno) {
    Port* p = find_port(handle);
    if (!p) return kFailure;
    const uint8_t sub = 0x01;
    uint8_t number[4];
    uint32_t cap = 4;
    if (!run_command(*p, 0x00, lf::kFlagAnswer, 0x00, &sub, 1, number, &cap)) return kFailure;
    if (cap < 4) {
        p->error = lf::kErrMalformed;
        return kFailure;
    }
    if (devno) club::bin_to_hex(number, 4, devno);
    return kSuccess;
}

int16_t IFD_GetDevAddr(uint32_t handle, const char* devno, char* address) {
    Port* p = find_port(handle);
    if (!p) return kFailure;
    uint8_t data[5] = {0x02};
    hex_bytes(devno, data + 1, 4);
    uint8_t addr[2];
    uint32_t cap = 2;
    if (!run_command(*p, 0x00, lf::kFlagAnswer, 0x00, data, sizeof data, addr, &cap)) return kFailure;
    if (cap < 2) {
        p->error = lf::kErrMalformed;
        return kFailure;
    }
    if (address) club::bin_to_hex(addr, 2, address);
    return kSuccess;
}

int16_t IFD_SetDevAddr(uint32_t handle, const char* devno, const char* address) {
    Port* p = find_port(handle);
    if (!p) return kFailure;
    uint8_t data[7] = {0x02};
    hex_bytes(address, data + 1, 2);
    hex_bytes(devno, data + 3, 4);
    return run_command(*p, 0x00, lf::kFlagAnswer, 0x01, data, sizeof data, nullptr, nullptr) ? kSuccess : kFailure;
}

int16_t IFD_ActiveIsp(uint32_t handle) {
    Port* p = find_port(handle);
    if (!p) return kFailure;
    uint8_t answer[kAnswerBlock];
    return plain_exchange(*p, 0x04, kIspAccessCode, 8, answer) ? kSuccess : kFailure;
}

int16_t IFD_SetBaseAddr(uint32_t handle, const char* address) {
    Port* p = find_port(handle);
    if (!p) return kFailure;
    hex_bytes(address, p->base, 2);
    return kSuccess;
}

int16_t IFD_SelectDev(uint32_t handle, const char* address) {
    Port* p = find_port(handle);
    if (!p) return kFailure;
    hex_bytes(address, p->device, 2);
    return kSuccess;
}

}  // extern "C"
