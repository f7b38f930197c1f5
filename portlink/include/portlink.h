/*
 * portlink - device link of the older device generation (ring reader version 5, training
 * clock and other serial devices of the club).
 *
 * A caller opens a port once (handles 1 to 8, 0 = failure), runs framed commands on it and
 * closes it. Every exchange blocks until the answer has arrived or the port's read
 * time-outs have passed; the library starts no threads and takes no locks, so a port is
 * used by one caller at a time and ports are opened and closed from one thread.
 *
 * Statuses are 16-bit: -1 (all bits set) for success, 0 for failure; the reason is then
 * read with IFD_GetErrCode. Every buffer belongs to the caller.
 *
 * The frame on the wire (common/include/common/linkframe.h has the byte-level details):
 *   1A, body with 17/1A/1B escaped as 1B + (byte | 80), 17
 *   body: sender address (2), receiver address (2, FF FF = any), flags, frame mark,
 *         command or status, data length N, N data bytes,
 *         [padding to whole DES blocks from the frame mark on, and a 4-byte CBC-MAC,
 *          when flags 0x40 (ECB-encrypted) or 0x80 (authenticated) are set], CRC-8.
 *   flags: 01 user command, 02 answer, 40 encrypted, 80 authenticated.
 */
#ifndef PORTLINK_H
#define PORTLINK_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Error codes kept per port. 1 to 255 are a device's own status byte. */
enum {
    PL_ERR_NONE = 0,
    PL_ERR_OPEN = 257,       /* the serial device cannot be opened */
    PL_ERR_SETTINGS = 258,   /* line settings or time-outs cannot be read or applied */
    PL_ERR_NO_ANSWER = 259,  /* the first byte did not arrive in time, or a read failed */
    PL_ERR_BAD_HANDLE = 260, /* the handle names no open port */
    PL_ERR_WRITE = 261,      /* a write failed or wrote fewer bytes than asked */
    PL_ERR_TOO_LONG = 262,   /* answer longer than 150 body bytes */
    PL_ERR_MALFORMED = 263,  /* malformed or unexpected answer; too little answer data */
    PL_ERR_ADDRESS = 264,    /* answer addressed to another station */
    PL_ERR_MAC = 265,        /* protected region not whole blocks, or MAC mismatch */
    PL_ERR_CRC = 266         /* CRC error */
};

/* Room an answer block needs: frame mark, status, length and up to 141 data bytes. */
#define PL_ANSWER_BLOCK_SIZE (3 + 141)
/* The most data bytes a request carries. */
#define PL_MAX_REQUEST_DATA 137

/* ---- ports ---------------------------------------------------------------------------- */

/* Opens a serial device by path ("/dev/ttyUSB0", "/dev/pts/7"; "COMn" means
   /dev/ttyS(n-1)) at 57600 baud 8N1, raw, without flow control, DTR and RTS on.
   settings: ";"-separated items, may be null: "baud=<n>" sets the baud rate,
   "timeout=<ms>" the read total constant (letter case ignored; other items ignored).
   Returns the handle 1-8, or 0 when no slot is free, the device cannot be opened (or is
   in use by another port) or the settings cannot be applied. */
uint32_t IFD_OpenPort(const char *name, const char *settings);
int16_t IFD_IsPortValid(uint32_t handle);
/* Closes the port; the handle may be handed out again. 0 for a handle of no open port. */
int16_t IFD_ClosePort(uint32_t handle);
/* Sets the read total constant time-out (default 2000 ms). The other time-outs are the
   500 ms interval between two bytes of one read, 5 ms per byte read, and 5 ms per byte
   plus 50 ms for a write. Failure: 258. */
int16_t IFD_SetInterval(uint32_t handle, uint32_t ms);
/* Discards everything waiting in both directions. */
int16_t IFD_CommClear(uint32_t handle);
/* Writes count bytes; 261 unless all were written in time. */
int16_t IFD_SendRaw(uint32_t handle, const uint8_t *bytes, uint32_t count);
/* Reads up to *count bytes in one read under the time-outs; *count receives the number
   read (0 when nothing came). With count null it succeeds without reading. Failure: 259. */
int16_t IFD_GetRaw(uint32_t handle, uint8_t *buffer, uint32_t *count);
/* The port's last error code; 260 for a handle of no open port. */
int32_t IFD_GetErrCode(uint32_t handle);
void IFD_SetErrCode(uint32_t handle, int32_t code);

