// Device side of the newer link's frame (wireframe.h): requests in, answers out, with the
// emulator's faults applied to the answers.
#include "common/crc.h"
#include "common/linkframe.h"
#include "devsim/registry.h"
#include "wireframe.h"

namespace devsim {
namespace {

class WirelinkCodec : public LinkCodec {
public:
    void feed(const uint8_t *p, size_t n, const LinkState &link, std::vector<Request> &out) override {
        using Step = club::link::Unframer::Step;
        for (size_t i = 0; i < n; ++i) {
            const auto step = unframer_.feed(p[i]);
            if (step == Step::Started) raw_.clear();
            if (step != Step::Outside) raw_.push_back(p[i]);
            if (step == Step::Overflow) unframer_.reset();
            if (step != Step::Complete) continue;
            wireframe::Frame f;
            const bool ok = wireframe::parse(unframer_.body(), f) == wireframe::ParseError::None;
            unframer_.reset();
            // Damaged frames, answers and frames for another device get no answer.
            if (!ok || (f.flags & wireframe::kFlagAnswer)) continue;
            if (!addressed_here(f, link)) continue;
            Request req;
            req.flags = f.flags;
            req.mark = f.cls;
            req.command = f.code;
            req.data = std::move(f.data);
            req.from = {f.source[0], f.source[1]};
            req.raw = raw_;
            out.push_back(std::move(req));
        }
    }

    Bytes encode(const Request &req, const Answer &ans, const LinkState &link,
                 const std::vector<FaultSpec> &faults) override {
        wireframe::Frame f;
        f.source[0] = link.address[0];
        f.source[1] = link.address[1];
        f.dest[0] = req.from.size() > 0 ? req.from[0] : 0x00;
        f.dest[1] = req.from.size() > 1 ? req.from[1] : 0x00;
        f.flags = uint8_t(req.flags | wireframe::kFlagAnswer);
        f.seq = sequence_of(req);
        f.cls = req.mark;
        f.code = ans.status;
        f.data = ans.data;
        bool bad_crc = false, oversized = false, cut = false;
        size_t garbage = 0;
        for (const auto &fault : faults) {
            switch (fault.kind) {
            case Fault::Status: f.code = uint8_t(fault.arg < 0 ? 0x21 : fault.arg); break;
            case Fault::NoAnswerFlag: f.flags &= uint8_t(~wireframe::kFlagAnswer); break;
            case Fault::WrongAddress: {
                const int a = fault.arg < 0 ? 0x0005 : fault.arg;
                f.dest[0] = uint8_t(a >> 8);
                f.dest[1] = uint8_t(a);
                break;
            }
            // This link carries no MAC: a damaged MAC shows as a damaged frame.
            case Fault::BadMac:
            case Fault::BadCrc: bad_crc = true; break;
            case Fault::Oversized: oversized = true; break;
            case Fault::Garbage: garbage = size_t(fault.arg < 0 ? 3 : fault.arg); break;
            case Fault::CutOff: cut = true; break;
            case Fault::NoAnswer:
            case Fault::Delay: break;  // the emulator's business
            }
        }
        Bytes body = {f.source[0], f.source[1], f.dest[0], f.dest[1], f.flags, f.seq, f.cls, f.code};
        // An oversized answer claims and carries more data than any receiver keeps.
        const size_t n = oversized ? wireframe::kMaxData + 8 : std::min(f.data.size(), wireframe::kMaxData);
        body.push_back(uint8_t(n));
        body.push_back(uint8_t(n >> 8));
        f.data.resize(std::max(n, f.data.size()), 0x5A);
        body.insert(body.end(), f.data.begin(), f.data.begin() + long(n));
        body.push_back(club::crc8_hitag(body.data(), body.size()));
        if (bad_crc) body.back() ^= 0x5A;

        Bytes wire(garbage, 0x55);
        club::link::wrap(body.data(), body.size(), wire);
        if (cut) wire.resize(wire.size() / 2);
        return wire;
    }

private:
    // The answer echoes the request's sequence number, taken from the frame as received.
    static uint8_t sequence_of(const Request &req) {
        club::link::Unframer u(wireframe::kMaxBody);
        for (uint8_t b : req.raw)
            if (u.feed(b) == club::link::Unframer::Step::Complete) break;
        return u.body().size() > 5 ? u.body()[5] : 0;
    }

    static bool addressed_here(const wireframe::Frame &f, const LinkState &link) {
        for (int i = 0; i < 2; ++i)
            if (f.dest[i] != 0xFF && f.dest[i] != link.address[i]) return false;
        return true;
    }

    club::link::Unframer unframer_{wireframe::kMaxBody};
    Bytes raw_;
};

}  // namespace
}  // namespace devsim

DEVSIM_CODEC_FILE(wirelink) {
    reg.add_codec("wirelink", [] { return std::make_unique<devsim::WirelinkCodec>(); });
}
