#include "device_link.h"

// Versioned references: the version node names come from the libraries' linker maps
// (see CMakeLists.txt), so the reader module can never end up in wirelink or vice versa.
#define CLUB_STR2(x) #x
#define CLUB_STR(x) CLUB_STR2(x)
#define CLUB_BIND(local, name, version) __asm__(".symver " #local "," #name "@" CLUB_STR(version))

extern "C" {
uint32_t club_pl_IFD_OpenPort(const char *name, const char *settings);
int16_t club_pl_IFD_IsPortValid(uint32_t handle);
int16_t club_pl_IFD_ClosePort(uint32_t handle);
int32_t club_pl_IFD_GetErrCode(uint32_t handle);
}

CLUB_BIND(club_pl_IFD_OpenPort, IFD_OpenPort, PORTLINK_VERSION_NODE);
CLUB_BIND(club_pl_IFD_IsPortValid, IFD_IsPortValid, PORTLINK_VERSION_NODE);
CLUB_BIND(club_pl_IFD_ClosePort, IFD_ClosePort, PORTLINK_VERSION_NODE);
CLUB_BIND(club_pl_IFD_GetErrCode, IFD_GetErrCode, PORTLINK_VERSION_NODE);

namespace clockops::link {

uint32_t ReaderOpenPort(const char *name, const char *settings) { return club_pl_IFD_OpenPort(name, settings); }
int16_t ReaderIsPortValid(uint32_t handle) { return club_pl_IFD_IsPortValid(handle); }
int16_t ReaderClosePort(uint32_t handle) { return club_pl_IFD_ClosePort(handle); }
int32_t ReaderGetErrCode(uint32_t handle) { return club_pl_IFD_GetErrCode(handle); }

} // namespace clockops::link
