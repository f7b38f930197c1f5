// PT_GetBeepMode under its C++ name as well, for callers that import it decorated.
// (handscan.h is not included: it declares the plain C name.)
#include <cstdint>

extern "C" uint16_t c_PT_GetBeepMode(uint32_t, uint32_t*) __asm__("PT_GetBeepMode");

uint16_t PT_GetBeepMode(uint32_t port, uint32_t* mode);
uint16_t PT_GetBeepMode(uint32_t port, uint32_t* mode) { return c_PT_GetBeepMode(port, mode); }
