// Site settings of the clock: clear, site name and position, URLs, upload mode.
#include <cstring>

#include "command.h"
#include "device_text.h"
#include "racetimer.h"

using namespace racetimer;

namespace {
constexpr uint8_t kClear = 0x00, kSetSite = 0x01, kGetSite = 0x02, kSetUrl = 0x03,
                  kGetUrl = 0x04, kSetUpload = 0x05, kGetUpload = 0x06;
constexpr size_t kMaxUrl = WL_MAX_DATA - 5;
constexpr int32_t kErrRequest = 268;
}  // namespace

extern "C" {

int16_t PGT_Clear(uint32_t port, uint8_t what) {
    Answer a;
    return status(run(port, kClear, &what, 1, a, 0));
}

int16_t PGT_SetSiteInfo(uint32_t port, const char *name, int32_t longitude, int32_t latitude) {
    uint8_t data[8 + kTextBytes] = {};
    put32(data, uint32_t(longitude));
    put32(data + 4, uint32_t(latitude));
    encode_device_text(name, data + 8);
    Answer a;
    return status(run(port, kSetSite, data, sizeof data, a, 0));
}

int16_t PGT_GetSiteInfo(uint32_t port, char *name, int32_t *longitude, int32_t *latitude) {
    Answer a;
    if (!run(port, kGetSite, nullptr, 0, a, 8)) return kFail;
    if (longitude) *longitude = int32_t(get32(a.data()));
    if (latitude) *latitude = int32_t(get32(a.data() + 4));
    // The name field may reach past the answer's length; the zeroed block reads as
    // zeros there, which is an empty or shorter text.
    if (name) decode_device_text(a.data() + 8, name);
    return kOk;
}

int16_t PGT_SetURL(uint32_t port, uint8_t index, const char *url) {
    size_t len = url ? std::strlen(url) : 0;
    if (len > kMaxUrl) {
        // A longer URL would not fit the request; sending it cut would store a wrong
        // address in the clock, so it is refused.
        IFD_SetErrCode(port, kErrRequest);
        return kFail;
    }
    uint8_t data[WL_MAX_DATA] = {};
    put32(data, index);
    data[4] = uint8_t(len);
    if (len) std::memcpy(data + 5, url, len);
    Answer a;
    return status(run(port, kSetUrl, data, len + 5, a, 0));
}

int16_t PGT_GetURL(uint32_t port, uint8_t index, char *url) {
    Answer a;
    if (!run(port, kGetUrl, &index, 1, a, 0)) return kFail;
    // The length byte is taken without checking the answer's length: an answer without
    // data reads as zeros, an empty text.
    size_t len = a.data()[0];
    if (len > WL_MAX_DATA - 1) len = WL_MAX_DATA - 1;
    if (url) {
        std::memcpy(url, a.data() + 1, len);
        url[len] = 0;
    }
    return kOk;
}

int16_t PGT_SetUploadMode(uint32_t port, uint8_t first, uint8_t second, uint16_t third) {
    uint8_t data[4] = {first, second};
    put16(data + 2, third);
    Answer a;
    return status(run(port, kSetUpload, data, sizeof data, a, 0));
}

int16_t PGT_GetUploadMode(uint32_t port, uint8_t *first, uint8_t *second, uint16_t *third) {
    Answer a;
    if (!run(port, kGetUpload, nullptr, 0, a, 4)) return kFail;
    if (first) *first = a.data()[0];
    if (second) *second = a.data()[1];
    if (third) *third = uint16_t(get16(a.data() + 2));
    return kOk;
}

}  // extern "C"
