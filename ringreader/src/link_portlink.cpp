// Version 5: commands go through portlink's runner as user commands in plain frames.
#include "rr_link.h"

#include <portlink.h>

namespace rr {

const Gen kGen = Gen::V5;

namespace {
constexpr size_t kMaxAnswerData = 141;  // the most a 150-byte answer frame can carry
}

bool run(uint32_t port, const Command& cmd, Answer* answer) {
    uint8_t request[3 + sizeof cmd.data] = {};
    request[1] = cmd.code;
    request[2] = uint8_t(cmd.len);
    for (size_t i = 0; i < cmd.len; ++i) request[3 + i] = cmd.data[i];

    uint8_t block[3 + 256] = {};  // the runner needs room for 3 + 141 bytes
    uint8_t flags = 0x01;
    const bool ok = IFD_RunCmd(port, &flags, request, block) != 0;
    if (answer) {
        size_t n = block[2];
        if (n > kMaxAnswerData) n = kMaxAnswerData;
        answer->len = n;
        for (size_t i = 0; i < n; ++i) answer->data[i] = block[3 + i];
    }
    return ok;
}

void set_error(uint32_t port, uint32_t code) { IFD_SetErrCode(port, int32_t(code)); }

}  // namespace rr
