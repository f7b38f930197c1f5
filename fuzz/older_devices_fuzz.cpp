// Any requests into the emulated older-generation ring reader (version 5, with Hitag S and
// Hitag 2 rings in its field) and training clock: the emulator must neither crash nor
// overrun, and every answer must be a frame that portlink accepts.
//
// Input: a device selector, then operations. An operation byte with bit 7 set feeds the
// next (byte) raw line bytes to the codec; otherwise it is a command: command byte, data
// length (mod 138), data, sent as a user command (or, with bit 6, a system command) in a
// plain frame as the PC builds it.
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/linkframe.h"
#include "devsim/registry.h"

namespace {

namespace lf = club::link;

void control(devsim::Device& d, const std::string& verb, std::vector<std::string> args) {
    std::string reply;
    try {
        d.control(verb, args, reply);
    } catch (const std::exception&) {
    }
}

void exchange(devsim::LinkCodec& codec, devsim::Device& device, devsim::LinkState& link,
              const std::vector<uint8_t>& wire) {
    std::vector<devsim::Request> requests;
    codec.feed(wire.data(), wire.size(), link, requests);
    for (const auto& req : requests) {
        const auto answer = device.handle(req, link);
        if (answer.silent) continue;
        // More than a plain answer frame carries would reach the PC as an overlong frame.
        if (answer.data.size() > lf::kMaxBody - lf::kMinBody) std::abort();
        auto out = codec.encode(req, answer, link, {});
        lf::Unframer u;
        bool complete = false;
        for (uint8_t b : out) complete = u.feed(b) == lf::Unframer::Step::Complete;
        if (!complete) std::abort();
        std::vector<uint8_t> body = u.body();
        lf::Expect expect;  // the PC at 00 00
        lf::Parsed parsed;
        if (lf::check_body(body.data(), body.size(), expect, {}, parsed) != lf::kOk) std::abort();
        if (parsed.header.code != answer.status || parsed.length != answer.data.size()) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const bool reader = (data[0] & 1) == 0;
    auto& reg = devsim::Registry::instance();
    auto codec = reg.make_codec("portlink");
    auto device = reg.find_device(reader ? "ringreader5" : "trainclock")->make();
    devsim::LinkState link;
    if (reader) {
        control(*device, "ring", {"club", "04A1B2C3", "12345678", "C8"});
        control(*device, "ring", {"hitag2", "0A0B0C0D"});
        control(*device, "ring", {"blank", "05060708"});
    } else {
        control(*device, "clock", {"card", "0102030405060708"});
    }

    size_t i = 1;
    while (i < size) {
        const uint8_t op = data[i++];
        if (op & 0x80) {
            const size_t want = i < size ? data[i++] : 0;
            const size_t n = std::min(want, size - i);
            exchange(*codec, *device, link, std::vector<uint8_t>(data + i, data + i + n));
            i += n;
            continue;
        }
        if (i + 2 > size) break;
        lf::Header h;
        h.flags = (op & 0x40) ? 0 : lf::kFlagUser;
        h.code = data[i++];
        const size_t want = data[i++] % (lf::kMaxData + 1);
        const size_t n = std::min(want, size - i);
        exchange(*codec, *device, link, lf::build_frame(h, data + i, n, {}));
        i += n;
    }
    return 0;
}
