#include "device_text.h"

#include <cstring>

namespace racetimer {
namespace {

// Next code point of a UTF-8 text; malformed sequences yield U+FFFD and skip one byte.
char32_t next_code_point(const unsigned char *&p) {
    unsigned c = *p++;
    if (c < 0x80) return c;
    int extra;
    char32_t cp;
    if (c >= 0xC2 && c <= 0xDF) { extra = 1; cp = c & 0x1F; }
    else if (c >= 0xE0 && c <= 0xEF) { extra = 2; cp = c & 0x0F; }
    else if (c >= 0xF0 && c <= 0xF4) { extra = 3; cp = c & 0x07; }
    else return 0xFFFD;
    const unsigned char *q = p;
    for (int i = 0; i < extra; ++i, ++q) {
        if ((*q & 0xC0) != 0x80) return 0xFFFD;
        cp = (cp << 6) | (*q & 0x3F);
    }
    // Overlong forms, surrogates and values above U+10FFFF are not characters.
    if ((extra == 2 && cp < 0x800) || (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF)) ||
        (cp >= 0xD800 && cp <= 0xDFFF))
        return 0xFFFD;
    p = q;
    return cp;
}

int utf8_length(char32_t cp) { return cp < 0x80 ? 1 : cp < 0x800 ? 2 : cp < 0x10000 ? 3 : 4; }

void put_utf8(char32_t cp, char *&out) {
    if (cp < 0x80) {
        *out++ = char(cp);
    } else if (cp < 0x800) {
        *out++ = char(0xC0 | (cp >> 6));
        *out++ = char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        *out++ = char(0xE0 | (cp >> 12));
        *out++ = char(0x80 | ((cp >> 6) & 0x3F));
        *out++ = char(0x80 | (cp & 0x3F));
    } else {
        *out++ = char(0xF0 | (cp >> 18));
        *out++ = char(0x80 | ((cp >> 12) & 0x3F));
        *out++ = char(0x80 | ((cp >> 6) & 0x3F));
        *out++ = char(0x80 | (cp & 0x3F));
    }
}

}  // namespace

void encode_device_text(const char *utf8, uint8_t out[kTextBytes]) {
    std::memset(out, 0, kTextBytes);
    unsigned count = 0;
    const auto *p = reinterpret_cast<const unsigned char *>(utf8 ? utf8 : "");
    while (*p && count < kTextUnits) {
        char32_t cp = next_code_point(p);
        if (cp >= 0x10000) {
            if (count + 2 > kTextUnits) break;
            cp -= 0x10000;
            uint16_t hi = uint16_t(0xD800 | (cp >> 10)), lo = uint16_t(0xDC00 | (cp & 0x3FF));
            out[2 + 2 * count] = uint8_t(hi);
            out[3 + 2 * count++] = uint8_t(hi >> 8);
            out[2 + 2 * count] = uint8_t(lo);
            out[3 + 2 * count++] = uint8_t(lo >> 8);
        } else {
            out[2 + 2 * count] = uint8_t(cp);
            out[3 + 2 * count++] = uint8_t(cp >> 8);
        }
    }
    out[0] = uint8_t(count);
    out[1] = 0;
}

void decode_device_text(const uint8_t in[kTextBytes], char out[kTextOutSize]) {
    unsigned count = in[0] | (in[1] << 8);
    if (count > kTextUnits) count = kTextUnits;
    char *o = out;
    char *const end = out + kTextOutSize - 1;
    for (unsigned i = 0; i < count; ++i) {
        char32_t cp = in[2 + 2 * i] | (in[3 + 2 * i] << 8);
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < count) {
            char32_t lo = in[4 + 2 * i] | (in[5 + 2 * i] << 8);
            if (lo >= 0xDC00 && lo <= 0xDFFF) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (lo - 0xDC00);
                ++i;
            }
        }
        if (cp >= 0xD800 && cp <= 0xDFFF) cp = 0xFFFD;
        if (o + utf8_length(cp) > end) break;
        put_utf8(cp, o);
    }
    *o = 0;
}

}  // namespace racetimer
