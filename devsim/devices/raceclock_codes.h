// Command codes, log event types and byte helpers of the race clock emulator.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/oledate.h"

namespace devsim::raceclock {

enum : uint8_t {
    kCmdClear = 0x00, kCmdSetSite = 0x01, kCmdGetSite = 0x02, kCmdSetUrl = 0x03,
    kCmdGetUrl = 0x04, kCmdSetUpload = 0x05, kCmdGetUpload = 0x06, kCmdStartTag = 0x07,
    kCmdSetTag = 0x08, kCmdCloseTag = 0x09, kCmdTagCount = 0x0A, kCmdGetTag = 0x0B,
    kCmdCreateRace = 0x0C, kCmdSetField = 0x0D, kCmdAddRaceTag = 0x0E, kCmdConfirm = 0x0F,
    kCmdStart = 0x10, kCmdClose = 0x11, kCmdVerify = 0x12, kCmdCurrent = 0x13,
    kCmdGetField = 0x14, kCmdRaceTagCount = 0x15, kCmdRaceRecord = 0x16, kCmdFindTag = 0x17,
    kCmdLogId = 0x19, kCmdLogHead = 0x1A, kCmdLogBody = 0x1B, kCmdReaderCount = 0x21,
    kCmdReaderInfo = 0x22,
};

enum : uint8_t {
    kFieldMode = 0x00, kFieldFlyTime = 0x01, kFieldValidate = 0x02, kFieldLocation = 0x03,
    kFieldDesc = 0x05, kFieldT1 = 0x11, kFieldT2Device = 0x12, kFieldT2Auth = 0x13,
};

// Log event types the clock writes.
enum : uint8_t {
    kLogConnect = 0x01, kLogTagList = 0x02, kLogRaceCreated = 0x03, kLogRaceConfirmed = 0x04,
    kLogRaceStarted = 0x05, kLogArrival = 0x06, kLogRaceVerified = 0x07, kLogRaceClosed = 0x08,
};

// The record kind of arrival records.
constexpr uint16_t kKindArrivals = 128;

constexpr size_t kMaxTags = 2000;
constexpr size_t kMaxRaces = 8;
constexpr size_t kMaxRecords = 4000;
constexpr size_t kMaxLog = 500;

inline void put16(uint8_t *p, uint32_t v) { p[0] = uint8_t(v); p[1] = uint8_t(v >> 8); }
inline void put32(uint8_t *p, uint32_t v) { put16(p, v); put16(p + 2, v >> 16); }
inline uint32_t get16(const uint8_t *p) { return p[0] | (p[1] << 8); }
inline uint32_t get32(const uint8_t *p) { return get16(p) | (get16(p + 2) << 16); }

// Device date: year - 2000, month, day, hour, minute, second.
inline void put_date6(uint8_t *p, const club::CalendarFields &f) { club::fields_to_device_date(f, p); }
// Clock date-time: the device date and milliseconds as a 16-bit number.
inline void put_date8(uint8_t *p, const club::CalendarFields &f) {
    put_date6(p, f);
    put16(p + 6, uint32_t(f.millisecond));
}

}  // namespace devsim::raceclock
