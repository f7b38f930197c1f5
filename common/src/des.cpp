// DES after FIPS 46. Bit 1 in the standard's tables is the most significant bit of byte 0.
// The S-boxes are merged with the P permutation into eight 64-entry tables built at compile
// time, so a round costs eight lookups.
#include "common/des.h"

#include <array>

namespace club {
namespace {

constexpr uint8_t kIP[64] = {58, 50, 42, 34, 26, 18, 10, 2, 60, 52, 44, 36, 28, 20, 12, 4,
                             62, 54, 46, 38, 30, 22, 14, 6, 64, 56, 48, 40, 32, 24, 16, 8,
                             57, 49, 41, 33, 25, 17, 9,  1, 59, 51, 43, 35, 27, 19, 11, 3,
                             61, 53, 45, 37, 29, 21, 13, 5, 63, 55, 47, 39, 31, 23, 15, 7};

constexpr uint8_t kFP[64] = {40, 8, 48, 16, 56, 24, 64, 32, 39, 7, 47, 15, 55, 23, 63, 31,
                             38, 6, 46, 14, 54, 22, 62, 30, 37, 5, 45, 13, 53, 21, 61, 29,
                             36, 4, 44, 12, 52, 20, 60, 28, 35, 3, 43, 11, 51, 19, 59, 27,
                             34, 2, 42, 10, 50, 18, 58, 26, 33, 1, 41, 9,  49, 17, 57, 25};

constexpr uint8_t kPC1[56] = {57, 49, 41, 33, 25, 17, 9,  1,  58, 50, 42, 34, 26, 18,
                              10, 2,  59, 51, 43, 35, 27, 19, 11, 3,  60, 52, 44, 36,
                              63, 55, 47, 39, 31, 23, 15, 7,  62, 54, 46, 38, 30, 22,
                              14, 6,  61, 53, 45, 37, 29, 21, 13, 5,  28, 20, 12, 4};

constexpr uint8_t kPC2[48] = {14, 17, 11, 24, 1,  5,  3,  28, 15, 6,  21, 10,
                              23, 19, 12, 4,  26, 8,  16, 7,  27, 20, 13, 2,
                              41, 52, 31, 37, 47, 55, 30, 40, 51, 45, 33, 48,
                              44, 49, 39, 56, 34, 53, 46, 42, 50, 36, 29, 32};

constexpr uint8_t kShifts[16] = {1, 1, 2, 2, 2, 2, 2, 2, 1, 2, 2, 2, 2, 2, 2, 1};

constexpr uint8_t kP[32] = {16, 7, 20, 21, 29, 12, 28, 17, 1,  15, 23, 26, 5,  18, 31, 10,
                            2,  8, 24, 14, 32, 27, 3,  9,  19, 13, 30, 6,  22, 11, 4,  25};

constexpr uint8_t kS[8][64] = {
    {14, 4, 13, 1, 2, 15, 11, 8, 3, 10, 6, 12, 5, 9, 0, 7, 0, 15, 7, 4, 14, 2,
     13, 1, 10, 6, 12, 11, 9, 5, 3, 8, 4, 1, 14, 8, 13, 6, 2, 11, 15, 12, 9, 7,
     3, 10, 5, 0, 15, 12, 8, 2, 4, 9, 1, 7, 5, 11, 3, 14, 10, 0, 6, 13},
    {15, 1, 8, 14, 6, 11, 3, 4, 9, 7, 2, 13, 12, 0, 5, 10, 3, 13, 4, 7, 15, 2,
     8, 14, 12, 0, 1, 10, 6, 9, 11, 5, 0, 14, 7, 11, 10, 4, 13, 1, 5, 8, 12, 6,
     9, 3, 2, 15, 13, 8, 10, 1, 3, 15, 4, 2, 11, 6, 7, 12, 0, 5, 14, 9},
    {10, 0, 9, 14, 6, 3, 15, 5, 1, 13, 12, 7, 11, 4, 2, 8, 13, 7, 0, 9, 3, 4,
     6, 10, 2, 8, 5, 14, 12, 11, 15, 1, 13, 6, 4, 9, 8, 15, 3, 0, 11, 1, 2, 12,
     5, 10, 14, 7, 1, 10, 13, 0, 6, 9, 8, 7, 4, 15, 14, 3, 11, 5, 2, 12},
    {7, 13, 14, 3, 0, 6, 9, 10, 1, 2, 8, 5, 11, 12, 4, 15, 13, 8, 11, 5, 6, 15,
     0, 3, 4, 7, 2, 12, 1, 10, 14, 9, 10, 6, 9, 0, 12, 11, 7, 13, 15, 1, 3, 14,
     5, 2, 8, 4, 3, 15, 0, 6, 10, 1, 13, 8, 9, 4, 5, 11, 12, 7, 2, 14},
    {2, 12, 4, 1, 7, 10, 11, 6, 8, 5, 3, 15, 13, 0, 14, 9, 14, 11, 2, 12, 4, 7,
     13, 1, 5, 0, 15, 10, 3, 9, 8, 6, 4, 2, 1, 11, 10, 13, 7, 8, 15, 9, 12, 5,
     6, 3, 0, 14, 11, 8, 12, 7, 1, 14, 2, 13, 6, 15, 0, 9, 10, 4, 5, 3},
    {12, 1, 10, 15, 9, 2, 6, 8, 0, 13, 3, 4, 14, 7, 5, 11, 10, 15, 4, 2, 7, 12,
     9, 5, 6, 1, 13, 14, 0, 11, 3, 8, 9, 14, 15, 5, 2, 8, 12, 3, 7, 0, 4, 10,
     1, 13, 11, 6, 4, 3, 2, 12, 9, 5, 15, 10, 11, 14, 1, 7, 6, 0, 8, 13},
    {4, 11, 2, 14, 15, 0, 8, 13, 3, 12, 9, 7, 5, 10, 6, 1, 13, 0, 11, 7, 4, 9,
     1, 10, 14, 3, 5, 12, 2, 15, 8, 6, 1, 4, 11, 13, 12, 3, 7, 14, 10, 15, 6, 8,
     0, 5, 9, 2, 6, 11, 13, 8, 1, 4, 10, 7, 9, 5, 0, 15, 14, 2, 3, 12},
    {13, 2, 8, 4, 6, 15, 11, 1, 10, 9, 3, 14, 5, 0, 12, 7, 1, 15, 13, 8, 10, 3,
     7, 4, 12, 5, 6, 11, 0, 14, 9, 2, 7, 11, 4, 1, 9, 12, 14, 2, 0, 6, 10, 13,
     15, 3, 5, 8, 2, 1, 14, 7, 4, 10, 8, 13, 15, 12, 9, 0, 3, 5, 6, 11}};

// Picks bits of `in` (in_bits wide, bit 1 = most significant) in table order.
constexpr uint64_t permute(uint64_t in, int in_bits, const uint8_t* table, int out_bits) {
    uint64_t out = 0;
    for (int i = 0; i < out_bits; ++i) out = (out << 1) | ((in >> (in_bits - table[i])) & 1u);
    return out;
}

using SpTable = std::array<std::array<uint32_t, 64>, 8>;

constexpr SpTable make_sp() {
    SpTable sp{};
    for (int box = 0; box < 8; ++box) {
        for (int b = 0; b < 64; ++b) {
            const int row = ((b >> 4) & 2) | (b & 1);
            const int col = (b >> 1) & 0xF;
            const uint64_t s = static_cast<uint64_t>(kS[box][row * 16 + col]) << (28 - 4 * box);
            sp[box][b] = static_cast<uint32_t>(permute(s, 32, kP, 32));
        }
    }
    return sp;
}

constexpr SpTable kSP = make_sp();

uint64_t load_be64(const uint8_t b[8]) {
    uint64_t v = 0;
    for (int i = 0; i < 8; ++i) v = (v << 8) | b[i];
    return v;
}

void store_be64(uint64_t v, uint8_t b[8]) {
    for (int i = 7; i >= 0; --i) {
        b[i] = static_cast<uint8_t>(v);
        v >>= 8;
    }
}

uint32_t feistel(uint32_t r, uint64_t k) {
    // E expansion read straight from R with its end bits wrapped around:
    // x = R32 R1 ... R32 R1 (34 bits); S-box i takes x bits 4i .. 4i+5.
    const uint64_t x = (static_cast<uint64_t>(r & 1u) << 33) | (static_cast<uint64_t>(r) << 1) | (r >> 31);
    uint32_t out = 0;
    for (int i = 0; i < 8; ++i) {
        const unsigned chunk = static_cast<unsigned>(((x >> (28 - 4 * i)) ^ (k >> (42 - 6 * i))) & 0x3F);
        out |= kSP[i][chunk];
    }
    return out;
}

void crypt(const DesKeySchedule& ks, const uint8_t in[8], uint8_t out[8], bool decrypt) {
    const uint64_t ip = permute(load_be64(in), 64, kIP, 64);
    uint32_t l = static_cast<uint32_t>(ip >> 32);
    uint32_t r = static_cast<uint32_t>(ip);
    for (int round = 0; round < 16; ++round) {
        const uint64_t k = ks.subkey[decrypt ? 15 - round : round];
        const uint32_t next = l ^ feistel(r, k);
        l = r;
        r = next;
    }
    const uint64_t pre = (static_cast<uint64_t>(r) << 32) | l;  // halves swapped after round 16
    store_be64(permute(pre, 64, kFP, 64), out);
}

}  // namespace

void des_set_key(DesKeySchedule& ks, const uint8_t key[8]) {
    const uint64_t cd = permute(load_be64(key), 64, kPC1, 56);
    uint32_t c = static_cast<uint32_t>(cd >> 28) & 0x0FFFFFFF;
    uint32_t d = static_cast<uint32_t>(cd) & 0x0FFFFFFF;
    for (int round = 0; round < 16; ++round) {
        for (int s = 0; s < kShifts[round]; ++s) {
            c = ((c << 1) | (c >> 27)) & 0x0FFFFFFF;
            d = ((d << 1) | (d >> 27)) & 0x0FFFFFFF;
        }
        ks.subkey[round] = permute((static_cast<uint64_t>(c) << 28) | d, 56, kPC2, 48);
    }
}

void des_encrypt_block(const DesKeySchedule& ks, const uint8_t in[8], uint8_t out[8]) {
    crypt(ks, in, out, false);
}

void des_decrypt_block(const DesKeySchedule& ks, const uint8_t in[8], uint8_t out[8]) {
    crypt(ks, in, out, true);
}

void des_encrypt(const uint8_t key[8], const uint8_t in[8], uint8_t out[8]) {
    DesKeySchedule ks;
    des_set_key(ks, key);
    des_encrypt_block(ks, in, out);
}

void des_decrypt(const uint8_t key[8], const uint8_t in[8], uint8_t out[8]) {
    DesKeySchedule ks;
    des_set_key(ks, key);
    des_decrypt_block(ks, in, out);
}

void tdes_set_key2(TripleDesKeySchedule& ks, const uint8_t key[16]) {
    des_set_key(ks.k1, key);
    des_set_key(ks.k2, key + 8);
    ks.k3 = ks.k1;
}

void tdes_set_key3(TripleDesKeySchedule& ks, const uint8_t key[24]) {
    des_set_key(ks.k1, key);
    des_set_key(ks.k2, key + 8);
    des_set_key(ks.k3, key + 16);
}

void tdes_encrypt_block(const TripleDesKeySchedule& ks, const uint8_t in[8], uint8_t out[8]) {
    uint8_t t[8];
    des_encrypt_block(ks.k1, in, t);
    des_decrypt_block(ks.k2, t, t);
    des_encrypt_block(ks.k3, t, out);
}

void tdes_decrypt_block(const TripleDesKeySchedule& ks, const uint8_t in[8], uint8_t out[8]) {
    uint8_t t[8];
    des_decrypt_block(ks.k3, in, t);
    des_encrypt_block(ks.k2, t, t);
    des_decrypt_block(ks.k1, t, out);
}

}  // namespace club
