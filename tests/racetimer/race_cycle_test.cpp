// One whole race against the emulated clock, as the club program runs it: connect, tag
// list, create, describe, confirm, start, arrivals, count, read and check the records,
// verify, close, the closing times; and the record check against damaged input.
#include <gtest/gtest.h>

#include <chrono>

#include "clock_line.h"
#include "common/oledate.h"
#include "racetimer.h"

using namespace testing_clock;

namespace {

const char kRace[] = "01AF0503";

double ole_now_local() {
    // The PC's current local time as an OLE date, as the club program passes it.
    using namespace std::chrono;
    const auto now = system_clock::now();
    const time_t t = system_clock::to_time_t(now);
    struct tm tm;
    localtime_r(&t, &tm);
    club::CalendarFields f;
    f.year = tm.tm_year + 1900, f.month = tm.tm_mon + 1, f.day = tm.tm_mday;
    f.hour = tm.tm_hour, f.minute = tm.tm_min, f.second = tm.tm_sec;
    double d = 0;
    club::fields_to_ole(f, d);
    return d;
}

club::CalendarFields utc(int y, int mo, int d, int h, int mi, int s, int ms) {
    club::CalendarFields f;
    f.year = y, f.month = mo, f.day = d, f.hour = h, f.minute = mi, f.second = s, f.millisecond = ms;
    return f;
}

class RaceCycle : public ::testing::Test {
protected:
    void SetUp() override {
        devsim::RaceClock::Config cfg;
        cfg.system_identity = kSysId;
        cfg.device_number = 0x4C380001;
        auto c = std::make_unique<devsim::RaceClock>(cfg);
        clock = c.get();
        line = std::make_unique<ClockLine>(std::move(c));
        ASSERT_NE(line->port, 0u);
        // RaceIdCode: the race identifier's characters under the identity code.
        identity_code(kSysId, sysid_code);
        club::des_encrypt(sysid_code, reinterpret_cast<const uint8_t *>(kRace), race_key);
    }
    uint32_t port() const { return line->port; }

    // Tag list and race loaded and started, as "Create Timer Race" does it.
    void load_race() {
        ASSERT_TRUE(line->connect());
        ASSERT_EQ(PGT_StartTag(port(), 0), -1);
        ASSERT_EQ(PGT_SetTag(port(), "A1B2C3D40000C800", 0, "04A1B2C3", "123456"), -1);
        ASSERT_EQ(PGT_SetTag(port(), "0BADF00D00003A00", 0, "04F00D01", "000042"), -1);
        ASSERT_EQ(PGT_SetTag(port(), "CAFE000100000500", 0, "", "777777"), -1);
        uint32_t count = 0;
        ASSERT_EQ(PGT_CloseTag(port(), &count), -1);
        EXPECT_EQ(count, 3u);
        ASSERT_EQ(PGT_SetUploadMode(port(), 131, 131, 120), -1);
        ASSERT_EQ(PGT_SetSiteInfo(port(), "L0042", 433845000, -3600000), -1);
        ASSERT_EQ(PGT_CreateRace(port(), kRace, kSysId), -1);
        ASSERT_EQ(PGT_AddRaceTag(port(), kRace, "A1B2C3D40000C800", "04A1B2C3"), -1);
        ASSERT_EQ(PGT_AddRaceTag(port(), kRace, "0BADF00D00003A00", "04F00D01"), -1);
        ASSERT_EQ(PGT_SetRaceDesc(port(), kRace, "Race"), -1);
        ASSERT_EQ(PGT_SetRaceMode(port(), kRace, 128), -1);
        ASSERT_EQ(PGT_ConfirmRace_V2(port(), kRace, race_key, ole_now_local()), -1);
        ASSERT_EQ(PGT_StartRace(port(), kRace, 3), -1);
    }

    std::string record(int index) {
        char text[97] = {};
        EXPECT_EQ(PGT_GetRaceRecord(port(), kRace, 128, uint16_t(index), text), -1);
        return text;
    }

