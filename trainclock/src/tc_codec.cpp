#include "tc_codec.h"

#include <cstring>
#include <string>

#include "common/hex.h"

namespace tc {

namespace {

// UTF-8 to UTF-16 units; malformed bytes become U+FFFD.
std::u16string utf8_to_utf16(const char* s) {
    std::u16string out;
    const auto* p = reinterpret_cast<const unsigned char*>(s);
    while (*p) {
        uint32_t cp;
        int extra;
        if (*p < 0x80) { cp = *p; extra = 0; }
        else if ((*p & 0xE0) == 0xC0) { cp = *p & 0x1F; extra = 1; }
        else if ((*p & 0xF0) == 0xE0) { cp = *p & 0x0F; extra = 2; }
        else if ((*p & 0xF8) == 0xF0) { cp = *p & 0x07; extra = 3; }
        else { out.push_back(0xFFFD); ++p; continue; }
        ++p;
        bool ok = true;
        for (int i = 0; i < extra; ++i) {
            if ((*p & 0xC0) != 0x80) { ok = false; break; }
            cp = cp << 6 | (*p++ & 0x3F);
        }
        if (!ok || cp > 0x10FFFF) { out.push_back(0xFFFD); continue; }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(char16_t(0xD800 + (cp >> 10)));
            out.push_back(char16_t(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(char16_t(cp));
        }
    }
    return out;
}

// Appends one code point as UTF-8 if it fits in `room` (leaving space for the terminator).
bool append_utf8(std::string& out, uint32_t cp, size_t room) {
    char b[4];
    size_t n;
    if (cp < 0x80) { b[0] = char(cp); n = 1; }
    else if (cp < 0x800) { b[0] = char(0xC0 | cp >> 6); b[1] = char(0x80 | (cp & 0x3F)); n = 2; }
    else if (cp < 0x10000) {
        b[0] = char(0xE0 | cp >> 12); b[1] = char(0x80 | ((cp >> 6) & 0x3F)); b[2] = char(0x80 | (cp & 0x3F)); n = 3;
    } else {
        b[0] = char(0xF0 | cp >> 18); b[1] = char(0x80 | ((cp >> 12) & 0x3F));
        b[2] = char(0x80 | ((cp >> 6) & 0x3F)); b[3] = char(0x80 | (cp & 0x3F)); n = 4;
    }
    if (out.size() + n + 1 > room) return false;
    out.append(b, n);
    return true;
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool coord_to_bytes(const char* text, Axis axis, uint8_t out[4]) {
    std::memset(out, 0, 4);
    if (!text) return true;
    const char pos = axis == Axis::Longitude ? 'E' : 'N';
    const char neg = axis == Axis::Longitude ? 'W' : 'S';
    const char letter = char(text[0] & ~0x20);  // either case
    if (letter != pos && letter != neg) return false;
    uint8_t d[7];
    for (int i = 0; i < 7; ++i) {
        if (!is_digit(text[1 + i])) return false;
        d[i] = uint8_t(text[1 + i] - '0');
    }
    out[0] = uint8_t((letter == neg ? 0x80 : 0) | d[0]);
    out[1] = uint8_t(d[1] << 4 | d[2]);
    out[2] = uint8_t(d[3] << 4 | d[4]);
    out[3] = uint8_t(d[5] << 4 | d[6]);
    return true;
}

void coord_to_text(const uint8_t in[4], Axis axis, char out[9]) {
    const bool negative = in[0] & 0x80;
    out[0] = axis == Axis::Longitude ? (negative ? 'W' : 'E') : (negative ? 'S' : 'N');
    out[1] = char('0' + (in[0] & 0x0F));
    for (int i = 1; i < 4; ++i) {
        out[2 * i] = char('0' + (in[i] >> 4));
        out[2 * i + 1] = char('0' + (in[i] & 0x0F));
    }
    out[8] = '\0';
}

void name_to_device(const char* text, uint8_t out[25]) {
    std::memset(out, 0, 25);
    const std::u16string units = utf8_to_utf16(text ? text : "");
    const size_t with_terminator = units.size() + 1;
    out[0] = uint8_t(with_terminator <= 12 ? with_terminator : 12);
    for (size_t i = 0; i < units.size() && i < 12; ++i) {
        out[1 + 2 * i] = uint8_t(units[i]);
        out[2 + 2 * i] = uint8_t(units[i] >> 8);
    }
}

void name_from_device(const uint8_t in[25], char* out, size_t room) {
    if (!out || room == 0) return;
    const size_t count = in[0] < 12 ? in[0] : 12;
    std::string s;
    for (size_t i = 0; i < count; ++i) {
        uint32_t u = uint32_t(in[1 + 2 * i]) | uint32_t(in[2 + 2 * i]) << 8;
        if (u == 0) break;
        if (u >= 0xD800 && u < 0xDC00 && i + 1 < count) {
            const uint32_t lo = uint32_t(in[3 + 2 * i]) | uint32_t(in[4 + 2 * i]) << 8;
            if (lo >= 0xDC00 && lo < 0xE000) {
                u = 0x10000 + ((u - 0xD800) << 10) + (lo - 0xDC00);
                ++i;
            } else {
                u = 0xFFFD;
            }
        } else if (u >= 0xD800 && u < 0xE000) {
            u = 0xFFFD;
        }
        if (!append_utf8(s, u, room)) break;
    }
    std::memcpy(out, s.c_str(), s.size() + 1);
}

void phone_to_device(uint8_t index, const char* digits, uint8_t out[17]) {
    std::memset(out, 0, 17);
    out[0] = index;
    std::string text = digits ? std::string(digits).substr(0, 30) : std::string();
    const size_t count = text.size();
    out[1] = uint8_t(count);
    text += 'F';  // odd counts end in the nibble F
    club::hex_to_bin(text.c_str(), out + 2, (count + 1) / 2);
}

void phone_from_device(const uint8_t in[16], char out[31]) {
    const size_t count = in[0] < 30 ? in[0] : 30;
    char hex[31];
    club::bin_to_hex(in + 1, 15, hex);
    std::memcpy(out, hex, count);
    out[count] = '\0';
}

}  // namespace tc
