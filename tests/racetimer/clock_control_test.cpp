// The race clock driven through the devsim line protocol, as the demo mode and the
// devsim program drive it.
#include <gtest/gtest.h>

#include "clock_line.h"
#include "devsim/control.h"
#include "racetimer.h"

using namespace testing_clock;

namespace {

TEST(ClockControl, VerbsSetUpTheClockAndMakePigeonsArrive) {
    devsim::Controller ctl;
    bool quit = false;
    const std::string started = ctl.execute("start raceclock", quit);
    ASSERT_EQ(started.rfind("OK 1 ", 0), 0u) << started;
    EXPECT_EQ(ctl.execute("identity 123", quit), "OK");
    EXPECT_EQ(ctl.execute("devno 0A0B0C0D", quit), "OK");

    const uint32_t port = IFD_OpenPort(ctl.find(1)->path().c_str(), "baud=115200;timeout=1000");
    ASSERT_NE(port, 0u);
    uint8_t code[8];
    identity_code(kSysId, code);  // "123" is padded to the club's "12300000"
    ASSERT_NE(IFD_Connect(port, reinterpret_cast<const uint8_t *>(kSysId), code), 0);
    char devno[9];
    ASSERT_EQ(IFD_GetDevNo(port, devno), -1);
    EXPECT_STREQ(devno, "0A0B0C0D");

    uint8_t key[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    ASSERT_EQ(PGT_StartTag(port, 0), -1);
    ASSERT_EQ(PGT_SetTag(port, "A1B2C3D40000C800", 0, "", "123456"), -1);
    ASSERT_EQ(PGT_CloseTag(port, nullptr), -1);
    ASSERT_EQ(PGT_CreateRace(port, "F0000001", kSysId), -1);
    ASSERT_EQ(PGT_AddRaceTag(port, "F0000001", "A1B2C3D40000C800", ""), -1);
    ASSERT_EQ(PGT_ConfirmRace(port, "F0000001", key, 46000.25), -1);

    EXPECT_EQ(ctl.execute("arrive A1B2C3D4 now 200", quit), "ERR no race is running");
    ASSERT_EQ(PGT_StartRace(port, "F0000001", 1), -1);
    EXPECT_EQ(ctl.execute("arrive A1B2C3D4 2026-08-19T07:05:09.250 0xC8 04A1B2C3", quit), "OK");
    EXPECT_EQ(ctl.execute("deviation -2.5", quit), "OK");
    EXPECT_EQ(ctl.execute("arrive A1B2C3D4 now 200", quit), "OK");
    EXPECT_EQ(ctl.execute("arrive 11111111 now 1", quit), "ERR tag is not basketed for the race");
    EXPECT_EQ(ctl.execute("arrive A1B2C3D4 2026-02-30T07:00:00 1", quit).rfind("ERR time must be", 0), 0u);
    EXPECT_EQ(ctl.execute("status", quit), "OK race=F0000001 state=3 records=2 tags=1");

    char rec[97];
    ASSERT_EQ(PGT_GetRaceRecord(port, "F0000001", 128, 0, rec), -1);
    EXPECT_EQ(std::string(rec).substr(32, 16), "1A0813070509FA00");
    EXPECT_EQ(PGT_CheckRecord(rec, kSysId, devno, "F0000001", key), -1);
    EXPECT_EQ(ctl.execute("corrupt 0", quit), "OK");
    ASSERT_EQ(PGT_GetRaceRecord(port, "F0000001", 128, 0, rec), -1);
    EXPECT_EQ(PGT_CheckRecord(rec, kSysId, devno, "F0000001", key), 0);

    EXPECT_EQ(ctl.execute("silent on", quit), "OK");
    uint32_t count = 0;
    // A silent clock costs the port's time-out once.
    EXPECT_EQ(PGT_GetTagCount(port, 0, &count), 0);
    EXPECT_EQ(IFD_GetErrCode(port), WL_ERR_NO_ANSWER);
    EXPECT_EQ(ctl.execute("silent off", quit), "OK");
    EXPECT_EQ(PGT_GetTagCount(port, 0, &count), -1);
    EXPECT_EQ(count, 1u);

    EXPECT_EQ(ctl.execute("reader 0102030405060708", quit), "OK");
    ASSERT_EQ(PGT_GetOutReaderCount(port, &count), -1);
    EXPECT_EQ(count, 2u);
    EXPECT_EQ(ctl.execute("arrive", quit).rfind("ERR usage: arrive", 0), 0u);
    IFD_ClosePort(port);
}

}  // namespace
