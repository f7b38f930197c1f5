/*
 * racetimer - commands of the race timing clock (class 0x46 over wirelink).
 *
 * Every export takes a port handle opened with wirelink's IFD_OpenPort (except
 * PGT_CheckRecord), builds one command, runs it with IFD_RunCmd, checks the length of
 * the answer and converts it into the caller's buffers. The library keeps no state.
 *
 * Result: 16-bit status, -1 (all bits set) for success, 0 for failure; the reason is
 * the port's error code (IFD_GetErrCode). An answer that carries too little data sets
 * error code 263. Outputs are written only on success, except that exports returning
 * a date set it to 0.0 before the exchange.
 *
 * Conventions of the arguments:
 *  - race: race identifier, 8 hexadecimal digits ("F0000001"), sent as 4 bytes.
 *  - tag codes are 16 hexadecimal digits, UIDs 8; output hex texts are uppercase and
 *    zero-terminated (UID buffer 9 bytes, tag code 17, label 9).
 *  - texts (site name, race description) are UTF-8 on this side and at most 15 UTF-16
 *    code units in the clock; text outputs need 31 bytes and are never longer.
 *  - dates are OLE automation dates (days since 30 December 1899). The clock keeps
 *    UTC. The _V2 forms take and return local time, converted with the time-zone
 *    offset in force at the moment of the call; the plain forms pass dates unchanged.
 *  - race key: 8 bytes; it travels (and serves as the record key) with every byte
 *    shifted left by one bit.
 */
#ifndef RACETIMER_H
#define RACETIMER_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Site settings */
int16_t PGT_Clear(uint32_t port, uint8_t what);
int16_t PGT_SetSiteInfo(uint32_t port, const char *name, int32_t longitude, int32_t latitude);
/* name may be null; otherwise it needs 31 bytes. */
int16_t PGT_GetSiteInfo(uint32_t port, char *name, int32_t *longitude, int32_t *latitude);
/* At most 47 URL bytes; a longer URL is refused with error 268 and nothing is sent. */
int16_t PGT_SetURL(uint32_t port, uint8_t index, const char *url);
/* url needs 52 bytes. */
int16_t PGT_GetURL(uint32_t port, uint8_t index, char *url);
int16_t PGT_SetUploadMode(uint32_t port, uint8_t first, uint8_t second, uint16_t third);
int16_t PGT_GetUploadMode(uint32_t port, uint8_t *first, uint8_t *second, uint16_t *third);

/* Tag list */
int16_t PGT_StartTag(uint32_t port, uint8_t mode);
int16_t PGT_SetTag(uint32_t port, const char *tagcode, uint8_t state, const char *uid,
                   const char *label);
int16_t PGT_SetTagState(uint32_t port, const char *tagcode, uint8_t state);
int16_t PGT_CloseTag(uint32_t port, uint32_t *count);
int16_t PGT_GetTagCount(uint32_t port, uint16_t kind, uint32_t *count);
int16_t PGT_GetTag(uint32_t port, uint16_t kind, uint16_t index, char *uid, char *tagcode,
                   char *label, uint32_t *state);
/* extra1 and extra2 receive 4 bytes each. */
int16_t PGT_GetTagEx(uint32_t port, uint32_t kind, uint32_t index, char *uid, char *tagcode,
                     char *label, uint8_t *extra1, uint8_t *extra2, uint32_t *state);
/* key: 4 bytes taken as they are. */
int16_t PGT_FindTag(uint32_t port, const uint8_t *key, char *uid, char *label,
                    uint8_t *extra1, uint8_t *extra2, uint32_t *state);