/* ---- commands ------------------------------------------------------------------------- */

/* One exchange. flags (may be null = 0): in, the flags to send; out, the answer's flags.
   request: unused byte, command, data length (cut to 137), data.
   answer (may be null; else PL_ANSWER_BLOCK_SIZE bytes): frame mark, status, data length,
   data. A nonzero device status fails with that status as error code, the answer block
   being filled all the same. */
int16_t IFD_RunCmd(uint32_t handle, uint8_t *flags, const uint8_t *request, uint8_t *answer);
/* System command (flags 00; the answer's flags must be exactly 02). out may be null;
   capacity (may be null): in, room in out; out, the answer data bytes copied. */
int16_t IFD_RunSysCmd(uint32_t handle, uint32_t command, const uint8_t *data, uint32_t count, uint8_t *out,
                      uint32_t *capacity);
/* User command, encrypted and authenticated (flags C1; the answer's must be exactly C3). */
int16_t IFD_RunUserCmd(uint32_t handle, uint32_t command, const uint8_t *data, uint32_t count, uint8_t *out,
                       uint32_t *capacity);
/* The device's state byte. Also exported as PG_GetDevState (and under its C++ name). */
int16_t IFD_GetState(uint32_t handle, uint32_t *state);
int16_t PG_GetDevState(uint32_t handle, uint32_t *state);
/* The device number as 8 hexadecimal digits and a terminator (9 characters). */
int16_t IFD_GetDevNo(uint32_t handle, char *devno);
/* The address of the device with that number as 4 hexadecimal digits (5 characters). */
int16_t IFD_GetDevAddr(uint32_t handle, const char *devno, char *address);
int16_t IFD_SetDevAddr(uint32_t handle, const char *devno, const char *address);
/* Switches the device into its in-system programming mode. */
int16_t IFD_ActiveIsp(uint32_t handle);
/* Local settings, no exchange: this station's address and the device addressed
   (4 hexadecimal digits; missing bytes are 0). */
int16_t IFD_SetBaseAddr(uint32_t handle, const char *address);
int16_t IFD_SelectDev(uint32_t handle, const char *address);

/* ---- secure channel ------------------------------------------------------------------- */

/* Hands the device key derived from the password and the device number to the device,
   under key number key_no (plain frame). password may be null. */
int16_t IFD_InitDev(uint32_t handle, uint8_t key_no, const char *password);
/* Opens a session: sends the port's session identifier; the answer's first 4 bytes go to
   first (may be null), the device challenge to challenge (may be null). */
int16_t IFD_CreateSession(uint32_t handle, uint8_t *first, uint8_t *challenge);
/* The port's 4 session identifier bytes, in their stored order. */
int16_t IFD_GetSession(uint32_t handle, uint32_t *session);
/* Hands the port's data and MAC keys to the device under the device key of key_no and
   password; afterwards IFD_RunUserCmd works. */
int16_t IFD_Connect(uint32_t handle, uint8_t key_no, const char *password);

/* ---- conversion helpers --------------------------------------------------------------- */

/* 2n uppercase digits and a terminator. The result has no meaning. */
uint32_t BinToHex(const uint8_t *bytes, uint32_t count, char *text);
/* At most max bytes from the digits of text; other characters are skipped, a lone last
   digit is dropped. Returns the number of bytes written. */
uint32_t HexToBin(const char *text, uint8_t *bytes, uint32_t max);
uint32_t UInt32ToHex(uint32_t value, char *text); /* 9 characters */
uint32_t UInt16ToHex(uint32_t value, char *text); /* 5 characters */
uint32_t UInt8ToHex(uint32_t value, char *text);  /* 3 characters */
/* Up to 4 bytes of the text as a big-endian number. */
uint32_t HexToUInt32(const char *text);
uint32_t AndBits(uint32_t a, uint32_t b);
uint32_t OrBits(uint32_t a, uint32_t b);
uint32_t XorBits(uint32_t a, uint32_t b);
/* 6 BCD bytes: year (from 2000), month, day, hour, minute, second of an OLE automation
   date; all 0x95 when the date cannot be split. The result has no meaning. */
int64_t DateToBcd(uint8_t *bcd, double date);
/* The OLE automation date of 6 BCD bytes, or 0.0 when they are no valid date. */
double BcdToDate(const uint8_t *bcd);

#ifdef __cplusplus
}
#endif

#endif
