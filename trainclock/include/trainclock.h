/* trainclock - the older-generation training clock: training flights, site data, phone
 * numbers, records, logs and card races.
 *
 * Every export takes a port handle opened with portlink's IFD_OpenPort, runs one command
 * through IFD_RunCmd and returns a 16-bit status: TC_OK on success, 0 on failure (reason:
 * IFD_GetErrCode; 263 when an answer has not the length the export needs or a coordinate
 * text is invalid). Output pointers may be null; only given ones are written, and only on
 * success. Numbers travel big-endian, dates as 6 BCD bytes (portlink's DateToBcd), passed
 * through without time-zone conversion. Dates are OLE automation dates.
 *
 * Coordinate texts are 8 characters: a hemisphere letter (E/W for longitude, N/S for
 * latitude, either case) and 7 digits, e.g. "E1213045"; buffers that receive one hold 9.
 * Site names are UTF-8 on this side and at most 12 UTF-16 units on the clock; a buffer that
 * receives one holds TC_NAME_MAX bytes.
 */
#ifndef TRAINCLOCK_H
#define TRAINCLOCK_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define TC_OK ((uint16_t)0xFFFFu)
#define TC_ERR_ANSWER 263
#define TC_NAME_MAX 37  /* 12 UTF-16 units as UTF-8, with the terminator */
#define TC_COORD_TEXT 9
#define TC_PHONE_TEXT 31
#define TC_LOG_DATA_MAX 56

uint16_t PGT_Clear(uint32_t port, uint8_t what);
uint16_t PGT_SetSiteInfo(uint32_t port, const char* name, const char* longitude, const char* latitude);
uint16_t PGT_GetSiteInfo(uint32_t port, char* name, char* longitude, char* latitude);
uint16_t PGT_SetPhoneCall(uint32_t port, uint8_t index, const char* digits);
uint16_t PGT_GetPhoneCall(uint32_t port, uint8_t index, char* digits);
uint16_t PGT_SetTime(uint32_t port, double date);
uint16_t PGT_GetTime(uint32_t port, double* date);
uint16_t PGC_SetTime(uint32_t port, double date);
uint16_t PGC_GetTime(uint32_t port, double* date);
uint16_t PGT_GetTagInfo(uint32_t port, uint16_t first, uint16_t second, char* tag, uint32_t* state);

uint16_t PGT_CreateTrain(uint32_t port, uint16_t train);
/* tag: 16 hexadecimal digits (missing ones are 0). */
uint16_t PGT_AddTrainItem(uint32_t port, uint16_t train, const char* tag);
uint16_t PGT_ConfirmTrain(uint32_t port, uint16_t train);
uint16_t PGT_RemoveTrain(uint32_t port, uint16_t train);
uint16_t PGT_GetTrainCount(uint32_t port, uint32_t* count);
uint16_t PGT_GetTrainId(uint32_t port, uint16_t index, uint16_t* train, uint8_t* state, uint16_t* third);
uint16_t PGT_GetTrainInfo(uint32_t port, uint16_t train, double* date, uint32_t* value, char* longitude,
                          char* latitude);
uint16_t PGT_SetTrainInfo(uint32_t port, uint16_t train, double date, uint32_t value, const char* longitude,
                          const char* latitude);
uint16_t PGT_StartTrain(uint32_t port, uint16_t train, uint8_t mode);
uint16_t PGT_StopTrain(uint32_t port);
uint16_t PGT_GetCurTrain(uint32_t port, uint32_t* train);

/* text: 91 characters (45 bytes as hexadecimal). */
uint16_t PGT_GetRecord(uint32_t port, uint16_t first, uint16_t second, char* text);
/* tag: 13 characters; date is 0.0 unless flags bit 7 is set. */
uint16_t PGT_GetTrainRecord(uint32_t port, uint16_t first, uint16_t second, char* tag, uint32_t* flags,
                            double* date);
uint16_t PGT_GetLogId(uint32_t port, uint32_t* first, uint32_t* second);
/* data: TC_LOG_DATA_MAX bytes; length receives the clock's length (data holds at most 56). */
uint16_t PGT_GetLogInfo(uint32_t port, uint32_t id, uint32_t* type, double* date, uint32_t* length,
                        uint8_t* data);

/* first: 13 characters, second: 9 characters. */
uint16_t PGT_ReadCard(uint32_t port, char* first, char* second);
uint16_t PGC_ReadCard(uint32_t port, uint8_t which, uint8_t card[16]);
uint16_t PGC_StartRace(uint32_t port, uint8_t mode, const uint8_t card[8]);
uint16_t PGC_CloseRace(uint32_t port);
/* number 0 means an empty slot (record untouched); record: 20 bytes. */
uint16_t PGC_GetRecord(uint32_t port, uint16_t index, uint32_t* number, uint8_t record[20]);

#ifdef __cplusplus
}
#endif

#endif
