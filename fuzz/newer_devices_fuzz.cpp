// Any requests into the emulated newer-generation devices (race clock, ring reader 6, hand
// scanner) after the club has connected: the emulator must neither crash nor overrun, and
// every answer must be a frame that wirelink accepts as the answer to its request.
//
// Input: a device selector, then operations. An operation byte with bit 7 set feeds the
// next (byte) raw line bytes to the codec; otherwise it is a command: command byte, data
// length (mod 53), data, sent with the device's class byte (or, with bit 6, the next byte
// as class), framed as the PC frames it.
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "club_identity.h"
#include "common/des.h"
#include "devsim/registry.h"
#include "wireframe.h"
#include "wirelink_device.h"

namespace {

struct Kind {
    const char* name;
    uint8_t cls;
};
const Kind kKinds[] = {{"raceclock", 0x46}, {"ringreader6", 0x11}, {"handscan", 0x41}};

void control(devsim::Device& d, const std::string& verb, std::vector<std::string> args) {
    std::string reply;
    try {
        d.control(verb, args, reply);
    } catch (const std::exception&) {
    }
}

// One request through the codec and the device; the answer checked as the PC checks it.
void exchange(devsim::LinkCodec& codec, devsim::Device& device, devsim::LinkState& link,
              const std::vector<uint8_t>& wire, uint8_t seq, bool framed_here) {
    std::vector<devsim::Request> requests;
    codec.feed(wire.data(), wire.size(), link, requests);
    for (const auto& req : requests) {
        const auto answer = device.handle(req, link);
        if (answer.silent) continue;
        // More than a frame carries would reach the PC cut short without a word.
        if (answer.data.size() > wireframe::kMaxData) std::abort();
        const auto out = codec.encode(req, answer, link, {});
        club::link::Unframer u(wireframe::kMaxBody);
        bool complete = false;
        for (uint8_t b : out) complete = u.feed(b) == club::link::Unframer::Step::Complete;
        wireframe::Frame f;
        if (!complete || wireframe::parse(u.body(), f) != wireframe::ParseError::None) std::abort();
        if (!(f.flags & wireframe::kFlagAnswer) || f.cls != req.mark || f.code != answer.status) std::abort();
        if (framed_here && f.seq != seq) std::abort();
    }
}

std::vector<uint8_t> frame(uint8_t cls, uint8_t cmd, const uint8_t* data, size_t n, uint8_t seq) {
    wireframe::Frame f;
    f.flags = cls ? wireframe::kFlagUser : 0;
    f.seq = seq;
    f.cls = cls;
    f.code = cmd;
    f.data.assign(data, data + n);
    return wireframe::encode(f);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const Kind& kind = kKinds[data[0] % 3];
    auto& reg = devsim::Registry::instance();
    auto codec = reg.make_codec("wirelink");
    auto device = reg.find_device(kind.name)->make();
    devsim::LinkState link;
    if (kind.cls == 0x11) {
        control(*device, "ring", {"club", "04A1B2C3", "12345678", "C8"});
        control(*device, "ring", {"blank", "05060708"});
    }

    // Connect as the club of the default identity does.
    uint8_t seq = 0;
    const devsim::ClubIdentity club;
    devsim::Request hello;
    hello.mark = wireframe::kClassLink;
    hello.command = wireframe::kCmdHello;
    hello.data.assign(club.identity, club.identity + 8);
    hello.from = {0, 0};
    const auto challenge = device->handle(hello, link);
    if (challenge.status != 0 || challenge.data.size() != 8) std::abort();
    uint8_t proof[8];
    club::des_encrypt(club.code, challenge.data.data(), proof);
    ++seq;
    exchange(*codec, *device, link, frame(0, wireframe::kCmdProve, proof, 8, seq), seq, true);
    if (!dynamic_cast<devsim::WirelinkDevice&>(*device).is_connected()) std::abort();

    size_t i = 1;
    while (i < size) {
        const uint8_t op = data[i++];
        if (op & 0x80) {
            const size_t want = i < size ? data[i++] : 0;
            const size_t n = std::min(want, size - i);
            exchange(*codec, *device, link, std::vector<uint8_t>(data + i, data + i + n), 0, false);
            i += n;
            continue;
        }
        uint8_t cls = kind.cls;
        if ((op & 0x40) && i < size) cls = data[i++];
        if (i + 2 > size) break;
        const uint8_t cmd = data[i++];
        const size_t want = data[i++] % (wireframe::kMaxData + 1);
        const size_t n = std::min(want, size - i);
        ++seq;
        exchange(*codec, *device, link, frame(cls, cmd, data + i, n, seq), seq, true);
        i += n;
    }
    return 0;
}
