// wirelink's answer receiver driven from byte sources: which answer it takes, the code each
// kind of damage ends in, and that a device that never stops talking cannot hold it.
#include <gtest/gtest.h>

#include <chrono>
#include <vector>

#include "common/crc.h"
#include "common/linkframe.h"
#include "receiver.h"
#include "wirelink.h"

namespace {

using Bytes = std::vector<uint8_t>;

// An answer frame of the race clock's class with the given sequence number.
Bytes answer_frame(uint8_t seq, uint8_t status = 0, Bytes data = {1, 2, 3}, uint8_t cls = 0x46,
                   uint8_t to = 0x00, bool good_crc = true) {
    Bytes body = {0x00, 0x01, 0x00, to, 0x03, seq, cls, status, uint8_t(data.size()), 0};
    body.insert(body.end(), data.begin(), data.end());
    body.push_back(club::crc8_hitag(body.data(), body.size()));
    if (!good_crc) body.back() ^= 0x01;
    Bytes wire;
    club::link::wrap(body.data(), body.size(), wire);
    return wire;
}

Bytes cat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes head(Bytes a, size_t n) {
    a.resize(n);
    return a;
}

struct Line {
    Bytes bytes;
    size_t pos = 0;
    bool endless = false;  // after the bytes, stale answers without end
};

int next_byte(void* ctx, int) {
    auto* line = static_cast<Line*>(ctx);
    if (line->pos == line->bytes.size()) {
        if (!line->endless) return -1;
        line->bytes = answer_frame(0x99);
        line->pos = 0;
    }
    return line->bytes[line->pos++];
}

wirelink::AnswerWait wait_for(uint8_t seq) {
    wirelink::AnswerWait w;
    w.timeout_ms = 100;
    w.seq = seq;
    w.cls = 0x46;
    return w;
}

TEST(WirelinkReceiver, EachLineEndsInItsCode) {
    Bytes oversized = {0x1A};
    oversized.insert(oversized.end(), 70, 0x00);
    oversized.push_back(0x17);
    const struct {
        const char* what;
        Bytes line;
        int32_t code;
    } cases[] = {
        {"the answer", answer_frame(7), 0},
        {"a late answer first, then this one", cat(answer_frame(6), answer_frame(7)), 0},
        {"a device status", answer_frame(7, 0x05), 0x05},
        {"silence", {}, WL_ERR_NO_ANSWER},
        {"only a late answer", answer_frame(6), WL_ERR_NO_ANSWER},
        {"noise before the frame", cat({0x55}, answer_frame(7)), WL_ERR_MALFORMED},
        {"cut off", head(answer_frame(7), 6), WL_ERR_MALFORMED},
        {"another device family", answer_frame(7, 0, {}, 0x41), WL_ERR_MALFORMED},
        {"addressed to another station", answer_frame(7, 0, {}, 0x46, 0x05), WL_ERR_ADDRESS},
        {"a damaged CRC", answer_frame(7, 0, {1, 2, 3}, 0x46, 0x00, false), WL_ERR_CRC},
        {"longer than any frame", oversized, WL_ERR_TOO_LONG},
    };
    for (const auto& c : cases) {
        Line line{c.line};
        wireframe::Frame answer;
        EXPECT_EQ(wirelink::receive_answer(next_byte, &line, wait_for(7), answer), c.code) << c.what;
        if (c.code >= 0 && c.code <= 255) {
            EXPECT_EQ(answer.seq, 7) << c.what;
            EXPECT_EQ(answer.data, (Bytes{1, 2, 3})) << c.what;
        }
    }
}

TEST(WirelinkReceiver, EndlessLateAnswersEndWithinTheTimeOut) {
    Line line{{}, 0, true};
    wireframe::Frame answer;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(wirelink::receive_answer(next_byte, &line, wait_for(7), answer), WL_ERR_NO_ANSWER);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));
}

}  // namespace
