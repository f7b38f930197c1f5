#include "devsim/portlink_device.h"

#include <cstring>
#include <random>
#include <stdexcept>

#include "common/hex.h"
#include "common/linkframe.h"

namespace devsim {
namespace {

const uint8_t kIspCode[8] = {0x6E, 0x13, 0xA9, 0x54, 0xC1, 0x0B, 0x97, 0xE6};

Answer status(uint8_t s) {
    Answer a;
    a.status = s;
    return a;
}

void put_be32(Bytes& out, uint32_t v) {
    for (int i = 3; i >= 0; --i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

uint32_t get_be32(const uint8_t* p) {
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

}  // namespace

PortlinkDevice::PortlinkDevice(uint32_t device_number) : number_(device_number) {}

Answer PortlinkDevice::handle(const Request& req, LinkState& link) {
    if (req.link_error) return status(kStatusSecurity);
    if (!(req.flags & club::link::kFlagUser)) return system_command(req, link);
    const bool secured = (req.flags & (club::link::kFlagEncrypted | club::link::kFlagAuthenticated)) != 0;
    if (require_protection_ && !secured) return status(kStatusSecurity);
    return user_command(req, secured, link);
}

Answer PortlinkDevice::system_command(const Request& req, LinkState& link) {
    const Bytes& d = req.data;
    Answer a;
    switch (req.command) {
    case 0:
        if (d.size() >= 1 && d[0] == 0) {
            a.data = {state_};
        } else if (d.size() >= 1 && d[0] == 1) {
            put_be32(a.data, number_);
        } else if (d.size() >= 5 && d[0] == 2) {
            if (get_be32(&d[1]) != number_) return status(kStatusOtherDevice);
            a.data = {link.address[0], link.address[1]};
        } else {
            return status(kStatusBadData);
        }
        return a;
    case 1:
        if (d.size() < 7 || d[0] != 2) return status(kStatusBadData);
        if (get_be32(&d[3]) != number_) return status(kStatusOtherDevice);
        link.address[0] = d[1];
        link.address[1] = d[2];
        return a;
    case 2: {
        if (d.size() < 25) return status(kStatusBadData);
        std::array<uint8_t, 24> key;
        std::memcpy(key.data(), &d[1], 24);
        device_keys_[d[0]] = key;
        return a;
    }
    case 4:
        if (d.size() < 8 || std::memcmp(d.data(), kIspCode, 8) != 0) return status(kStatusBadData);
        state_ = 0x80;
        return a;
    case 5: {
        if (d.size() < 8) return status(kStatusBadData);
        static thread_local std::mt19937 rng{std::random_device{}()};
        std::memcpy(session_x_, &d[4], 4);
        a.data = {0x00, 0x00, 0x00, 0x01};  // session answer: session accepted, slot 1
        for (int i = 0; i < 4; ++i) {
            session_x_[4 + i] = static_cast<uint8_t>(rng());
            a.data.push_back(session_x_[4 + i]);
        }
        have_session_ = true;
        return a;
    }
    case 6: {
        if (d.size() < 17) return status(kStatusBadData);
        const auto it = device_keys_.find(d[0]);
        if (it == device_keys_.end() || !have_session_) return status(kStatusSecurity);
        club::TripleDesKeySchedule ks;
        club::tdes_set_key3(ks, it->second.data());
        uint8_t data_key[8], mac_key[8];
        club::tdes_decrypt_block(ks, &d[1], data_key);
        club::tdes_decrypt_block(ks, &d[9], mac_key);
        for (int i = 0; i < 8; ++i) {
            data_key[i] ^= session_x_[i];
            mac_key[i] ^= session_x_[i];
        }
        link.set_keys(data_key, mac_key);
        return a;
    }
    default:
        return status(kStatusUnknownCommand);
    }
}

bool PortlinkDevice::control(const std::string& verb, const std::vector<std::string>& args, std::string& reply) {
    if (verb == "devno") {
        if (!args.empty()) number_ = club::hex_to_uint32(args[0].c_str());
        uint8_t b[4] = {uint8_t(number_ >> 24), uint8_t(number_ >> 16), uint8_t(number_ >> 8), uint8_t(number_)};
        reply = club::bin_to_hex(b, 4);
        return true;
    }
    if (verb == "state") {
        if (!args.empty()) state_ = static_cast<uint8_t>(std::stoul(args[0], nullptr, 0));
        reply = std::to_string(state_);
        return true;
    }
    return false;
}

}  // namespace devsim
