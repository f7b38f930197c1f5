// The report inputs as gathered from a club database, on SQLite and (when CLUB_TEST_PG is
// set) PostgreSQL, and the command-line printing of the clubmgr program.
#include "pdf_text.h"
#include "report_sources.h"
#include "temp_club.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace club::reports;

namespace {

void fillClub(TdmLCXS& dm)
{
    dm.insertRow("LCX_ClubData", {{"ClubID", "C01"}, {"ClubName", "Homing Club Lier"}, {"Street", "Kerkstraat 12"},
                                  {"City", "Lier"}, {"PostCode", "2500"}, {"AssociationCode", "KBDB"}, {"Mode", 1}});
    dm.insertRow("LCX_FeatherColor", {{"ColorType", "BB"}, {"FeathColor", "Blue Bar"}});
    dm.insertRow("LCX_LiberateSite", {{"LiberCode", "1A2B"}, {"LiberSite", "Orleans Library"}, {"LiberSiteAbbr", "ORL"}});
    dm.insertRow("LCX_RaceData", {{"ClubID", "C01"}, {"LiberCode", "1A2B"}, {"LiberSite", "Orleans"},
                                  {"LiberSiteAbbr", "ORL"}, {"LiberDate", QDate(2026, 8, 19)},
                                  {"LiberTime", QTime(6, 30)}, {"RaceCode", "1A2B0819"}});
    for (const auto& [no, name] : {std::pair{"013", "South Loft"}, std::pair{"012", "North Loft"}})
        dm.insertRow("LCX_LoftData", {{"AssociationCode", "KBDB"}, {"LoftNo", no}, {"LoftName", name},
                                      {"Street", "Dorpstraat 4"}, {"City", "Lier"}, {"PostCode", "2500"},
                                      {"PhoneNo", "03 480 11 22"}, {"LoftLat", "N051'12:07.35"},
                                      {"LoftLon", "E004'34:10.00"}});
    dm.insertRow("LCX_LoftClocks", {{"LoftNo", "012"}, {"ClockID", "CLK1"}});
    dm.insertRow("LCX_LoftClocks", {{"LoftNo", "012"}, {"ClockID", "CLK2"}});
    struct Pigeon { const char* loft; const char* ring; const char* year; const char* number; const char* sex; };
    for (const Pigeon& p : {Pigeon{"012", "BELG25-1", "2025", "1", "H"}, Pigeon{"012", "BELG25-2", "2025", "2", "C"},
                            Pigeon{"012", "BELG24-3", "2024", "3", "C"}, Pigeon{"013", "BELG24-4", "2024", "4", "H"}})
        dm.insertRow("LCX_PigData", {{"LoftNo", p.loft}, {"PRingNo", p.ring}, {"RCountry", "BELG"}, {"RYear", p.year},
                                     {"RRegNumber", p.number}, {"Sex", p.sex}, {"ColorType", "BB"},
                                     {"CreateDate", QDate(2025, 3, 1)}});
    struct Entry { const char* ring; const char* back; const char* fly; double speed; const char* real; const char* clock; };
    for (const Entry& e : {Entry{"BELG25-1", "2026/08/19 10:14:12.250", "3:44:9", 1427.615, "3A", "CLK1"},
                           Entry{"BELG25-2", "2026/08/19 10:20:00.000", "3:50:0", 1391.304, "3B", "CLK1"},
                           Entry{"BELG24-3", nullptr, nullptr, 0, nullptr, "CLK1"},
                           Entry{"BELG24-4", nullptr, nullptr, 0, nullptr, "CLK9"},
                           Entry{"GONE-9", "2026/08/19 11:00:00", "4:30:0", 1185.185, nullptr, ""}}) {
        QVariantMap row{{"ClubID", "C01"}, {"LiberCode", "1A2B"}, {"LiberDate", QDate(2026, 8, 19)},
                        {"PRingNo", e.ring}, {"RandomCode", 58}, {"ClockID", e.clock},
                        {"MarkedTime", QDateTime(QDate(2026, 8, 18), QTime(19, 0))}};
        if (e.back) {
            row.insert("BackTime", e.back);
            row.insert("FlyTime", e.fly);
            row.insert("FlySpeed", e.speed);
            row.insert("Dist", 320000);
            row.insert("TimeVari", 3);
        }
        if (e.real) row.insert("RealRandom", e.real);
        dm.insertRow("LCX_PigRaceData", row);
    }
    dm.insertRow("LCX_RaceClockTime", {{"LiberCode", "1A2B"}, {"LiberDate", QDate(2026, 8, 19)}, {"LoftNo", "012"},
                                       {"ClockID", "CLK1"}, {"DLMarkedTime", QDateTime(QDate(2026, 8, 18), QTime(20, 15))},
                                       {"ULMasterTime", QDateTime(QDate(2026, 8, 19), QTime(18, 0, 1))},
                                       {"ULClockTime", QDateTime(QDate(2026, 8, 19), QTime(18, 0, 4))}});
    dm.insertRow("LCX_LoftLibPointDist", {{"LiberCode", "1A2B"}, {"LoftNo", "012"}, {"Miles", 200}, {"Yards", 351234}});
    dm.insertRow("LCX_LoftLibPointDist", {{"LiberCode", "1A2B"}, {"LoftNo", "099"}, {"Miles", 0}, {"Yards", 0}});
}

class ReportSources : public ::testing::TestWithParam<DbEngine> {
protected:
    void SetUp() override
    {
        if (GetParam() == DbEngine::PostgreSQL && !TempClub::postgresAvailable()) GTEST_SKIP() << "no CLUB_TEST_PG";
        club = std::make_unique<TempClub>(GetParam());
        ASSERT_TRUE(club->ok()) << club->error().toStdString();
        fillClub(club->dm());
    }
    TdmLCXS& dm() { return club->dm(); }
    std::unique_ptr<TempClub> club;
};

}  // namespace

