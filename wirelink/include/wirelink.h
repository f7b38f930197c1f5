/*
 * wirelink - device link of the newer device generation (race clock, hand scanner,
 * newer ring reader).
 *
 * A port is opened once, proved to the device with IFD_Connect and then carries one
 * command exchange at a time through IFD_RunCmd. Every call blocks until the answer
 * arrives or the read time-out passes. The library starts no threads and takes no
 * locks: a port is used by one caller at a time.
 *
 * Statuses are 16-bit: 0xFFFF (all bits set) for success, 0 for failure; the reason is
 * then read with IFD_GetErrCode. The wire format, the connect exchange and the error
 * codes are described in docs/wirelink.md.
 */
#ifndef WIRELINK_H
#define WIRELINK_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Error codes kept per port (IFD_GetErrCode). 1-255 are the device's own status. */
enum {
    WL_ERR_NONE = 0,
    WL_ERR_OPEN = 257,         /* the serial device cannot be opened */
    WL_ERR_SETTINGS = 258,     /* line settings or time-outs cannot be applied */
    WL_ERR_NO_ANSWER = 259,    /* nothing arrived in time, or a read failed */
    WL_ERR_BAD_HANDLE = 260,   /* the handle names no open port */
    WL_ERR_WRITE = 261,        /* a write failed or was incomplete */
    WL_ERR_TOO_LONG = 262,     /* answer frame longer than the largest frame */
    WL_ERR_MALFORMED = 263,    /* malformed or unexpected answer; answer too short */
    WL_ERR_ADDRESS = 264,      /* answer addressed to another station */
    WL_ERR_CRC = 266,          /* CRC error */
    WL_ERR_REQUEST = 268       /* request block invalid: too long, or null */
};

/* Device status bytes the newer devices answer with (they become the error code). */
enum {
    WL_DEV_UNKNOWN_CLASS = 0x01,   /* no such device family on this device */
    WL_DEV_UNKNOWN_CMD = 0x02,     /* command not known */
    WL_DEV_BAD_LENGTH = 0x03,      /* request data too short */
    WL_DEV_BAD_STATE = 0x04,       /* command not allowed now (race state, open list) */
    WL_DEV_NOT_FOUND = 0x05,       /* no such race, tag, record or log entry */
    WL_DEV_FULL = 0x06,            /* list or memory full */
    WL_DEV_BAD_KEY = 0x07,         /* race key does not match */
    WL_DEV_NOT_CONNECTED = 0x10,   /* IFD_Connect has not been completed */
    WL_DEV_FOREIGN = 0x11,         /* IFD_Connect: the device belongs to another identity */
    WL_DEV_AUTH_FAILED = 0x12      /* IFD_Connect: the identity code was wrong */
};

/* The largest data part of a request or answer block (callers' answer blocks are 56
   bytes: 4 header bytes and 52 data bytes). */
#define WL_MAX_DATA 52
#define WL_BLOCK_SIZE (4 + WL_MAX_DATA)

/* Opens a serial port by its device path ("/dev/ttyUSB0"; "COMn" means /dev/ttyS(n-1)).
   settings: "baud=115200;timeout=2000" style text, may be null (57600 baud, 2000 ms).
   Returns a handle 1-8, or 0 on failure. */
uint32_t IFD_OpenPort(const char *name, const char *settings);
int16_t IFD_IsPortValid(uint32_t handle);
int16_t IFD_ClosePort(uint32_t handle);
/* Error code of the port's last operation; 260 for a handle that names no open port. */
int32_t IFD_GetErrCode(uint32_t handle);
void IFD_SetErrCode(uint32_t handle, int32_t code);

/* Writes the device number as 8 uppercase hexadecimal digits and a terminator (9 bytes). */
int16_t IFD_GetDevNo(uint32_t handle, char *devno);

/* Proves the club to the device: sysid is the 8-byte system identity, code its DES
   encryption under the club key. Nonzero when the device accepts the club. */
int16_t IFD_Connect(uint32_t handle, const uint8_t *sysid, const uint8_t *code);

/* One command exchange. request: class byte, command, 16-bit little-endian data length
   (at most 52), data. answer (may be null, else at least 56 bytes): class byte, status,
   16-bit little-endian data length, data (at most 52 bytes). */
int16_t IFD_RunCmd(uint32_t handle, const uint8_t *request, uint8_t *answer);

/* Hexadecimal text helpers: see portlink.h, the same rules. */
uint32_t BinToHex(const uint8_t *bytes, uint32_t count, char *text);
uint32_t HexToBin(const char *text, uint8_t *bytes, uint32_t max);

/* Single-block DES (FIPS 46). Note the opposite buffer orders. */
void DesEncrypt(uint8_t *out, const uint8_t *in, const uint8_t *key);
void DesDecrypt(const uint8_t *in, uint8_t *out, const uint8_t *key);

#ifdef __cplusplus
}
#endif

#endif
