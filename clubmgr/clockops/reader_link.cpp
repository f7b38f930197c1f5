#include "device_link.h"
#include "versioned_symbol.h"

namespace clockops::link {

CLUB_VERSIONED_CALL(uint32_t, ReaderOpenPort, IFD_OpenPort, PORTLINK_VERSION_NODE,
                    (const char *name, const char *settings), (name, settings))
CLUB_VERSIONED_CALL(int16_t, ReaderIsPortValid, IFD_IsPortValid, PORTLINK_VERSION_NODE, (uint32_t handle), (handle))
CLUB_VERSIONED_CALL(int16_t, ReaderClosePort, IFD_ClosePort, PORTLINK_VERSION_NODE, (uint32_t handle), (handle))
CLUB_VERSIONED_CALL(int32_t, ReaderGetErrCode, IFD_GetErrCode, PORTLINK_VERSION_NODE, (uint32_t handle), (handle))

} // namespace clockops::link
