// portlink, the training clock and the ring reader (version 5) with caller buffers of the
// sizes the description gives: see guarded.h for what every case must keep.
#include <cmath>

#include "guarded.h"
#include "portlink.h"
#include "ring_reader_cases.h"
#include "trainclock.h"

namespace {

using buffers::Buffers;
using buffers::Case;

const buffers::Link kPortlink{"portlink", 141, IFD_OpenPort, IFD_ClosePort, IFD_GetErrCode};

TEST(OlderLinkBuffers, PortlinkExports) {
    static const uint8_t data[3] = {1, 2, 3};
    buffers::run_cases(kPortlink, {
        {"IFD_RunCmd", {1, 3 + 141},
         [](uint32_t h, Buffers& b) {
             const uint8_t request[3 + 3] = {0, 0x01, 3, 1, 2, 3};
             if (!b.null()) b.p(0)[0] = 0x01;
             return IFD_RunCmd(h, b.p(0), b.in(request), b.p(1)) != 0;
         }},
        {"IFD_RunSysCmd", {10},
         [](uint32_t h, Buffers& b) {
             uint32_t capacity = 10;
             return IFD_RunSysCmd(h, 0x00, b.in(data), 3, b.p(0), b.null() ? nullptr : &capacity) != 0;
         }},
        {"IFD_GetState", {4}, [](uint32_t h, Buffers& b) { return IFD_GetState(h, b.as<uint32_t>(0)) != 0; }},
        {"IFD_GetDevNo", {9}, [](uint32_t h, Buffers& b) { return IFD_GetDevNo(h, b.c(0)) != 0; }},
        {"IFD_GetDevAddr", {5}, [](uint32_t h, Buffers& b) { return IFD_GetDevAddr(h, b.in("12345678"), b.c(0)) != 0; }},
        {"IFD_SetDevAddr", {}, [](uint32_t h, Buffers& b) { return IFD_SetDevAddr(h, b.in("12345678"), b.in("0001")) != 0; }},
        {"IFD_CreateSession", {4, 4}, [](uint32_t h, Buffers& b) { return IFD_CreateSession(h, b.p(0), b.p(1)) != 0; }},
        {"IFD_GetSession", {4}, [](uint32_t h, Buffers& b) { return IFD_GetSession(h, b.as<uint32_t>(0)) != 0; }},
        {"IFD_InitDev", {}, [](uint32_t h, Buffers& b) { return IFD_InitDev(h, 1, b.in("secret")) != 0; }},
        {"IFD_Connect", {}, [](uint32_t h, Buffers& b) { return IFD_Connect(h, 1, b.in("secret")) != 0; }},
        {"BinToHex", {7}, [](uint32_t, Buffers& b) { return BinToHex(b.in(data), 3, b.c(0)), true; }},
        {"HexToBin", {3}, [](uint32_t, Buffers& b) { return HexToBin(b.in("0A1B2C3D4E"), b.p(0), 3), true; }},
        {"UInt32ToHex", {9}, [](uint32_t, Buffers& b) { return UInt32ToHex(0xFFFFFFFF, b.c(0)), true; }},
        {"UInt16ToHex", {5}, [](uint32_t, Buffers& b) { return UInt16ToHex(0xFFFFFFFF, b.c(0)), true; }},
        {"UInt8ToHex", {3}, [](uint32_t, Buffers& b) { return UInt8ToHex(0xFFFFFFFF, b.c(0)), true; }},
        {"DateToBcd", {6}, [](uint32_t, Buffers& b) { return DateToBcd(b.p(0), 1e300), true; }},
        {"BcdToDate", {}, [](uint32_t, Buffers& b) {
             static const uint8_t bcd[6] = {0x99, 0x99, 0x99, 0x99, 0x99, 0x99};
             return BcdToDate(b.in(bcd)) == 0.0;
         }},
    });
}

TEST(OlderLinkBuffers, TrainingClockExports) {
    buffers::run_cases(kPortlink, {
        {"PGT_SetSiteInfo", {}, [](uint32_t h, Buffers& b) { return PGT_SetSiteInfo(h, b.in("Loft A"), b.in("E0123456"), b.in("N0512345")) != 0; }},
        {"PGT_GetSiteInfo", {TC_NAME_MAX, TC_COORD_TEXT, TC_COORD_TEXT},
         [](uint32_t h, Buffers& b) { return PGT_GetSiteInfo(h, b.c(0), b.c(1), b.c(2)) != 0; }},
        {"PGT_SetPhoneCall", {}, [](uint32_t h, Buffers& b) { return PGT_SetPhoneCall(h, 1, b.in("0123456789")) != 0; }},
        {"PGT_GetPhoneCall", {TC_PHONE_TEXT}, [](uint32_t h, Buffers& b) { return PGT_GetPhoneCall(h, 1, b.c(0)) != 0; }},
        {"PGT_SetTime (NaN)", {}, [](uint32_t h, Buffers&) { return PGT_SetTime(h, std::nan("")) != 0; }},
        {"PGT_GetTime", {8}, [](uint32_t h, Buffers& b) { return PGT_GetTime(h, b.as<double>(0)) != 0; }},
        {"PGC_GetTime", {8}, [](uint32_t h, Buffers& b) { return PGC_GetTime(h, b.as<double>(0)) != 0; }},
        {"PGT_GetTagInfo", {17, 4}, [](uint32_t h, Buffers& b) { return PGT_GetTagInfo(h, 1, 2, b.c(0), b.as<uint32_t>(1)) != 0; }},
        {"PGT_AddTrainItem", {}, [](uint32_t h, Buffers& b) { return PGT_AddTrainItem(h, 1, b.in("0102030405060708")) != 0; }},
        {"PGT_GetTrainCount", {4}, [](uint32_t h, Buffers& b) { return PGT_GetTrainCount(h, b.as<uint32_t>(0)) != 0; }},
        {"PGT_GetTrainId", {2, 1, 2},
         [](uint32_t h, Buffers& b) { return PGT_GetTrainId(h, 0, b.as<uint16_t>(0), b.p(1), b.as<uint16_t>(2)) != 0; }},
        {"PGT_GetTrainInfo", {8, 4, TC_COORD_TEXT, TC_COORD_TEXT},
         [](uint32_t h, Buffers& b) { return PGT_GetTrainInfo(h, 1, b.as<double>(0), b.as<uint32_t>(1), b.c(2), b.c(3)) != 0; }},
        {"PGT_SetTrainInfo", {}, [](uint32_t h, Buffers& b) { return PGT_SetTrainInfo(h, 1, 45000.5, 7, b.in("W0123456"), b.in("S0512345")) != 0; }},
        {"PGT_GetCurTrain", {4}, [](uint32_t h, Buffers& b) { return PGT_GetCurTrain(h, b.as<uint32_t>(0)) != 0; }},
        {"PGT_GetRecord", {91}, [](uint32_t h, Buffers& b) { return PGT_GetRecord(h, 1, 0, b.c(0)) != 0; }},
        {"PGT_GetTrainRecord", {13, 4, 8},
         [](uint32_t h, Buffers& b) { return PGT_GetTrainRecord(h, 1, 0, b.c(0), b.as<uint32_t>(1), b.as<double>(2)) != 0; }},
        {"PGT_GetLogId", {4, 4}, [](uint32_t h, Buffers& b) { return PGT_GetLogId(h, b.as<uint32_t>(0), b.as<uint32_t>(1)) != 0; }},
        {"PGT_GetLogInfo", {4, 8, 4, TC_LOG_DATA_MAX},
         [](uint32_t h, Buffers& b) {
             return PGT_GetLogInfo(h, 1, b.as<uint32_t>(0), b.as<double>(1), b.as<uint32_t>(2), b.p(3)) != 0;
         }},
        {"PGT_ReadCard", {13, 9}, [](uint32_t h, Buffers& b) { return PGT_ReadCard(h, b.c(0), b.c(1)) != 0; }},
        {"PGC_ReadCard", {16}, [](uint32_t h, Buffers& b) { return PGC_ReadCard(h, 0, b.p(0)) != 0; }},
        {"PGC_StartRace", {}, [](uint32_t h, Buffers& b) {
             static const uint8_t card[8] = {1, 2, 3, 4, 5, 6, 7, 8};
             return PGC_StartRace(h, 1, b.in(card)) != 0;
         }},
        {"PGC_GetRecord", {4, 20}, [](uint32_t h, Buffers& b) { return PGC_GetRecord(h, 1, b.as<uint32_t>(0), b.p(1)) != 0; }},
    });
}

TEST(OlderLinkBuffers, RingReaderExports) { buffers::run_cases(kPortlink, buffers::ring_reader_cases()); }

}  // namespace
