#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "common/hex.h"

inline std::vector<uint8_t> hx(const std::string& text) {
    std::vector<uint8_t> out(text.size() / 2 + 1);
    out.resize(club::hex_to_bin(text.c_str(), out.data(), out.size()));
    return out;
}
