// Races in the clock: create, describe, add tags, confirm, start, close, verify, and
// reading single race fields.
#include <cstring>

#include "command.h"
#include "device_date.h"
#include "device_text.h"
#include "racetimer.h"

using namespace racetimer;

namespace {
constexpr uint8_t kCreate = 0x0C, kSetField = 0x0D, kAddTag = 0x0E, kConfirm = 0x0F,
                  kStart = 0x10, kClose = 0x11, kVerify = 0x12, kCurrent = 0x13,
                  kGetField = 0x14;
constexpr uint8_t kFieldMode = 0x00, kFieldFlyTime = 0x01, kFieldValidate = 0x02,
                  kFieldLocation = 0x03, kFieldDesc = 0x05, kFieldT1 = 0x11,
                  kFieldT2Device = 0x12, kFieldT2Auth = 0x13;

void race_bytes(const char *race, uint8_t *out) { hex_bytes(race, out, 4); }

// Race identifier, field code and 3 zero bytes: the head of every field request.
void field_head(uint8_t *data, const char *race, uint8_t field) {
    race_bytes(race, data);
    data[4] = field;
    data[5] = data[6] = data[7] = 0;
}

int16_t set_date_field(uint32_t port, const char *race, uint8_t field, double date) {
    uint8_t data[16] = {};
    field_head(data, race, field);
    date_to_device(date, data + 8);
    Answer a;
    return status(run(port, kSetField, data, sizeof data, a, 0));
}

bool get_field(uint32_t port, const char *race, uint8_t field, size_t min_len, Answer &a) {
    uint8_t data[8];
    field_head(data, race, field);
    return run(port, kGetField, data, sizeof data, a, min_len);
}

int16_t get_date_field(uint32_t port, const char *race, uint8_t field, double *date,
                       bool local) {
    if (date) *date = 0.0;
    Answer a;
    if (!get_field(port, race, field, 8, a)) return kFail;
    double d = device_to_date(a.data());
    if (local && d != 0.0) d -= utc_bias_days();
    if (date) *date = d;
    return kOk;
}

// Race, device date, 2 zero bytes, then `extra` bytes.
int16_t dated_command(uint32_t port, uint8_t code, const char *race, double date,
                      const uint8_t *extra, size_t extra_len, size_t min_len) {
    uint8_t data[20] = {};
    race_bytes(race, data);
    date_to_device(date, data + 4);
    if (extra_len) std::memcpy(data + 12, extra, extra_len);
    Answer a;
    return status(run(port, code, data, 12 + extra_len, a, min_len));
}

int16_t confirm(uint32_t port, const char *race, const uint8_t *key, double date) {
    uint8_t k[8];
    transform_key(key, k);
    return dated_command(port, kConfirm, race, date, k, sizeof k, 0);
}

int16_t add_race_tag(uint32_t port, const char *race, const char *tagcode, const char *uid,
                     uint8_t *out) {
    uint8_t data[16];
    race_bytes(race, data);
    hex_bytes(tagcode, data + 4, 8);
    hex_bytes(uid, data + 12, 4);
    Answer a;
    if (!run(port, kAddTag, data, sizeof data, a, out ? 8 : 0)) return kFail;
    if (out) std::memcpy(out, a.data(), 8);
    return kOk;
}

}  // namespace

