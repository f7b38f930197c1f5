// Tag-talks-first reading and the ISO 11784 identity fields.
#include <cinttypes>
#include <cstdio>

#include "common/hex.h"
#include "rr_exchange.h"

using namespace rr;

namespace {

// Hexadecimal length of a TTF_Read answer by type; 0 for a type the reader lacks.
size_t hex_count(uint8_t type, const uint8_t* answer) {
    if (kGen == Gen::V5) {
        static const size_t v5[] = {5, 5, 13, 13};
        return type < 4 ? v5[type] : 0;
    }
    switch (type) {
        case 0: return 2 + size_t(answer[1]);
        case 1: return 5;
        case 2: return 11;
        default: return 0;
    }
}

// Reads one decimal group (leading zeros stay decimal: "098" is 98).
bool read_group(const char*& p, uint64_t& v) {
    while (*p == ' ') ++p;
    if (*p < '0' || *p > '9') return false;
    v = 0;
    while (*p >= '0' && *p <= '9') {
        if (v < 1000000000000ULL) v = v * 10 + uint64_t(*p - '0');
        ++p;
    }
    return true;
}

}  // namespace

extern "C" {

uint16_t TTF_Read(uint32_t port, uint8_t type, uint8_t* out) {
    Command c = transponder(kGen, Family::TagTalksFirst, type);
    Answer a;
    if (!run(port, c, &a)) return RR_FAIL;
    // The answer length is the reader's word; never copy more than the caller's buffer
    // is documented to hold.
    copy_out(out, a.data, a.len < RR_TTF_MAX ? a.len : RR_TTF_MAX);
    return RR_OK;
}

uint16_t TTF_Read_Hex(uint32_t port, uint8_t type, char* text) {
    uint8_t buffer[32] = {};
    if (!TTF_Read(port, type, buffer)) return RR_FAIL;
    size_t n = hex_count(type, buffer);
    if (n == 0 || !text) return RR_OK;
    if (n > RR_TTF_MAX) n = RR_TTF_MAX;
    club::bin_to_hex(buffer, n, text);
    return RR_OK;
}

// The ISO 11784 functions check nothing but a null code (which they ignore).
int32_t ISO11784_GetCountry(const uint8_t code[8]) { return code ? int32_t(iso_country(code)) : 0; }

void ISO11784_SetCountry(uint8_t code[8], int32_t country) {
    if (code) iso_set_country(code, unsigned(country));
}

int32_t ISO11784_GetNational(const uint8_t code[8], char* text) {
    const uint64_t v = code ? iso_national(code) : 0;
    char buf[32];
    const int n = std::snprintf(buf, sizeof buf, "%03llu.%03llu.%03llu.%03llu",
                                (unsigned long long)(v / 1000000000ULL), (unsigned long long)((v / 1000000ULL) % 1000),
                                (unsigned long long)((v / 1000) % 1000), (unsigned long long)(v % 1000));
    if (text) std::memcpy(text, buf, size_t(n) + 1);
    return n;
}

void ISO11784_SetNational(uint8_t code[8], const char* text) {
    if (!code || !text) return;
    uint64_t g[4];
    const char* p = text;
    for (int i = 0; i < 4; ++i) {
        if (i > 0) {
            if (*p != '.') return;
            ++p;
        }
        if (!read_group(p, g[i])) return;
    }
    iso_set_national(code, g[0] * 1000000000ULL + g[1] * 1000000ULL + g[2] * 1000ULL + g[3]);
}

int32_t ISO11784_GetReserved(const uint8_t code[8]) { return code ? int32_t(iso_reserved(code)) : 0; }

void ISO11784_SetReserved(uint8_t code[8], int32_t reserved) {
    if (code) iso_set_reserved(code, unsigned(reserved));
}

}  // extern "C"
