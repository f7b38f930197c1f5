// Any bytes from the line into the PC-side answer receiver: it must end in a code from
// the link's table and never read or write outside its buffers. The first input byte
// picks the flags the keys are set up for, so protected frames get decrypted too.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "common/des.h"
#include "receiver.h"

namespace {

struct Feed {
    const uint8_t* p;
    size_t n;
};

bool next(void* ctx, uint8_t& b) {
    auto* f = static_cast<Feed*>(ctx);
    if (f->n == 0) return false;  // the line went quiet
    b = *f->p++;
    --f->n;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static club::DesKeySchedule data_ks, mac_ks;
    static bool init = [] {
        const uint8_t k1[8] = {1, 2, 3, 4, 5, 6, 7, 8}, k2[8] = {8, 7, 6, 5, 4, 3, 2, 1};
        club::des_set_key(data_ks, k1);
        club::des_set_key(mac_ks, k2);
        return true;
    }();
    (void)init;
    if (size < 1) return 0;
    const bool with_keys = data[0] & 1;
    const uint8_t base[2] = {0x00, static_cast<uint8_t>(data[0] >> 1)};
    Feed feed{data + 1, size - 1};
    club::link::Keys keys;
    if (with_keys) keys = {&data_ks, &mac_ks};

    uint8_t flags = 0;
    uint8_t answer[portlink::kAnswerBlock + 1];
    answer[portlink::kAnswerBlock] = 0xA5;  // guard byte
    const int32_t code = portlink::receive_frame(next, &feed, base, keys, &flags, answer);
    const bool known = (code >= 0 && code <= 255) || code == 259 || (code >= 262 && code <= 266);
    if (!known || answer[portlink::kAnswerBlock] != 0xA5) std::abort();
    if (code == 0 && answer[2] > 141) std::abort();
    return 0;
}
