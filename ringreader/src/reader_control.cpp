// Reader control and Hitag S page access.
#include "rr_exchange.h"

using namespace rr;

extern "C" {

uint16_t RF_Config(uint32_t port, uint8_t value) { return status(run(port, rf_config(kGen, value), nullptr)); }

uint16_t RF_Reset(uint32_t port, uint16_t value) { return status(run(port, rf_reset(kGen, value), nullptr)); }

#if RINGREADER_VERSION == 5
uint16_t SC_DriverSignal(uint32_t port, uint8_t signal, uint8_t p1, uint8_t p2, uint8_t p3) {
    return status(run(port, driver_signal(signal, p1, p2, p3), nullptr));
}

uint16_t SC_DoBell(uint32_t port, uint8_t p1, uint8_t p2, uint8_t p3) { return SC_DriverSignal(port, 0, p1, p2, p3); }
#endif

uint16_t HTS_Active(uint32_t port, uint8_t uid[4]) {
    return status(run_read(port, transponder(kGen, Family::HitagS, kSelect), uid, 4));
}

#if RINGREADER_VERSION == 6
uint16_t HTS_ActiveEx(uint32_t port, uint8_t uid[4], uint8_t extra[4]) {
    Answer a;
    if (!run(port, transponder(kGen, Family::HitagS, kSelect), &a) || !check_length(port, a, 8)) return RR_FAIL;
    copy_out(uid, a.data, 4);
    copy_out(extra, a.data + 4, 4);
    return RR_OK;
}

uint16_t HTS_Auth(uint32_t port, uint8_t uid[4], const uint8_t key[6], int32_t returnAnswer) {
    Command c = transponder(kGen, Family::HitagS, kAuth);
    c.add(uid, 4).add(key, 6);
    return status(run_read(port, c, returnAnswer ? uid : nullptr, 4));
}
#endif

uint16_t HTS_ReadPage(uint32_t port, uint8_t page, uint8_t out[4]) {
    Command c = transponder(kGen, Family::HitagS, kReadPage);
    c.add(page);
    return status(run_read(port, c, out, 4));
}

uint16_t HTS_WritePage(uint32_t port, uint8_t page, const uint8_t data[4]) {
    Command c = transponder(kGen, Family::HitagS, kWritePage);
    c.add(page).add(data, 4);
    return status(run(port, c, nullptr));
}

uint16_t HTS_ReadBlock(uint32_t port, uint8_t block, uint8_t out[16]) {
    Command c = transponder(kGen, Family::HitagS, kReadBlock);
    c.add(block);
    return status(run_read(port, c, out, 16));
}

uint16_t HTS_WriteBlock(uint32_t port, uint8_t block, const uint8_t data[16]) {
    Command c = transponder(kGen, Family::HitagS, kWriteBlock);
    c.add(block).add(data, 16);
    return status(run(port, c, nullptr));
}

uint16_t HTS_Deactive(uint32_t port) { return status(run(port, transponder(kGen, Family::HitagS, kRelease), nullptr)); }

}  // extern "C"