TEST_P(ReportSources, RaceFoundFromItsCodeTextWithTheLibrarySiteName)
{
    for (const char* text : {"1A2B / 0819", "1A2B0819"}) {
        const auto race = raceHeaderFrom(dm(), text);
        ASSERT_TRUE(race) << text;
        EXPECT_EQ(race->raceCode, "1A2B0819");
        EXPECT_EQ(race->clubId, "C01");
        EXPECT_EQ(race->liberDate, QDate(2026, 8, 19));
        EXPECT_EQ(race->liberSite, "Orleans Library");
    }
    EXPECT_FALSE(raceHeaderFrom(dm(), "1A2B / 0820"));
}

TEST_P(ReportSources, RaceEntryHeaderOfKnownAndUnknownLofts)
{
    RaceEntryInput in;
    in.raceCodeText = "1A2B / 0819";
    in.loftName = "North Loft";
    fillRaceEntryHeader(dm(), in);
    ASSERT_TRUE(in.loft);
    EXPECT_EQ(in.loft->loftNo, "012");
    EXPECT_EQ(in.loft->street, "Dorpstraat 4");
    EXPECT_EQ(in.clockTimes.dlMarkedTime, QDateTime(QDate(2026, 8, 18), QTime(20, 15)));
    EXPECT_EQ(in.colourNames.value("BB"), "Blue Bar");

    in.loftName = "Nobody's Loft";
    fillRaceEntryHeader(dm(), in);
    EXPECT_FALSE(in.loft);
    EXPECT_FALSE(in.clockTimes.dlMarkedTime.isValid());
}

TEST_P(ReportSources, MemberListsAsThePagesShowThem)
{
    const MemListInput members = memberListFrom(dm());
    ASSERT_EQ(members.rows.size(), 2);
    EXPECT_EQ(members.rows[0].loftNo, "012");
    EXPECT_EQ(members.rows[0].clockCnt, 2);
    EXPECT_EQ(members.rows[1].clockCnt, 0);
    EXPECT_EQ(members.club.clubName, "Homing Club Lier");

    const auto rings = ringListFrom(dm(), "012");
    ASSERT_TRUE(rings);
    EXPECT_EQ(rings->loftName, "North Loft");
    EXPECT_EQ(rings->rows.size(), 3);
    EXPECT_EQ(rings->rows[0].createDate, QDate(2025, 3, 1));
    EXPECT_FALSE(ringListFrom(dm(), "777"));

    const auto dist = distanceListFrom(dm(), "1A2B0819");
    ASSERT_TRUE(dist);
    EXPECT_EQ(dist->title, "Members Distance of Orleans");
    EXPECT_EQ(dist->mode, DistanceMode::Imperial);
    ASSERT_EQ(dist->rows.size(), 2);
    EXPECT_EQ(dist->rows[0].loftName, "North Loft");
    EXPECT_EQ(dist->rows[0].yards, 351234);
    EXPECT_EQ(dist->rows[1].loftName, "");  // a loft gone from the register
}

