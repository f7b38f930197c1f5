#include "loft_clocks.h"
#include "loft_register.h"
#include "member_club.h"
#include "member_queries.h"

using namespace members;

namespace {

const QDateTime kNow(QDate(2026, 3, 14), QTime(9, 30, 0));

LoftRow newLoft(const QString& no, const QString& name)
{
    LoftRow l;
    l.associationCode = QStringLiteral("ASSOC");
    l.loftNo = no;
    l.loftName = name;
    l.street = QStringLiteral("1 Main St");
    l.loftLon = QStringLiteral("E121'23:24.33");
    l.loftLat = QStringLiteral("    '  :  .  ");
    return l;
}

}  // namespace

using LoftRegister = MemberClub;

TEST_P(LoftRegister, NewLoftGetsOneDistanceRowPerSite)
{
    for (const char* s : {"S1", "S2", "S3"})
        site(QString::fromLatin1(s));
    LoftRow l = newLoft("012", "O'Brien");
    l.notes = QStringLiteral("first line\r\nsecond line\nthird");
    const LoftSaveResult r = saveLoft(*dm, l, kNow);
    ASSERT_TRUE(r.saved);
    EXPECT_TRUE(r.inserted);

    const auto stored = findLoft(*dm, "012");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->loftName, "O'Brien");
    EXPECT_EQ(stored->notes, "first linesecond linethird");
    EXPECT_EQ(stored->loftLat, "    '  :  .  ");  // an untouched coordinate keeps its blanks
    EXPECT_EQ(dbDateTime(dm->scalar("SELECT UpdateTime FROM LCX_LoftData")), kNow);
    EXPECT_EQ(count("SELECT COUNT(*) FROM LCX_LoftLibPointDist WHERE LoftNo='012' AND Miles=0 AND Yards=0"), 3);
    EXPECT_EQ(value("SELECT LiberCode FROM LCX_LoftLibPointDist ORDER BY LiberCode DESC"), "S3");
}

TEST_P(LoftRegister, KnownLoftNumberUpdatesAndAddsNoDistanceRows)
{
    site("S1");
    ASSERT_TRUE(saveLoft(*dm, newLoft("012", "North"), kNow).saved);
    LoftRow again = newLoft("012", "North Loft");
    again.city = QStringLiteral("Gent");
    const LoftSaveResult r = saveLoft(*dm, again, kNow.addSecs(60));
    ASSERT_TRUE(r.saved);
    EXPECT_FALSE(r.inserted);
    EXPECT_EQ(count("SELECT COUNT(*) FROM LCX_LoftData"), 1);
    EXPECT_EQ(findLoft(*dm, "012")->loftName, "North Loft");
    EXPECT_EQ(findLoft(*dm, "012")->city, "Gent");
    EXPECT_EQ(count("SELECT COUNT(*) FROM LCX_LoftLibPointDist"), 1);
}

TEST_P(LoftRegister, NumberAndNameAreRequired)
{
    for (const auto& [no, name] : {std::pair{"", "Name"}, std::pair{"012", ""}, std::pair{"", ""}}) {
        const LoftSaveResult r = saveLoft(*dm, newLoft(no, name), kNow);
        EXPECT_FALSE(r.saved);
        EXPECT_EQ(r.message, "Set new Member find data entry error !");
    }
    EXPECT_EQ(count("SELECT COUNT(*) FROM LCX_LoftData"), 0);
}

