// The Races page's work on a real SQLite club file: saving and deleting races, distances,
// results with positions, recalculation, other clocks and the sun table.
#include "distance_update.h"
#include "other_clock_entry.h"
#include "race_editing.h"
#include "race_fixture.h"
#include "race_queries.h"
#include "race_result.h"
#include "sun_table.h"

using namespace raceq;

using namespace club;

namespace {

const QDate kAug19(2014, 8, 19);
const QDateTime kNow(QDate(2014, 8, 1), QTime(12, 0));

RaceForm form(const QString& code, const QDate& d, const QString& lon = "E002'30:00",
              const QString& lat = "N049'00:00") {
    return {"Our Club", code, "ORL", "Orleans", d, QTime(6, 30), lon, lat};
}

using RaceSave = RaceClub;
RACE_ENGINES(RaceSave);

TEST_P(RaceSave, NewSiteUpdateAndAnotherDate) {
    club("C01", "Our Club");
    club("C02", "Other Club");
    loft("L1", "Ann");
    loft("L2", "Bob");

    EXPECT_EQ(SaveRace(*dm, form("01AF", QDate(2026, 5, 3)), kNow), SaveOutcome::NewRaceAndSite);
    auto race = findRace(*dm, "01AF", QDate(2026, 5, 3));
    ASSERT_TRUE(race);
    EXPECT_EQ(race->raceCode, "01AF0503");
    EXPECT_EQ(race->clubId, "C01");
    EXPECT_EQ(race->liberTime, QTime(6, 30));
    EXPECT_EQ(count("SELECT count(*) FROM LCX_LiberateSite WHERE LiberCode='01AF'"), 1);
    EXPECT_EQ(count("SELECT count(*) FROM LCX_LoftLibPointDist WHERE LiberCode='01AF' AND Miles=0 AND Yards=0"), 2);

    // Same code, same date: the one race is updated.
    RaceForm changed = form("01AF", QDate(2026, 5, 3), "E003'00:00", "N048'00:00");
    changed.clubName = "Other Club";
    changed.liberTime = QTime(7, 15);
    changed.liberSite = "Tours";
    EXPECT_EQ(SaveRace(*dm, changed, kNow), SaveOutcome::Updated);
    EXPECT_EQ(count("SELECT count(*) FROM LCX_RaceData"), 1);
    race = findRace(*dm, "01AF", QDate(2026, 5, 3));
    EXPECT_EQ(race->clubId, "C02");
    EXPECT_EQ(race->liberSite, "Tours");
    EXPECT_EQ(race->liberTime, QTime(7, 15));
    EXPECT_EQ(race->liberLon.toString(), "E003'00:00");

    // Same code on another date: a second race, and no second site or distance rows.
    EXPECT_EQ(SaveRace(*dm, form("01AF", QDate(2026, 5, 10)), kNow), SaveOutcome::NewRace);
    EXPECT_EQ(count("SELECT count(*) FROM LCX_RaceData"), 2);
    EXPECT_EQ(count("SELECT count(*) FROM LCX_LiberateSite"), 1);
    EXPECT_EQ(count("SELECT count(*) FROM LCX_LoftLibPointDist"), 2);
}

TEST_P(RaceSave, RefusalsStoreNothing) {
    club("C01", "Our Club");
    loft("L1", "Ann");
    RaceForm noAbbr = form("AB12", kAug19);
    noAbbr.liberSiteAbbr.clear();
    EXPECT_EQ(SaveRace(*dm, noAbbr, kNow), SaveOutcome::SiteDataMissing);
    RaceForm noSite = form("AB12", kAug19);
    noSite.liberSite.clear();
    EXPECT_EQ(SaveRace(*dm, noSite, kNow), SaveOutcome::SiteDataMissing);
    EXPECT_EQ(SaveRace(*dm, form("", kAug19), kNow), SaveOutcome::SiteDataMissing);
    RaceForm noClub = form("AB12", kAug19);
    noClub.clubName = "Nobody";
    EXPECT_EQ(SaveRace(*dm, noClub, kNow), SaveOutcome::UnknownClub);
    EXPECT_EQ(count("SELECT count(*) FROM LCX_RaceData"), 0);
    EXPECT_EQ(count("SELECT count(*) FROM LCX_LiberateSite"), 0);
    EXPECT_EQ(count("SELECT count(*) FROM LCX_LoftLibPointDist"), 0);
}

TEST_P(RaceSave, BlankLongitudeNullOnInsertMaskTextOnUpdate) {
    club("C01", "Our Club");
    const QString blank = "    '  :  ";
    ASSERT_EQ(SaveRace(*dm, form("AB12", kAug19, blank, blank), kNow), SaveOutcome::NewRaceAndSite);
    EXPECT_TRUE(findRace(*dm, "AB12", kAug19)->liberLon.isNull());
    EXPECT_TRUE(findRace(*dm, "AB12", kAug19)->liberLat.isNull());
    EXPECT_EQ(count("SELECT count(*) FROM LCX_LiberateSite WHERE LiberLon IS NULL AND LiberLat IS NULL"), 1);
    ASSERT_EQ(SaveRace(*dm, form("AB12", kAug19, blank, blank), kNow), SaveOutcome::Updated);
    EXPECT_EQ(findRace(*dm, "AB12", kAug19)->liberLon.toString(), blank);
}

TEST_P(RaceSave, DeleteRaceKeepsClockTimesSiteAndDistances) {
    club("C01", "Our Club");
    loft("L1", "Ann");
    ASSERT_EQ(SaveRace(*dm, form("AB12", kAug19), kNow), SaveOutcome::NewRaceAndSite);
    entry("AB12", kAug19, "R1", "2014/08/19 10:00:00");
    entry("AB12", QDate(2014, 8, 26), "R1");  // the same site a week later stays
    insertSunRow(*dm, "AB120819", {kAug19, QTime(21, 0), QTime(6, 0), "x"});
    insertClockTime(*dm, "AB12", kAug19, "L1", {});

    DeleteRace(*dm, "C01", "AB12", kAug19);
    EXPECT_EQ(count("SELECT count(*) FROM LCX_RaceData"), 0);
    EXPECT_EQ(count("SELECT count(*) FROM LCX_PigRaceData"), 1);
    EXPECT_EQ(count("SELECT count(*) FROM LCX_SunSet_SunRise"), 0);
    EXPECT_EQ(count("SELECT count(*) FROM LCX_RaceClockTime"), 1);
    EXPECT_EQ(count("SELECT count(*) FROM LCX_LiberateSite"), 1);
    EXPECT_EQ(count("SELECT count(*) FROM LCX_LoftLibPointDist"), 1);

    DeleteSite(*dm, "AB12");
    EXPECT_EQ(count("SELECT count(*) FROM LCX_LiberateSite"), 0);
    EXPECT_EQ(count("SELECT count(*) FROM LCX_LoftLibPointDist"), 0);
}

using Distances = RaceClub;
RACE_ENGINES(Distances);

TEST_P(Distances, BothUnitModesMissingRowsAndBadTexts) {
    club("C01", "Our Club");
    race("C01", "AB12", kAug19, QTime(6, 30), "E005'00:00", "N051'00:00");
    loft("L1", "Ann", "E005'00:00.00", "N051'00:36.00");   // 1109 m north
    loft("L2", "Bob");                                     // no coordinates: row untouched
    loft("L3", "Cid", "E0X5'00:00.00", "N051'00:36.00");   // bad text: 0 and a message
    loft("L4", "Dan", "E005'00:00.00", "N051'00:36.00");   // row missing: created
    distance("AB12", "L1", 0, 0);
    distance("AB12", "L2", 7, 7777);
    distance("AB12", "L3", 9, 9999);

    mode(0);
    DistanceUpdateReport r = UpdateLoftDistances(*dm, "C01", "AB12", kAug19);
    EXPECT_TRUE(r.raceFound);
    EXPECT_EQ(r.loftsWritten, 3);
    ASSERT_EQ(r.messages.size(), 1);
    EXPECT_EQ(r.messages[0], "Invalid character in degrees field in string E0X5'00:00.00");
    auto yards = [&](const char* loftNo) { return distanceYards(*dm, "AB12", loftNo).value_or(-1); };
    auto miles = [&](const char* loftNo) {
        return dm->scalar("SELECT Miles FROM LCX_LoftLibPointDist WHERE LiberCode='AB12' AND LoftNo=?", {loftNo}).toInt();
    };
    EXPECT_EQ(yards("L1"), 1109);
    EXPECT_EQ(miles("L1"), 1);
    EXPECT_EQ(yards("L2"), 7777);
    EXPECT_EQ(yards("L3"), 0);
    EXPECT_EQ(yards("L4"), 1109);

    mode(1);
    r = UpdateLoftDistances(*dm, "C01", "AB12", kAug19);
    EXPECT_EQ(yards("L1"), 1212);   // 1109 m / 0.9144
    EXPECT_EQ(miles("L1"), 0);
    EXPECT_EQ(count("SELECT count(*) FROM LCX_LoftLibPointDist"), 4);

    // A race of another club with the same code and date is not this one.
    EXPECT_FALSE(UpdateLoftDistances(*dm, "C99", "AB12", kAug19).raceFound);
}

TEST_P(Distances, BadLiberationPointIsReportedOnce) {
    race("C01", "AB12", kAug19, QTime(6, 30), "E0Z5'00:00", "N051'00:00");
    for (int i = 0; i < 5; ++i)
        loft(QString("L%1").arg(i), "x", "E005'00:00.00", "N051'00:36.00");
    const DistanceUpdateReport r = UpdateLoftDistances(*dm, "C01", "AB12", kAug19);
    EXPECT_EQ(r.messages.size(), 1);
    EXPECT_EQ(count("SELECT count(*) FROM LCX_LoftLibPointDist WHERE Yards=0"), 5);
}

using Results = RaceClub;
RACE_ENGINES(Results);

TEST_P(Results, PositionsSummaryAndStatus) {
    loft("L1", "Ann");
    loft("L2", "Bob");
    pigeon("L1", "BE-14-0001");
    pigeon("L1", "BE-14-0002");
    pigeon("L2", "BE-14-0003");
    pigeon("L2", "BE-14-0004");
    entry("AB12", kAug19, "BE-14-0001", "2014/08/19 10:00:00", 1300.0, "CLK1");
    entry("AB12", kAug19, "BE-14-0002", "2014/08/19 10:01:00", 0.0, "CLK1");
    entry("AB12", kAug19, "BE-14-0003", "2014/08/19 09:00:00", 1500.0, "CLK2");
    entry("AB12", kAug19, "BE-14-0004", "2014/08/19 10:00:00", 1300.0, "CLK2");
    entry("AB12", kAug19, "XX-99-0001", "2014/08/19 10:30:00", 1200.0);  // not in the register
    entry("AB12", kAug19, "XX-99-0002");                                  // not arrived
    entry("AB12", kAug19, "XX-99-0003");
    entry("AB12", QDate(2015, 8, 19), "BE-14-0001", "2015/08/19 10:00:00", 9999.0);  // another year

    const RaceResult r = LoadRaceResult(*dm, "AB12", kAug19);
    ASSERT_EQ(r.rows.size(), 5);
    QStringList rings;
    QList<int> positions;
    for (const ResultRow& row : r.rows) {
        rings << row.entry.pRingNo;
        positions << row.pos;
    }
    EXPECT_EQ(rings, QStringList({"BE-14-0003", "BE-14-0001", "BE-14-0004", "XX-99-0001", "BE-14-0002"}));
    EXPECT_EQ(positions, QList<int>({1, 2, 2, 4, 5}));
    EXPECT_EQ(r.rows[0].entry.loftName, "Bob");
    EXPECT_EQ(PigeonText(r.rows[0].entry), "BE 2014 A 0003");
    EXPECT_EQ(PigeonText(r.rows[3].entry), "XX-99-0001");
    // Ann, Bob and the unregistered pigeons as one member.
    EXPECT_EQ(SummaryLine(r), "3 Members sent 7 birds of which 5 were clocked");

    const QList<StatusLine> status = selectRaceStatus(*dm, "AB12", kAug19);
    ASSERT_EQ(status.size(), 3);
    EXPECT_EQ(status[0].loftNo, "");   // unregistered entries: one line, nothing marked
    EXPECT_EQ(status[0].markedCnt, 0);
    EXPECT_EQ(status[0].arriveCnt, 1);
    EXPECT_EQ(status[1].loftName, "Ann");
    EXPECT_EQ(status[1].clockId, "CLK1");
    EXPECT_EQ(status[1].markedCnt, 2);
    EXPECT_EQ(status[1].arriveCnt, 2);
}

TEST_P(Results, RecalculationOneMinuteLaterLeavesTheRaceAlone) {
    loft("L1", "Ann");
    loft("L2", "Bob");   // no distance row: Dist 0, speed 0
    pigeon("L1", "R1");
    pigeon("L2", "R2");
    distance("AB12", "L1", 320, 320000);
    race("C01", "AB12", kAug19, QTime(6, 30));
    entry("AB12", kAug19, "R1", "2014/08/19 10:14:12.750", {}, "CLK", 3);
    entry("AB12", kAug19, "R2", "2014/08/19 10:14:12");
    entry("AB12", kAug19, "R3", "not a time");

    RecalculationReport rep = RecalculateRace(*dm, "AB12", kAug19, QDateTime(kAug19, QTime(6, 30)));
    EXPECT_EQ(rep.entries, 2);
    auto field = [&](const char* ring, const char* col) {
        return dm->scalar(QString("SELECT %1 FROM LCX_PigRaceData WHERE PRingNo=?").arg(col), {ring});
    };
    EXPECT_EQ(field("R1", "FlyTime").toString(), "3:44:9");   // truncation: 13452 - 3
    EXPECT_DOUBLE_EQ(field("R1", "FlySpeed").toDouble(), 1427.615);
    EXPECT_EQ(field("R1", "Dist").toInt(), 320000);
    EXPECT_EQ(field("R2", "FlyTime").toString(), "3:44:12");
    EXPECT_EQ(field("R2", "FlySpeed").toDouble(), 0.0);
    EXPECT_EQ(field("R2", "Dist").toInt(), 0);

    rep = RecalculateRace(*dm, "AB12", kAug19, QDateTime(kAug19, QTime(6, 31)));
    EXPECT_EQ(field("R1", "FlyTime").toString(), SecondsToFlyTime(13449 - 60));
    EXPECT_EQ(findRace(*dm, "AB12", kAug19)->liberTime, QTime(6, 30));

    // After a recalculation the list holds only entries whose loft has a distance row.
    EXPECT_EQ(LoadRaceResult(*dm, "AB12", kAug19, true).rows.size(), 1);
}

using OtherClock = RaceClub;
RACE_ENGINES(OtherClock);

TEST_P(OtherClock, DeviationCheckTimesAndUpdateNotDuplicate) {
    loft("L1", "Ann");
    pigeon("L1", "R1");
    distance("AB12", "L1", 320, 320000);
    race("C01", "AB12", kAug19, QTime(6, 30));

    OtherClockInput in;
    in.clubId = "C01";
    in.liberCode = "AB12";
    in.liberDate = kAug19;
    in.loftNo = "L1";
    in.pRingNo = "R1";
    in.markedSet = QDateTime(QDate(2014, 8, 18), QTime(19, 0));
    in.masterCheck = QDateTime(kAug19, QTime(20, 0, 0));
    in.memberCheck = QDateTime(kAug19, QTime(20, 0, 7));
    in.arrivalDate = kAug19;
    in.arrivalTime = QTime(10, 14, 12);

    OtherClockResult r = SaveOtherClockArrival(*dm, in);
    EXPECT_EQ(r.deviation, 7);
    EXPECT_EQ(r.seconds, 13452 - 7);
    EXPECT_EQ(r.backTime, "2014/08/19 10:14:12");
    EXPECT_EQ(r.dist, 320000);

    in.memberCheck = QDateTime(kAug19, QTime(19, 59, 53));   // member's clock slow
    in.arrivalTime = QTime(10, 14, 13);
    r = SaveOtherClockArrival(*dm, in);
    EXPECT_EQ(r.deviation, -7);
    EXPECT_EQ(r.seconds, 13453 + 7);
    EXPECT_EQ(count("SELECT count(*) FROM LCX_PigRaceData"), 1);
    EXPECT_EQ(count("SELECT count(*) FROM LCX_RaceClockTime"), 1);
    EXPECT_EQ(entryBackTime(*dm, "AB12", kAug19, "R1").value_or(""), "2014/08/19 10:14:13");
    EXPECT_EQ(dm->scalar("SELECT FlyTime FROM LCX_PigRaceData").toString(), SecondsToFlyTime(13460));
    const auto times = findClockTime(*dm, "AB12", kAug19, "L1");
    ASSERT_TRUE(times);
    EXPECT_EQ(times->dlMarkedTime, in.markedSet);
    EXPECT_EQ(times->ulClockTime, in.memberCheck);

    const QList<RingArrival> list = selectLoftArrivals(*dm, "L1", "AB12", kAug19);
    ASSERT_EQ(list.size(), 1);
    EXPECT_EQ(list[0].backTime, "2014/08/19 10:14:13");

    // A ring typed in that is in no register is still written, with the member's distance.
    in.pRingNo = "NEW-1";
    SaveOtherClockArrival(*dm, in);
    EXPECT_EQ(dm->scalar("SELECT Dist FROM LCX_PigRaceData WHERE PRingNo='NEW-1'").toInt(), 320000);
}

using SunTable = RaceClub;
RACE_ENGINES(SunTable);

TEST_P(SunTable, SaveLoadAndRefuseBadCells) {
    QVector<SunCells> rows = {{"2014-08-19", "Orleans", "21:00:00", "06:00:00"},
                              {"", "ignored", "", ""},
                              {"14-08-20", "Orleans", "20:58:00", "05:30"}};
    EXPECT_EQ(SaveSunCells(*dm, "AB120819", rows), "");
    const QList<SunTableRow> stored = selectSunRows(*dm, "AB120819", true);
    ASSERT_EQ(stored.size(), 2);
    EXPECT_EQ(stored[1].raceDate, QDate(2014, 8, 20));
    EXPECT_EQ(stored[1].sunRise, QTime(5, 30));
    const QVector<SunCells> cells = LoadSunCells(*dm, "AB120819");
    ASSERT_EQ(cells.size(), 2);
    EXPECT_EQ(cells[0].date, "14-08-19");
    EXPECT_EQ(cells[0].sunSet, "21:00:00");

    // A bad cell changes nothing: the stored rows stay.
    rows[0].sunSet = "9 pm";
    EXPECT_FALSE(SaveSunCells(*dm, "AB120819", rows).isEmpty());
    EXPECT_EQ(selectSunRows(*dm, "AB120819", true).size(), 2);

    // Saved rows count in the night rule of the race's flying times.
    const QVector<SunRow> sun = SunRowsOf(*dm, "AB120819");
    EXPECT_EQ(FlyingSeconds(0, QDateTime(QDate(2014, 8, 19), QTime(14, 0), Qt::UTC),
                            QDateTime(QDate(2014, 8, 20), QTime(7, 0), Qt::UTC), sun, Rounding::Truncate),
              30600);
}

}  // namespace
