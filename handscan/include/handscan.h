/* handscan - the newer-generation hand scanner: record memory and settings.
 *
 * Every export takes a port handle opened with wirelink's IFD_OpenPort, runs one command
 * (device class 0x41) through IFD_RunCmd and returns a 16-bit status: HS_OK on success, 0
 * on failure (reason: IFD_GetErrCode; 263 when an answer carries too little data). Output
 * pointers may be null; they are written only on success. Numbers are little-endian.
 */
#ifndef HANDSCAN_H
#define HANDSCAN_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define HS_OK ((uint16_t)0xFFFFu)
#define HS_CLASS 0x41
#define HS_ERR_ANSWER 263
/* Code sent ahead of the value of PT_ClearRecords. */
#define HS_CLEAR_CODE "KUBEL718"

uint16_t PT_ClearRecords(uint32_t port, uint32_t value);
uint16_t PT_GetRecordCount(uint32_t port, uint32_t* count);
/* Reads one record; succeeds when the scanner sends at least 24 bytes. The record itself
 * is not handed out. */
uint16_t PT_GetRecord(uint32_t port, uint32_t index);
uint16_t PT_GetShutDelay(uint32_t port, uint32_t* delay);
uint16_t PT_SetShutDelay(uint32_t port, uint8_t delay);
uint16_t PT_GetBeepMode(uint32_t port, uint32_t* mode);
uint16_t PT_SetBeepMode(uint32_t port, uint8_t mode);
uint16_t PT_GetScanMode(uint32_t port, uint32_t* mode);
uint16_t PT_SetScanMode(uint32_t port, uint8_t mode);
uint16_t PT_InsertEmptyRecord(uint32_t port);

#ifdef __cplusplus
}
#endif

#endif
