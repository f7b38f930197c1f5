// The hand scanner's commands over wirelink.
#include <cstring>

#include <handscan.h>
#include <wirelink.h>

namespace {

struct Answer {
    uint8_t block[WL_BLOCK_SIZE] = {};  // zeroed before every exchange
    size_t len() const {
        const size_t n = size_t(block[2]) | size_t(block[3]) << 8;
        return n < WL_MAX_DATA ? n : WL_MAX_DATA;
    }
    const uint8_t* data() const { return block + 4; }
};

bool run(uint32_t port, uint8_t code, const uint8_t* data, size_t n, Answer* answer = nullptr) {
    uint8_t request[WL_BLOCK_SIZE] = {HS_CLASS, code, uint8_t(n), uint8_t(n >> 8)};
    if (n) std::memcpy(request + 4, data, n);
    return IFD_RunCmd(port, request, answer ? answer->block : nullptr) != 0;
}

bool at_least(uint32_t port, const Answer& a, size_t n) {
    if (a.len() >= n) return true;
    IFD_SetErrCode(port, HS_ERR_ANSWER);
    return false;
}

uint16_t status(bool ok) { return ok ? HS_OK : 0; }

// Reads a one-byte setting.
uint16_t get_setting(uint32_t port, uint8_t code, uint32_t* out) {
    Answer a;
    if (!run(port, code, nullptr, 0, &a) || !at_least(port, a, 1)) return 0;
    if (out) *out = a.data()[0];
    return HS_OK;
}

uint16_t set_setting(uint32_t port, uint8_t code, uint8_t value) { return status(run(port, code, &value, 1)); }

}  // namespace

extern "C" {

uint16_t PT_ClearRecords(uint32_t port, uint32_t value) {
    uint8_t d[12];
    std::memcpy(d, HS_CLEAR_CODE, 8);
    for (int i = 0; i < 4; ++i) d[8 + i] = uint8_t(value >> (8 * i));
    return status(run(port, 0x00, d, sizeof d));
}

uint16_t PT_GetRecordCount(uint32_t port, uint32_t* count) {
    Answer a;
    if (!run(port, 0x01, nullptr, 0, &a) || !at_least(port, a, 2)) return 0;
    if (count) *count = uint32_t(a.data()[0]) | uint32_t(a.data()[1]) << 8;
    return HS_OK;
}

uint16_t PT_GetRecord(uint32_t port, uint32_t index) {
    uint8_t d[4];
    for (int i = 0; i < 4; ++i) d[i] = uint8_t(index >> (8 * i));
    Answer a;
    return status(run(port, 0x02, d, 4, &a) && at_least(port, a, 24));
}

// Reading and writing the delay share code 0x03: no data reads, one byte writes.
uint16_t PT_GetShutDelay(uint32_t port, uint32_t* delay) { return get_setting(port, 0x03, delay); }
uint16_t PT_SetShutDelay(uint32_t port, uint8_t delay) { return set_setting(port, 0x03, delay); }
uint16_t PT_GetBeepMode(uint32_t port, uint32_t* mode) { return get_setting(port, 0x05, mode); }
uint16_t PT_SetBeepMode(uint32_t port, uint8_t mode) { return set_setting(port, 0x06, mode); }
uint16_t PT_GetScanMode(uint32_t port, uint32_t* mode) { return get_setting(port, 0x07, mode); }
uint16_t PT_SetScanMode(uint32_t port, uint8_t mode) { return set_setting(port, 0x08, mode); }
uint16_t PT_InsertEmptyRecord(uint32_t port) { return status(run(port, 0x09, nullptr, 0)); }

}  // extern "C"
