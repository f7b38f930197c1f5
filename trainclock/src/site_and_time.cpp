// Site data, phone numbers, clock time and tag lookup.
#include <cstring>

#include "common/hex.h"
#include "tc_codec.h"
#include "tc_link.h"

using namespace tc;

extern "C" {

uint16_t PGT_Clear(uint32_t port, uint8_t what) { return status(run(port, 0x00, &what, 1)); }

uint16_t PGT_SetSiteInfo(uint32_t port, const char* name, const char* longitude, const char* latitude) {
    uint8_t d[33];
    if (!coord_to_bytes(longitude, Axis::Longitude, d) || !coord_to_bytes(latitude, Axis::Latitude, d + 4)) {
        fail_request(port);
        return 0;
    }
    name_to_device(name, d + 8);
    return status(run(port, 0x01, d, sizeof d));
}

uint16_t PGT_GetSiteInfo(uint32_t port, char* name, char* longitude, char* latitude) {
    Answer a;
    if (!run(port, 0x02, nullptr, 0, &a) || !at_least(port, a, 8)) return 0;
    if (longitude) coord_to_text(a.data, Axis::Longitude, longitude);
    if (latitude) coord_to_text(a.data + 4, Axis::Latitude, latitude);
    name_from_device(a.data + 8, name, TC_NAME_MAX);
    return TC_OK;
}

uint16_t PGT_SetPhoneCall(uint32_t port, uint8_t index, const char* digits) {
    uint8_t d[17];
    phone_to_device(index, digits, d);
    return status(run(port, 0x05, d, sizeof d));
}

uint16_t PGT_GetPhoneCall(uint32_t port, uint8_t index, char* digits) {
    Answer a;
    if (!run(port, 0x06, &index, 1, &a) || !exactly(port, a, 16)) return 0;
    if (digits) phone_from_device(a.data, digits);
    return TC_OK;
}

uint16_t PGT_SetTime(uint32_t port, double date) {
    uint8_t d[6];
    date_to_bcd(date, d);
    return status(run(port, 0x07, d, sizeof d));
}

uint16_t PGT_GetTime(uint32_t port, double* date) {
    Answer a;
    if (!run(port, 0x08, nullptr, 0, &a) || !at_least(port, a, 6)) return 0;
    if (date) *date = bcd_to_date(a.data);
    return TC_OK;
}

uint16_t PGC_SetTime(uint32_t port, double date) { return PGT_SetTime(port, date); }
uint16_t PGC_GetTime(uint32_t port, double* date) { return PGT_GetTime(port, date); }

uint16_t PGT_GetTagInfo(uint32_t port, uint16_t first, uint16_t second, char* tag, uint32_t* state) {
    uint8_t d[4];
    put16(d, first);
    put16(d + 2, second);
    Answer a;
    if (!run(port, 0x0C, d, 4, &a) || !exactly(port, a, 9)) return 0;
    if (tag) club::bin_to_hex(a.data, 8, tag);
    if (state) *state = a.data[8];
    return TC_OK;
}

}  // extern "C"
