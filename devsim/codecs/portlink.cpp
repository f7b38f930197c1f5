// Device side of the older link's frame: requests in, answers out.

#include "common/crc.h"
#include "common/linkframe.h"
#include "devsim/registry.h"

namespace devsim {
namespace {

namespace lf = club::link;

class PortlinkCodec : public LinkCodec {
public:
    void feed(const uint8_t* p, size_t n, const LinkState& link, std::vector<Request>& out) override {
        for (size_t i = 0; i < n; ++i) {
            const uint8_t b = p[i];
            const auto step = unframer_.feed(b);
            if (step == lf::Unframer::Step::Started) raw_.clear();
            if (step != lf::Unframer::Step::Outside) raw_.push_back(b);
            if (step != lf::Unframer::Step::Complete) continue;
            decode(link, out);
        }
    }

    Bytes encode(const Request& req, const Answer& ans, const LinkState& link,
                 const std::vector<FaultSpec>& faults) override {
        lf::Header h;
        h.from[0] = link.address[0];
        h.from[1] = link.address[1];
        h.to[0] = req.from.size() > 0 ? req.from[0] : 0x00;
        h.to[1] = req.from.size() > 1 ? req.from[1] : 0x00;
        h.flags = static_cast<uint8_t>(req.flags | lf::kFlagAnswer);
        h.mark = req.mark;
        h.code = ans.status;
        Bytes data = ans.data;
        for (const auto& f : faults) {
            if (f.kind == Fault::Status) h.code = static_cast<uint8_t>(f.arg < 0 ? 0x21 : f.arg);
            if (f.kind == Fault::NoAnswerFlag) h.flags &= static_cast<uint8_t>(~lf::kFlagAnswer);
            if (f.kind == Fault::WrongAddress) {
                const int a = f.arg < 0 ? 0x0005 : f.arg;
                h.to[0] = static_cast<uint8_t>(a >> 8);
                h.to[1] = static_cast<uint8_t>(a);
            }
        }
        const bool bad_mac = has(faults, Fault::BadMac);
        if (bad_mac) h.flags |= lf::kFlagAuthenticated;

        // A device without keys cannot protect its answer: it answers in a plain frame.
        club::DesKeySchedule dummy;
        lf::Keys keys;
        if (link.has_keys) {
            keys = {&link.data_ks, &link.mac_ks};
        } else if (bad_mac) {
            const uint8_t k[8] = {1, 2, 3, 4, 5, 6, 7, 8};
            club::des_set_key(dummy, k);
            keys = {&dummy, &dummy};
            h.flags &= static_cast<uint8_t>(~lf::kFlagEncrypted);
        } else {
            h.flags &= static_cast<uint8_t>(~(lf::kFlagEncrypted | lf::kFlagAuthenticated));
        }

        Bytes body;
        if (has(faults, Fault::Oversized)) {
            // 152 stored bytes: one more than a receiver keeps, with a correct CRC.
            body = {h.from[0], h.from[1], h.to[0], h.to[1], h.flags, h.mark, h.code, 142};
            body.resize(151, 0x5A);
            body.push_back(club::crc8_hitag(body.data(), body.size()));
        } else {
            body = lf::build_body(h, data.data(), data.size(), keys, 255);
        }
        if (bad_mac && body.size() >= 5) {
            body[body.size() - 2] ^= 0x01;  // last MAC byte
            body.back() = club::crc8_hitag(body.data(), body.size() - 1);
        }
        if (has(faults, Fault::BadCrc) && !body.empty()) body.back() ^= 0x5A;

        Bytes wire;
        if (const FaultSpec* g = find(faults, Fault::Garbage)) wire.assign(g->arg < 0 ? 3 : g->arg, 0x55);
        lf::wrap(body.data(), body.size(), wire);
        if (has(faults, Fault::CutOff)) wire.resize(wire.size() / 2);
        return wire;
    }

private:
    static const FaultSpec* find(const std::vector<FaultSpec>& faults, Fault kind) {
        for (const auto& f : faults)
            if (f.kind == kind) return &f;
        return nullptr;
    }
    static bool has(const std::vector<FaultSpec>& faults, Fault kind) { return find(faults, kind) != nullptr; }

    void decode(const LinkState& link, std::vector<Request>& out) {
        Bytes body = unframer_.body();
        lf::Expect expect;
        expect.station[0] = link.address[0];
        expect.station[1] = link.address[1];
        expect.answer = false;
        lf::Keys keys;
        if (link.has_keys) keys = {&link.data_ks, &link.mac_ks};
        lf::Parsed parsed;
        const int32_t err = lf::check_body(body.data(), body.size(), expect, keys, parsed);
        Request req;
        req.raw = raw_;
        if (err == lf::kErrMac && body.size() >= lf::kMinBody) {
            // A protected frame we cannot read: still answered, with a security status.
            req.flags = body[4];
            req.from = {body[0], body[1]};
            req.link_error = true;
            out.push_back(std::move(req));
            return;
        }
        if (err != lf::kOk) return;  // noise, damage, or another device's frame
        req.flags = parsed.header.flags;
        req.mark = parsed.header.mark;
        req.command = parsed.header.code;
        req.from = {parsed.header.from[0], parsed.header.from[1]};
        req.data.assign(parsed.data, parsed.data + parsed.length);
        out.push_back(std::move(req));
    }

    lf::Unframer unframer_{lf::kMaxBody};
    Bytes raw_;
};

}  // namespace
}  // namespace devsim

DEVSIM_CODEC_FILE(portlink) {
    reg.add_codec("portlink", [] { return std::make_unique<devsim::PortlinkCodec>(); });
}
