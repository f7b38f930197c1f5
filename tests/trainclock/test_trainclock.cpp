// The training clock library against the emulated clock on a pseudo-terminal.
#include <gtest/gtest.h>

#include <cstring>

#include "common/oledate.h"
#include "devsim/emulator.h"
#include "devsim/registry.h"
#include "portlink.h"
#include "train_clock.h"
#include "trainclock.h"

namespace {

using devsim::Bytes;

double date(int y, int mo, int d, int h, int mi, int s) {
    club::CalendarFields f;
    f.year = y, f.month = mo, f.day = d, f.hour = h, f.minute = mi, f.second = s;
    double v = 0;
    club::fields_to_ole(f, v);
    return v;
}

class TrainClockTest : public ::testing::Test {
protected:
    void SetUp() override {
        emu = devsim::Emulator::start("trainclock");
        port = IFD_OpenPort(emu->path().c_str(), "baud=115200;timeout=500");
        ASSERT_NE(port, 0u);
    }
    void TearDown() override {
        if (port) IFD_ClosePort(port);
    }
    Bytes sent() { return emu->last_request().data; }
    std::string control(const std::string& verb, std::vector<std::string> args) {
        return emu->with_device([&](devsim::Device& d, devsim::LinkState&) {
            std::string reply;
            d.control(verb, args, reply);
            return reply;
        });
    }