TEST_P(ReportSources, RaceStatusResultOfficialListAndRanking)
{
    const auto stat = raceStatFrom(dm(), "1A2B0819");
    ASSERT_TRUE(stat);
    int marked = 0, arrived = 0, outside = 0;
    for (const RaceStatRow& r : stat->rows) {
        marked += r.markedCnt;
        arrived += r.arriveCnt;
        if (r.member.isEmpty()) outside += r.arriveCnt;
        if (r.member == "North Loft") {
            EXPECT_EQ(r.markedCnt, 3);
        }
    }
    EXPECT_EQ(marked, 4);   // the pigeon outside the register is not counted as marked
    EXPECT_EQ(arrived, 3);
    EXPECT_EQ(outside, 1);

    const auto result = raceResultFrom(dm(), "1A2B0819");
    ASSERT_TRUE(result);
    EXPECT_EQ(TfrmPrtRaceResult(*result).title(),
              "C01 Result for Orleans (08-19 06:30:00) (3 Members sent 5 birds of which 3 were clocked)");
    ASSERT_EQ(result->rows.size(), 3);
    EXPECT_EQ(result->rows[0].member, "North Loft");
    EXPECT_EQ(result->rows[2].pRingNo, "GONE-9");

    const auto official = officialListFrom(dm(), "1A2B0819", "012", "");
    ASSERT_TRUE(official);
    EXPECT_EQ(official->deviceNo, "CLK1");
    ASSERT_EQ(official->rows.size(), 2);
    EXPECT_EQ(official->rows[0].realRandom, 0x3A);
    EXPECT_EQ(secretCheck(official->rows[0].randomCode, official->rows[0].realRandom), "OK");
    EXPECT_EQ(secretCheck(official->rows[1].randomCode, official->rows[1].realRandom), "NG");

    const auto ranking = rankingFrom(dm(), "1A2B / 0819");
    ASSERT_TRUE(ranking);
    EXPECT_EQ(ranking->clubName, "Homing Club Lier");
    EXPECT_EQ(ranking->liberSite, "Orleans Library");
    EXPECT_EQ(ranking->resultFlyTimes, QStringList({"3:44:9", "3:50:0", "4:30:0"}));
    EXPECT_EQ(TfrmRaceRankRpt_UTC(*ranking).winningMargin(), "0:5:51");
}

INSTANTIATE_TEST_SUITE_P(Engines, ReportSources, ::testing::Values(DbEngine::SQLite, DbEngine::PostgreSQL),
                         [](const auto& info) { return std::string(TempClub::engineName(info.param)); });

#ifdef CLUBMGR_PROGRAM
TEST(ReportCommand, PrintsEveryReportOfAClubToPdf)
{
    if (!QFile::exists(CLUBMGR_PROGRAM)) GTEST_SKIP() << "clubmgr is not built";
    TempClub club;
    ASSERT_TRUE(club.ok());
    fillClub(club.dm());
    QTemporaryDir out;
    auto run = [&](QStringList args, QString* errors = nullptr) {
        QProcess p;
        p.setWorkingDirectory(out.path());  // a relative --pdf lands here, not in the club
        p.start(CLUBMGR_PROGRAM, QStringList{"--club", club.paths().clubDir} + args);
        EXPECT_TRUE(p.waitForFinished(60000));
        if (errors) *errors = QString::fromUtf8(p.readAllStandardError());
        return p.exitCode();
    };
    struct Case { const char* name; QStringList args; const char* title; };
    const Case cases[] = {
        {"member-list", {}, "Member List"},
        {"ring-list", {"--loft", "012"}, "Ring list of North Loft( 012 )"},
        {"member-dist", {"--race", "1A2B0819"}, "Members Distance of Orleans"},
        {"race-list", {}, "Race List"},
        {"race-stat", {"--race", "1A2B0819"}, "Status for Orleans (08/19 06:30:00)"},
        {"race-result", {"--race", "1A2B0819"}, "C01 Result for Orleans"},
        {"race-entry", {"--race", "1A2B / 0819", "--loft", "012"}, "Volaro - Official Race Entry"},
        {"race-official", {"--race", "1A2B0819", "--loft", "012", "--device", "00A1B2C3"}, "Clock Details : 00A1B2C3"},
        {"race-ranking", {"--race", "1A2B0819"}, "NAM-Homing Club Lier"},
    };
    for (const Case& c : cases) {
        const QString file = QStringLiteral("%1.pdf").arg(c.name);
        ASSERT_EQ(run(QStringList{"--report", c.name} + c.args + QStringList{"--pdf", file}), 0) << c.name;
        EXPECT_TRUE(pdfToText(out.filePath(file)).has(c.title)) << c.name;
    }

    QString errors;
    EXPECT_EQ(run({"--report", "race-result", "--race", "9Z9Z0101", "--pdf", "x.pdf"}, &errors), 1);
    EXPECT_TRUE(errors.contains("No race with the code 9Z9Z0101")) << errors.toStdString();
    EXPECT_EQ(run({"--report", "race-entry", "--race", "1A2B0819", "--pdf", "x.pdf"}, &errors), 2);
    EXPECT_TRUE(errors.contains("needs --loft")) << errors.toStdString();
    EXPECT_EQ(run({"--report", "nonsense", "--pdf", "x.pdf"}, &errors), 2);
    EXPECT_EQ(run({"--report", "race-list", "--pdf", out.filePath("no/such/dir/x.pdf")}, &errors), 1);
    EXPECT_TRUE(errors.contains("Cannot write")) << errors.toStdString();
    EXPECT_FALSE(QFile::exists(out.filePath("x.pdf")));
}
#endif