    devsim::RaceClock *clock = nullptr;
    std::unique_ptr<ClockLine> line;
    uint8_t sysid_code[8];
    uint8_t race_key[8];
};

TEST_F(RaceCycle, WholeRace) {
    ScopedTz tz("UTC-2");
    load_race();

    // The clock knows what was loaded.
    char devno[9];
    ASSERT_EQ(IFD_GetDevNo(port(), devno), -1);
    EXPECT_STREQ(devno, "4C380001");
    char name[31];
    int32_t lon = 0, lat = 0;
    ASSERT_EQ(PGT_GetSiteInfo(port(), name, &lon, &lat), -1);
    EXPECT_STREQ(name, "L0042");
    EXPECT_EQ(lon, 433845000);
    EXPECT_EQ(lat, -3600000);
    uint8_t up1 = 0, up2 = 0;
    uint16_t up3 = 0;
    ASSERT_EQ(PGT_GetUploadMode(port(), &up1, &up2, &up3), -1);
    EXPECT_EQ(up1, 131);
    EXPECT_EQ(up3, 120);
    char uid[9], code[17], label[9];
    uint32_t state = 99;
    ASSERT_EQ(PGT_GetTag(port(), 0, 1, uid, code, label, &state), -1);
    EXPECT_STREQ(code, "0BADF00D00003A00");
    EXPECT_STREQ(uid, "04F00D01");
    EXPECT_STREQ(label, "000042");
    const uint8_t ring[4] = {0xCA, 0xFE, 0x00, 0x01};
    ASSERT_EQ(PGT_FindTag(port(), ring, uid, label, nullptr, nullptr, &state), -1);
    EXPECT_STREQ(label, "777777");
    char race[9];
    ASSERT_EQ(PGT_GetCurrentRace(port(), race, &state), -1);
    EXPECT_STREQ(race, kRace);
    EXPECT_EQ(state, devsim::RaceClock::kStarted);
    ASSERT_EQ(PGT_GetRaceDesc(port(), kRace, name), -1);
    EXPECT_STREQ(name, "Race");

    // Two pigeons arrive; a third was not basketed.
    ASSERT_TRUE(clock->register_arrival("A1B2C3D4", utc(2026, 8, 19, 7, 5, 9, 250), 0xC8, "04A1B2C3"));
    ASSERT_TRUE(clock->register_arrival("0BADF00D", utc(2026, 8, 19, 7, 6, 0, 0), 0x3B, ""));
    std::string why;
    EXPECT_FALSE(clock->register_arrival("CAFE0001", utc(2026, 8, 19, 7, 7, 0, 0), 5, "", &why));
    EXPECT_EQ(why, "tag is not basketed for the race");

    uint32_t count = 0;
    ASSERT_EQ(PGT_GetRaceTagCount(port(), kRace, 128, &count), -1);
    ASSERT_EQ(count, 2u);
    const std::string r0 = record(0), r1 = record(1);
    ASSERT_EQ(r0.size(), 96u);
    EXPECT_EQ(r0.substr(0, 8), "A1B2C3D4");    // ring identity as loaded
    EXPECT_EQ(r0.substr(12, 2), "C8");         // random code as loaded
    EXPECT_EQ(r0.substr(28, 2), "C8");         // random code read at arrival
    EXPECT_EQ(r0.substr(32, 16), "1A0813070509FA00");  // 2026-08-19 07:05:09.250 UTC
    EXPECT_EQ(r0.substr(48, 8), "04A1B2C3");
    EXPECT_EQ(r1.substr(28, 2), "3B");
    EXPECT_EQ(r1.substr(48, 8), "00000000");   // no chip read

    // Both records carry the MAC of the club, this clock and this race.
    EXPECT_EQ(PGT_CheckRecord(r0.c_str(), kSysId, devno, kRace, race_key), -1);
    EXPECT_EQ(PGT_CheckRecord(r1.c_str(), kSysId, devno, kRace, race_key), -1);
    ASSERT_TRUE(clock->corrupt_record_mac(1));
    EXPECT_EQ(PGT_CheckRecord(record(1).c_str(), kSysId, devno, kRace, race_key), 0);

    // Read-out: verify with the key, close with the PC's time, take the deviation.
    clock->set_deviation_ms(5000);
    uint8_t wrong[8];
    std::memcpy(wrong, race_key, 8);
    wrong[3] ^= 0x01;
    EXPECT_EQ(PGT_VerifyRace(port(), kRace, wrong), 0);
    EXPECT_EQ(line->error(), WL_DEV_BAD_KEY);
    ASSERT_EQ(PGT_VerifyRace(port(), kRace, race_key), -1);
    ASSERT_EQ(PGT_CloseRace_V2(port(), kRace, ole_now_local()), -1);
    double t2_device = 0, t2_auth = 0;
    ASSERT_EQ(PGT_GetRaceT2Device_V2(port(), kRace, &t2_device), -1);
    ASSERT_EQ(PGT_GetRaceT2Auth_V2(port(), kRace, &t2_auth), -1);
    const long deviation = long((t2_device - t2_auth) * 86400.0);
    EXPECT_GE(deviation, 4);  // whole seconds on both sides: 5, rarely off by one
    EXPECT_LE(deviation, 6);
    EXPECT_NEAR(t2_auth, ole_now_local(), 5.0 / 86400);  // local time again after _V2
    ASSERT_EQ(PGT_GetRaceState(port(), kRace, &state), -1);
    EXPECT_EQ(state, devsim::RaceClock::kClosed);
    EXPECT_FALSE(clock->register_arrival("A1B2C3D4", utc(2026, 8, 19, 8, 0, 0, 0), 0xC8, ""));

    // The log tells the story: a connect without body, the arrivals with 60 bytes each.
    uint32_t first = 0, last = 0;
    ASSERT_EQ(PGT_GetLogId(port(), &first, &last), -1);
    int arrivals = 0, connects = 0;
    for (uint32_t id = first; id <= last; ++id) {
        uint32_t type = 0;
        double date = 0;
        char text[193];
        ASSERT_EQ(PGT_GetLog_V2(port(), id, &type, &date, text), -1);
        if (type == 0x06) {
            EXPECT_EQ(std::strlen(text), 120u);
            EXPECT_EQ(std::string(text).substr(0, 8), arrivals++ == 0 ? "A1B2C3D4" : "0BADF00D");
        }
        if (type == 0x01) {
            ++connects;
            EXPECT_STREQ(text, "");
        }
    }
    EXPECT_EQ(arrivals, 2);
    EXPECT_EQ(connects, 1);

    ASSERT_EQ(PGT_GetOutReaderCount(port(), &count), -1);
    EXPECT_EQ(count, 1u);
    char info[105];
    ASSERT_EQ(PGT_GetOutReaderInfo(port(), 0, info), -1);
    EXPECT_EQ(std::strlen(info), 24u);
    EXPECT_EQ(PGT_GetOutReaderInfo(port(), 1, info), 0);
    EXPECT_EQ(line->error(), WL_DEV_NOT_FOUND);
}

TEST_F(RaceCycle, ClockOrderIsKept) {
    ASSERT_TRUE(line->connect());
    ASSERT_EQ(PGT_StartTag(port(), 0), -1);
    ASSERT_EQ(PGT_SetTag(port(), "A1B2C3D40000C800", 0, "04A1B2C3", "123456"), -1);
    ASSERT_EQ(PGT_CloseTag(port(), nullptr), -1);
    // A race belongs to the clock's own club.
    EXPECT_EQ(PGT_CreateRace(port(), kRace, "99999999"), 0);
    EXPECT_EQ(line->error(), WL_DEV_FOREIGN);
    ASSERT_EQ(PGT_CreateRace(port(), kRace, kSysId), -1);
    // Only tags of the list can be basketed; a race starts only once confirmed.
    EXPECT_EQ(PGT_AddRaceTag(port(), kRace, "1111111100000000", "00000000"), 0);
    EXPECT_EQ(line->error(), WL_DEV_NOT_FOUND);
    uint8_t out[8];
    ASSERT_EQ(PGT_AddRaceTagEx(port(), kRace, "A1B2C3D40000C800", "04A1B2C3", out), -1);
    EXPECT_EQ(out[2], 1);  // tags in the race
    EXPECT_EQ(PGT_StartRace(port(), kRace, 3), 0);
    EXPECT_EQ(line->error(), WL_DEV_BAD_STATE);
    std::string why;
    EXPECT_FALSE(clock->register_arrival("A1B2C3D4", utc(2026, 8, 19, 7, 0, 0, 0), 1, "", &why));
    EXPECT_EQ(why, "no race is running");
    // Fields read back as written, before the race starts.
    ASSERT_EQ(PGT_SetRaceLoLa(port(), kRace, -5, 7), -1);
    int32_t lon = 0, lat = 0;
    ASSERT_EQ(PGT_GetRaceLoLa(port(), kRace, &lon, &lat), -1);
    EXPECT_EQ(lon, -5);
    EXPECT_EQ(lat, 7);
    // A URL is kept per index.
    ASSERT_EQ(PGT_SetURL(port(), 3, "http://club.example/upload"), -1);
    char url[52];
    ASSERT_EQ(PGT_GetURL(port(), 3, url), -1);
    EXPECT_STREQ(url, "http://club.example/upload");
    ASSERT_EQ(PGT_GetURL(port(), 4, url), -1);
    EXPECT_STREQ(url, "");

    // The state of a known tag changes also on a closed list; kind selects by state.
    ASSERT_EQ(PGT_SetTagState(port(), "A1B2C3D40000C800", 2), -1);
    uint32_t count = 0;
    ASSERT_EQ(PGT_GetTagCount(port(), 2, &count), -1);
    EXPECT_EQ(count, 1u);
    EXPECT_EQ(PGT_SetTagState(port(), "0000000100000000", 2), 0);
    EXPECT_EQ(line->error(), WL_DEV_NOT_FOUND);
    // Clearing the tag list (bit 0) leaves the races; 0 clears everything.
    ASSERT_EQ(PGT_Clear(port(), 0x01), -1);
    ASSERT_EQ(PGT_GetTagCount(port(), 0, &count), -1);
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(clock->current_race(), kRace);
    ASSERT_EQ(PGT_Clear(port(), 0), -1);
    EXPECT_EQ(clock->current_race(), "");
}

// A genuine record passes; a change of any bit of the record's first 44 bytes, of the
// identity, the device number or the race makes it fail. Key bytes that differ only in
// the top bit give the same result.
TEST_F(RaceCycle, RecordCheckCatchesEveryFlippedBit) {
    load_race();
    ASSERT_TRUE(clock->register_arrival("A1B2C3D4", utc(2026, 8, 19, 7, 5, 9, 250), 0xC8, "04A1B2C3"));
    const std::string rec = record(0);
    ASSERT_EQ(PGT_CheckRecord(rec.c_str(), kSysId, "4C380001", kRace, race_key), -1);

    auto flip = [](std::string hex, int bit) {
        const int digit = bit / 4;
        const char *digits = "0123456789ABCDEF";
        int v = int(std::strchr(digits, hex[size_t(digit)]) - digits) ^ (8 >> (bit % 4));
        hex[size_t(digit)] = digits[v];
        return hex;
    };
    for (int bit = 0; bit < 44 * 8; ++bit)
        ASSERT_EQ(PGT_CheckRecord(flip(rec, bit).c_str(), kSysId, "4C380001", kRace, race_key), 0) << "record bit " << bit;
    for (int bit = 0; bit < 32; ++bit) {
        ASSERT_EQ(PGT_CheckRecord(rec.c_str(), flip(kSysId, bit).c_str(), "4C380001", kRace, race_key), 0) << bit;
        ASSERT_EQ(PGT_CheckRecord(rec.c_str(), kSysId, flip("4C380001", bit).c_str(), kRace, race_key), 0) << bit;
        ASSERT_EQ(PGT_CheckRecord(rec.c_str(), kSysId, "4C380001", flip(kRace, bit).c_str(), race_key), 0) << bit;
    }
    uint8_t key[8];
    std::memcpy(key, race_key, 8);
    for (int i = 0; i < 8; ++i) {
        key[i] ^= 0x80;
        EXPECT_EQ(PGT_CheckRecord(rec.c_str(), kSysId, "4C380001", kRace, key), -1) << "top bit of byte " << i;
        key[i] ^= 0x80 | 0x02;
        EXPECT_EQ(PGT_CheckRecord(rec.c_str(), kSysId, "4C380001", kRace, key), 0) << "bit 1 of byte " << i;
        key[i] ^= 0x02;
    }
    // Malformed texts simply do not match.
    EXPECT_EQ(PGT_CheckRecord("", kSysId, "4C380001", kRace, race_key), 0);
    EXPECT_EQ(PGT_CheckRecord(nullptr, nullptr, nullptr, nullptr, nullptr), 0);
}

}  // namespace
