// Writing a ring's identity code and configuration (Hitag S).
#include "rr_exchange.h"

using namespace rr;

namespace {

bool equal(const uint8_t* a, const uint8_t* b, size_t n) { return std::memcmp(a, b, n) == 0; }

bool read_both(uint32_t port, uint8_t out[8]) {
    return HTS_ReadPage(port, 4, out) && HTS_ReadPage(port, 5, out + 4);
}

// Writes pages 4-5 unconditionally, reads them back and sets the configuration.
uint16_t format_em4100(uint32_t port, const uint8_t identity[5], uint8_t config) {
    if (!identity) return RR_FAIL;
    uint8_t code[8], back[8];
    em4100_encode(identity, code);
    if (!HTS_WritePage(port, 4, code) || !HTS_WritePage(port, 5, code + 4)) return RR_FAIL;
    if (!read_both(port, back) || !equal(back, code, 8)) return RR_FAIL;
    return HTS_WriteConfig(port, config);
}

}  // namespace

extern "C" {

void RR_EncodeEm4100(const uint8_t identity[5], uint8_t out[8]) { em4100_encode(identity, out); }

int32_t RR_DecodeEm4100(const uint8_t in[8], uint8_t identity[5]) { return em4100_decode(in, identity) ? 1 : 0; }

int32_t RR_BuildTelegram(uint8_t type, const uint8_t* data, uint8_t out[16]) {
    uint8_t telegram[13];
    if (type == 2)
        telegram_data(data, telegram);
    else if (type == 3)
        telegram_code(data, telegram);
    else
        return 0;
    frame_telegram(telegram, out);
    return 1;
}

uint16_t HTS_ChangePigeon(uint32_t port, const uint8_t identity[5]) {
    if (!identity) return RR_FAIL;
    uint8_t code[8], page[4];
    em4100_encode(identity, code);
    // Only pages that differ are written: a ring page takes only so many writes.
    for (int i = 0; i < 2; ++i) {
        const uint8_t want = uint8_t(4 + i);
        if (!HTS_ReadPage(port, want, page)) return RR_FAIL;
        if (!equal(page, code + 4 * i, 4) && !HTS_WritePage(port, want, code + 4 * i)) return RR_FAIL;
    }
    uint8_t back[8];
    return status(read_both(port, back) && equal(back, code, 8));
}

uint16_t HTS_FormatPigeon(uint32_t port, const uint8_t identity[5], int32_t mode, int32_t lock) {
    if (!HTS_ChangePigeon(port, identity)) return RR_FAIL;
    if (!HTS_WriteConfig(port, mode ? RR_CFG_PIGEON_MODE : RR_CFG_PIGEON)) return RR_FAIL;
    return lock ? HTS_Fuse(port, RR_FUSE_LOCK) : RR_OK;
}

uint16_t HTS_Format_MC2K64(uint32_t port, const uint8_t identity[5]) {
    return format_em4100(port, identity, RR_CFG_MC2K64);
}

uint16_t HTS_Format_BC2K64(uint32_t port, const uint8_t identity[5]) {
    return format_em4100(port, identity, RR_CFG_BC2K64);
}

#if RINGREADER_VERSION == 5
uint16_t HTS_FormatTTF(uint32_t port, uint8_t type, const uint8_t* data) {
    if (!data) return RR_FAIL;
    if (type == 0) return HTS_Format_MC2K64(port, data);
    if (type == 1) return HTS_Format_BC2K64(port, data);
    uint8_t framed[16], back[16];
    if (!RR_BuildTelegram(type, data, framed)) return RR_FAIL;
    if (!HTS_WriteBlock(port, 1, framed)) return RR_FAIL;
    if (!HTS_ReadBlock(port, 1, back) || !equal(back, framed, 16)) return RR_FAIL;
    return HTS_WriteConfig(port, type == 2 ? RR_CFG_TTF_ISO_DATA : RR_CFG_TTF_ISO_CODE);
}
#endif

uint16_t HTS_WriteConfig(uint32_t port, uint8_t value) {
    uint8_t page[4];
    if (!HTS_ReadPage(port, 1, page)) return RR_FAIL;
    if (page[1] == value) return RR_OK;
    if (page[1] & RR_CFG_LOCKED) return RR_FAIL;
    page[1] = value;
    if (!HTS_WritePage(port, 1, page)) return RR_FAIL;
    if (!HTS_ReadPage(port, 1, page)) return RR_FAIL;
    return status(page[1] == value);
}

uint16_t HTS_Fuse(uint32_t port, uint8_t bits) {
    uint8_t page[4];
    if (!HTS_ReadPage(port, 1, page)) return RR_FAIL;
    page[2] = uint8_t(page[2] | bits);
    return HTS_WritePage(port, 1, page);
}

}  // extern "C"
