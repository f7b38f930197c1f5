// Any bytes from the line into wirelink's answer receiver (PC side): it must end in a
// code of the link's table, hand back no more data than a frame carries, accept only the
// answer to this request, and stay within the time-out when a device keeps talking.
#include <chrono>
#include <cstdint>
#include <cstdlib>

#include "receiver.h"
#include "wirelink.h"

namespace {

struct Feed {
    const uint8_t* p;
    size_t n;
};

int next(void* ctx, int) {
    auto* f = static_cast<Feed*>(ctx);
    if (f->n == 0) return -1;  // the line went quiet
    --f->n;
    return *f->p++;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    wirelink::AnswerWait wait;
    wait.timeout_ms = 50;
    wait.seq = data[0];
    wait.cls = data[1];
    wait.station[1] = data[0] & 0x80 ? 0x01 : 0x00;
    Feed feed{data + 2, size - 2};
    wireframe::Frame answer;
    const auto start = std::chrono::steady_clock::now();
    const int32_t code = wirelink::receive_answer(next, &feed, wait, answer);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);

    const bool known = (code >= 0 && code <= 255) || code == WL_ERR_NO_ANSWER || code == WL_ERR_TOO_LONG ||
                       code == WL_ERR_MALFORMED || code == WL_ERR_ADDRESS || code == WL_ERR_CRC;
    if (!known) std::abort();
    if (code >= 0 && code <= 255) {
        if (answer.data.size() > WL_MAX_DATA || answer.seq != wait.seq || answer.cls != wait.cls) std::abort();
        if (!(answer.flags & wireframe::kFlagAnswer) || answer.code != code) std::abort();
    }
    // Bytes here come at once: the answer may take the time-out, never seconds more.
    if (ms.count() > 1000 + 2 * wait.timeout_ms) std::abort();
    return 0;
}
