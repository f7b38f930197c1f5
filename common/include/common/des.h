// DES (FIPS 46) and triple DES (encrypt-decrypt-encrypt) on single 64-bit blocks.
//
// Keys are 8 bytes; the parity bit of every byte is ignored. A key schedule is expanded
// once with des_set_key() and can then be reused for any number of blocks, which is what
// the link layer does for its per-port data and MAC keys. Block functions may work in
// place (in == out).
#pragma once

#include <cstddef>
#include <cstdint>

namespace club {

struct DesKeySchedule {
    uint64_t subkey[16];  // 48-bit round keys, round 1 first
};

void des_set_key(DesKeySchedule& ks, const uint8_t key[8]);
void des_encrypt_block(const DesKeySchedule& ks, const uint8_t in[8], uint8_t out[8]);
void des_decrypt_block(const DesKeySchedule& ks, const uint8_t in[8], uint8_t out[8]);

// One-shot forms for callers that use a key once.
void des_encrypt(const uint8_t key[8], const uint8_t in[8], uint8_t out[8]);
void des_decrypt(const uint8_t key[8], const uint8_t in[8], uint8_t out[8]);

// Triple DES, EDE: encrypt under K1, decrypt under K2, encrypt under K3.
struct TripleDesKeySchedule {
    DesKeySchedule k1, k2, k3;
};

// 16-byte key K1|K2, with K3 = K1 (two-key triple DES).
void tdes_set_key2(TripleDesKeySchedule& ks, const uint8_t key[16]);
// 24-byte key K1|K2|K3 (three-key triple DES).
void tdes_set_key3(TripleDesKeySchedule& ks, const uint8_t key[24]);
void tdes_encrypt_block(const TripleDesKeySchedule& ks, const uint8_t in[8], uint8_t out[8]);
void tdes_decrypt_block(const TripleDesKeySchedule& ks, const uint8_t in[8], uint8_t out[8]);

}  // namespace club
