// Hitag 2 access (version 5 readers only).
#include "rr_exchange.h"

using namespace rr;

namespace {

constexpr uint8_t kConfigPage = 3;

Command ht2(uint8_t sub) { return transponder(kGen, Family::Hitag2, sub); }

}  // namespace

extern "C" {

uint16_t HT2_Active(uint32_t port, const uint8_t key[4], uint8_t first[4], uint8_t second[4]) {
    Command c = ht2(kSelect);
    c.add(key, 4);
    Answer a;
    if (!run(port, c, &a)) {
        // A refused key still tells the chip's first answer.
        if (a.len == 4) copy_out(first, a.data, 4);
        return RR_FAIL;
    }
    if (!check_length(port, a, 8)) return RR_FAIL;
    copy_out(first, a.data, 4);
    copy_out(second, a.data + 4, 4);
    return RR_OK;
}

uint16_t HT2_ReadPage(uint32_t port, uint8_t page, uint8_t out[4]) {
    Command c = ht2(kReadPage);
    c.add(page);
    return status(run_read(port, c, out, 4));
}

uint16_t HT2_WritePage(uint32_t port, uint8_t page, const uint8_t data[4]) {
    Command c = ht2(kWritePage);
    c.add(page).add(data, 4);
    return status(run(port, c, nullptr));
}

uint16_t HT2_CheckPage(uint32_t port, uint8_t page, const uint8_t data[4]) {
    Command c = ht2(kCheckPage);
    c.add(page).add(data, 4);
    return status(run(port, c, nullptr));
}

uint16_t HT2_Deactive(uint32_t port) { return status(run(port, ht2(kRelease), nullptr)); }

uint16_t HT2_WriteConfig(uint32_t port, uint8_t value) {
    uint8_t page[4];
    if (!HT2_ReadPage(port, kConfigPage, page)) return RR_FAIL;
    const uint8_t locks = page[0] & 0xF0;
    // Lock bits already set are kept; new high bits of the value ride along only with a
    // write that another difference causes.
    if ((locks & ~value) == 0 && (page[0] & 0x0F) == (value & 0x0F)) return RR_OK;
    page[0] = uint8_t(locks | value);
    return HT2_WritePage(port, kConfigPage, page);
}

uint16_t HT2_Lock(uint32_t port, uint8_t bits) {
    uint8_t page[4];
    if (!HT2_ReadPage(port, kConfigPage, page)) return RR_FAIL;
    if ((page[0] & bits) == bits) return RR_OK;
    page[0] = uint8_t(page[0] | bits);
    return HT2_WritePage(port, kConfigPage, page);
}

uint16_t HT2_Format_MC2K64(uint32_t port, const uint8_t identity[5]) {
    if (!identity) return RR_FAIL;
    uint8_t code[8];
    em4100_encode(identity, code);
    if (!HT2_WritePage(port, 4, code) || !HT2_WritePage(port, 5, code + 4)) return RR_FAIL;
    return HT2_WriteConfig(port, 2);
}

uint16_t HT2_FormatTTF(uint32_t port, uint8_t type, const uint8_t* data) {
    if (!data) return RR_FAIL;
    if (type == 0) return HT2_Format_MC2K64(port, data);
    if (type != 3) return RR_FAIL;
    uint8_t framed[16];
    RR_BuildTelegram(3, data, framed);
    for (uint8_t i = 0; i < 4; ++i)
        if (!HT2_WritePage(port, uint8_t(4 + i), framed + 4 * i)) return RR_FAIL;
    return HT2_WriteConfig(port, 0);
}

}  // extern "C"
