// The secure channel: device keys from a password, sessions, and handing the port's data
// and MAC keys to the device.
#include <cstring>

#include "common/des.h"
#include "common/linkframe.h"
#include "common/md5.h"
#include "exchange.h"
#include "portlink.h"

using namespace portlink;
namespace lf = club::link;

namespace {

const uint8_t kSalt[16] = {0xB7, 0xC9, 0xD4, 0xA2, 0xC8, 0xE5, 0xB1, 0xF3,
                           0xC4, 0xD6, 0xB2, 0xA8, 0x31, 0x39, 0x37, 0x34};

// Device key K1|K2|K3 with K1 = K3: MD5(salt, password, device number text), then its
// first 8 bytes again. The password counts with an 8-bit length.
bool device_key(uint32_t handle, const char* password, uint8_t key[24]) {
    char devno[9];
    if (!IFD_GetDevNo(handle, devno)) return false;
    club::Md5 md5;
    md5.update(kSalt, sizeof kSalt);
    if (password) md5.update(password, std::strlen(password) % 256);
    md5.update(devno, 8);
    md5.finish(key);
    std::memcpy(key + 16, key, 8);
    return true;
}

bool create_session(Port& port, uint8_t answer[8]) {
    uint8_t data[8] = {0x80, 0x00, 0x00, 0x00};
    std::memcpy(data + 4, port.session, 4);
    uint32_t cap = 8;
    if (!run_command(port, 0x00, lf::kFlagAnswer, 0x05, data, sizeof data, answer, &cap)) return false;
    if (cap < 8) {
        port.error = lf::kErrMalformed;
        return false;
    }
    return true;
}

}  // namespace

extern "C" {

int16_t IFD_InitDev(uint32_t handle, uint8_t key_no, const char* password) {
    Port* p = find_port(handle);
    if (!p) return kFailure;
    uint8_t data[25] = {key_no};
    if (!device_key(handle, password, data + 1)) return kFailure;
    return run_command(*p, 0x00, lf::kFlagAnswer, 0x02, data, sizeof data, nullptr, nullptr) ? kSuccess : kFailure;
}

int16_t IFD_CreateSession(uint32_t handle, uint8_t* first, uint8_t* challenge) {
    Port* p = find_port(handle);
    if (!p) return kFailure;
    uint8_t answer[8];
    if (!create_session(*p, answer)) return kFailure;
    if (first) std::memcpy(first, answer, 4);
    if (challenge) std::memcpy(challenge, answer + 4, 4);
    return kSuccess;
}

int16_t IFD_GetSession(uint32_t handle, uint32_t* session) {
    Port* p = find_port(handle);
    if (!p) return kFailure;
    if (session) std::memcpy(session, p->session, 4);
    return kSuccess;
}

int16_t IFD_Connect(uint32_t handle, uint8_t key_no, const char* password) {
    Port* p = find_port(handle);
    if (!p) return kFailure;
    uint8_t key[24];
    if (!device_key(handle, password, key)) return kFailure;
    uint8_t answer[8];
    if (!create_session(*p, answer)) return kFailure;
    uint8_t x[8];
    std::memcpy(x, p->session, 4);
    std::memcpy(x + 4, answer + 4, 4);
    club::TripleDesKeySchedule ks;
    club::tdes_set_key3(ks, key);
    uint8_t data[17] = {key_no};
    for (int i = 0; i < 8; ++i) {
        data[1 + i] = p->data_key[i] ^ x[i];
        data[9 + i] = p->mac_key[i] ^ x[i];
    }
    club::tdes_encrypt_block(ks, data + 1, data + 1);
    club::tdes_encrypt_block(ks, data + 9, data + 9);
    return run_command(*p, 0x00, lf::kFlagAnswer, 0x06, data, sizeof data, nullptr, nullptr) ? kSuccess : kFailure;
}

}  // extern "C"
