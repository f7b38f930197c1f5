// PG_GetDevState under its C++ name as well, for callers that import it decorated.
// (portlink.h is not included here: it declares the plain C name.)
#include <cstdint>

extern "C" int16_t IFD_GetState(uint32_t handle, uint32_t* state);

int16_t PG_GetDevState(uint32_t handle, uint32_t* state);
int16_t PG_GetDevState(uint32_t handle, uint32_t* state) { return IFD_GetState(handle, state); }
