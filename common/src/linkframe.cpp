#include "common/linkframe.h"

#include <cstring>

#include "common/crc.h"

namespace club::link {

void wrap(const uint8_t* body, size_t len, std::vector<uint8_t>& wire) {
    wire.reserve(wire.size() + 2 * len + 2);
    wire.push_back(kFrameStart);
    for (size_t i = 0; i < len; ++i) {
        const uint8_t b = body[i];
        if (b == kFrameEnd || b == kFrameStart || b == kEscape) {
            wire.push_back(kEscape);
            wire.push_back(static_cast<uint8_t>(b | 0x80));
        } else {
            wire.push_back(b);
        }
    }
    wire.push_back(kFrameEnd);
}

Unframer::Unframer(size_t max_body) : max_(max_body) { body_.reserve(max_body); }

void Unframer::reset() {
    state_ = State::Idle;
    body_.clear();
}

Unframer::Step Unframer::feed(uint8_t byte) {
    switch (state_) {
    case State::Idle:
        if (byte != kFrameStart) return Step::Outside;
        body_.clear();
        state_ = State::Body;
        return Step::Started;
    case State::Body:
        if (byte == kFrameEnd) {
            state_ = State::Idle;
            return Step::Complete;
        }
        if (byte == kEscape) {
            state_ = State::Escaped;
            return Step::Stored;
        }
        break;
    case State::Escaped:
        byte &= 0x7F;
        state_ = State::Body;
        break;
    }
    if (body_.size() >= max_) {
        reset();
        return Step::Overflow;
    }
    body_.push_back(byte);
    return Step::Stored;
}

void pad_region(std::vector<uint8_t>& body, size_t region_start) {
    const size_t len = body.size() - region_start;
    if (len % 8 == 0) return;
    body.push_back(0x80);
    while ((body.size() - region_start) % 8 != 0) body.push_back(0x00);
}

void cbc_mac(const DesKeySchedule& key, const uint8_t* region, size_t len, uint8_t mac[4]) {
    uint8_t acc[8] = {0};
    for (size_t off = 0; off + 8 <= len; off += 8) {
        for (int i = 0; i < 8; ++i) acc[i] ^= region[off + i];
        des_encrypt_block(key, acc, acc);
    }
    std::memcpy(mac, acc, 4);
}

void ecb_encrypt(const DesKeySchedule& key, uint8_t* region, size_t len) {
    for (size_t off = 0; off + 8 <= len; off += 8) des_encrypt_block(key, region + off, region + off);
}

void ecb_decrypt(const DesKeySchedule& key, uint8_t* region, size_t len) {
    for (size_t off = 0; off + 8 <= len; off += 8) des_decrypt_block(key, region + off, region + off);
}

bool seal(std::vector<uint8_t>& body, size_t region_start, uint8_t flags, const Keys& keys) {
    const bool enc = flags & kFlagEncrypted, auth = flags & kFlagAuthenticated;
    if ((enc && !keys.data) || (auth && !keys.mac) || body.size() < region_start) return false;
    if (enc || auth) {
        pad_region(body, region_start);
        const size_t region_len = body.size() - region_start;
        uint8_t mac[4];
        if (auth) cbc_mac(*keys.mac, body.data() + region_start, region_len, mac);
        if (enc) ecb_encrypt(*keys.data, body.data() + region_start, region_len);
        if (auth) body.insert(body.end(), mac, mac + 4);
    }
    body.push_back(crc8_hitag(body.data(), body.size()));
    return true;
}

int32_t unseal(uint8_t* body, size_t len, size_t region_start, uint8_t flags, const Keys& keys, size_t& region_len) {
    const bool enc = flags & kFlagEncrypted, auth = flags & kFlagAuthenticated;
    region_len = 0;
    if (!enc && !auth) return kOk;
    const size_t tail = 1 + (auth ? 4 : 0);  // CRC and MAC after the region
    if (len < region_start + tail) return kErrMac;
    region_len = len - region_start - tail;
    if (region_len % 8 != 0) return kErrMac;
    if ((enc && !keys.data) || (auth && !keys.mac)) return kErrMac;
    uint8_t* region = body + region_start;
    if (enc) ecb_decrypt(*keys.data, region, region_len);
    if (auth) {
        uint8_t mac[4];
        cbc_mac(*keys.mac, region, region_len, mac);
        if (std::memcmp(mac, region + region_len, 4) != 0) return kErrMac;
    }
    return kOk;
}

std::vector<uint8_t> build_body(const Header& h, const uint8_t* data, size_t n, const Keys& keys,
                                size_t max_data) {
    if (max_data > 255) max_data = 255;
    if (n > max_data) n = max_data;
    std::vector<uint8_t> body;
    body.reserve(8 + n + 8 + 4 + 1);
    body.insert(body.end(), {h.from[0], h.from[1], h.to[0], h.to[1], h.flags, h.mark, h.code,
                             static_cast<uint8_t>(n)});
    if (n) body.insert(body.end(), data, data + n);
    if (!seal(body, kRegionStart, h.flags, keys)) body.clear();
    return body;
}

std::vector<uint8_t> build_frame(const Header& h, const uint8_t* data, size_t n, const Keys& keys,
                                 size_t max_data) {
    const auto body = build_body(h, data, n, keys, max_data);
    std::vector<uint8_t> wire;
    if (!body.empty()) wrap(body.data(), body.size(), wire);
    return wire;
}

int32_t check_body(uint8_t* body, size_t len, const Expect& expect, const Keys& keys, Parsed& out) {
    if (len < kMinBody) return kErrMalformed;
    if (crc8_hitag(body, len) != 0) return kErrCrc;
    const uint8_t flags = body[4];
    if (expect.answer && !(flags & kFlagAnswer)) return kErrMalformed;
    for (int i = 0; i < 2; ++i)
        if (body[2 + i] != 0xFF && body[2 + i] != expect.station[i]) return kErrAddress;
    size_t region_len = 0;
    if (const int32_t err = unseal(body, len, kRegionStart, flags, keys, region_len); err != kOk) return err;
    // Data the body really holds: up to the padding in protected frames, up to the CRC in
    // plain ones.
    const bool protected_frame = flags & (kFlagEncrypted | kFlagAuthenticated);
    const size_t held = protected_frame ? (region_len >= 3 ? region_len - 3 : 0) : len - kMinBody;
    if (protected_frame && region_len < 3) return kErrMalformed;
    if (body[7] > held) return kErrMalformed;
    out.header.from[0] = body[0];
    out.header.from[1] = body[1];
    out.header.to[0] = body[2];
    out.header.to[1] = body[3];
    out.header.flags = flags;
    out.header.mark = body[5];
    out.header.code = body[6];
    out.length = body[7];
    out.data = body + 8;
    return kOk;
}

}  // namespace club::link
