#include "common/crc.h"

#include <array>

namespace club {
namespace {

constexpr std::array<uint8_t, 256> make_crc8() {
    std::array<uint8_t, 256> t{};
    for (int i = 0; i < 256; ++i) {
        uint8_t c = static_cast<uint8_t>(i);
        for (int b = 0; b < 8; ++b) c = static_cast<uint8_t>((c & 0x80) ? (c << 1) ^ 0x1D : c << 1);
        t[i] = c;
    }
    return t;
}

constexpr std::array<uint16_t, 256> make_crc16() {
    std::array<uint16_t, 256> t{};
    for (int i = 0; i < 256; ++i) {
        uint16_t c = static_cast<uint16_t>(i << 8);
        for (int b = 0; b < 8; ++b) c = static_cast<uint16_t>((c & 0x8000) ? (c << 1) ^ 0x1021 : c << 1);
        t[i] = c;
    }
    return t;
}

constexpr auto kCrc8 = make_crc8();
constexpr auto kCrc16 = make_crc16();

}  // namespace

uint8_t crc8_hitag(const uint8_t* data, size_t len, uint8_t crc) {
    for (size_t i = 0; i < len; ++i) crc = kCrc8[crc ^ data[i]];
    return crc;
}

uint16_t crc16_ring(const uint8_t* data, size_t len, uint16_t crc) {
    for (size_t i = 0; i < len; ++i) crc = static_cast<uint16_t>((crc << 8) ^ kCrc16[((crc >> 8) ^ data[i]) & 0xFF]);
    return crc;
}

}  // namespace club
