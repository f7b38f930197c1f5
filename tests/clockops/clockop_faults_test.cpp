// What the clock pages do when the clock misbehaves: the described message, nothing
// half-written, no wait beyond the link time-outs, and a window that still works.

#include "race_night.h"

#include <QElapsedTimer>
#include <QTimer>

#include <thread>

class ClockFaults : public RaceNight {
protected:
    void SetUp() override
    {
        RaceNight::SetUp();
        tieAllRings();
        for (int i = 2; i < 8; ++i)
            enter(i, 0x30 + i);
    }
    int results() { return value("SELECT COUNT(*) FROM LCX_PigRaceData WHERE BackTime IS NOT NULL").toInt(); }
    int written() { return value("SELECT COUNT(*) FROM LCX_PigRaceData WHERE RealRandom IS NOT NULL").toInt(); }
};

TEST_F(ClockFaults, ClockOfAnotherClubIsRefusedBeforeAnythingIsSent)
{
    control(*clock, "identity", {"99999999"});
    loadBert();
    EXPECT_EQ(club->prompter().errors(), QStringList{"IFD_Connect NOT OK !"});
    EXPECT_EQ(control(*clock, "status", {}), "race=none state=0 records=0 tags=0");
    EXPECT_EQ(value("SELECT COUNT(*) FROM LCX_RaceClockTime").toInt(), 0);
    EXPECT_EQ(value("SELECT COUNT(*) FROM LCX_LoftClocks").toInt(), 0);
}

TEST_F(ClockFaults, ClockLoadedForAnotherRaceIsNotRead)
{
    club->dm().insertRow("LCX_RaceData", {{"ClubID", "C01"}, {"LiberCode", "CD34"}, {"LiberSite", "Tours"},
                                         {"LiberDate", QDate(2026, 8, 26)}, {"LiberTime", QTime(7, 0)},
                                         {"RaceCode", "CD340826"}});
    loadBert();
    arrive(2, "2026-08-19T10:00:00", 0x32);
    club->prompter().clear();
    readBack("CD34 / 0826");
    EXPECT_EQ(club->prompter().messages(), QStringList{"RaceNo not Match  !"});
    EXPECT_FALSE(window->findChild<QTimer *>("ClockUPLTimer1")->isActive());
    EXPECT_EQ(written(), 0);
    EXPECT_EQ(control(*clock, "status", {}), "race=AB120819 state=3 records=1 tags=6"); // not closed
}

TEST_F(ClockFaults, ClockUnpluggedDuringReadOutWritesNothingAndEndsWithinTheTimeOuts)
{
    loadBert();
    for (int i = 2; i < 8; ++i)
        arrive(i, "2026-08-19T10:00:00", 0x30 + i);
    // Unplug the clock once the read-out is at its records.
    const uint64_t base = clock->requests();
    std::thread unplug([&] {
        clock->wait_requests(base + 7, 10000);
        clock->arm({devsim::Fault::NoAnswer, -1, -1});
    });
    QElapsedTimer elapsed;
    elapsed.start();
    club->prompter().clear();
    readBack();
    unplug.join();
    EXPECT_LT(elapsed.elapsed(), 9000); // two exchanges of 2 s time-out, not one per record
    ASSERT_EQ(club->prompter().errors().size(), 1);
    EXPECT_EQ(written(), 0);
    EXPECT_EQ(value("SELECT COUNT(*) FROM LCX_RaceClockTime WHERE ULMasterTime IS NOT NULL").toInt(), 0);

    // Plugged in again: the next page visit reads the clock completely.
    clock->clear_faults();
    club->prompter().clear();
    readBack();
    EXPECT_TRUE(club->prompter().errors().isEmpty()) << club->prompter().errors().join('|').toStdString();
    EXPECT_EQ(results(), 6);
}

TEST_F(ClockFaults, DamagedAnswersEndTheStepWithItsMessage)
{
    struct Case {
        devsim::Fault fault;
        int arg;
    } cases[] = {{devsim::Fault::CutOff, -1}, {devsim::Fault::Garbage, 40}, {devsim::Fault::BadCrc, -1}};
    loadBert();
    arrive(2, "2026-08-19T10:00:00", 0x32);
    for (const Case &c : cases) {
        clock->arm({c.fault, c.arg, -1});
        club->prompter().clear();
        readBack();
        EXPECT_FALSE(club->prompter().errors().isEmpty()) << devsim::fault_name(c.fault);
        EXPECT_EQ(written(), 0) << devsim::fault_name(c.fault);
        clock->clear_faults();
    }
    club->prompter().clear();
    readBack();
    EXPECT_TRUE(club->prompter().errors().isEmpty()) << club->prompter().errors().join('|').toStdString();
    EXPECT_EQ(results(), 1);
}
