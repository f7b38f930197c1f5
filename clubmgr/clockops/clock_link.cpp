#include "device_link.h"

// Versioned references: the version node names come from the libraries' linker maps
// (see CMakeLists.txt), so the reader module can never end up in wirelink or vice versa.
#define CLUB_STR2(x) #x
#define CLUB_STR(x) CLUB_STR2(x)
#define CLUB_BIND(local, name, version) __asm__(".symver " #local "," #name "@" CLUB_STR(version))

extern "C" {
uint32_t club_wl_IFD_OpenPort(const char *name, const char *settings);
int16_t club_wl_IFD_IsPortValid(uint32_t handle);
int16_t club_wl_IFD_ClosePort(uint32_t handle);
int32_t club_wl_IFD_GetErrCode(uint32_t handle);
int16_t club_wl_IFD_GetDevNo(uint32_t handle, char *devno);
int16_t club_wl_IFD_Connect(uint32_t handle, const uint8_t *sysid, const uint8_t *code);
uint32_t club_wl_HexToBin(const char *text, uint8_t *bytes, uint32_t max);
void club_wl_DesEncrypt(uint8_t *out, const uint8_t *in, const uint8_t *key);
void club_wl_DesDecrypt(const uint8_t *in, uint8_t *out, const uint8_t *key);
}


CLUB_BIND(club_wl_IFD_OpenPort, IFD_OpenPort, WIRELINK_VERSION_NODE);
CLUB_BIND(club_wl_IFD_IsPortValid, IFD_IsPortValid, WIRELINK_VERSION_NODE);
CLUB_BIND(club_wl_IFD_ClosePort, IFD_ClosePort, WIRELINK_VERSION_NODE);
CLUB_BIND(club_wl_IFD_GetErrCode, IFD_GetErrCode, WIRELINK_VERSION_NODE);
CLUB_BIND(club_wl_IFD_GetDevNo, IFD_GetDevNo, WIRELINK_VERSION_NODE);
CLUB_BIND(club_wl_IFD_Connect, IFD_Connect, WIRELINK_VERSION_NODE);
CLUB_BIND(club_wl_HexToBin, HexToBin, WIRELINK_VERSION_NODE);
CLUB_BIND(club_wl_DesEncrypt, DesEncrypt, WIRELINK_VERSION_NODE);
CLUB_BIND(club_wl_DesDecrypt, DesDecrypt, WIRELINK_VERSION_NODE);

namespace clockops::link {


uint32_t ClockOpenPort(const char *name, const char *settings) { return club_wl_IFD_OpenPort(name, settings); }
int16_t ClockIsPortValid(uint32_t handle) { return club_wl_IFD_IsPortValid(handle); }
int16_t ClockClosePort(uint32_t handle) { return club_wl_IFD_ClosePort(handle); }
int32_t ClockGetErrCode(uint32_t handle) { return club_wl_IFD_GetErrCode(handle); }
int16_t ClockGetDevNo(uint32_t handle, char *devno) { return club_wl_IFD_GetDevNo(handle, devno); }
int16_t ClockConnect(uint32_t handle, const uint8_t *sysid, const uint8_t *code)
{
    return club_wl_IFD_Connect(handle, sysid, code);
}
uint32_t HexToBin(const char *text, uint8_t *bytes, uint32_t max) { return club_wl_HexToBin(text, bytes, max); }
void DesEncrypt(uint8_t *out, const uint8_t *in, const uint8_t *key) { club_wl_DesEncrypt(out, in, key); }
void DesDecrypt(const uint8_t *in, uint8_t *out, const uint8_t *key) { club_wl_DesDecrypt(in, out, key); }

} // namespace clockops::link
