// The transponder chip in a pigeon ring, as the emulated ring reader sees it: a Hitag S
// (64 pages) or a Hitag 2 (8 pages) with its UID, configuration and lock bits.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace devsim {

struct RingChip {
    enum class Kind { HitagS, Hitag2 };
    using Page = std::array<uint8_t, 4>;

    Kind kind = Kind::HitagS;
    std::vector<Page> pages;
    std::array<uint8_t, 6> auth_key{};  // Hitag S authentication key
    uint32_t writes = 0;                 // page writes accepted, for tests
    // A weak ring acknowledges page writes but keeps its old pages (a ring at the edge of
    // the field, or a worn chip): only a read-back shows it.
    bool weak = false;

    static RingChip hitag_s(uint32_t uid);
    // Hitag 2: page 1 holds the 4-byte key the select must present.
    static RingChip hitag_2(uint32_t uid, uint32_t key = 0x4D494B52);

    uint32_t uid() const;
    size_t page_count() const { return pages.size(); }

    // Hitag S page 1: byte 1 configuration, byte 2 lock bits.
    uint8_t config() const { return pages[1][1]; }
    uint8_t lock_bits() const { return pages[1][2]; }
    // Hitag 2 page 3 byte 0: lock bits (high nibble) and mode (low nibble).
    uint8_t ht2_config() const { return pages[3][0]; }

    // A page write as the chip takes it; false when the chip refuses (UID page, a locked
    // configuration that would change, lock bits that would be cleared, page out of range).
    bool write(uint8_t page, const Page& data);
};

// The ring identity code (4 bytes identity + random code) in pages 4-5, and the
// configuration of a formatted pigeon ring (0x34: tag-talks-first, header-and-parity).
void put_identity(RingChip& ring, uint32_t identity, uint8_t random_code);

// A ring formatted and signed for a club: pages 6-7 hold DES under `club_key` (8
// characters) of the UID as 8 uppercase hexadecimal characters.
RingChip make_club_ring(uint32_t uid, uint32_t identity, uint8_t random_code,
                        const std::string& club_key = "41957302");
// A formatted ring without any signature (pages 6-7 zero).
RingChip make_unsigned_ring(uint32_t uid, uint32_t identity, uint8_t random_code);

// The 5 identity bytes of pages 4-5 when they hold a valid header-and-parity code.
bool read_identity(const RingChip& ring, uint8_t out[5]);

}  // namespace devsim
