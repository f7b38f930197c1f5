// The exports that talk to a device: command runner, device number, connect.
#include <cstring>

#include "common/des.h"
#include "common/hex.h"
#include "exchange.h"
#include "wirelink.h"

using namespace wirelink;

namespace {

wireframe::Frame link_request(const Port &port, uint8_t code, const uint8_t *data, size_t n) {
    wireframe::Frame f;
    std::memcpy(f.source, port.base_address, 2);
    std::memcpy(f.dest, port.device_address, 2);
    f.flags = 0;
    f.cls = wireframe::kClassLink;
    f.code = code;
    f.data.assign(data, data + n);
    return f;
}

}  // namespace

extern "C" {

int16_t IFD_RunCmd(uint32_t handle, const uint8_t *request, uint8_t *answer) {
    Port *port = find_port(handle);
    if (!port) return 0;
    port->error = 0;
    if (!request) return port->error = WL_ERR_REQUEST, 0;
    const size_t n = request[2] | (request[3] << 8);
    if (n > WL_MAX_DATA) return port->error = WL_ERR_REQUEST, 0;

    wireframe::Frame req;
    std::memcpy(req.source, port->base_address, 2);
    std::memcpy(req.dest, port->device_address, 2);
    req.flags = wireframe::kFlagUser;
    req.cls = request[0];
    req.code = request[1];
    req.data.assign(request + 4, request + 4 + n);

    wireframe::Frame ans;
    const bool ok = exchange(*port, req, ans);
    // A device status still hands back the answer; a link failure leaves the block alone.
    if (answer && (ok || (port->error >= 1 && port->error <= 255))) {
        const size_t m = ans.data.size();  // at most 52: the frame decoder enforces it
        answer[0] = ans.cls;
        answer[1] = ans.code;
        answer[2] = uint8_t(m);
        answer[3] = uint8_t(m >> 8);
        if (m) std::memcpy(answer + 4, ans.data.data(), m);
    }
    return ok ? -1 : 0;
}

int16_t IFD_GetDevNo(uint32_t handle, char *devno) {
    Port *port = find_port(handle);
    if (!port) return 0;
    wireframe::Frame ans;
    if (!exchange(*port, link_request(*port, wireframe::kCmdGetDevNo, nullptr, 0), ans)) return 0;
    if (ans.data.size() < 4) return port->error = WL_ERR_MALFORMED, 0;
    if (devno) club::bin_to_hex(ans.data.data(), 4, devno);
    return -1;
}

int16_t IFD_Connect(uint32_t handle, const uint8_t *sysid, const uint8_t *code) {
    Port *port = find_port(handle);
    if (!port) return 0;
    if (!sysid || !code) return port->error = WL_ERR_REQUEST, 0;

    // The identity goes out in the clear; the device answers with a fresh challenge.
    wireframe::Frame ans;
    if (!exchange(*port, link_request(*port, wireframe::kCmdHello, sysid, 8), ans)) return 0;
    if (ans.data.size() < 8) return port->error = WL_ERR_MALFORMED, 0;

    // Only a holder of the identity code can encrypt the challenge as the device expects;
    // the code itself never travels.
    uint8_t proof[8];
    club::des_encrypt(code, ans.data.data(), proof);
    if (!exchange(*port, link_request(*port, wireframe::kCmdProve, proof, 8), ans)) return 0;
    return -1;
}

uint32_t BinToHex(const uint8_t *bytes, uint32_t count, char *text) {
    if (!text) return 0;
    if (!bytes) count = 0;  // no bytes: an empty text, as portlink writes
    club::bin_to_hex(bytes, count, text);
    return 0;
}

uint32_t HexToBin(const char *text, uint8_t *bytes, uint32_t max) {
    if (!bytes) return 0;
    return uint32_t(club::hex_to_bin(text, bytes, max));
}

void DesEncrypt(uint8_t *out, const uint8_t *in, const uint8_t *key) {
    if (out && in && key) club::des_encrypt(key, in, out);
}

void DesDecrypt(const uint8_t *in, uint8_t *out, const uint8_t *key) {
    if (out && in && key) club::des_decrypt(key, in, out);
}

}  // extern "C"
