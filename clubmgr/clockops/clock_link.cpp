#include "device_link.h"
#include "versioned_symbol.h"

namespace clockops::link {

CLUB_VERSIONED_CALL(uint32_t, ClockOpenPort, IFD_OpenPort, WIRELINK_VERSION_NODE,
                    (const char *name, const char *settings), (name, settings))
CLUB_VERSIONED_CALL(int16_t, ClockIsPortValid, IFD_IsPortValid, WIRELINK_VERSION_NODE, (uint32_t handle), (handle))
CLUB_VERSIONED_CALL(int16_t, ClockClosePort, IFD_ClosePort, WIRELINK_VERSION_NODE, (uint32_t handle), (handle))
CLUB_VERSIONED_CALL(int32_t, ClockGetErrCode, IFD_GetErrCode, WIRELINK_VERSION_NODE, (uint32_t handle), (handle))
CLUB_VERSIONED_CALL(int16_t, ClockGetDevNo, IFD_GetDevNo, WIRELINK_VERSION_NODE, (uint32_t handle, char *devno),
                    (handle, devno))
CLUB_VERSIONED_CALL(int16_t, ClockConnect, IFD_Connect, WIRELINK_VERSION_NODE,
                    (uint32_t handle, const uint8_t *sysid, const uint8_t *code), (handle, sysid, code))
CLUB_VERSIONED_CALL(uint32_t, HexToBin, HexToBin, WIRELINK_VERSION_NODE,
                    (const char *text, uint8_t *bytes, uint32_t max), (text, bytes, max))
CLUB_VERSIONED_CALL(void, DesEncrypt, DesEncrypt, WIRELINK_VERSION_NODE,
                    (uint8_t *out, const uint8_t *in, const uint8_t *key), (out, in, key))
CLUB_VERSIONED_CALL(void, DesDecrypt, DesDecrypt, WIRELINK_VERSION_NODE,
                    (const uint8_t *in, uint8_t *out, const uint8_t *key), (in, out, key))

} // namespace clockops::link
