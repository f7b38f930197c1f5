// The two checksums of the device protocols.
//
// crc8_hitag: polynomial 0x1D, initial 0xFF, MSB first, no reflection, no final XOR
//   (check value 0xB4 over "123456789"). Guards link frames and ring pages. Running it over
//   a body that ends with its own CRC gives 0.
// crc16_ring: polynomial 0x1021, initial 0, MSB first, no reflection, no final XOR
//   (check value 0x31C3). Guards ring telegrams.
// The `crc` argument lets a caller continue over data that arrives in pieces.
#pragma once

#include <cstddef>
#include <cstdint>

namespace club {

uint8_t crc8_hitag(const uint8_t* data, size_t len, uint8_t crc = 0xFF);
uint16_t crc16_ring(const uint8_t* data, size_t len, uint16_t crc = 0);

}  // namespace club
