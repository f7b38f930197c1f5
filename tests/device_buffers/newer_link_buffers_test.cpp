// wirelink, the race timer, the hand scanner and the ring reader (version 6) with caller
// buffers of the sizes the description gives: see guarded.h for what every case must keep.
#include <cmath>

#include "guarded.h"
#include "handscan.h"
#include "racetimer.h"
#include "ring_reader_cases.h"
#include "wirelink.h"

namespace {

using buffers::Buffers;
using buffers::Case;

const buffers::Link kWirelink{"wirelink", WL_MAX_DATA, IFD_OpenPort, IFD_ClosePort, IFD_GetErrCode};

const uint8_t kKey[8] = {1, 2, 3, 4, 5, 6, 7, 8};
const char* const kRace = "F0000001";

// Every date getter of a race field, plain and _V2: one 8-byte date each.
using DateGetter = int16_t (*)(uint32_t, const char*, double*);
const std::pair<const char*, DateGetter> kRaceDates[] = {
    {"PGT_GetRaceFlyTime", PGT_GetRaceFlyTime},       {"PGT_GetRaceFlyTime_V2", PGT_GetRaceFlyTime_V2},
    {"PGT_GetRaceValidate", PGT_GetRaceValidate},     {"PGT_GetRaceValidate_V2", PGT_GetRaceValidate_V2},
    {"PGT_GetRaceT1", PGT_GetRaceT1},                 {"PGT_GetRaceT1_V2", PGT_GetRaceT1_V2},
    {"PGT_GetRaceT2Device", PGT_GetRaceT2Device},     {"PGT_GetRaceT2Device_V2", PGT_GetRaceT2Device_V2},
    {"PGT_GetRaceT2Auth", PGT_GetRaceT2Auth},         {"PGT_GetRaceT2Auth_V2", PGT_GetRaceT2Auth_V2},
};

TEST(NewerLinkBuffers, WirelinkExports) {
    buffers::run_cases(kWirelink, {
        {"IFD_RunCmd", {WL_BLOCK_SIZE},
         [](uint32_t h, Buffers& b) {
             const uint8_t request[4 + 3] = {0x46, 0x02, 3, 0, 1, 2, 3};
             return IFD_RunCmd(h, b.in(request), b.p(0)) != 0;
         }},
        {"IFD_GetDevNo", {9}, [](uint32_t h, Buffers& b) { return IFD_GetDevNo(h, b.c(0)) != 0; }},
        {"IFD_Connect", {}, [](uint32_t h, Buffers& b) { return IFD_Connect(h, b.in(kKey), b.in(kKey)) != 0; }},
        {"BinToHex", {7}, [](uint32_t, Buffers& b) { return BinToHex(b.in(kKey), 3, b.c(0)), true; }},
        {"HexToBin", {3}, [](uint32_t, Buffers& b) { return HexToBin(b.in("0A1B2C3D4E"), b.p(0), 3), true; }},
        {"DesEncrypt", {8}, [](uint32_t, Buffers& b) { return DesEncrypt(b.p(0), b.in(kKey), b.in(kKey)), true; }},
        {"DesDecrypt", {8}, [](uint32_t, Buffers& b) { return DesDecrypt(b.in(kKey), b.p(0), b.in(kKey)), true; }},
    });
}

TEST(NewerLinkBuffers, RaceTimerExports) {
    std::vector<Case> cases = {
        {"PGT_SetSiteInfo", {}, [](uint32_t h, Buffers& b) { return PGT_SetSiteInfo(h, b.in("Loft A"), 1, 2) != 0; }},
        {"PGT_GetSiteInfo", {31, 4, 4},
         [](uint32_t h, Buffers& b) { return PGT_GetSiteInfo(h, b.c(0), b.as<int32_t>(1), b.as<int32_t>(2)) != 0; }},
        {"PGT_SetURL", {}, [](uint32_t h, Buffers& b) { return PGT_SetURL(h, 2, b.in("abc")) != 0; }},
        {"PGT_GetURL", {52}, [](uint32_t h, Buffers& b) { return PGT_GetURL(h, 2, b.c(0)) != 0; }},
        {"PGT_GetUploadMode", {1, 1, 2},
         [](uint32_t h, Buffers& b) { return PGT_GetUploadMode(h, b.p(0), b.p(1), b.as<uint16_t>(2)) != 0; }},
        {"PGT_SetTag", {}, [](uint32_t h, Buffers& b) {
             return PGT_SetTag(h, b.in("A1B2C3D4C8000000"), 1, b.in("04A1B2C3"), b.in("NL-123")) != 0;
         }},
        {"PGT_SetTagState", {}, [](uint32_t h, Buffers& b) { return PGT_SetTagState(h, b.in("A1B2C3D4C8000000"), 2) != 0; }},
        {"PGT_CloseTag", {4}, [](uint32_t h, Buffers& b) { return PGT_CloseTag(h, b.as<uint32_t>(0)) != 0; }},
        {"PGT_GetTagCount", {4}, [](uint32_t h, Buffers& b) { return PGT_GetTagCount(h, 0, b.as<uint32_t>(0)) != 0; }},
        {"PGT_GetTag", {9, 17, 9, 4},
         [](uint32_t h, Buffers& b) { return PGT_GetTag(h, 0, 0, b.c(0), b.c(1), b.c(2), b.as<uint32_t>(3)) != 0; }},
        {"PGT_GetTagEx", {9, 17, 9, 4, 4, 4},
         [](uint32_t h, Buffers& b) {
             return PGT_GetTagEx(h, 0, 0, b.c(0), b.c(1), b.c(2), b.p(3), b.p(4), b.as<uint32_t>(5)) != 0;
         }},
        {"PGT_FindTag", {9, 9, 4, 4, 4},
         [](uint32_t h, Buffers& b) {
             return PGT_FindTag(h, b.in(kKey), b.c(0), b.c(1), b.p(2), b.p(3), b.as<uint32_t>(4)) != 0;
         }},
        {"PGT_CreateRace", {}, [](uint32_t h, Buffers& b) { return PGT_CreateRace(h, b.in(kRace), b.in("1")) != 0; }},
        {"PGT_SetRaceDesc", {}, [](uint32_t h, Buffers& b) { return PGT_SetRaceDesc(h, b.in(kRace), b.in("Orleans")) != 0; }},
        {"PGT_AddRaceTag", {}, [](uint32_t h, Buffers& b) { return PGT_AddRaceTag(h, b.in(kRace), b.in("A1B2C3D4"), b.in("04A1B2C3")) != 0; }},
        {"PGT_AddRaceTagEx", {8},
         [](uint32_t h, Buffers& b) { return PGT_AddRaceTagEx(h, b.in(kRace), b.in("A1B2C3D4"), b.in("04A1B2C3"), b.p(0)) != 0; }},
        {"PGT_ConfirmRace", {}, [](uint32_t h, Buffers& b) { return PGT_ConfirmRace(h, b.in(kRace), b.in(kKey), 45000.25) != 0; }},
        {"PGT_VerifyRace", {}, [](uint32_t h, Buffers& b) { return PGT_VerifyRace(h, b.in(kRace), b.in(kKey)) != 0; }},
        {"PGT_CloseRace_V2", {}, [](uint32_t h, Buffers& b) { return PGT_CloseRace_V2(h, b.in(kRace), 45000.75) != 0; }},
        // Dates that are no date at all go out as "no date".
        {"PGT_SetRaceFlyTime_V2 (NaN)", {}, [](uint32_t h, Buffers& b) { return PGT_SetRaceFlyTime_V2(h, b.in(kRace), std::nan("")) != 0; }},
        {"PGT_SetRaceValidate (infinite)", {}, [](uint32_t h, Buffers& b) { return PGT_SetRaceValidate(h, b.in(kRace), HUGE_VAL) != 0; }},
        {"PGT_ConfirmRace_V2 (-1e308)", {}, [](uint32_t h, Buffers& b) { return PGT_ConfirmRace_V2(h, b.in(kRace), b.in(kKey), -1e308) != 0; }},
        {"PGT_GetCurrentRace", {9, 4},
         [](uint32_t h, Buffers& b) { return PGT_GetCurrentRace(h, b.c(0), b.as<uint32_t>(1)) != 0; }},
        {"PGT_GetRaceState", {4}, [](uint32_t h, Buffers& b) { return PGT_GetRaceState(h, b.in(kRace), b.as<uint32_t>(0)) != 0; }},
        {"PGT_GetRaceLoLa", {4, 4},
         [](uint32_t h, Buffers& b) { return PGT_GetRaceLoLa(h, b.in(kRace), b.as<int32_t>(0), b.as<int32_t>(1)) != 0; }},
        {"PGT_GetRaceDesc", {31}, [](uint32_t h, Buffers& b) { return PGT_GetRaceDesc(h, b.in(kRace), b.c(0)) != 0; }},
        {"PGT_GetRaceTagCount", {4},
         [](uint32_t h, Buffers& b) { return PGT_GetRaceTagCount(h, b.in(kRace), 128, b.as<uint32_t>(0)) != 0; }},
        {"PGT_GetRaceRecord", {97}, [](uint32_t h, Buffers& b) { return PGT_GetRaceRecord(h, b.in(kRace), 128, 0, b.c(0)) != 0; }},
        {"PGT_GetLogId", {4, 4}, [](uint32_t h, Buffers& b) { return PGT_GetLogId(h, b.as<uint32_t>(0), b.as<uint32_t>(1)) != 0; }},
        {"PGT_GetLog", {4, 8, 193},
         [](uint32_t h, Buffers& b) { return PGT_GetLog(h, 1, b.as<uint32_t>(0), b.as<double>(1), b.c(2)) != 0; }},
        {"PGT_GetLog_V2", {4, 8, 193},
         [](uint32_t h, Buffers& b) { return PGT_GetLog_V2(h, 1, b.as<uint32_t>(0), b.as<double>(1), b.c(2)) != 0; }},
        {"PGT_GetOutReaderCount", {4}, [](uint32_t h, Buffers& b) { return PGT_GetOutReaderCount(h, b.as<uint32_t>(0)) != 0; }},
        {"PGT_GetOutReaderInfo", {105}, [](uint32_t h, Buffers& b) { return PGT_GetOutReaderInfo(h, 0, b.c(0)) != 0; }},
    };
    for (const auto& [name, get] : kRaceDates)
        cases.push_back({name, {8}, [get = get](uint32_t h, Buffers& b) { return get(h, b.in(kRace), b.as<double>(0)) != 0; }});
    buffers::run_cases(kWirelink, cases);

    // The local record check reads only what it is given.
    EXPECT_EQ(PGT_CheckRecord(nullptr, nullptr, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(PGT_CheckRecord("00", "1", "2", "3", kKey), 0);
}

TEST(NewerLinkBuffers, HandScannerExports) {
    buffers::run_cases(kWirelink, {
        {"PT_GetRecordCount", {4}, [](uint32_t h, Buffers& b) { return PT_GetRecordCount(h, b.as<uint32_t>(0)) != 0; }},
        {"PT_GetRecord", {}, [](uint32_t h, Buffers&) { return PT_GetRecord(h, 0) != 0; }},
        {"PT_GetShutDelay", {4}, [](uint32_t h, Buffers& b) { return PT_GetShutDelay(h, b.as<uint32_t>(0)) != 0; }},
        {"PT_GetBeepMode", {4}, [](uint32_t h, Buffers& b) { return PT_GetBeepMode(h, b.as<uint32_t>(0)) != 0; }},
        {"PT_GetScanMode", {4}, [](uint32_t h, Buffers& b) { return PT_GetScanMode(h, b.as<uint32_t>(0)) != 0; }},
    });
}

TEST(NewerLinkBuffers, RingReaderExports) { buffers::run_cases(kWirelink, buffers::ring_reader_cases()); }

}  // namespace
