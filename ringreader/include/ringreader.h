/* ringreader - the club's RFID ring reader: reader control, Hitag S and Hitag 2 page
 * access, tag-talks-first reading, ISO 11784 identity fields and ring formatting.
 *
 * Two builds come from one source:
 *   libringreader5  talks to the older reader through portlink (the one clubmgr loads);
 *   libringreader6  talks to the newer reader through wirelink (device class 0x11).
 * Both export the same names under their own symbol version (RINGREADER_5, RINGREADER_6).
 * Version 5 alone has SC_DriverSignal, SC_DoBell, HTS_FormatTTF and the HT2_ family;
 * version 6 alone has HTS_ActiveEx and HTS_Auth.
 *
 * Every device export takes a port handle opened by the caller with the link library,
 * sends one or more commands and returns a status: RR_OK (all bits set) on success, 0 on
 * failure; the reason is then the port's error code (IFD_GetErrCode of the link library;
 * 263 when the reader answered with the wrong amount of data). Output pointers may be
 * null: the command is still performed and only the copy is skipped. The library keeps
 * no state between calls.
 */
#ifndef RINGREADER_H
#define RINGREADER_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define RR_OK ((uint16_t)0xFFFFu)
#define RR_FAIL ((uint16_t)0)

/* Error code set when an answer has the wrong length. */
#define RR_ERR_ANSWER 263u

/* Longest answer TTF_Read copies; its buffer must hold this many bytes. */
#define RR_TTF_MAX 16

/* Identity code of a pigeon ring: 4 bytes ring identity + 1 byte random code. */
#define RR_IDENTITY_LEN 5
/* The identity code in the header-and-parity (EM4100) layout of pages 4-5. */
#define RR_EM4100_LEN 8

/* Configuration byte values written by the formatting exports. */
#define RR_CFG_MC2K64 0x24
#define RR_CFG_BC2K64 0x64
#define RR_CFG_PIGEON 0x34
#define RR_CFG_PIGEON_MODE 0x36
#define RR_CFG_TTF_ISO_DATA 0x08 /* HTS_FormatTTF type 2 */
#define RR_CFG_TTF_ISO_CODE 0x48 /* HTS_FormatTTF type 3 */
#define RR_CFG_LOCKED 0x02       /* configuration byte bit: configuration locked */
#define RR_FUSE_LOCK 0x80

/* ---- Reader control ---------------------------------------------------------------- */
uint16_t RF_Config(uint32_t port, uint8_t value);
/* Version 5 sends the low byte of value only. */
uint16_t RF_Reset(uint32_t port, uint16_t value);
/* Version 5 only. */
uint16_t SC_DriverSignal(uint32_t port, uint8_t signal, uint8_t p1, uint8_t p2, uint8_t p3);
uint16_t SC_DoBell(uint32_t port, uint8_t p1, uint8_t p2, uint8_t p3);

/* ---- Hitag S --------------------------------------------------------------------------- */
/* Selects the ring in the field; fails when there is none. */
uint16_t HTS_Active(uint32_t port, uint8_t uid[4]);
/* Version 6 only: the UID and the 4 answer bytes after it. */
uint16_t HTS_ActiveEx(uint32_t port, uint8_t uid[4], uint8_t extra[4]);
/* Version 6 only: authenticates with a 6-byte key; with returnAnswer nonzero the 4 answer
 * bytes replace the UID. */
uint16_t HTS_Auth(uint32_t port, uint8_t uid[4], const uint8_t key[6], int32_t returnAnswer);
uint16_t HTS_ReadPage(uint32_t port, uint8_t page, uint8_t out[4]);
uint16_t HTS_WritePage(uint32_t port, uint8_t page, const uint8_t data[4]);
uint16_t HTS_ReadBlock(uint32_t port, uint8_t block, uint8_t out[16]);
uint16_t HTS_WriteBlock(uint32_t port, uint8_t block, const uint8_t data[16]);
uint16_t HTS_Deactive(uint32_t port);

/* ---- Tag-talks-first reading ------------------------------------------------------------ */
/* Reads the code a ring in tag-talks-first mode sends; type 0 gives the 5 identity bytes
 * of a pigeon ring. At most RR_TTF_MAX bytes are copied. */
