// Loading and reading a clock: the cases around the race night's main path.

#include "race_night.h"

#include <QLabel>
#include <QTimer>

class ClockPages : public RaceNight {
protected:
    void SetUp() override
    {
        RaceNight::SetUp();
        if (IsSkipped())
            return;
        tieAllRings();
        for (int i = 2; i < 6; ++i)
            enter(i, 0x40 + i);
    }
    QString field(const char *column, int pigeon)
    {
        return value(QString("SELECT %1 FROM LCX_PigRaceData WHERE PRingNo = ?").arg(column), {ring(pigeon)}).toString();
    }
};

TEST_F(ClockPages, TrainingForALoftWithoutRingsStillStartsTheFlight)
{
    club->dm().exec("UPDATE LCX_PigData SET E_Ring = '' WHERE LoftNo = '01001'");
    window->selectPage(TfrmClockOP_UTC::CreateTimerTrain);
    choose("cbbLoftNo_DLT", "Ann Peeters");
    QMetaObject::invokeMethod(window->findChild<QWidget *>("tsCrtTimerTrain"), "cbbLoftNo_DLTClick");
    EXPECT_TRUE(club->prompter().shown().isEmpty()) << club->prompter().last().toStdString();
    EXPECT_EQ(control(*clock, "status", {}), "race=F0000001 state=3 records=0 tags=0");
    EXPECT_EQ(value("SELECT COUNT(*) FROM LCX_LoftClocks WHERE LoftNo = '01001' AND ClockID = ?", {kDevNo}).toInt(), 1);
    // Loading again updates the clock's row instead of adding one.
    QMetaObject::invokeMethod(window->findChild<QWidget *>("tsCrtTimerTrain"), "cbbLoftNo_DLTClick");
    EXPECT_EQ(value("SELECT COUNT(*) FROM LCX_LoftClocks").toInt(), 1);
}

TEST_F(ClockPages, UnknownMemberOnTheTrainingPageDoesNothing)
{
    window->selectPage(TfrmClockOP_UTC::CreateTimerTrain);
    choose("cbbLoftNo_DLT", "Nobody");
    QMetaObject::invokeMethod(window->findChild<QWidget *>("tsCrtTimerTrain"), "cbbLoftNo_DLTClick");
    EXPECT_TRUE(club->prompter().shown().isEmpty());
    EXPECT_EQ(control(*clock, "status", {}), "race=none state=0 records=0 tags=0");
}

TEST_F(ClockPages, ArrivalsAreCheckedAndTheLaterRecordOfAPigeonStays)
{
    loadBert();
    ASSERT_TRUE(club->prompter().errors().isEmpty()) << club->prompter().errors().join('|').toStdString();
    arrive(2, "2026-08-19T09:00:00", 0x42);
    arrive(2, "2026-08-19T09:30:00", 0x42); // the same pigeon again
    control(*clock, "arrive", {eRing(3).toStdString(), "2026-08-19T09:10:00", "67", "DEADBEEF"}); // 0x43, unknown chip
    arrive(4, "2026-08-19T09:20:00", 0x44);
    // The ring identity of pigeon 4 changed in the register since the load: its record
    // must not be given to anybody.
    club->dm().exec("UPDATE LCX_PigData SET E_Ring = 'FFFFFFFF' WHERE PRingNo = ?", {ring(4)});
    club->prompter().clear();
    readBack();
    EXPECT_EQ(club->prompter().messages(),
              QStringList({"UID Not Match  !!", "PRingNo not found in this race (" + eRing(4) + ")!!"}));
    EXPECT_EQ(field("BackTime", 2), "2026/08/19 09:30:00.000");
    EXPECT_TRUE(field("BackTime", 3).isEmpty());
    EXPECT_EQ(field("UID_Real", 3), "DEADBEEF");
    EXPECT_EQ(field("RealRandom", 3), "43");
    EXPECT_TRUE(field("RealRandom", 4).isEmpty());
    EXPECT_EQ(window->findChild<QLabel *>("lblTimerRseultSum")->text(), "1 Members sent 4 birds of which 1 were clocked");
}

TEST_F(ClockPages, ClockWithoutArrivalsSaysSoAndStillShowsTheList)
{
    loadBert();
    const int before = reports.size();
    club->prompter().clear();
    readBack();
    EXPECT_EQ(club->prompter().messages(), QStringList{"Clock no record be uploaded   ! "});
    EXPECT_TRUE(club->prompter().errors().isEmpty());
    EXPECT_EQ(reports.size(), before + 1);
    EXPECT_EQ(value("SELECT COUNT(*) FROM LCX_PigRaceData WHERE RealRandom IS NOT NULL").toInt(), 0);
    EXPECT_FALSE(window->findChild<QTimer *>("ClockUPLTimer1")->isActive());
}
