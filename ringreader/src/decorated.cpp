// The exports that older callers import under their C++ names, beside the plain C ones.
// (ringreader.h is not included: it declares the plain names.)
#include <cstdint>

extern "C" {
uint16_t c_HTS_Format_MC2K64(uint32_t, const uint8_t*) __asm__("HTS_Format_MC2K64");
uint16_t c_HTS_Format_BC2K64(uint32_t, const uint8_t*) __asm__("HTS_Format_BC2K64");
uint16_t c_HTS_Fuse(uint32_t, uint8_t) __asm__("HTS_Fuse");
uint16_t c_HTS_WriteConfig(uint32_t, uint8_t) __asm__("HTS_WriteConfig");
#if RINGREADER_VERSION == 5
uint16_t c_HT2_Format_MC2K64(uint32_t, const uint8_t*) __asm__("HT2_Format_MC2K64");
#endif
}

uint16_t HTS_Format_MC2K64(uint32_t port, const uint8_t* identity);
uint16_t HTS_Format_MC2K64(uint32_t port, const uint8_t* identity) { return c_HTS_Format_MC2K64(port, identity); }
uint16_t HTS_Format_BC2K64(uint32_t port, const uint8_t* identity);
uint16_t HTS_Format_BC2K64(uint32_t port, const uint8_t* identity) { return c_HTS_Format_BC2K64(port, identity); }
uint16_t HTS_Fuse(uint32_t port, uint8_t bits);
uint16_t HTS_Fuse(uint32_t port, uint8_t bits) { return c_HTS_Fuse(port, bits); }
uint16_t HTS_WriteConfig(uint32_t port, uint8_t value);
uint16_t HTS_WriteConfig(uint32_t port, uint8_t value) { return c_HTS_WriteConfig(port, value); }
#if RINGREADER_VERSION == 5
uint16_t HT2_Format_MC2K64(uint32_t port, const uint8_t* identity);
uint16_t HT2_Format_MC2K64(uint32_t port, const uint8_t* identity) { return c_HT2_Format_MC2K64(port, identity); }
#endif