extern "C" {

int16_t PGT_CreateRace(uint32_t port, const char *race, const char *owner) {
    uint8_t data[8] = {};
    race_bytes(race, data);
    // The owner's bytes are taken as they are (the club passes its identity's
    // characters); a shorter text is not read past its end.
    if (owner) std::memcpy(data + 4, owner, strnlen(owner, 4));
    Answer a;
    return status(run(port, kCreate, data, sizeof data, a, 0));
}

int16_t PGT_SetRaceMode(uint32_t port, const char *race, uint8_t mode) {
    uint8_t data[9];
    field_head(data, race, kFieldMode);
    data[8] = mode;
    Answer a;
    return status(run(port, kSetField, data, sizeof data, a, 0));
}

int16_t PGT_SetRaceFlyTime(uint32_t port, const char *race, double date) {
    return set_date_field(port, race, kFieldFlyTime, date);
}
int16_t PGT_SetRaceFlyTime_V2(uint32_t port, const char *race, double date) {
    return PGT_SetRaceFlyTime(port, race, date + utc_bias_days());
}
int16_t PGT_SetRaceValidate(uint32_t port, const char *race, double date) {
    return set_date_field(port, race, kFieldValidate, date);
}
int16_t PGT_SetRaceValidate_V2(uint32_t port, const char *race, double date) {
    return PGT_SetRaceValidate(port, race, date + utc_bias_days());
}

int16_t PGT_SetRaceLoLa(uint32_t port, const char *race, int32_t longitude, int32_t latitude) {
    uint8_t data[16];
    field_head(data, race, kFieldLocation);
    put32(data + 8, uint32_t(longitude));
    put32(data + 12, uint32_t(latitude));
    Answer a;
    return status(run(port, kSetField, data, sizeof data, a, 0));
}

int16_t PGT_SetRaceDesc(uint32_t port, const char *race, const char *text) {
    uint8_t data[8 + kTextBytes];
    field_head(data, race, kFieldDesc);
    encode_device_text(text, data + 8);
    Answer a;
    return status(run(port, kSetField, data, sizeof data, a, 0));
}

int16_t PGT_AddRaceTag(uint32_t port, const char *race, const char *tagcode, const char *uid) {
    return add_race_tag(port, race, tagcode, uid, nullptr);
}

int16_t PGT_AddRaceTagEx(uint32_t port, const char *race, const char *tagcode, const char *uid,
                         uint8_t *out) {
    // The 8 answer bytes are required even when the caller passes no buffer.
    uint8_t scratch[8];
    return add_race_tag(port, race, tagcode, uid, out ? out : scratch);
}

int16_t PGT_ConfirmRace(uint32_t port, const char *race, const uint8_t *key, double date) {
    return confirm(port, race, key, date);
}
int16_t PGT_ConfirmRace_V2(uint32_t port, const char *race, const uint8_t *key, double date) {
    return confirm(port, race, key, date + utc_bias_days());
}

int16_t PGT_StartRace(uint32_t port, const char *race, uint8_t mode) {
    uint8_t data[5];
    race_bytes(race, data);
    data[4] = mode;
    Answer a;
    return status(run(port, kStart, data, sizeof data, a, 0));
}

int16_t PGT_CloseRace(uint32_t port, const char *race, double date) {
    return dated_command(port, kClose, race, date, nullptr, 0, 8);
}
int16_t PGT_CloseRace_V2(uint32_t port, const char *race, double date) {
    return PGT_CloseRace(port, race, date + utc_bias_days());
}

int16_t PGT_VerifyRace(uint32_t port, const char *race, const uint8_t *key) {
    uint8_t data[12];
    race_bytes(race, data);
    transform_key(key, data + 4);
    Answer a;
    return status(run(port, kVerify, data, sizeof data, a, 0));
}

int16_t PGT_GetCurrentRace(uint32_t port, char *race, uint32_t *state) {
    Answer a;
    if (!run(port, kCurrent, nullptr, 0, a, 8)) return kFail;
    if (state) *state = a.data()[0];
    if (race) to_hex(a.data() + 4, 4, race);
    return kOk;
}

int16_t PGT_GetRaceState(uint32_t port, const char *race, uint32_t *state) {
    Answer a;
    if (!get_field(port, race, kFieldMode, 1, a)) return kFail;
    if (state) *state = a.data()[0];
    return kOk;
}

int16_t PGT_GetRaceFlyTime(uint32_t port, const char *race, double *date) {
    return get_date_field(port, race, kFieldFlyTime, date, false);
}
int16_t PGT_GetRaceFlyTime_V2(uint32_t port, const char *race, double *date) {
    return get_date_field(port, race, kFieldFlyTime, date, true);
}
int16_t PGT_GetRaceValidate(uint32_t port, const char *race, double *date) {
    return get_date_field(port, race, kFieldValidate, date, false);
}
int16_t PGT_GetRaceValidate_V2(uint32_t port, const char *race, double *date) {
    return get_date_field(port, race, kFieldValidate, date, true);
}
int16_t PGT_GetRaceT1(uint32_t port, const char *race, double *date) {
    return get_date_field(port, race, kFieldT1, date, false);
}
int16_t PGT_GetRaceT1_V2(uint32_t port, const char *race, double *date) {
    return get_date_field(port, race, kFieldT1, date, true);
}
int16_t PGT_GetRaceT2Device(uint32_t port, const char *race, double *date) {
    return get_date_field(port, race, kFieldT2Device, date, false);
}
int16_t PGT_GetRaceT2Device_V2(uint32_t port, const char *race, double *date) {
    return get_date_field(port, race, kFieldT2Device, date, true);
}
int16_t PGT_GetRaceT2Auth(uint32_t port, const char *race, double *date) {
    return get_date_field(port, race, kFieldT2Auth, date, false);
}
int16_t PGT_GetRaceT2Auth_V2(uint32_t port, const char *race, double *date) {
    return get_date_field(port, race, kFieldT2Auth, date, true);
}

int16_t PGT_GetRaceLoLa(uint32_t port, const char *race, int32_t *longitude, int32_t *latitude) {
    Answer a;
    if (!get_field(port, race, kFieldLocation, 8, a)) return kFail;
    if (longitude) *longitude = int32_t(get32(a.data()));
    if (latitude) *latitude = int32_t(get32(a.data() + 4));
    return kOk;
}

int16_t PGT_GetRaceDesc(uint32_t port, const char *race, char *text) {
    Answer a;
    if (!get_field(port, race, kFieldDesc, 4, a)) return kFail;
    if (text) decode_device_text(a.data(), text);
    return kOk;
}

}  // extern "C"
