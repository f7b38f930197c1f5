// The exports the clock's callers may import decorated, also under their C++ names
// (racetimer.h is not included: it declares the plain C names).
#include <cstdint>

extern "C" int16_t c_PGT_GetTagEx(uint32_t, uint32_t, uint32_t, char *, char *, char *, uint8_t *,
                                  uint8_t *, uint32_t *) __asm__("PGT_GetTagEx");
extern "C" int16_t c_PGT_AddRaceTagEx(uint32_t, const char *, const char *, const char *,
                                      uint8_t *) __asm__("PGT_AddRaceTagEx");
extern "C" int16_t c_PGT_FindTag(uint32_t, const uint8_t *, char *, char *, uint8_t *, uint8_t *,
                                 uint32_t *) __asm__("PGT_FindTag");

int16_t PGT_GetTagEx(uint32_t port, uint32_t kind, uint32_t index, char *uid, char *tagcode,
                     char *label, uint8_t *extra1, uint8_t *extra2, uint32_t *state);
int16_t PGT_GetTagEx(uint32_t port, uint32_t kind, uint32_t index, char *uid, char *tagcode,
                     char *label, uint8_t *extra1, uint8_t *extra2, uint32_t *state) {
    return c_PGT_GetTagEx(port, kind, index, uid, tagcode, label, extra1, extra2, state);
}

int16_t PGT_AddRaceTagEx(uint32_t port, const char *race, const char *tagcode, const char *uid,
                         uint8_t *out);
int16_t PGT_AddRaceTagEx(uint32_t port, const char *race, const char *tagcode, const char *uid,
                         uint8_t *out) {
    return c_PGT_AddRaceTagEx(port, race, tagcode, uid, out);
}

int16_t PGT_FindTag(uint32_t port, const uint8_t *key, char *uid, char *label, uint8_t *extra1,
                    uint8_t *extra2, uint32_t *state);
int16_t PGT_FindTag(uint32_t port, const uint8_t *key, char *uid, char *label, uint8_t *extra1,
                    uint8_t *extra2, uint32_t *state) {
    return c_PGT_FindTag(port, key, uid, label, extra1, extra2, state);
}
