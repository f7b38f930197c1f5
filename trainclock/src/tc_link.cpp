#include "tc_link.h"

#include <portlink.h>

namespace tc {

bool run(uint32_t port, uint8_t code, const uint8_t* data, size_t n, Answer* answer) {
    uint8_t request[3 + 137] = {};
    request[1] = code;
    request[2] = uint8_t(n);
    for (size_t i = 0; i < n; ++i) request[3 + i] = data[i];
    uint8_t block[3 + 256] = {};
    uint8_t flags = 0x01;  // user command, plain frame
    const bool ok = IFD_RunCmd(port, &flags, request, answer ? block : nullptr) != 0;
    if (ok && answer) {
        answer->len = block[2] < kMaxAnswerData ? block[2] : kMaxAnswerData;
        for (size_t i = 0; i < answer->len; ++i) answer->data[i] = block[3 + i];
    }
    return ok;
}

bool exactly(uint32_t port, const Answer& a, size_t n) {
    if (a.len == n) return true;
    fail_request(port);
    return false;
}

bool at_least(uint32_t port, const Answer& a, size_t n) {
    if (a.len >= n) return true;
    fail_request(port);
    return false;
}

void fail_request(uint32_t port) { IFD_SetErrCode(port, TC_ERR_ANSWER); }

void date_to_bcd(double date, uint8_t out[6]) { DateToBcd(out, date); }
double bcd_to_date(const uint8_t in[6]) { return BcdToDate(in); }

}  // namespace tc
