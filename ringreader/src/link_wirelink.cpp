// Version 6: commands go through wirelink under the reader's device class.
#include "rr_link.h"

#include <wirelink.h>

namespace rr {

const Gen kGen = Gen::V6;

bool run(uint32_t port, const Command& cmd, Answer* answer) {
    uint8_t request[WL_BLOCK_SIZE] = {};
    request[0] = kClassReaderV6;
    request[1] = cmd.code;
    request[2] = uint8_t(cmd.len);
    request[3] = uint8_t(cmd.len >> 8);
    for (size_t i = 0; i < cmd.len && i < WL_MAX_DATA; ++i) request[4 + i] = cmd.data[i];

    uint8_t block[WL_BLOCK_SIZE] = {};
    const bool ok = IFD_RunCmd(port, request, block) != 0;
    if (answer) {
        size_t n = size_t(block[2]) | size_t(block[3]) << 8;
        if (n > WL_MAX_DATA) n = WL_MAX_DATA;
        answer->len = n;
        for (size_t i = 0; i < n; ++i) answer->data[i] = block[4 + i];
    }
    return ok;
}

void set_error(uint32_t port, uint32_t code) { IFD_SetErrCode(port, int32_t(code)); }

}  // namespace rr
