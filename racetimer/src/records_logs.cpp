// Arrival records of a race, the clock's log and its external reader units.
#include <algorithm>
#include <cstring>

#include "command.h"
#include "device_date.h"
#include "racetimer.h"

using namespace racetimer;

namespace {
constexpr uint8_t kRaceTagCount = 0x15, kRaceRecord = 0x16, kLogId = 0x19, kLogHead = 0x1A,
                  kLogBody = 0x1B, kReaderCount = 0x21, kReaderInfo = 0x22;
constexpr size_t kRecordSize = 48;
constexpr size_t kLogPiece = 48;
constexpr size_t kLogMax = 2 * kLogPiece;

bool read_log_piece(uint32_t port, uint32_t id, uint8_t offset, uint8_t count, uint8_t *out) {
    uint8_t data[6];
    put32(data, id);
    data[4] = offset;
    data[5] = count;
    Answer a;
    if (!run(port, kLogBody, data, sizeof data, a, count)) return false;
    std::memcpy(out, a.data(), count);
    return true;
}

int16_t get_log(uint32_t port, uint32_t id, uint32_t *type, double *date, char *text, bool local) {
    if (date) *date = 0.0;
    uint8_t data[4];
    put32(data, id);
    Answer head;
    if (!run(port, kLogHead, data, sizeof data, head, 8)) return kFail;
    const uint8_t kind = head.data()[0];
    const size_t len = std::min<size_t>(head.data()[1], kLogMax);
    double d = device_to_date(head.data() + 2);
    if (local && d != 0.0) d -= utc_bias_days();

    uint8_t body[kLogMax];
    const uint8_t first = uint8_t(std::min(len, kLogPiece));
    if (first && !read_log_piece(port, id, 0, first, body)) return kFail;
    if (len > kLogPiece && !read_log_piece(port, id, kLogPiece, uint8_t(len - kLogPiece),
                                           body + kLogPiece))
        return kFail;

    if (type) *type = kind;
    if (date) *date = d;
    if (text) to_hex(body, len, text);
    return kOk;
}

}  // namespace

extern "C" {

int16_t PGT_GetRaceTagCount(uint32_t port, const char *race, uint16_t kind, uint32_t *count) {
    uint8_t data[6];
    hex_bytes(race, data, 4);
    put16(data + 4, kind);
    Answer a;
    if (!run(port, kRaceTagCount, data, sizeof data, a, 2)) return kFail;
    if (count) *count = get16(a.data());
    return kOk;
}

int16_t PGT_GetRaceRecord(uint32_t port, const char *race, uint16_t kind, uint16_t index,
                          char *text) {
    uint8_t data[8];
    hex_bytes(race, data, 4);
    put16(data + 4, kind);
    put16(data + 6, index);
    Answer a;
    if (!run(port, kRaceRecord, data, sizeof data, a, kRecordSize)) return kFail;
    if (text) to_hex(a.data(), kRecordSize, text);
    return kOk;
}

int16_t PGT_GetLogId(uint32_t port, uint32_t *first, uint32_t *second) {
    Answer a;
    if (!run(port, kLogId, nullptr, 0, a, 8)) return kFail;
    if (first) *first = get32(a.data());
    if (second) *second = get32(a.data() + 4);
    return kOk;
}

int16_t PGT_GetLog(uint32_t port, uint32_t id, uint32_t *type, double *date, char *text) {
    return get_log(port, id, type, date, text, false);
}

int16_t PGT_GetLog_V2(uint32_t port, uint32_t id, uint32_t *type, double *date, char *text) {
    return get_log(port, id, type, date, text, true);
}

int16_t PGT_GetOutReaderCount(uint32_t port, uint32_t *count) {
    Answer a;
    if (!run(port, kReaderCount, nullptr, 0, a, 4)) return kFail;
    if (count) *count = get32(a.data());
    return kOk;
}

int16_t PGT_GetOutReaderInfo(uint32_t port, uint32_t index, char *text) {
    uint8_t data[4];
    put32(data, index);
    Answer a;
    if (!run(port, kReaderInfo, data, sizeof data, a, 8)) return kFail;
    if (text) to_hex(a.data(), std::min<size_t>(a.length(), WL_MAX_DATA), text);
    return kOk;
}

}  // extern "C"
