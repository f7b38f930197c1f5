// Training flights: creating, describing, starting and listing them.
#include "common/hex.h"
#include "tc_codec.h"
#include "tc_link.h"

using namespace tc;

namespace {

uint16_t train_command(uint32_t port, uint8_t code, uint16_t train) {
    uint8_t d[2];
    put16(d, train);
    return status(run(port, code, d, 2));
}

}  // namespace

extern "C" {

uint16_t PGT_CreateTrain(uint32_t port, uint16_t train) { return train_command(port, 0x0D, train); }
uint16_t PGT_ConfirmTrain(uint32_t port, uint16_t train) { return train_command(port, 0x0F, train); }
uint16_t PGT_RemoveTrain(uint32_t port, uint16_t train) { return train_command(port, 0x10, train); }

uint16_t PGT_AddTrainItem(uint32_t port, uint16_t train, const char* tag) {
    uint8_t d[10] = {};
    put16(d, train);
    club::hex_to_bin(tag, d + 2, 8);
    Answer a;
    return status(run(port, 0x0E, d, sizeof d, &a) && at_least(port, a, 2));
}

uint16_t PGT_GetTrainCount(uint32_t port, uint32_t* count) {
    Answer a;
    if (!run(port, 0x11, nullptr, 0, &a) || !exactly(port, a, 2)) return 0;
    if (count) *count = get16(a.data);
    return TC_OK;
}

uint16_t PGT_GetTrainId(uint32_t port, uint16_t index, uint16_t* train, uint8_t* state, uint16_t* third) {
    uint8_t d[2];
    put16(d, index);
    Answer a;
    if (!run(port, 0x12, d, 2, &a) || !exactly(port, a, 5)) return 0;
    if (state) *state = a.data[0];
    if (train) *train = get16(a.data + 1);
    if (third) *third = get16(a.data + 3);
    return TC_OK;
}

uint16_t PGT_GetTrainInfo(uint32_t port, uint16_t train, double* date, uint32_t* value, char* longitude,
                          char* latitude) {
    uint8_t d[2];
    put16(d, train);
    Answer a;
    if (!run(port, 0x13, d, 2, &a) || !exactly(port, a, 18)) return 0;
    if (date) *date = bcd_to_date(a.data);
    if (value) *value = get32(a.data + 6);
    if (longitude) coord_to_text(a.data + 10, Axis::Longitude, longitude);
    if (latitude) coord_to_text(a.data + 14, Axis::Latitude, latitude);
    return TC_OK;
}

uint16_t PGT_SetTrainInfo(uint32_t port, uint16_t train, double date, uint32_t value, const char* longitude,
                          const char* latitude) {
    uint8_t d[20];
    if (!coord_to_bytes(longitude, Axis::Longitude, d + 12) || !coord_to_bytes(latitude, Axis::Latitude, d + 16)) {
        fail_request(port);
        return 0;
    }
    put16(d, train);
    date_to_bcd(date, d + 2);
    put32(d + 8, value);
    return status(run(port, 0x15, d, sizeof d));
}

uint16_t PGT_StartTrain(uint32_t port, uint16_t train, uint8_t mode) {
    uint8_t d[3];
    put16(d, train);
    d[2] = mode;
    return status(run(port, 0x16, d, 3));
}

uint16_t PGT_StopTrain(uint32_t port) { return status(run(port, 0x17, nullptr, 0)); }

uint16_t PGT_GetCurTrain(uint32_t port, uint32_t* train) {
    Answer a;
    if (!run(port, 0x18, nullptr, 0, &a) || !exactly(port, a, 2)) return 0;
    if (train) *train = get16(a.data);
    return TC_OK;
}

}  // extern "C"
