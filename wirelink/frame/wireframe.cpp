#include "wireframe.h"

#include "common/crc.h"

namespace wireframe {

std::vector<uint8_t> encode(const Frame &frame) {
    const size_t n = frame.data.size() < kMaxData ? frame.data.size() : kMaxData;
    std::vector<uint8_t> body = {frame.source[0], frame.source[1], frame.dest[0],
                                 frame.dest[1],   frame.flags,     frame.seq,
                                 frame.cls,       frame.code,      uint8_t(n),
                                 uint8_t(n >> 8)};
    body.insert(body.end(), frame.data.begin(), frame.data.begin() + long(n));
    body.push_back(club::crc8_hitag(body.data(), body.size()));
    std::vector<uint8_t> wire;
    club::link::wrap(body.data(), body.size(), wire);
    return wire;
}

ParseError parse(const std::vector<uint8_t> &body, Frame &out) {
    if (body.size() < kHeaderSize + 1) return ParseError::Short;
    if (club::crc8_hitag(body.data(), body.size()) != 0) return ParseError::Crc;
    const size_t n = body[8] | (body[9] << 8);
    if (n != body.size() - kHeaderSize - 1) return ParseError::Length;
    out.source[0] = body[0];
    out.source[1] = body[1];
    out.dest[0] = body[2];
    out.dest[1] = body[3];
    out.flags = body[4];
    out.seq = body[5];
    out.cls = body[6];
    out.code = body[7];
    out.data.assign(body.begin() + kHeaderSize, body.end() - 1);
    return ParseError::None;
}

}  // namespace wireframe