    std::unique_ptr<devsim::Emulator> emu;
    uint32_t port = 0;
};

TEST_F(TrainClockTest, SiteInfoBytesAndReadBack) {
    ASSERT_EQ(PGT_SetSiteInfo(port, "Loft", "E1213045", "N0251530"), TC_OK);
    const Bytes d = sent();
    ASSERT_EQ(d.size(), 33u);
    EXPECT_EQ(Bytes(d.begin(), d.begin() + 9), (Bytes{0x01, 0x21, 0x30, 0x45, 0x00, 0x25, 0x15, 0x30, 5}));

    char name[TC_NAME_MAX], lon[9], lat[9];
    ASSERT_EQ(PGT_GetSiteInfo(port, name, lon, lat), TC_OK);
    EXPECT_STREQ(name, "Loft");
    EXPECT_STREQ(lon, "E1213045");
    EXPECT_STREQ(lat, "N0251530");

    // The emulator counts a request once its answer is written: wait for the two above.
    ASSERT_TRUE(emu->wait_requests(2, 1000));
    const uint64_t before = emu->requests();
    EXPECT_EQ(PGT_SetSiteInfo(port, "Loft", "X1213045", "N0251530"), 0);
    EXPECT_EQ(IFD_GetErrCode(port), 263);
    EXPECT_EQ(emu->requests(), before);  // nothing was sent
}

TEST_F(TrainClockTest, PhoneNumbersAndTime) {
    ASSERT_EQ(PGT_SetPhoneCall(port, 2, "12345"), TC_OK);
    const Bytes phone = sent();
    ASSERT_EQ(phone.size(), 17u);
    EXPECT_EQ(Bytes(phone.begin(), phone.begin() + 5), (Bytes{2, 5, 0x12, 0x34, 0x5F}));
    char digits[TC_PHONE_TEXT];
    ASSERT_EQ(PGT_GetPhoneCall(port, 2, digits), TC_OK);
    EXPECT_STREQ(digits, "12345");

    const double when = date(2009, 3, 7, 14, 5, 9);
    ASSERT_EQ(PGC_SetTime(port, when), TC_OK);
    EXPECT_EQ(sent(), (Bytes{0x09, 0x03, 0x07, 0x14, 0x05, 0x09}));
    double back = 0;
    ASSERT_EQ(PGT_GetTime(port, &back), TC_OK);
    EXPECT_NEAR(back, when, 1e-6);
}

TEST_F(TrainClockTest, TrainingLifecycle) {
    ASSERT_EQ(PGT_CreateTrain(port, 0x0102), TC_OK);
    EXPECT_EQ(sent(), (Bytes{0x01, 0x02}));
    ASSERT_EQ(PGT_AddTrainItem(port, 0x0102, "0011223344556677"), TC_OK);
    EXPECT_EQ(sent(), (Bytes{0x01, 0x02, 0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77}));
    ASSERT_EQ(PGT_SetTrainInfo(port, 0x0102, date(2026, 5, 1, 7, 30, 0), 0x01020304, "W0012345", "S0250000"), TC_OK);
    ASSERT_EQ(PGT_ConfirmTrain(port, 0x0102), TC_OK);
    ASSERT_EQ(PGT_StartTrain(port, 0x0102, 1), TC_OK);

    uint32_t count = 0, cur = 0;
    ASSERT_EQ(PGT_GetTrainCount(port, &count), TC_OK);
    EXPECT_EQ(count, 1u);
    ASSERT_EQ(PGT_GetCurTrain(port, &cur), TC_OK);
    EXPECT_EQ(cur, 0x0102u);
    uint16_t train = 0, items = 0;
    uint8_t state = 0;
    ASSERT_EQ(PGT_GetTrainId(port, 0, &train, &state, &items), TC_OK);
    EXPECT_EQ(train, 0x0102);
    EXPECT_EQ(state, 2);
    EXPECT_EQ(items, 1);

    double when = 0;
    uint32_t value = 0;
    char lon[9], lat[9];
    ASSERT_EQ(PGT_GetTrainInfo(port, 0x0102, &when, &value, lon, lat), TC_OK);
    EXPECT_NEAR(when, date(2026, 5, 1, 7, 30, 0), 1e-6);
    EXPECT_EQ(value, 0x01020304u);
    EXPECT_STREQ(lon, "W0012345");
    EXPECT_STREQ(lat, "S0250000");

    char tag[17];
    uint32_t tag_state = 0;
    ASSERT_EQ(PGT_GetTagInfo(port, 0x0102, 0, tag, &tag_state), TC_OK);
    EXPECT_STREQ(tag, "0011223344556677");

    control("clock", {"arrive", "258", "AABBCCDDEEFF", "260501081500"});
    char rtag[13];
    uint32_t flags = 0;
    ASSERT_EQ(PGT_GetTrainRecord(port, 0x0102, 0, rtag, &flags, &when), TC_OK);
    EXPECT_STREQ(rtag, "AABBCCDDEEFF");
    EXPECT_EQ(flags, 0x80u);
    EXPECT_NEAR(when, date(2026, 5, 1, 8, 15, 0), 1e-6);
    char record[91];
    ASSERT_EQ(PGT_GetRecord(port, 0x0102, 0, record), TC_OK);
    EXPECT_EQ(std::strlen(record), 90u);

    ASSERT_EQ(PGT_StopTrain(port), TC_OK);
    ASSERT_EQ(PGT_RemoveTrain(port, 0x0102), TC_OK);
    ASSERT_EQ(PGT_GetTrainCount(port, &count), TC_OK);
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(PGT_GetTrainId(port, 0, &train, &state, &items), 0);
}

TEST_F(TrainClockTest, LogsCardsAndCardRecords) {
    control("clock", {"log", "3", "0102030405"});
    uint32_t first = 0, last = 0, type = 0, length = 0;
    ASSERT_EQ(PGT_GetLogId(port, &first, &last), TC_OK);
    EXPECT_EQ(last, 1u);
    uint8_t data[TC_LOG_DATA_MAX] = {};
    double when = 0;
    ASSERT_EQ(PGT_GetLogInfo(port, last, &type, &when, &length, data), TC_OK);
    EXPECT_EQ(type, 3u);
    EXPECT_EQ(length, 5u);
    EXPECT_EQ(Bytes(data, data + 5), (Bytes{1, 2, 3, 4, 5}));

    control("clock", {"card", "00112233445566778899AABBCCDDEEFF"});
    char a[13], b[9];
    ASSERT_EQ(PGT_ReadCard(port, a, b), TC_OK);
    EXPECT_STREQ(a, "001122334455");
    EXPECT_STREQ(b, "66778899");
    uint8_t card[16];
    ASSERT_EQ(PGC_ReadCard(port, 0, card), TC_OK);
    EXPECT_EQ(card[15], 0xFF);

    const uint8_t start[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    ASSERT_EQ(PGC_StartRace(port, 2, start), TC_OK);
    EXPECT_EQ(sent(), (Bytes{2, 1, 2, 3, 4, 5, 6, 7, 8}));
    uint32_t number = 99;
    uint8_t rec[20];
    ASSERT_EQ(PGC_GetRecord(port, 0, &number, rec), TC_OK);  // empty: 00 00
    EXPECT_EQ(number, 0u);
    control("clock", {"arrive", "1", "AABBCCDDEEFF"});
    ASSERT_EQ(PGC_GetRecord(port, 0, &number, rec), TC_OK);
    EXPECT_EQ(number, 1u);
    EXPECT_EQ(rec[0], 0xAA);
    ASSERT_EQ(PGC_CloseRace(port), TC_OK);
    EXPECT_EQ(PGC_CloseRace(port), 0);  // no card race open any more
}

// A clock whose answers are a little off: one byte too many for a training id, and a
// record flagged without a time but with a valid BCD time behind it.
class OddClock : public devsim::TrainClock {
protected:
    devsim::Answer user_command(const devsim::Request& r, bool secured, devsim::LinkState& l) override {
        devsim::Answer a = TrainClock::user_command(r, secured, l);
        if (r.command == 0x12 && a.status == 0) a.data.push_back(0);
        if (r.command == 0x14 && a.status == 0) a.data[0] = 0x05;
        return a;
    }
};

TEST(TrainClockAnswers, LengthRulesAndUnflaggedDates) {
    devsim::Emulator emu(std::make_unique<OddClock>(), devsim::Registry::instance().make_codec("portlink"));
    const uint32_t port = IFD_OpenPort(emu.path().c_str(), "baud=115200;timeout=500");
    ASSERT_NE(port, 0u);
    ASSERT_EQ(PGT_CreateTrain(port, 1), TC_OK);
    uint16_t train = 7;
    EXPECT_EQ(PGT_GetTrainId(port, 0, &train, nullptr, nullptr), 0);  // 6 bytes where 5 belong
    EXPECT_EQ(IFD_GetErrCode(port), TC_ERR_ANSWER);
    EXPECT_EQ(train, 7);

    emu.with_device([](devsim::Device& d, devsim::LinkState&) {
        std::string reply;
        return d.control("clock", {"arrive", "1", "AABBCCDDEEFF", "260501081500"}, reply);
    });
    uint32_t flags = 0;
    double when = 1.0;
    ASSERT_EQ(PGT_GetTrainRecord(port, 1, 0, nullptr, &flags, &when), TC_OK);
    EXPECT_EQ(flags, 0x05u);
    EXPECT_EQ(when, 0.0);
    IFD_ClosePort(port);
}

}  // namespace
