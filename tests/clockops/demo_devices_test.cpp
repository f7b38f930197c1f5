// The demo devices: rings put on the emulated reader from the control window reach the
// Matching page, and arrivals registered there come back through the read-out.

#include "race_night.h"

#include "demo_devices.h"
#include "matching_page.h"

#include <QPushButton>

using namespace clockops;

TEST_F(RaceNight, DemoDevicesDriveMatchingAndArrivals)
{
    DemoDevices demo(kSysId);
    demo.clock("devno", {kDevNo});
    TfrmDemoDevices control(demo, club->dm());
    window->selectPage(TfrmClockOP_UTC::Matching);
    ASSERT_TRUE(club->prompter().messages().isEmpty());
    EXPECT_EQ(Modules().reader->PortName, demo.readerPort());

    // The first demo ring (pigeon BE-25-1000 has none yet) goes on the reader.
    choose("cbbLoftNo", "Ann Peeters");
    window->matchingPage()->cbbLoftNoClick();
    choose("cbbPRingNo", ring(0));
    window->matchingPage()->cbbPRingNoChosen();
    control.findChild<QPushButton *>("btnDemoPutRing")->click();
    window->matchingPage()->MatchTimer1Timer();
    EXPECT_EQ(value("SELECT UID FROM LCX_PigData WHERE PRingNo = ?", {ring(0)}).toString(), "E0040001");
    EXPECT_EQ(value("SELECT E_Ring FROM LCX_PigData WHERE PRingNo = ?", {ring(0)}).toString(), "D0000001");

    control.findChild<QPushButton *>("btnDemoForeignRing")->click();
    window->matchingPage()->cbbPRingNoChosen();
    window->matchingPage()->MatchTimer1Timer();
    EXPECT_EQ(club->prompter().last(), "Unauthorized eRing !");

    // Ann's pigeon is marked and the race loaded into her clock; then it arrives.
    enter(0, 0x22);
    window->selectPage(TfrmClockOP_UTC::CreateTimerRace);
    choose("cbbRaceCode_DLR", "AB12 / 0819");
    QMetaObject::invokeMethod(window->findChild<QWidget *>("tsCrtTimerRace"), "cbbRaceCode_DLRClick");
    choose("CbbLoftNo_DLR", "Ann Peeters");
    QMetaObject::invokeMethod(window->findChild<QWidget *>("tsCrtTimerRace"), "CbbLoftNo_DLRClick");
    ASSERT_TRUE(club->prompter().errors().isEmpty()) << club->prompter().errors().join('|').toStdString();
    control.refresh();
    control.findChild<QPushButton *>("btnDemoArrive")->click();
    EXPECT_EQ(demo.clock("status", {}), "race=AB120819 state=3 records=1 tags=1");
    readBack();
    EXPECT_TRUE(club->prompter().errors().isEmpty()) << club->prompter().errors().join('|').toStdString();
    EXPECT_FALSE(value("SELECT BackTime FROM LCX_PigRaceData WHERE PRingNo = ?", {ring(0)}).isNull());
}