/* Race lifecycle */
/* owner: its first 4 bytes (up to a zero byte) are sent as they are. */
int16_t PGT_CreateRace(uint32_t port, const char *race, const char *owner);
int16_t PGT_SetRaceMode(uint32_t port, const char *race, uint8_t mode);
int16_t PGT_SetRaceFlyTime(uint32_t port, const char *race, double date);
int16_t PGT_SetRaceFlyTime_V2(uint32_t port, const char *race, double date);
int16_t PGT_SetRaceValidate(uint32_t port, const char *race, double date);
int16_t PGT_SetRaceValidate_V2(uint32_t port, const char *race, double date);
int16_t PGT_SetRaceLoLa(uint32_t port, const char *race, int32_t longitude, int32_t latitude);
int16_t PGT_SetRaceDesc(uint32_t port, const char *race, const char *text);
int16_t PGT_AddRaceTag(uint32_t port, const char *race, const char *tagcode, const char *uid);
/* out receives the first 8 answer bytes. */
int16_t PGT_AddRaceTagEx(uint32_t port, const char *race, const char *tagcode, const char *uid,
                         uint8_t *out);
int16_t PGT_ConfirmRace(uint32_t port, const char *race, const uint8_t *key, double date);
int16_t PGT_ConfirmRace_V2(uint32_t port, const char *race, const uint8_t *key, double date);
int16_t PGT_StartRace(uint32_t port, const char *race, uint8_t mode);
int16_t PGT_CloseRace(uint32_t port, const char *race, double date);
int16_t PGT_CloseRace_V2(uint32_t port, const char *race, double date);
int16_t PGT_VerifyRace(uint32_t port, const char *race, const uint8_t *key);
/* race needs 9 bytes. */
int16_t PGT_GetCurrentRace(uint32_t port, char *race, uint32_t *state);
int16_t PGT_GetRaceState(uint32_t port, const char *race, uint32_t *state);
int16_t PGT_GetRaceFlyTime(uint32_t port, const char *race, double *date);
int16_t PGT_GetRaceFlyTime_V2(uint32_t port, const char *race, double *date);
int16_t PGT_GetRaceValidate(uint32_t port, const char *race, double *date);
int16_t PGT_GetRaceValidate_V2(uint32_t port, const char *race, double *date);
int16_t PGT_GetRaceLoLa(uint32_t port, const char *race, int32_t *longitude, int32_t *latitude);
/* text needs 31 bytes. */
int16_t PGT_GetRaceDesc(uint32_t port, const char *race, char *text);
int16_t PGT_GetRaceT1(uint32_t port, const char *race, double *date);
int16_t PGT_GetRaceT1_V2(uint32_t port, const char *race, double *date);
int16_t PGT_GetRaceT2Device(uint32_t port, const char *race, double *date);
int16_t PGT_GetRaceT2Device_V2(uint32_t port, const char *race, double *date);
int16_t PGT_GetRaceT2Auth(uint32_t port, const char *race, double *date);
int16_t PGT_GetRaceT2Auth_V2(uint32_t port, const char *race, double *date);

/* Race records and logs */
int16_t PGT_GetRaceTagCount(uint32_t port, const char *race, uint16_t kind, uint32_t *count);
/* text needs 97 bytes: the 48-byte record as 96 hexadecimal digits. */
int16_t PGT_GetRaceRecord(uint32_t port, const char *race, uint16_t kind, uint16_t index,
                          char *text);
/* Local check of a record's MAC code; sends nothing. sysid, devno and race are
   zero-terminated hexadecimal texts (4 bytes each are used), key the 8-byte race key.
   -1 when the record is genuine, else 0. */
int16_t PGT_CheckRecord(const char *record, const char *sysid, const char *devno,
                        const char *race, const uint8_t *key);
int16_t PGT_GetLogId(uint32_t port, uint32_t *first, uint32_t *second);
/* text needs 193 bytes (at most 96 body bytes as hexadecimal digits). */
int16_t PGT_GetLog(uint32_t port, uint32_t id, uint32_t *type, double *date, char *text);
int16_t PGT_GetLog_V2(uint32_t port, uint32_t id, uint32_t *type, double *date, char *text);
int16_t PGT_GetOutReaderCount(uint32_t port, uint32_t *count);
/* text needs 105 bytes: all answer bytes (at most 52) as hexadecimal digits. */
int16_t PGT_GetOutReaderInfo(uint32_t port, uint32_t index, char *text);

#ifdef __cplusplus
}
#endif

#endif
