#include "ring_reader.h"

#include <cstring>
#include <sstream>
#include <stdexcept>

#include "common/hex.h"
#include "devsim/registry.h"
#include "wirelink.h"

namespace devsim {

namespace {

Answer fail(uint8_t status) {
    Answer a;
    a.status = status;
    return a;
}

Answer ok(Bytes data = {}) {
    Answer a;
    a.data = std::move(data);
    return a;
}

RingChip::Page page_of(const Bytes& b, size_t at) { return {b[at], b[at + 1], b[at + 2], b[at + 3]}; }

// Pulls the 13 telegram bytes out of a 128-bit frame (ten 0s, a 1, bytes each followed
// by a 1); false when the frame does not hold one.
bool unframe_telegram(const uint8_t in[16], uint8_t out[13]) {
    auto bit = [&](size_t k) { return (in[k / 8] >> (7 - k % 8)) & 1u; };
    for (size_t k = 0; k < 10; ++k)
        if (bit(k)) return false;
    if (!bit(10)) return false;
    for (size_t i = 0; i < 13; ++i) {
        uint8_t b = 0;
        for (size_t j = 0; j < 8; ++j) b = uint8_t(b << 1 | bit(11 + 9 * i + j));
        if (!bit(11 + 9 * i + 8)) return false;
        out[i] = b;
    }
    return true;
}

uint32_t parse_hex32(const std::string& s) {
    if (s.empty() || s.size() > 8 || s.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
        throw std::runtime_error("expected up to 8 hex digits, got '" + s + "'");
    return uint32_t(std::stoul(s, nullptr, 16));
}

std::string hex(const uint8_t* p, size_t n) { return club::bin_to_hex(p, n); }

}  // namespace

void RingField::place(const RingChip& ring) {
    remove(ring.uid());
    rings_.push_back(ring);
}

bool RingField::remove(uint32_t uid) {
    for (auto it = rings_.begin(); it != rings_.end(); ++it) {
        if (it->uid() == uid) {
            rings_.erase(it);
            if (selected_ == uid) selected_.reset();
            return true;
        }
    }
    return false;
}

void RingField::clear() {
    rings_.clear();
    selected_.reset();
}

RingChip* RingField::find(uint32_t uid) {
    for (auto& r : rings_)
        if (r.uid() == uid) return &r;
    return nullptr;
}

// The ring a page command talks to: the selected one, else the first of its kind.
RingChip* RingField::current(RingChip::Kind kind) {
    if (selected_) {
        RingChip* r = find(*selected_);
        if (r && r->kind == kind) return r;
    }
    for (auto& r : rings_)
        if (r.kind == kind) return &r;
    return nullptr;
}

Answer RingField::padded(Bytes data) const {
    data.insert(data.end(), pad_, 0xEE);
    return ok(std::move(data));
}

Answer RingField::driver_signal(const Bytes& d) {
    if (d.size() < 4) return fail(kReaderBadData);
    signals_.push_back({d[0], d[1], d[2], d[3]});
    return ok();
}

Answer RingField::rf_config(Gen g, const Bytes& d) {
    if (d.size() < 4) return fail(kReaderBadData);
    configs_.push_back(g == Gen::V5 ? d[1] : d[3]);
    return ok();
}

Answer RingField::rf_reset(Gen g, const Bytes& d) {
    if (d.size() < (g == Gen::V5 ? 2u : 4u)) return fail(kReaderBadData);
    resets_.push_back(g == Gen::V5 ? d[1] : uint16_t(d[2] | d[3] << 8));
    // The field drops for a moment: every ring forgets its selection.
    selected_.reset();
    ht2_authenticated_ = false;
    return ok();
}

Answer RingField::transponder(Gen g, const Bytes& d) {
    if (d.size() < 3 || d[0] != 0x00) return fail(kReaderBadData);
    const Bytes args(d.begin() + 3, d.end());
    const uint8_t family = d[1];
    if (g == Gen::V5) {
        if (family == 0x10) return talk_first(g, d[2]);
        if (family == 0x11) return hitag_s(g, d[2], args);
        if (family == 0x13) return hitag_2(d[2], args);
    } else {
        if (family == 0xE0) return talk_first(g, d[2]);
        if (family == 0xE1) return hitag_s(g, d[2], args);
    }
    return fail(kReaderUnknown);
}

Answer RingField::hitag_s(Gen g, uint8_t sub, const Bytes& a) {
    if (sub == 0) {  // select
        for (auto& r : rings_) {
            if (r.kind != RingChip::Kind::HitagS) continue;
            selected_ = r.uid();
            Bytes out(r.pages[0].begin(), r.pages[0].end());
            if (g == Gen::V6) out.insert(out.end(), r.pages[1].begin(), r.pages[1].end());
            return padded(out);
        }
        return fail(kReaderNoRing);
    }
    RingChip* r = current(RingChip::Kind::HitagS);
    if (!r) return fail(kReaderNoRing);
    switch (sub) {
        case 1: {  // authenticate: UID, key
            if (g != Gen::V6) return fail(kReaderUnknown);
            if (a.size() < 10) return fail(kReaderBadData);
            if (page_of(a, 0) != r->pages[0] || std::memcmp(a.data() + 4, r->auth_key.data(), 6) != 0)
                return fail(kReaderAuthFailed);
            return padded(Bytes(r->pages[1].begin(), r->pages[1].end()));
        }
        case 2:
            if (a.empty()) return fail(kReaderBadData);
            if (a[0] >= r->page_count()) return fail(kReaderNoRing);
            return padded(Bytes(r->pages[a[0]].begin(), r->pages[a[0]].end()));
        case 3:
            if (a.size() < 5) return fail(kReaderBadData);
            return r->write(a[0], page_of(a, 1)) ? ok() : fail(kReaderWriteRefused);
        case 4:
            selected_.reset();
            return ok();
        case 5: {
            if (a.empty()) return fail(kReaderBadData);
            const size_t first = size_t(a[0]) * 4;
            if (first + 4 > r->page_count()) return fail(kReaderNoRing);
            Bytes out;
            for (size_t p = first; p < first + 4; ++p) out.insert(out.end(), r->pages[p].begin(), r->pages[p].end());
            return padded(out);
        }
        case 6: {
            if (a.size() < 17) return fail(kReaderBadData);
            if (size_t(a[0]) * 4 + 4 > r->page_count()) return fail(kReaderNoRing);
            for (size_t i = 0; i < 4; ++i)
                if (!r->write(uint8_t(a[0] * 4 + i), page_of(a, 1 + 4 * i))) return fail(kReaderWriteRefused);
            return ok();
        }
        default: return fail(kReaderUnknown);
    }
}

Answer RingField::hitag_2(uint8_t sub, const Bytes& a) {
    RingChip* r = current(RingChip::Kind::Hitag2);
    if (!r) return fail(kReaderNoRing);
    if (sub == 0) {  // select with key
        if (a.size() < 4) return fail(kReaderBadData);
        selected_ = r->uid();
        ht2_authenticated_ = page_of(a, 0) == r->pages[1];
        if (!ht2_authenticated_) {
            Answer refused = fail(kReaderAuthFailed);
            refused.data.assign(r->pages[0].begin(), r->pages[0].end());
            return refused;
        }
        Bytes out(r->pages[0].begin(), r->pages[0].end());
        out.insert(out.end(), r->pages[3].begin(), r->pages[3].end());
        return ok(out);
    }
    if (sub == 4) {
        selected_.reset();
        ht2_authenticated_ = false;
        return ok();
    }
    if (!ht2_authenticated_) return fail(kReaderAuthFailed);
    if (a.empty() || a[0] >= r->page_count()) return fail(a.empty() ? kReaderBadData : kReaderNoRing);
    switch (sub) {
        case 2: return padded(Bytes(r->pages[a[0]].begin(), r->pages[a[0]].end()));
        case 3:
            if (a.size() < 5) return fail(kReaderBadData);
            return r->write(a[0], page_of(a, 1)) ? ok() : fail(kReaderWriteRefused);
        case 7:
            if (a.size() < 5) return fail(kReaderBadData);
            return page_of(a, 1) == r->pages[a[0]] ? ok() : fail(kReaderCheckFailed);
        default: return fail(kReaderUnknown);
    }
}

// Tag-talks-first: a ring configured for it sends its code unasked; the reader decodes
// it as the type asks.
Answer RingField::talk_first(Gen g, uint8_t type) {
    for (const auto& r : rings_) {
        const bool em = r.kind == RingChip::Kind::HitagS ? (r.config() & 0x04) != 0 : (r.ht2_config() & 0x0F) == 0x02;
        const bool iso = r.kind == RingChip::Kind::HitagS ? (r.config() & 0x08) != 0 : (r.ht2_config() & 0x0F) == 0x00;
        if ((type == 0 || type == 1) && em) {
            uint8_t id[5];
            if (!read_identity(r, id)) continue;
            Bytes out(id, id + 5);
            if (g == Gen::V6 && type == 0) out.insert(out.begin(), {0x00, 0x05});
            return ok(out);
        }
        if ((type == 2 || (type == 3 && g == Gen::V5)) && iso) {
            uint8_t framed[16], telegram[13];
            for (size_t i = 0; i < 4; ++i) std::memcpy(framed + 4 * i, r.pages[4 + i].data(), 4);
            if (!unframe_telegram(framed, telegram)) continue;
            return ok(Bytes(telegram, telegram + (g == Gen::V6 ? 11 : 13)));
        }
    }
    return fail(type > 3 ? kReaderUnknown : kReaderNoCode);
}

bool RingField::control(const std::string& verb, const std::vector<std::string>& args, std::string& reply) {
    auto need = [&](size_t n) {
        if (args.size() < n) throw std::runtime_error(verb + ": too few arguments");
    };
    if (verb == "ring") {
        need(1);
        const std::string& what = args[0];
        if (what == "club" || what == "foreign" || what == "unsigned") {
            need(4);
            const uint32_t uid = parse_hex32(args[1]), ident = parse_hex32(args[2]);
            const uint8_t rc = uint8_t(parse_hex32(args[3]));
            if (what == "club")
                place(make_club_ring(uid, ident, rc));
            else if (what == "foreign")
                place(make_club_ring(uid, ident, rc, args.size() > 4 ? args[4] : "12345678"));
            else
                place(make_unsigned_ring(uid, ident, rc));
        } else if (what == "blank") {
            need(2);
            place(RingChip::hitag_s(parse_hex32(args[1])));
        } else if (what == "hitag2") {
            need(2);
            place(args.size() > 2 ? RingChip::hitag_2(parse_hex32(args[1]), parse_hex32(args[2]))
                                  : RingChip::hitag_2(parse_hex32(args[1])));
        } else if (what == "weak") {
            need(2);
            RingChip* r = find(parse_hex32(args[1]));
            if (!r) throw std::runtime_error("no ring " + args[1] + " in the field");
            r->weak = args.size() < 3 || args[2] != "0";
        } else if (what == "remove") {
            if (args.size() > 1) {
                if (!remove(parse_hex32(args[1]))) throw std::runtime_error("no ring " + args[1] + " in the field");
            } else {
                clear();
            }
        } else if (what == "list") {
            std::ostringstream s;
            for (const auto& r : rings_) {
                uint8_t id[5];
                if (!s.str().empty()) s << ' ';
                s << hex(r.pages[0].data(), 4) << ':' << club::bin_to_hex(r.kind == RingChip::Kind::HitagS ? &r.pages[1][1] : &r.pages[3][0], 1)
                  << ':' << (read_identity(r, id) ? hex(id, 5) : std::string("-"));
            }
            reply = s.str();
        } else if (what == "page") {
            need(3);
            RingChip* r = find(parse_hex32(args[1]));
            const unsigned long p = std::stoul(args[2]);
            if (!r || p >= r->page_count()) throw std::runtime_error("no such ring or page");
            reply = hex(r->pages[p].data(), 4);
        } else {
            throw std::runtime_error("ring: unknown '" + what + "'");
        }
        return true;
    }
    if (verb == "reader") {
        need(1);
        std::ostringstream s;
        if (args[0] == "signals") {
            for (const auto& x : signals_) s << (s.str().empty() ? "" : " ") << int(x[0]) << ',' << int(x[1]) << ',' << int(x[2]) << ',' << int(x[3]);
        } else if (args[0] == "resets") {
            for (auto v : resets_) s << (s.str().empty() ? "" : " ") << v;
        } else if (args[0] == "pad") {
            need(2);
            const unsigned long pad = std::stoul(args[1]);
            // Enough to overrun any answer buffer; more only costs memory and line time.
            if (pad > 255) throw std::runtime_error("reader pad: at most 255 bytes");
            pad_ = pad;
        } else {
            throw std::runtime_error("reader: unknown '" + args[0] + "'");
        }
        reply = s.str();
        return true;
    }
    return false;
}

Answer RingReaderV5::user_command(const Request& request, bool, LinkState&) {
    switch (request.command) {
        case 1: return field_.driver_signal(request.data);
        case 2: return field_.rf_config(RingField::Gen::V5, request.data);
        case 3: return field_.rf_reset(RingField::Gen::V5, request.data);
        case 8: return field_.transponder(RingField::Gen::V5, request.data);
        default: return fail(kReaderUnknown);
    }
}

bool RingReaderV5::control(const std::string& verb, const std::vector<std::string>& args, std::string& reply) {
    return field_.control(verb, args, reply) || PortlinkDevice::control(verb, args, reply);
}

void RingReaderV6::device_number(uint8_t out[4]) const {
    const uint8_t number[4] = {0x11, 0x06, 0x00, 0x01};
    std::memcpy(out, number, 4);
}

Answer RingReaderV6::family_command(uint8_t cls, uint8_t cmd, const Bytes& data) {
    if (cls != kClass) return fail(WL_DEV_UNKNOWN_CLASS);
    switch (cmd) {
        case 0: return field_.rf_config(RingField::Gen::V6, data);
        case 1: return field_.rf_reset(RingField::Gen::V6, data);
        case 4: return field_.transponder(RingField::Gen::V6, data);
        default: return fail(kReaderUnknown);
    }
}

bool RingReaderV6::control(const std::string& verb, const std::vector<std::string>& args, std::string& reply) {
    if (verb == "identity") {
        if (args.empty()) throw std::runtime_error("identity XXXXXXXX");
        identity_.set(args[0]);
        drop_connection();
        return true;
    }
    return field_.control(verb, args, reply);
}

}  // namespace devsim

DEVSIM_DEVICE_FILE(ring_reader) {
    reg.add_device({"ringreader5", "portlink", "ring reader, older generation, with Hitag S / Hitag 2 rings",
                    [] { return std::make_unique<devsim::RingReaderV5>(); }});
    reg.add_device({"ringreader6", "wirelink", "ring reader, newer generation (class 0x11), with Hitag S rings",
                    [] { return std::make_unique<devsim::RingReaderV6>(); }});
}
