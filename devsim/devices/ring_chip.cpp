#include "ring_chip.h"

#include <cstring>

#include "common/des.h"
#include "common/hex.h"

namespace devsim {

namespace {

RingChip::Page be32(uint32_t v) { return {uint8_t(v >> 24), uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)}; }

unsigned bit_at(const uint8_t* p, size_t k) { return (p[k / 8] >> (7 - k % 8)) & 1u; }

// The header-and-parity layout, written here from the chip's side: the reader firmware
// must recognise what the library writes, so this is kept apart from the library's coder.
void encode_em4100(const uint8_t id[5], uint8_t out[8]) {
    std::memset(out, 0, 8);
    size_t k = 0;
    auto put = [&](unsigned b) {
        if (b) out[k / 8] |= uint8_t(0x80u >> (k % 8));
        ++k;
    };
    for (int i = 0; i < 9; ++i) put(1);
    unsigned col = 0;
    for (int i = 0; i < 10; ++i) {
        const unsigned n = i % 2 ? id[i / 2] & 0x0F : id[i / 2] >> 4;
        unsigned ones = 0;
        for (int b = 3; b >= 0; --b) {
            put((n >> b) & 1u);
            ones += (n >> b) & 1u;
        }
        put(ones & 1u);
        col ^= n;
    }
    for (int b = 3; b >= 0; --b) put((col >> b) & 1u);
    put(0);
}

}  // namespace

RingChip RingChip::hitag_s(uint32_t uid) {
    RingChip r;
    r.kind = Kind::HitagS;
    r.pages.assign(64, Page{});
    r.pages[0] = be32(uid);
    return r;
}

RingChip RingChip::hitag_2(uint32_t uid, uint32_t key) {
    RingChip r;
    r.kind = Kind::Hitag2;
    r.pages.assign(8, Page{});
    r.pages[0] = be32(uid);
    r.pages[1] = be32(key);
    r.pages[3] = {0x06, 0xAA, 0x48, 0x54};
    return r;
}

uint32_t RingChip::uid() const {
    return uint32_t(pages[0][0]) << 24 | uint32_t(pages[0][1]) << 16 | uint32_t(pages[0][2]) << 8 | pages[0][3];
}

bool RingChip::write(uint8_t page, const Page& data) {
    if (page == 0 || page >= pages.size()) return false;
    const Page& old = pages[page];
    if (kind == Kind::HitagS && page == 1) {
        // A locked configuration stays as it is; lock bits are fuses that only add up.
        if ((old[1] & 0x02) && data[1] != old[1]) return false;
        if ((old[2] & ~data[2]) != 0) return false;
        if ((old[2] & 0x80) && data != old) return false;
    }
    if (kind == Kind::Hitag2 && page == 3 && (old[0] & 0xF0 & ~data[0]) != 0) return false;
    if (!weak) pages[page] = data;
    ++writes;
    return true;
}

void put_identity(RingChip& ring, uint32_t identity, uint8_t random_code) {
    const uint8_t id[5] = {uint8_t(identity >> 24), uint8_t(identity >> 16), uint8_t(identity >> 8),
                           uint8_t(identity), random_code};
    uint8_t code[8];
    encode_em4100(id, code);
    std::memcpy(ring.pages[4].data(), code, 4);
    std::memcpy(ring.pages[5].data(), code + 4, 4);
    if (ring.kind == RingChip::Kind::HitagS)
        ring.pages[1][1] = 0x34;
    else
        ring.pages[3][0] = uint8_t((ring.pages[3][0] & 0xF0) | 0x02);
}

RingChip make_unsigned_ring(uint32_t uid, uint32_t identity, uint8_t random_code) {
    RingChip r = RingChip::hitag_s(uid);
    put_identity(r, identity, random_code);
    return r;
}

RingChip make_club_ring(uint32_t uid, uint32_t identity, uint8_t random_code, const std::string& club_key) {
    RingChip r = make_unsigned_ring(uid, identity, random_code);
    uint8_t key[8] = {};
    std::memcpy(key, club_key.data(), club_key.size() < 8 ? club_key.size() : 8);
    char text[9];
    club::bin_to_hex(r.pages[0].data(), 4, text);
    uint8_t sig[8];
    club::des_encrypt(key, reinterpret_cast<const uint8_t*>(text), sig);
    std::memcpy(r.pages[6].data(), sig, 4);
    std::memcpy(r.pages[7].data(), sig + 4, 4);
    return r;
}

bool read_identity(const RingChip& ring, uint8_t out[5]) {
    uint8_t in[8];
    std::memcpy(in, ring.pages[4].data(), 4);
    std::memcpy(in + 4, ring.pages[5].data(), 4);
    for (size_t k = 0; k < 9; ++k)
        if (!bit_at(in, k)) return false;
    uint8_t id[5] = {};
    unsigned col = 0;
    size_t k = 9;
    for (int i = 0; i < 10; ++i) {
        unsigned n = 0, ones = 0;
        for (int b = 0; b < 4; ++b) {
            const unsigned bit = bit_at(in, k++);
            n = n << 1 | bit;
            ones += bit;
        }
        if (bit_at(in, k++) != (ones & 1u)) return false;
        col ^= n;
        id[i / 2] = uint8_t(id[i / 2] | (i % 2 ? n : n << 4));
    }
    unsigned c = 0;
    for (int b = 0; b < 4; ++b) c = c << 1 | bit_at(in, k++);
    if (c != col || bit_at(in, k) != 0) return false;
    std::memcpy(out, id, 5);
    return true;
}

}  // namespace devsim
