// The link-library calls of the device modules, bound to the right library.
//
// portlink and wirelink export the same names (IFD_OpenPort, HexToBin, ...) under their own
// symbol versions. This program loads both, so every call here names the version it means:
// the reader module talks to portlink, the clock module and the clock pages to wirelink.
#pragma once

#include <cstdint>

namespace clockops::link {

// portlink (older generation: the ring reader)
uint32_t ReaderOpenPort(const char *name, const char *settings);
int16_t ReaderIsPortValid(uint32_t handle);
int16_t ReaderClosePort(uint32_t handle);
int32_t ReaderGetErrCode(uint32_t handle);

// wirelink (newer generation: the race clock)
uint32_t ClockOpenPort(const char *name, const char *settings);
int16_t ClockIsPortValid(uint32_t handle);
int16_t ClockClosePort(uint32_t handle);
int32_t ClockGetErrCode(uint32_t handle);
int16_t ClockGetDevNo(uint32_t handle, char *devno);
int16_t ClockConnect(uint32_t handle, const uint8_t *sysid, const uint8_t *code);
uint32_t HexToBin(const char *text, uint8_t *bytes, uint32_t max);
void DesEncrypt(uint8_t *out, const uint8_t *in, const uint8_t *key);
void DesDecrypt(const uint8_t *in, uint8_t *out, const uint8_t *key);

} // namespace clockops::link
