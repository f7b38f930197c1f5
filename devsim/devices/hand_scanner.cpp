#include "hand_scanner.h"

#include <cstring>
#include <sstream>
#include <stdexcept>

#include "common/hex.h"
#include "devsim/registry.h"
#include "wirelink.h"

namespace devsim {

namespace {

Answer reply(uint8_t status, Bytes data = {}) {
    Answer a;
    a.status = status;
    a.data = std::move(data);
    return a;
}

}  // namespace

void HandScanner::device_number(uint8_t out[4]) const {
    const uint8_t number[4] = {0x41, 0x00, 0x00, 0x07};
    std::memcpy(out, number, 4);
}

Answer HandScanner::family_command(uint8_t cls, uint8_t cmd, const Bytes& d) {
    if (cls != kClass) return reply(WL_DEV_UNKNOWN_CLASS);
    switch (cmd) {
        case 0x00: {  // clear, only with the scanner's code in front
            if (d.size() < 12) return reply(WL_DEV_BAD_LENGTH);
            if (std::memcmp(d.data(), "KUBEL718", 8) != 0) return reply(WL_DEV_BAD_KEY);
            records.clear();
            last_clear_value = int64_t(d[8] | d[9] << 8 | d[10] << 16 | uint32_t(d[11]) << 24);
            return reply(0);
        }
        case 0x01: return reply(0, {uint8_t(records.size()), uint8_t(records.size() >> 8)});
        case 0x02: {
            if (d.size() < 4) return reply(WL_DEV_BAD_LENGTH);
            const uint32_t index = d[0] | d[1] << 8 | d[2] << 16 | uint32_t(d[3]) << 24;
            if (index >= records.size()) return reply(WL_DEV_NOT_FOUND);
            return reply(0, Bytes(records[index].begin(), records[index].end()));
        }
        case 0x03:  // no data reads the delay, one byte sets it
            if (d.empty()) return reply(0, {shut_delay});
            shut_delay = d[0];
            return reply(0);
        case 0x05: return reply(0, {beep_mode});
        case 0x06:
            if (d.empty()) return reply(WL_DEV_BAD_LENGTH);
            beep_mode = d[0];
            return reply(0);
        case 0x07: return reply(0, {scan_mode});
        case 0x08:
            if (d.empty()) return reply(WL_DEV_BAD_LENGTH);
            scan_mode = d[0];
            return reply(0);
        case 0x09: records.push_back({}); return reply(0);
        default: return reply(WL_DEV_UNKNOWN_CMD);
    }
}

bool HandScanner::control(const std::string& verb, const std::vector<std::string>& args, std::string& out) {
    if (verb == "identity") {
        if (args.empty()) throw std::runtime_error("identity XXXXXXXX");
        identity.set(args[0]);
        drop_connection();
        return true;
    }
    if (verb != "scanner") return false;
    if (args.empty()) throw std::runtime_error("scanner: what?");
    if (args[0] == "scan") {
        if (args.size() < 2) throw std::runtime_error("scanner scan HEX");
        std::array<uint8_t, kRecordSize> rec{};
        club::hex_to_bin(args[1].c_str(), rec.data(), rec.size());
        records.push_back(rec);
    } else if (args[0] == "state") {
        std::ostringstream s;
        s << "records=" << records.size() << " delay=" << int(shut_delay) << " beep=" << int(beep_mode)
          << " scan=" << int(scan_mode) << " cleared=" << last_clear_value;
        out = s.str();
    } else {
        throw std::runtime_error("scanner: unknown '" + args[0] + "'");
    }
    return true;
}

}  // namespace devsim

DEVSIM_DEVICE_FILE(hand_scanner) {
    reg.add_device({"handscan", "wirelink", "hand scanner, newer generation (class 0x41)",
                    [] { return std::make_unique<devsim::HandScanner>(); }});
}
