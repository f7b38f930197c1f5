// Any text into the hexadecimal and BCD helpers: nothing is written past the given
// maximum, and the count is right.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "portlink.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const uint32_t max = data[0] % 40;
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);  // stops at a NUL, like a C caller
    std::vector<uint8_t> out(max + 8, 0xA5);
    const uint32_t n = HexToBin(text.c_str(), out.data(), max);
    if (n > max) std::abort();
    for (size_t i = max; i < out.size(); ++i)
        if (out[i] != 0xA5) std::abort();

    // Round trip: the bytes read back as text and again give the same bytes.
    std::vector<char> hex(2 * n + 1);
    BinToHex(out.data(), n, hex.data());
    std::vector<uint8_t> again(n + 1);
    if (HexToBin(hex.data(), again.data(), n) != n || std::memcmp(again.data(), out.data(), n) != 0) std::abort();
    (void)HexToUInt32(text.c_str());

    if (size >= 7) {
        const double d = BcdToDate(data + 1);
        uint8_t bcd[6];
        if (d != 0.0) {
            DateToBcd(bcd, d);
            // Valid BCD in, the same bytes out (only when every nibble was decimal).
            bool decimal = true;
            for (int i = 0; i < 6; ++i) decimal = decimal && (data[1 + i] >> 4) < 10 && (data[1 + i] & 15) < 10;
            if (decimal && std::memcmp(bcd, data + 1, 6) != 0) std::abort();
        }
        double any;
        std::memcpy(&any, data + 1, sizeof any < size - 1 ? sizeof any : size - 1);
        DateToBcd(bcd, any);
    }
    return 0;
}
