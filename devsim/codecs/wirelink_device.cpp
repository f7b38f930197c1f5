#include "wirelink_device.h"

#include <cstring>
#include <random>

#include "common/des.h"
#include "wireframe.h"
#include "wirelink.h"

namespace devsim {

Answer WirelinkDevice::handle(const Request &request, LinkState &) {
    if (silent_) {
        Answer a;
        a.silent = true;
        return a;
    }
    if (request.mark == wireframe::kClassLink) return link_command(request);
    if (!connected_) {
        Answer a;
        a.status = WL_DEV_NOT_CONNECTED;
        return a;
    }
    return family_command(request.mark, request.command, request.data);
}

Answer WirelinkDevice::link_command(const Request &request) {
    Answer r;
    switch (request.command) {
    case wireframe::kCmdGetDevNo:
        r.data.resize(4);
        device_number(r.data.data());
        break;
    case wireframe::kCmdHello: {
        // A new hello ends any earlier connection: the club must prove itself again.
        connected_ = challenged_ = false;
        uint8_t code[8];
        if (request.data.size() < 8) {
            r.status = WL_DEV_BAD_LENGTH;
        } else if (!knows_identity(request.data.data(), code)) {
            r.status = WL_DEV_FOREIGN;
        } else {
            std::memcpy(sysid_, request.data.data(), 8);
            std::random_device rd;
            for (auto &b : challenge_) b = uint8_t(rd());
            challenged_ = true;
            r.data.assign(challenge_, challenge_ + 8);
        }
        break;
    }
    case wireframe::kCmdProve: {
        uint8_t code[8], expected[8];
        if (!challenged_) {
            r.status = WL_DEV_BAD_STATE;
        } else if (request.data.size() < 8) {
            r.status = WL_DEV_BAD_LENGTH;
        } else if (!knows_identity(sysid_, code)) {
            r.status = WL_DEV_FOREIGN;
        } else {
            club::des_encrypt(code, challenge_, expected);
            if (std::memcmp(expected, request.data.data(), 8) != 0) {
                r.status = WL_DEV_AUTH_FAILED;
            } else {
                connected_ = true;
                on_connected(sysid_);
            }
        }
        challenged_ = false;  // one proof per challenge
        break;
    }
    default:
        r.status = WL_DEV_UNKNOWN_CMD;
    }
    return r;
}

}  // namespace devsim
