// The request bytes the library sends and how it reads answers, checked on a scripted
// clock over a real pseudo-terminal.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <functional>

#include "clock_line.h"
#include "common/oledate.h"
#include "racetimer.h"

using namespace testing_clock;
using Bytes = std::vector<uint8_t>;

namespace {

double ole(int y, int mo, int d, int h, int mi, int s) {
    club::CalendarFields f;
    f.year = y, f.month = mo, f.day = d, f.hour = h, f.minute = mi, f.second = s;
    double out = 0;
    EXPECT_TRUE(club::fields_to_ole(f, out));
    return out;
}

class RequestBytes : public ::testing::Test {
protected:
    void SetUp() override {
        line = std::make_unique<ClockLine>(std::make_unique<ScriptedClock>());
        ASSERT_NE(line->port, 0u);
        ASSERT_TRUE(line->connect());
    }
    ScriptedClock::Seen last() {
        return with_script(*line, [](ScriptedClock &c) { return c.last(); });
    }
    size_t seen_count() {
        return with_script(*line, [](ScriptedClock &c) { return c.seen.size(); });
    }
    void answer(std::vector<Bytes> answers) {
        with_script(*line, [&](ScriptedClock &c) {
            c.answers = std::move(answers);
            c.next = 0;
            return 0;
        });
    }
    std::unique_ptr<ClockLine> line;
    uint32_t port() const { return line->port; }
};

TEST_F(RequestBytes, SiteInfoCarriesPositionAndDeviceText) {
    ASSERT_EQ(PGT_SetSiteInfo(port(), "Loft A", 7200000, -1), -1);
    auto s = last();
    EXPECT_EQ(s.cls, 0x46);
    EXPECT_EQ(s.cmd, 0x01);
    Bytes want = {0x00, 0xDD, 0x6D, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0x06, 0x00, 0x4C, 0x00,
                  0x6F, 0x00, 0x66, 0x00, 0x74, 0x00, 0x20, 0x00, 0x41, 0x00};
    want.resize(40, 0);
    EXPECT_EQ(s.data, want);

    // A 20-character name goes with count 15 and its first 15 characters.
    ASSERT_EQ(PGT_SetSiteInfo(port(), "ABCDEFGHIJKLMNOPQRST", 0, 0), -1);
    s = last();
    ASSERT_EQ(s.data.size(), 40u);
    EXPECT_EQ(s.data[8], 15);
    EXPECT_EQ(s.data[9], 0);
    EXPECT_EQ(s.data[8 + 2 + 28], 'O');
    EXPECT_EQ(s.data[8 + 2 + 29], 0);
}

TEST_F(RequestBytes, UrlAndUploadMode) {
    ASSERT_EQ(PGT_SetURL(port(), 2, "abc"), -1);
    EXPECT_EQ(last().data, (Bytes{0x02, 0x00, 0x00, 0x00, 0x03, 0x61, 0x62, 0x63}));

    ASSERT_EQ(PGT_SetUploadMode(port(), 130, 131, 120), -1);
    EXPECT_EQ(last().cmd, 0x05);
    EXPECT_EQ(last().data, (Bytes{0x82, 0x83, 0x78, 0x00}));

    // 47 URL bytes fill the request; one more is refused before anything is sent.
    const size_t before = seen_count();
    EXPECT_EQ(PGT_SetURL(port(), 0, std::string(47, 'u').c_str()), -1);
    EXPECT_EQ(last().data.size(), 52u);
    EXPECT_EQ(PGT_SetURL(port(), 0, std::string(48, 'u').c_str()), 0);
    EXPECT_EQ(line->error(), 268);
    EXPECT_EQ(seen_count(), before + 1);
}

TEST_F(RequestBytes, GetUrlReadsTheLengthByteEvenWithoutData) {
    char url[52] = "unchanged";
    answer({{}});
    ASSERT_EQ(PGT_GetURL(port(), 1, url), -1);
    EXPECT_STREQ(url, "");
    EXPECT_EQ(last().data, Bytes{0x01});

    answer({{3, 'x', 'y', 'z', 'q'}});
    ASSERT_EQ(PGT_GetURL(port(), 1, url), -1);
    EXPECT_STREQ(url, "xyz");
}

TEST_F(RequestBytes, TagEntries) {
    ASSERT_EQ(PGT_SetTag(port(), "A1B2C3D40000C800", 0, "01020304", "123456"), -1);
    Bytes want = {0, 0, 0, 0, 0x01, 0x02, 0x03, 0x04, 0xA1, 0xB2, 0xC3, 0xD4, 0x00, 0x00, 0xC8, 0x00,
                  0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(last().cmd, 0x08);
    EXPECT_EQ(last().data, want);

    ASSERT_EQ(PGT_SetTag(port(), "A1B2C3D40000C800", 0, "01020304", "1234567890"), -1);
    const Bytes d = last().data;
    EXPECT_EQ(Bytes(d.begin() + 16, d.begin() + 24), Bytes({'1', '2', '3', '4', '5', '6', '7', '8'}));
    EXPECT_EQ(Bytes(d.begin() + 24, d.end()), Bytes(4, 0));

    ASSERT_EQ(PGT_SetTagState(port(), "1122334455667788", 2), -1);
    want = {2, 0, 0, 0, 0, 0, 0, 0, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88};
    want.resize(28, 0);
    EXPECT_EQ(last().data, want);
}

TEST_F(RequestBytes, TagRecordsComeBackAsHexAndLabel) {
    Bytes rec = {5, 9, 9, 9, 0xDE, 0xAD, 0xBE, 0xEF, 1, 2, 3, 4, 5, 6, 7, 8,
                 'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 0xE1, 0xE2, 0xE3, 0xE4, 0xF1, 0xF2, 0xF3, 0xF4};
    answer({rec});
    char uid[9], code[17], label[9];
    uint32_t state = 0;
    uint8_t x1[4], x2[4];
    ASSERT_EQ(PGT_GetTagEx(port(), 0x10003, 0x20007, uid, code, label, x1, x2, &state), -1);
    EXPECT_EQ(last().data, (Bytes{0x03, 0x00, 0x07, 0x00}));  // low 16 bits of kind and index
    EXPECT_STREQ(uid, "DEADBEEF");
    EXPECT_STREQ(code, "0102030405060708");
    EXPECT_STREQ(label, "ABCDEFGH");  // 8 characters, terminator added
    EXPECT_EQ(state, 5u);
    EXPECT_EQ(Bytes(x2, x2 + 4), (Bytes{0xF1, 0xF2, 0xF3, 0xF4}));

    const uint8_t key[4] = {0xDE, 0xAD, 0xBE, 0xEF};
    ASSERT_EQ(PGT_FindTag(port(), key, uid, label, x1, x2, &state), -1);
    EXPECT_EQ(last().cmd, 0x17);
    EXPECT_EQ(last().data, Bytes(key, key + 4));

    uint32_t count = 77;
    answer({{0x34, 0x12}});
    ASSERT_EQ(PGT_CloseTag(port(), nullptr), -1);
    ASSERT_EQ(PGT_CloseTag(port(), &count), -1);
    EXPECT_EQ(count, 0x1234u);
}

// The exports callers may import decorated answer under their C++ names as well.
TEST_F(RequestBytes, DecoratedNamesReachTheSameExports) {
    using GetTagEx = int16_t (*)(uint32_t, uint32_t, uint32_t, char *, char *, char *, uint8_t *,
                                 uint8_t *, uint32_t *);
    using FindTag = int16_t (*)(uint32_t, const uint8_t *, char *, char *, uint8_t *, uint8_t *, uint32_t *);
    using AddRaceTagEx = int16_t (*)(uint32_t, const char *, const char *, const char *, uint8_t *);
    const auto get = reinterpret_cast<GetTagEx>(dlvsym(RTLD_DEFAULT, "_Z12PGT_GetTagExjjjPcS_S_PhS0_Pj", "RACETIMER_1.0"));
    const auto find = reinterpret_cast<FindTag>(dlvsym(RTLD_DEFAULT, "_Z11PGT_FindTagjPKhPcS1_PhS2_Pj", "RACETIMER_1.0"));
    const auto add = reinterpret_cast<AddRaceTagEx>(dlvsym(RTLD_DEFAULT, "_Z16PGT_AddRaceTagExjPKcS0_S0_Ph", "RACETIMER_1.0"));
    ASSERT_TRUE(get && find && add);
    Bytes rec(32, 0);
    rec[0] = 7;
    answer({rec});
    char uid[9], code[17], label[9];
    uint32_t state = 0;
    uint8_t x[4], out[8];
    ASSERT_EQ(get(port(), 0, 1, uid, code, label, x, x, &state), -1);
    EXPECT_EQ(last().cmd, 0x0B);
    EXPECT_EQ(state, 7u);
    const uint8_t key[4] = {1, 2, 3, 4};
    ASSERT_EQ(find(port(), key, uid, label, x, x, &state), -1);
    EXPECT_EQ(last().cmd, 0x17);
    ASSERT_EQ(add(port(), "F0000001", "0102030405060708", "0A0B0C0D", out), -1);
    EXPECT_EQ(last().cmd, 0x0E);
    EXPECT_EQ(last().data.size(), 16u);
}

TEST_F(RequestBytes, RaceFieldsAndKey) {
    ASSERT_EQ(PGT_SetRaceMode(port(), "F0000001", 128), -1);
    EXPECT_EQ(last().cmd, 0x0D);
    EXPECT_EQ(last().data, (Bytes{0xF0, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x80}));

    ASSERT_EQ(PGT_SetRaceFlyTime(port(), "F0000001", ole(2012, 5, 5, 6, 30, 0)), -1);
    EXPECT_EQ(last().data, (Bytes{0xF0, 0, 0, 1, 0x01, 0, 0, 0, 0x0C, 0x05, 0x05, 0x06, 0x1E, 0x00, 0x00, 0x00}));

    // A race key byte 0x9A travels as 0x34; the top bit is lost.
    const uint8_t key[8] = {0x9A, 0x01, 0x80, 0x7F, 0, 0, 0, 0xFF};
    ASSERT_EQ(PGT_ConfirmRace(port(), "01AF0503", key, ole(2012, 5, 5, 6, 30, 0)), -1);
    EXPECT_EQ(last().cmd, 0x0F);
    EXPECT_EQ(last().data, (Bytes{0x01, 0xAF, 0x05, 0x03, 0x0C, 0x05, 0x05, 0x06, 0x1E, 0x00, 0x00, 0x00,
                                  0x34, 0x02, 0x00, 0xFE, 0, 0, 0, 0xFE}));
    ASSERT_EQ(PGT_VerifyRace(port(), "01AF0503", key), -1);
    EXPECT_EQ(last().data, (Bytes{0x01, 0xAF, 0x05, 0x03, 0x34, 0x02, 0x00, 0xFE, 0, 0, 0, 0xFE}));

    // A description longer than 15 characters is cut to 15, the field zero after it.
    ASSERT_EQ(PGT_SetRaceDesc(port(), "F0000001", "Championship Race 2026"), -1);
    auto d = last().data;
    ASSERT_EQ(d.size(), 40u);
    EXPECT_EQ(d[4], 0x05);
    EXPECT_EQ(d[8], 15);
    EXPECT_EQ(d[10 + 2 * 14], 'a');  // "Championship Ra"
    EXPECT_EQ(d[10 + 2 * 14 + 1], 0);

    ASSERT_EQ(PGT_CreateRace(port(), "01AF0503", "12300000"), -1);
    EXPECT_EQ(last().data, (Bytes{0x01, 0xAF, 0x05, 0x03, '1', '2', '3', '0'}));
}

TEST_F(RequestBytes, TextsFromTheClockFitTheCallersBuffer) {
    // 15 units of a three-byte character would be 45 bytes of UTF-8: the text ends at the
    // last whole character that fits 30 bytes.
    Bytes desc = {15, 0};
    for (int i = 0; i < 15; ++i) desc.insert(desc.end(), {0xAC, 0x20});  // U+20AC
    answer({desc});
    char text[40];
    std::memset(text, '#', sizeof text);
    ASSERT_EQ(PGT_GetRaceDesc(port(), "F0000001", text), -1);
    EXPECT_EQ(std::strlen(text), 30u);
    EXPECT_EQ(text[31], '#');

    // A count above 15 is taken as 15; an unpaired surrogate becomes U+FFFD.
    desc = {40, 0};
    for (int i = 0; i < 15; ++i) desc.insert(desc.end(), {uint8_t('a' + i), 0});
    desc[2] = 0x00, desc[3] = 0xD8;
    answer({desc});
    ASSERT_EQ(PGT_GetRaceDesc(port(), "F0000001", text), -1);
    EXPECT_STREQ(text, "\xEF\xBF\xBD" "bcdefghijklmno");

    // Non-ASCII text to the clock: UTF-16 code units, a pair that the cut would split
    // is left out whole.
    ASSERT_EQ(PGT_SetRaceDesc(port(), "F0000001", "Zürich"), -1);
    Bytes d = last().data;
    EXPECT_EQ(Bytes(d.begin() + 8, d.begin() + 14), (Bytes{6, 0, 'Z', 0, 0xFC, 0}));
    EXPECT_EQ(Bytes(d.begin() + 10 + 12, d.end()), Bytes(18, 0));  // the rest of the field
    ASSERT_EQ(PGT_SetRaceDesc(port(), "F0000001", "abcdefghijklmn\xF0\x9F\x90\xA6"), -1);
    EXPECT_EQ(last().data[8], 14);
}

TEST_F(RequestBytes, LocalTimeExportsUseTheZoneOfTheMoment) {
    ScopedTz tz("UTC-1");  // one hour east of UTC, no daylight time
    answer({{0x12, 0x05, 0x05, 0x05, 0x00, 0x00, 0, 0}});
    double date = -1;
    ASSERT_EQ(PGT_GetRaceFlyTime_V2(port(), "F0000001", &date), -1);
    EXPECT_NEAR(date, ole(2018, 5, 5, 6, 0, 0), 1e-9);
    ASSERT_EQ(PGT_GetRaceFlyTime(port(), "F0000001", &date), -1);
    EXPECT_NEAR(date, ole(2018, 5, 5, 5, 0, 0), 1e-9);

    ASSERT_EQ(PGT_SetRaceValidate_V2(port(), "F0000001", ole(2018, 5, 5, 6, 0, 0)), -1);
    Bytes d = last().data;
    EXPECT_EQ(Bytes(d.begin() + 8, d.end()), (Bytes{0x12, 5, 5, 5, 0, 0, 0, 0}));

    // The bias is the one in force now, also for a date in another season.
    ScopedTz dst("CET-1CEST,M1.1.0/0,M12.31.0/24");  // daylight time all year: two hours east
    answer({Bytes(8, 0)});
    ASSERT_EQ(PGT_CloseRace_V2(port(), "F0000001", ole(2018, 12, 31, 12, 0, 0)), -1);
    d = last().data;
    EXPECT_EQ(Bytes(d.begin() + 4, d.end()), (Bytes{0x12, 12, 31, 10, 0, 0, 0, 0}));

    // Fields that are no date read as 0.0; a date the clock cannot hold goes as FF bytes.
    answer({{0x12, 0x02, 0x1E, 0, 0, 0, 0, 0}});
    ASSERT_EQ(PGT_GetRaceT1_V2(port(), "F0000001", &date), -1);
    EXPECT_EQ(date, 0.0);
    ASSERT_EQ(PGT_SetRaceFlyTime(port(), "F0000001", ole(1999, 12, 31, 0, 0, 0)), -1);
    d = last().data;
    EXPECT_EQ(Bytes(d.begin() + 8, d.begin() + 14), Bytes(6, 0xFF));
}

TEST_F(RequestBytes, LogIsReadInPiecesOf48) {
    Bytes head = {0x06, 60, 0x1A, 8, 19, 7, 5, 9};
    Bytes first(48), second(12);
    for (int i = 0; i < 48; ++i) first[i] = uint8_t(i);
    for (int i = 0; i < 12; ++i) second[i] = uint8_t(0xA0 + i);
    answer({head, first, second});
    uint32_t type = 0;
    double date = -1;
    char text[193];
    const size_t before = seen_count();
    ASSERT_EQ(PGT_GetLog(port(), 0x01020304, &type, &date, text), -1);
    ASSERT_EQ(seen_count(), before + 3);
    auto seen = with_script(*line, [](ScriptedClock &c) { return c.seen; });
    EXPECT_EQ(seen[before].cmd, 0x1A);
    EXPECT_EQ(seen[before].data, (Bytes{4, 3, 2, 1}));
    EXPECT_EQ(seen[before + 1].data, (Bytes{4, 3, 2, 1, 0, 48}));
    EXPECT_EQ(seen[before + 2].data, (Bytes{4, 3, 2, 1, 48, 12}));
    EXPECT_EQ(type, 6u);
    EXPECT_NEAR(date, ole(2026, 8, 19, 7, 5, 9), 1e-9);
    EXPECT_EQ(std::strlen(text), 120u);
    EXPECT_EQ(std::string(text).substr(94), "2FA0A1A2A3A4A5A6A7A8A9AAAB");

    // Length 0: an empty text, and no body command at all.
    answer({{0x01, 0, 0x1A, 8, 19, 7, 5, 9}});
    const size_t at = seen_count();
    ASSERT_EQ(PGT_GetLog(port(), 7, &type, &date, text), -1);
    EXPECT_EQ(seen_count(), at + 1);
    EXPECT_STREQ(text, "");

    // A body piece shorter than asked fails the whole read; the text stays.
    std::strcpy(text, "kept");
    answer({head, Bytes(47, 0)});
    EXPECT_EQ(PGT_GetLog(port(), 7, &type, &date, text), 0);
    EXPECT_EQ(line->error(), 263);
    EXPECT_STREQ(text, "kept");
    EXPECT_EQ(date, 0.0);
}

TEST_F(RequestBytes, OutReaderInfoIsEveryAnswerByte) {
    answer({{3, 0, 0, 0}});
    uint32_t count = 0;
    ASSERT_EQ(PGT_GetOutReaderCount(port(), &count), -1);
    EXPECT_EQ(count, 3u);
    answer({Bytes(52, 0xAB)});
    char text[105];
    ASSERT_EQ(PGT_GetOutReaderInfo(port(), 2, text), -1);
    EXPECT_EQ(last().data, (Bytes{2, 0, 0, 0}));
    std::string want;
    for (int i = 0; i < 52; ++i) want += "AB";
    EXPECT_EQ(std::string(text), want);
}

// Every export that needs a minimum of answer data fails with 263 on one byte less and
// leaves its outputs alone (dates are 0.0).
TEST_F(RequestBytes, ShortAnswersGive263) {
    struct Case {
        const char *name;
        size_t min;
        std::function<int16_t(uint32_t)> call;
    };
    char text[200];
    uint32_t n = 0;
    int32_t lon = 0, lat = 0;
    uint8_t b1 = 0, b2 = 0, out8[8];
    uint16_t w = 0;
    double date = 0;
    const std::vector<Case> cases = {
        {"GetSiteInfo", 8, [&](uint32_t p) { return PGT_GetSiteInfo(p, nullptr, &lon, &lat); }},
        {"GetUploadMode", 4, [&](uint32_t p) { return PGT_GetUploadMode(p, &b1, &b2, &w); }},
        {"CloseTag", 2, [&](uint32_t p) { return PGT_CloseTag(p, &n); }},
        {"GetTagCount", 2, [&](uint32_t p) { return PGT_GetTagCount(p, 0, &n); }},
        {"GetTag", 24, [&](uint32_t p) { return PGT_GetTag(p, 0, 0, text, text + 20, text + 40, &n); }},
        {"GetTagEx", 32, [&](uint32_t p) { return PGT_GetTagEx(p, 0, 0, text, text + 20, text + 40, out8, out8, &n); }},
        {"FindTag", 32, [&](uint32_t p) { return PGT_FindTag(p, out8, text, text + 40, out8, out8, &n); }},
        {"AddRaceTagEx", 8, [&](uint32_t p) { return PGT_AddRaceTagEx(p, "F0000001", "00", "00", out8); }},
        {"CloseRace", 8, [&](uint32_t p) { return PGT_CloseRace(p, "F0000001", 40000.0); }},
        {"GetCurrentRace", 8, [&](uint32_t p) { return PGT_GetCurrentRace(p, text, &n); }},
        {"GetRaceState", 1, [&](uint32_t p) { return PGT_GetRaceState(p, "F0000001", &n); }},
        {"GetRaceFlyTime", 8, [&](uint32_t p) { return PGT_GetRaceFlyTime(p, "F0000001", &date); }},
        {"GetRaceValidate_V2", 8, [&](uint32_t p) { return PGT_GetRaceValidate_V2(p, "F0000001", &date); }},
        {"GetRaceLoLa", 8, [&](uint32_t p) { return PGT_GetRaceLoLa(p, "F0000001", &lon, &lat); }},
        {"GetRaceDesc", 4, [&](uint32_t p) { return PGT_GetRaceDesc(p, "F0000001", text); }},
        {"GetRaceT1", 8, [&](uint32_t p) { return PGT_GetRaceT1(p, "F0000001", &date); }},
        {"GetRaceT2Device_V2", 8, [&](uint32_t p) { return PGT_GetRaceT2Device_V2(p, "F0000001", &date); }},
        {"GetRaceT2Auth", 8, [&](uint32_t p) { return PGT_GetRaceT2Auth(p, "F0000001", &date); }},
        {"GetRaceTagCount", 2, [&](uint32_t p) { return PGT_GetRaceTagCount(p, "F0000001", 128, &n); }},
        {"GetRaceRecord", 48, [&](uint32_t p) { return PGT_GetRaceRecord(p, "F0000001", 128, 0, text); }},
        {"GetLogId", 8, [&](uint32_t p) { return PGT_GetLogId(p, &n, &n); }},
        {"GetLog_V2", 8, [&](uint32_t p) { return PGT_GetLog_V2(p, 1, &n, &date, text); }},
        {"GetOutReaderCount", 4, [&](uint32_t p) { return PGT_GetOutReaderCount(p, &n); }},
        {"GetOutReaderInfo", 8, [&](uint32_t p) { return PGT_GetOutReaderInfo(p, 0, text); }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        answer({Bytes(c.min - 1, 0x11)});
        std::strcpy(text, "untouched");
        n = 4242;
        lon = lat = 99;
        date = 123.0;
        EXPECT_EQ(c.call(port()), 0);
        EXPECT_EQ(line->error(), 263);
        EXPECT_STREQ(text, "untouched");
        EXPECT_EQ(n, 4242u);
        EXPECT_EQ(lon, 99);
        const bool returns_date = std::string(c.name).find("Race") != std::string::npos &&
                                  (std::string(c.name).find("Time") != std::string::npos ||
                                   std::string(c.name).find("Validate") != std::string::npos ||
                                   std::string(c.name).find("T1") != std::string::npos ||
                                   std::string(c.name).find("T2") != std::string::npos);
        if (returns_date || std::string(c.name) == "GetLog_V2") {
            EXPECT_EQ(date, 0.0);
        } else {
            EXPECT_EQ(date, 123.0);
        }

        answer({Bytes(c.min, 0x01)});
        EXPECT_EQ(c.call(port()), -1) << "with " << c.min << " bytes";
    }

    // With the null name buffer GetSiteInfo still returns the position.
    answer({{1, 0, 0, 0, 2, 0, 0, 0}});
    ASSERT_EQ(PGT_GetSiteInfo(port(), nullptr, &lon, &lat), -1);
    EXPECT_EQ(lon, 1);
    EXPECT_EQ(lat, 2);
}

}  // namespace
