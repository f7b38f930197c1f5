// Records, logs and the card races of the training clock.
#include <cstring>

#include "common/hex.h"
#include "tc_codec.h"
#include "tc_link.h"

using namespace tc;

namespace {

void selector(uint8_t d[4], uint16_t first, uint16_t second) {
    put16(d, first);
    put16(d + 2, second);
}

}  // namespace

extern "C" {

uint16_t PGT_GetRecord(uint32_t port, uint16_t first, uint16_t second, char* text) {
    uint8_t d[4];
    selector(d, first, second);
    Answer a;
    if (!run(port, 0x14, d, 4, &a) || !exactly(port, a, 45)) return 0;
    if (text) club::bin_to_hex(a.data, 45, text);
    return TC_OK;
}

uint16_t PGT_GetTrainRecord(uint32_t port, uint16_t first, uint16_t second, char* tag, uint32_t* flags,
                            double* date) {
    uint8_t d[4];
    selector(d, first, second);
    Answer a;
    if (!run(port, 0x14, d, 4, &a) || !at_least(port, a, 13)) return 0;
    if (flags) *flags = a.data[0];
    if (tag) club::bin_to_hex(a.data + 1, 6, tag);
    if (date) *date = (a.data[0] & 0x80) ? bcd_to_date(a.data + 17) : 0.0;
    return TC_OK;
}

uint16_t PGT_GetLogId(uint32_t port, uint32_t* first, uint32_t* second) {
    Answer a;
    if (!run(port, 0x19, nullptr, 0, &a) || !at_least(port, a, 4)) return 0;
    if (first) *first = get32(a.data);
    if (second) *second = get32(a.data + 4);
    return TC_OK;
}

uint16_t PGT_GetLogInfo(uint32_t port, uint32_t id, uint32_t* type, double* date, uint32_t* length,
                        uint8_t* data) {
    uint8_t d[4];
    put32(d, id);
    Answer a;
    if (!run(port, 0x1A, d, 4, &a) || !at_least(port, a, 8)) return 0;
    if (type) *type = a.data[0];
    if (date) *date = bcd_to_date(a.data + 1);
    const size_t n = a.data[7];
    if (length) *length = uint32_t(n);
    if (data) std::memcpy(data, a.data + 8, n < TC_LOG_DATA_MAX ? n : TC_LOG_DATA_MAX);
    return TC_OK;
}

uint16_t PGT_ReadCard(uint32_t port, char* first, char* second) {
    Answer a;
    if (!run(port, 0x1B, nullptr, 0, &a)) return 0;
    if (first) club::bin_to_hex(a.data, 6, first);
    if (second) club::bin_to_hex(a.data + 6, 4, second);
    return TC_OK;
}

uint16_t PGC_ReadCard(uint32_t port, uint8_t which, uint8_t card[16]) {
    Answer a;
    if (!run(port, 0x20, &which, 1, &a)) return 0;
    if (card) std::memcpy(card, a.data, 16);
    return TC_OK;
}

uint16_t PGC_StartRace(uint32_t port, uint8_t mode, const uint8_t card[8]) {
    uint8_t d[9] = {mode};
    if (card) std::memcpy(d + 1, card, 8);
    return status(run(port, 0x21, d, sizeof d));
}

uint16_t PGC_CloseRace(uint32_t port) { return status(run(port, 0x22, nullptr, 0)); }

uint16_t PGC_GetRecord(uint32_t port, uint16_t index, uint32_t* number, uint8_t record[20]) {
    uint8_t d[2];
    put16(d, index);
    Answer a;
    if (!run(port, 0x23, d, 2, &a)) return 0;
    if (a.len >= 1 && a.data[0] == 0 && a.data[1] == 0) {  // an empty slot
        if (number) *number = 0;
        return TC_OK;
    }
    if (!at_least(port, a, 22)) return 0;
    if (number) *number = get16(a.data);
    if (record) std::memcpy(record, a.data + 2, 20);
    return TC_OK;
}

}  // extern "C"
