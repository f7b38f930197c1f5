// The clock's list of tags (electronic rings of the loft).
#include <cstring>

#include "command.h"
#include "racetimer.h"

using namespace racetimer;

namespace {
constexpr uint8_t kStartTag = 0x07, kSetTag = 0x08, kCloseTag = 0x09, kGetTagCount = 0x0A,
                  kGetTag = 0x0B, kFindTag = 0x17;
constexpr size_t kEntrySize = 28;
constexpr size_t kLabelSize = 8;

// Tag entry: state (32-bit), UID (4), tag code (8), label (8, zero-padded), 4 zero bytes.
void build_entry(uint8_t entry[kEntrySize], const char *tagcode, uint8_t state, const char *uid,
                 const char *label) {
    std::memset(entry, 0, kEntrySize);
    put32(entry, state);
    hex_bytes(uid, entry + 4, 4);
    hex_bytes(tagcode, entry + 8, 8);
    if (label) {
        size_t n = strnlen(label, kLabelSize);
        std::memcpy(entry + 16, label, n);
    }
}

void copy_label(const uint8_t *field, char *label) {
    if (!label) return;
    std::memcpy(label, field, kLabelSize);
    label[kLabelSize] = 0;
}

void copy_bytes(const uint8_t *field, uint8_t *out) {
    if (out) std::memcpy(out, field, 4);
}

int16_t read_tag(uint32_t port, uint32_t kind, uint32_t index, size_t min_len, char *uid,
                 char *tagcode, char *label, uint8_t *extra1, uint8_t *extra2,
                 uint32_t *state) {
    uint8_t data[4];
    put16(data, kind);
    put16(data + 2, index);
    Answer a;
    if (!run(port, kGetTag, data, sizeof data, a, min_len)) return kFail;
    const uint8_t *r = a.data();
    if (state) *state = r[0];
    if (uid) to_hex(r + 4, 4, uid);
    if (tagcode) to_hex(r + 8, 8, tagcode);
    copy_label(r + 16, label);
    copy_bytes(r + 24, extra1);
    copy_bytes(r + 28, extra2);
    return kOk;
}

}  // namespace

extern "C" {

int16_t PGT_StartTag(uint32_t port, uint8_t mode) {
    Answer a;
    return status(run(port, kStartTag, &mode, 1, a, 0));
}

int16_t PGT_SetTag(uint32_t port, const char *tagcode, uint8_t state, const char *uid,
                   const char *label) {
    uint8_t entry[kEntrySize];
    build_entry(entry, tagcode, state, uid, label);
    Answer a;
    return status(run(port, kSetTag, entry, sizeof entry, a, 0));
}

int16_t PGT_SetTagState(uint32_t port, const char *tagcode, uint8_t state) {
    uint8_t entry[kEntrySize];
    build_entry(entry, tagcode, state, nullptr, nullptr);
    Answer a;
    return status(run(port, kSetTag, entry, sizeof entry, a, 0));
}

int16_t PGT_CloseTag(uint32_t port, uint32_t *count) {
    Answer a;
    if (!run(port, kCloseTag, nullptr, 0, a, 2)) return kFail;
    if (count) *count = get16(a.data());
    return kOk;
}

int16_t PGT_GetTagCount(uint32_t port, uint16_t kind, uint32_t *count) {
    uint8_t data[2];
    put16(data, kind);
    Answer a;
    if (!run(port, kGetTagCount, data, sizeof data, a, 2)) return kFail;
    if (count) *count = get16(a.data());
    return kOk;
}

int16_t PGT_GetTag(uint32_t port, uint16_t kind, uint16_t index, char *uid, char *tagcode,
                   char *label, uint32_t *state) {
    return read_tag(port, kind, index, 24, uid, tagcode, label, nullptr, nullptr, state);
}

int16_t PGT_GetTagEx(uint32_t port, uint32_t kind, uint32_t index, char *uid, char *tagcode,
                     char *label, uint8_t *extra1, uint8_t *extra2, uint32_t *state) {
    return read_tag(port, kind & 0xFFFF, index & 0xFFFF, 32, uid, tagcode, label, extra1, extra2,
                    state);
}

int16_t PGT_FindTag(uint32_t port, const uint8_t *key, char *uid, char *label, uint8_t *extra1,
                    uint8_t *extra2, uint32_t *state) {
    uint8_t data[4] = {};
    if (key) std::memcpy(data, key, 4);
    Answer a;
    if (!run(port, kFindTag, data, sizeof data, a, 32)) return kFail;
    const uint8_t *r = a.data();
    if (state) *state = r[0];
    if (uid) to_hex(r + 4, 4, uid);
    copy_label(r + 16, label);
    copy_bytes(r + 24, extra1);
    copy_bytes(r + 28, extra2);
    return kOk;
}

}  // extern "C"
