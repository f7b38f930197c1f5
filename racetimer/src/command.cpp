#include "command.h"

#include <cstring>

namespace racetimer {

bool run(uint32_t port, uint8_t code, const uint8_t *data, size_t len, Answer &answer,
         size_t min_len) {
    uint8_t request[WL_BLOCK_SIZE] = {};
    if (len > WL_MAX_DATA) len = WL_MAX_DATA;  // never happens: every command is shorter
    request[0] = kClass;
    request[1] = code;
    put16(request + 2, uint32_t(len));
    if (len) std::memcpy(request + 4, data, len);
    std::memset(answer.block, 0, sizeof answer.block);
    if (!IFD_RunCmd(port, request, answer.block)) return false;
    if (answer.length() < min_len) {
        IFD_SetErrCode(port, kErrShort);
        return false;
    }
    return true;
}

void hex_bytes(const char *text, uint8_t *out, size_t n) {
    std::memset(out, 0, n);
    if (text) HexToBin(text, out, uint32_t(n));
}

void to_hex(const uint8_t *bytes, size_t n, char *out) { BinToHex(bytes, uint32_t(n), out); }

void transform_key(const uint8_t *key, uint8_t out[8]) {
    for (int i = 0; i < 8; ++i) out[i] = key ? uint8_t(key[i] << 1) : 0;
}

}  // namespace racetimer
