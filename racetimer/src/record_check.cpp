// Local check of an arrival record's MAC code: a DES chain in the decryption direction
// over identity, device number, race and the first 44 record bytes.
#include <cstring>

#include "command.h"
#include "common/des.h"
#include "racetimer.h"

using namespace racetimer;

extern "C" int16_t PGT_CheckRecord(const char *record, const char *sysid, const char *devno,
                                   const char *race, const uint8_t *key) {
    uint8_t rec[48];
    hex_bytes(record, rec, sizeof rec);

    uint8_t message[56];
    hex_bytes(sysid, message, 4);
    hex_bytes(devno, message + 4, 4);
    hex_bytes(race, message + 8, 4);
    std::memcpy(message + 12, rec, 44);

    uint8_t check_key[8];
    transform_key(key, check_key);
    club::DesKeySchedule ks;
    club::des_set_key(ks, check_key);

    uint8_t v[8] = {};
    for (int block = 0; block < 7; ++block) {
        for (int i = 0; i < 8; ++i) v[i] ^= message[8 * block + i];
        club::des_decrypt_block(ks, v, v);
    }
    return status(std::memcmp(v, rec + 44, 4) == 0);
}
