// Stateless conversions: hexadecimal text, bit operations, BCD dates.
#include "common/hex.h"
#include "common/oledate.h"
#include "portlink.h"

extern "C" {

uint32_t BinToHex(const uint8_t* bytes, uint32_t count, char* text) {
    if (!text) return 0;
    if (!bytes) count = 0;
    club::bin_to_hex(bytes, count, text);
    return count * 2;
}

uint32_t HexToBin(const char* text, uint8_t* bytes, uint32_t max) {
    if (!bytes) return 0;
    return static_cast<uint32_t>(club::hex_to_bin(text, bytes, max));
}

static uint32_t value_to_hex(uint32_t value, int bytes, char* text) {
    uint8_t b[4];
    for (int i = 0; i < bytes; ++i) b[i] = static_cast<uint8_t>(value >> (8 * (bytes - 1 - i)));
    return BinToHex(b, static_cast<uint32_t>(bytes), text);
}

uint32_t UInt32ToHex(uint32_t value, char* text) { return value_to_hex(value, 4, text); }
uint32_t UInt16ToHex(uint32_t value, char* text) { return value_to_hex(value, 2, text); }
uint32_t UInt8ToHex(uint32_t value, char* text) { return value_to_hex(value, 1, text); }

uint32_t HexToUInt32(const char* text) { return club::hex_to_uint32(text); }

uint32_t AndBits(uint32_t a, uint32_t b) { return a & b; }
uint32_t OrBits(uint32_t a, uint32_t b) { return a | b; }
uint32_t XorBits(uint32_t a, uint32_t b) { return a ^ b; }

int64_t DateToBcd(uint8_t* bcd, double date) {
    if (!bcd) return 0;
    club::CalendarFields f;
    int v[6] = {255, 255, 255, 255, 255, 255};
    if (club::ole_to_fields(date, f)) {
        v[0] = f.year % 100;
        v[1] = f.month;
        v[2] = f.day;
        v[3] = f.hour;
        v[4] = f.minute;
        v[5] = f.second;
    }
    for (int i = 0; i < 6; ++i) bcd[i] = static_cast<uint8_t>((v[i] / 10) * 16 + v[i] % 10);
    return 0;
}

double BcdToDate(const uint8_t* bcd) {
    if (!bcd) return 0.0;
    int v[6];
    for (int i = 0; i < 6; ++i) v[i] = (bcd[i] >> 4) * 10 + (bcd[i] & 0x0F);
    club::CalendarFields f;
    f.year = 2000 + v[0];
    f.month = v[1];
    f.day = v[2];
    f.hour = v[3];
    f.minute = v[4];
    f.second = v[5];
    f.millisecond = 0;
    double date = 0.0;
    if (!club::fields_to_ole(f, date)) return 0.0;
    club::CalendarFields back;
    if (!club::ole_to_fields(date, back) || back.year != f.year || back.month != f.month || back.day != f.day ||
        back.hour != f.hour || back.minute != f.minute || back.second != f.second)
        return 0.0;
    return date;
}

}  // extern "C"
