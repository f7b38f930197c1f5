#include "exchange.h"

#include "receiver.h"
#include "wirelink.h"

namespace wirelink {
namespace {

bool fail(Port &port, int32_t code) {
    port.error = code;
    return false;
}

int read_port_byte(void *ctx, int wait_ms) { return read_byte(*static_cast<Port *>(ctx), wait_ms); }

}  // namespace

bool exchange(Port &port, wireframe::Frame request, wireframe::Frame &answer) {
    port.error = 0;
    request.seq = ++port.sequence;
    const std::vector<uint8_t> wire = wireframe::encode(request);
    port.line.purge();
    if (port.line.write(wire.data(), wire.size()) != wire.size()) return fail(port, WL_ERR_WRITE);

    AnswerWait wait;
    wait.timeout_ms = port.read_timeout_ms;
    wait.seq = request.seq;
    wait.cls = request.cls;
    wait.station[0] = port.base_address[0];
    wait.station[1] = port.base_address[1];
    if (const int32_t code = receive_answer(read_port_byte, &port, wait, answer)) return fail(port, code);
    return true;
}

}  // namespace wirelink