TEST_P(LoftRegister, DeleteWithAndWithoutPigeons)
{
    site("S1");
    ASSERT_TRUE(saveLoft(*dm, newLoft("001", "Empty"), kNow).saved);
    ASSERT_TRUE(saveLoft(*dm, newLoft("002", "Full"), kNow).saved);
    for (int i = 0; i < 12; ++i)
        pigeon("002", QStringLiteral("BELG14%1").arg(i, 3, 10, QLatin1Char('0')));
    dm->insertRow("LCX_LoftClocks", {{"LoftNo", "002"}, {"ClockID", "C1"}});
    dm->insertRow("LCX_PigRaceData", {{"LiberCode", "S1"}, {"PRingNo", "BELG14000"}});

    EXPECT_EQ(countLoftPigeons(*dm, "001"), 0);
    deleteLoft(*dm, "001", false);
    EXPECT_FALSE(findLoft(*dm, "001"));
    EXPECT_EQ(count("SELECT COUNT(*) FROM LCX_LoftLibPointDist WHERE LoftNo='001'"), 0);

    EXPECT_EQ(countLoftPigeons(*dm, "002"), 12);
    EXPECT_EQ(deleteLoftQuestion(12), "This Loft has 12 pigeon records, Do you want delete all data ?");
    deleteLoft(*dm, "002", true);
    EXPECT_FALSE(findLoft(*dm, "002"));
    EXPECT_EQ(count("SELECT COUNT(*) FROM LCX_PigData"), 0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM LCX_LoftLibPointDist"), 0);
    // Clocks and race entries are not the loft register's to delete.
    EXPECT_EQ(count("SELECT COUNT(*) FROM LCX_LoftClocks"), 1);
    EXPECT_EQ(count("SELECT COUNT(*) FROM LCX_PigRaceData"), 1);
}

TEST_P(LoftRegister, LoftListCountsClocksInLoftNumberOrder)
{
    loft("B2", "Bee");
    loft("A1", "Ay");
    loft("C3", "Ace");
    dm->insertRow("LCX_LoftClocks", {{"LoftNo", "B2"}, {"ClockID", "X"}});
    dm->insertRow("LCX_LoftClocks", {{"LoftNo", "B2"}, {"ClockID", "Y"}});
    const auto rows = selectLoftList(*dm);
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0].loftNo, "A1");
    EXPECT_EQ(rows[0].clockCount, 0);
    EXPECT_EQ(rows[1].loftName, "Bee");
    EXPECT_EQ(rows[1].clockCount, 2);
    EXPECT_EQ(selectLoftNames(*dm), (QStringList{"Bee", "Ay", "Ace"}));  // table order
}

using LoftClocks = MemberClub;

TEST_P(LoftClocks, DuplicateUnknownMemberAndDelete)
{
    loft("012", "North");
    loft("013", "South");
    struct {
        const char *loft, *clock, *name;
        ClockSaveResult::Outcome outcome;
        const char* message;
    } steps[] = {
        {"012", "1234ABCD", "North", ClockSaveResult::Outcome::Saved, ""},
        {"012", "1234ABCD", "North", ClockSaveResult::Outcome::Duplicate,
         "012's Clock serial number 1234ABCD duplicate !"},
        {"013", "1234ABCD", "South", ClockSaveResult::Outcome::Saved, ""},  // another loft may have it
        {"012", "55", "Nobody", ClockSaveResult::Outcome::UnknownMember, "Nobody not find in Member data !"},
        {"012", "56", "South", ClockSaveResult::Outcome::Saved, ""},  // any member's name passes
        {"012", "", "North", ClockSaveResult::Outcome::Saved, ""},
        {"012", "", "North", ClockSaveResult::Outcome::Duplicate, "012's Clock serial number  duplicate !"},
    };
    for (const auto& s : steps) {
        const ClockSaveResult r = saveLoftClock(*dm, s.loft, s.clock, s.name);
        EXPECT_EQ(r.outcome, s.outcome) << s.loft << " " << s.clock;
        EXPECT_EQ(r.message, QString::fromLatin1(s.message));
    }
    EXPECT_EQ(count("SELECT COUNT(*) FROM LCX_LoftClocks WHERE LoftNo='012'"), 3);
    EXPECT_EQ(count("SELECT COUNT(*) FROM LCX_LoftClocks WHERE LoftNo='012' AND ClockID='56'"), 1);
    const auto clocks = selectLoftClocks(*dm, "012");
    ASSERT_EQ(clocks.size(), 3);
    EXPECT_FALSE(clocks[0].lastSynchDate.isValid());
    EXPECT_TRUE(clocks[0].synchStat.isNull());

    EXPECT_EQ(deleteLoftClock(*dm, "012", "1234ABCD"), 1);
    EXPECT_EQ(count("SELECT COUNT(*) FROM LCX_LoftClocks WHERE ClockID='1234ABCD'"), 1);  // 013 keeps its own
}

MEMBER_CLUB_ENGINES(LoftRegister);

MEMBER_CLUB_ENGINES(LoftClocks);
