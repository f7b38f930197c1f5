#include "exchange.h"

#include <cstring>

#include "common/linkframe.h"

namespace portlink {

namespace lf = club::link;

bool send_request(Port& port, uint8_t flags, const uint8_t* request) {
    port.error = lf::kOk;
    if (!port.line.is_open()) {
        port.error = lf::kErrBadHandle;
        return false;
    }
    if (!request) {
        port.error = lf::kErrMalformed;
        return false;
    }
    lf::Header h;
    std::memcpy(h.from, port.base, 2);
    std::memcpy(h.to, port.device, 2);
    h.flags = flags;
    h.mark = port.mark;
    h.code = request[1];
    const lf::Keys keys{&port.data_ks, &port.mac_ks};
    const auto wire = lf::build_frame(h, request + 3, request[2], keys);
    port.line.purge();
    // One write for the whole frame: the bytes on the line are the same as when written
    // one by one, and a failed or short write still ends in 261.
    if (port.line.write(wire.data(), wire.size()) != wire.size()) {
        port.error = lf::kErrWrite;
        return false;
    }
    return true;
}

bool receive_answer(Port& port, uint8_t* flags, uint8_t* answer) {
    port.error = lf::kOk;
    if (!port.line.is_open()) {
        port.error = lf::kErrBadHandle;
        return false;
    }
    // Each byte waits under the read time-outs of a one-byte read.
    auto next = [](void* ctx, uint8_t& b) { return static_cast<SerialLine*>(ctx)->read(&b, 1) == 1; };
    port.error = receive_frame(next, &port.line, port.base, lf::Keys{&port.data_ks, &port.mac_ks}, flags, answer);
    return port.error == lf::kOk;
}

bool exchange(Port& port, uint8_t flags_out, const uint8_t* request, uint8_t* flags_in, uint8_t* answer) {
    return send_request(port, flags_out, request) && receive_answer(port, flags_in, answer);
}

bool run_command(Port& port, uint8_t flags_out, uint8_t flags_expected, uint8_t command, const uint8_t* data,
                 uint32_t count, uint8_t* out, uint32_t* capacity) {
    uint8_t request[3 + lf::kMaxData] = {};
    if (!data) count = 0;
    if (count > lf::kMaxData) count = lf::kMaxData;
    request[1] = command;
    request[2] = static_cast<uint8_t>(count);
    if (count) std::memcpy(request + 3, data, count);
    uint8_t answer[kAnswerBlock];
    uint8_t flags = 0;
    if (!exchange(port, flags_out, request, &flags, answer)) return false;
    if (flags != flags_expected) {
        port.error = lf::kErrMalformed;
        return false;
    }
    if (capacity) {
        const uint32_t n = answer[2] < *capacity ? answer[2] : *capacity;
        *capacity = n;
        if (out) std::memcpy(out, answer + 3, n);
    }
    return true;
}

}  // namespace portlink
