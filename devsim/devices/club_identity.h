// The system identity a newer-generation device of the club was set up with, and the
// identity code it expects the club to prove (DES of the identity under the club key).
#pragma once

#include <cstdint>
#include <cstring>
#include <string>

#include "common/des.h"

namespace devsim {

struct ClubIdentity {
    uint8_t identity[8];
    uint8_t code[8];

    explicit ClubIdentity(const std::string& id = "00000000", const std::string& key = "41957302") { set(id, key); }

    // The identity is padded with "0" to 8 characters, as the club program pads SysID.
    void set(const std::string& id, const std::string& key = "41957302") {
        std::string padded = id.substr(0, 8);
        padded.append(8 - padded.size(), '0');
        uint8_t k[8] = {};
        std::memcpy(k, key.data(), key.size() < 8 ? key.size() : 8);
        std::memcpy(identity, padded.data(), 8);
        club::des_encrypt(k, identity, code);
    }

    bool knows(const uint8_t sysid[8], uint8_t out[8]) const {
        if (std::memcmp(sysid, identity, 8) != 0) return false;
        std::memcpy(out, code, 8);
        return true;
    }
};

}  // namespace devsim