uint16_t TTF_Read(uint32_t port, uint8_t type, uint8_t* out);
/* As TTF_Read, as uppercase hexadecimal text (2 * RR_TTF_MAX + 1 characters at most).
 * When the reader answers a type this generation has no length for (version 5: above 3,
 * version 6: above 2), the result is success with the text untouched. */
uint16_t TTF_Read_Hex(uint32_t port, uint8_t type, char* text);

/* ---- ISO 11784 identity code (8 bytes, transmission order) ------------------------------- */
int32_t ISO11784_GetCountry(const uint8_t code[8]);
void ISO11784_SetCountry(uint8_t code[8], int32_t country);
/* Writes "ggg.ggg.ggg.ggg" (16 characters with the terminator); returns the text length. */
int32_t ISO11784_GetNational(const uint8_t code[8], char* text);
/* Takes four decimal groups "g1.g2.g3.g4"; a text without four groups changes nothing. */
void ISO11784_SetNational(uint8_t code[8], const char* text);
int32_t ISO11784_GetReserved(const uint8_t code[8]);
void ISO11784_SetReserved(uint8_t code[8], int32_t reserved);

/* ---- Ring formatting (Hitag S) ----------------------------------------------------------- */
/* Writes the identity code into pages 4-5 where it differs, then reads both back. */
uint16_t HTS_ChangePigeon(uint32_t port, const uint8_t identity[5]);
uint16_t HTS_FormatPigeon(uint32_t port, const uint8_t identity[5], int32_t mode, int32_t lock);
uint16_t HTS_Format_MC2K64(uint32_t port, const uint8_t identity[5]);
uint16_t HTS_Format_BC2K64(uint32_t port, const uint8_t identity[5]);
/* Version 5 only. Type 0/1: data = 5 identity bytes; type 2: 11 bytes; type 3: the 8-byte
 * ISO 11784 code. */
uint16_t HTS_FormatTTF(uint32_t port, uint8_t type, const uint8_t* data);
/* Sets the configuration byte (byte 1 of page 1); fails on a locked configuration. */
uint16_t HTS_WriteConfig(uint32_t port, uint8_t value);
/* ORs bits into the lock byte (byte 2 of page 1). */
uint16_t HTS_Fuse(uint32_t port, uint8_t bits);

/* ---- Hitag 2 (version 5 only) ------------------------------------------------------------- */
uint16_t HT2_Active(uint32_t port, const uint8_t key[4], uint8_t first[4], uint8_t second[4]);
uint16_t HT2_ReadPage(uint32_t port, uint8_t page, uint8_t out[4]);
uint16_t HT2_WritePage(uint32_t port, uint8_t page, const uint8_t data[4]);
uint16_t HT2_CheckPage(uint32_t port, uint8_t page, const uint8_t data[4]);
uint16_t HT2_Deactive(uint32_t port);
uint16_t HT2_WriteConfig(uint32_t port, uint8_t value);
uint16_t HT2_Lock(uint32_t port, uint8_t bits);
uint16_t HT2_Format_MC2K64(uint32_t port, const uint8_t identity[5]);
/* Type 0: 5 identity bytes; type 3: the 8-byte ISO 11784 code; other types fail. */
uint16_t HT2_FormatTTF(uint32_t port, uint8_t type, const uint8_t* data);

/* ---- Pure helpers (no device) ------------------------------------------------------------ */
/* The 5 identity bytes in the header-and-parity layout of pages 4-5. */
void RR_EncodeEm4100(const uint8_t identity[5], uint8_t out[8]);
/* Back from pages 4-5; returns 0 when header, parities or stop bit are wrong. */
int32_t RR_DecodeEm4100(const uint8_t in[8], uint8_t identity[5]);
/* The 16-byte ISO 11784 telegram of HTS_FormatTTF: type 2 from 11 bytes, type 3 from the
 * 8-byte code. Returns 0 for another type. */
int32_t RR_BuildTelegram(uint8_t type, const uint8_t* data, uint8_t out[16]);

#ifdef __cplusplus
}
#endif

#endif
