// Page rules of the clock-operation window that the race night does not pass through.

#include "race_night.h"

#include "clock_values.h"
#include "marking_page.h"
#include "matching_page.h"
#include "module_state.h"
#include "sms_page.h"

#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>

using namespace clockops;

TEST_F(RaceNight, MissingPortIsReportedOnceAndTheListsAreStillFilled)
{
    SetPortOverride(ModuleKind::Reader, club->root() + "/no-such-port");
    window->selectPage(TfrmClockOP_UTC::Matching);
    EXPECT_EQ(club->prompter().messages(),
              QStringList{"Com Port not be actived , Pls Connect Rs232 Cable and restart !"});
    EXPECT_EQ(Modules().ReaderPort, 0);
    EXPECT_EQ(combo("cbbLoftNo")->count(), 2);
    // The SMS page needs no device and says nothing.
    club->prompter().clear();
    window->selectPage(TfrmClockOP_UTC::SmsDownload);
    EXPECT_TRUE(club->prompter().shown().isEmpty());
}

TEST_F(RaceNight, PageChangeSwapsTheModuleAndTheModuleOutlivesTheWindow)
{
    window->selectPage(TfrmClockOP_UTC::Marking);
    EXPECT_NE(Modules().ReaderPort, 0);
    window->selectPage(TfrmClockOP_UTC::CreateTimerRace);
    EXPECT_EQ(Modules().ReaderPort, 0);
    EXPECT_NE(Modules().ClockPort, 0);
    window.reset(); // closing the window keeps the clock module and its port
    EXPECT_NE(Modules().ClockPort, 0);
    window = std::make_unique<TfrmClockOP_UTC>(club->context());
    window->selectPage(TfrmClockOP_UTC::SmsDownload);
    EXPECT_EQ(Modules().ClockPort, 0);
    EXPECT_EQ(Modules().ReaderPort, 0);
}

TEST_F(RaceNight, MovingARingToAMissingPigeonKeepsItOnItsPigeon)
{
    tieAllRings();
    window->selectPage(TfrmClockOP_UTC::Matching);
    choose("cbbLoftNo", "Bert Maes");
    window->matchingPage()->cbbLoftNoClick();
    choose("cbbPRingNo", "BE-25-9999"); // no such pigeon in this loft
    window->matchingPage()->cbbPRingNoChosen();
    putRing(uid(3), eRing(3));
    club->prompter().answerYes();
    window->matchingPage()->MatchTimer1Timer();
    EXPECT_EQ(club->prompter().errors(), QStringList{"Ring association number error !"});
    EXPECT_EQ(value("SELECT UID FROM LCX_PigData WHERE PRingNo = ?", {ring(3)}).toString(), uid(3));
    EXPECT_FALSE(window->matchingPage()->timer()->isActive());
}

TEST_F(RaceNight, MatchingRefusesRingsSignedForOtherUidsAndHandlesARingOnce)
{
    window->selectPage(TfrmClockOP_UTC::Matching);
    choose("cbbLoftNo", "Ann Peeters");
    window->matchingPage()->cbbLoftNoClick();
    choose("cbbPRingNo", ring(0));
    window->matchingPage()->cbbPRingNoChosen();
    putRing(uid(0), "0A1B2C3D", "7F", "unsigned");
    window->matchingPage()->MatchTimer1Timer();
    EXPECT_EQ(club->prompter().last(), "Unauthorized eRing !");
    EXPECT_TRUE(value("SELECT E_Ring FROM LCX_PigData WHERE PRingNo = ?", {ring(0)}).toString().isEmpty());

    putRing(uid(0), "0A1B2C3D", "7F");
    window->matchingPage()->cbbPRingNoChosen();
    window->matchingPage()->MatchTimer1Timer();
    EXPECT_EQ(value("SELECT E_Ring FROM LCX_PigData WHERE PRingNo = ?", {ring(0)}).toString(), "0A1B2C3D");
    EXPECT_EQ(value("SELECT RandomCode FROM LCX_PigData WHERE PRingNo = ?", {ring(0)}).toInt(), 127);
    // Held again right away: nothing but the radio reset.
    club->prompter().clear();
    window->matchingPage()->cbbPRingNoChosen();
    window->matchingPage()->MatchTimer1Timer();
    EXPECT_TRUE(club->prompter().shown().isEmpty());
}

TEST_F(RaceNight, MarkingUnknownRingsWeakRingsAndMarkingAgain)
{
    tieAllRings();
    window->selectPage(TfrmClockOP_UTC::Marking);
    choose("cbbRaceCode", "AB12  08/19");
    window->markingPage()->cbbRaceCodeClick();
    // A ring that was never matched: said once.
    putRing("E0040177", "0A1B2C77");
    window->markingPage()->MarkTimer1Timer();
    window->markingPage()->MarkTimer1Timer();
    EXPECT_EQ(club->prompter().messages(), QStringList{"UID Not Match Error !  !"});
    // A weak ring accepts the write but keeps its old code: nothing is stored.
    putRing(uid(2), eRing(2));
    control(*reader, "ring", {"weak", uid(2).toStdString()});
    window->markingPage()->MarkTimer1Timer();
    EXPECT_EQ(value("SELECT COUNT(*) FROM LCX_PigRaceData").toInt(), 0);
    // A good ring, then another, then the first again: one entry with the newest code.
    putRing(uid(2), eRing(2));
    window->markingPage()->MarkTimer1Timer();
    putRing(uid(3), eRing(3));
    window->markingPage()->MarkTimer1Timer();
    putRing(uid(2), eRing(2));
    window->markingPage()->MarkTimer1Timer();
    EXPECT_EQ(value("SELECT COUNT(*) FROM LCX_PigRaceData WHERE PRingNo = ?", {ring(2)}).toInt(), 1);
    const std::string page5 = control(*reader, "ring", {"list"});
    EXPECT_EQ(value("SELECT COUNT(*) FROM LCX_PigRaceData").toInt(), 2);
    // The code in the ring is the code of the entry.
    const int stored = value("SELECT RandomCode FROM LCX_PigRaceData WHERE PRingNo = ?", {ring(2)}).toInt();
    EXPECT_NE(page5.find(eRing(2).toStdString() + QStringLiteral("%1").arg(stored, 2, 16, QLatin1Char('0')).toUpper().toStdString()),
              std::string::npos)
        << page5;
    EXPECT_TRUE(window->markingPage()->timer()->isActive());
}

TEST_F(RaceNight, SmsCancelledFileStillOffersTheOthers)
{
    tieAllRings();
    enter(2, 1);
    enter(3, 2);
    window->selectPage(TfrmClockOP_UTC::SmsDownload);
    const QString rings = club->root() + "/RING.txt";
    club->prompter().answerFile(QString()).answerFile(rings).answerFile(QString());
    choose("cbbRaceCodeSMSV6", "AB12 / 0819");
    window->smsPage()->cbbRaceCodeSMSV6Click();
    EXPECT_EQ(club->prompter().unusedAnswers(), 0);
    EXPECT_FALSE(QFile::exists(club->root() + "/COTE.txt"));
    QFile f(rings);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = f.readAll().split('\n');
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].startsWith("01002     Bert Maes                     BE-25-1002          0A1B2C02E0040102      "));
}

// At the main window's page size the Matching grid shows every column title in full
// ("Association Number", "eRing Assigment") and needs no sideways scrolling.
TEST_F(RaceNight, MatchingGridTitlesAreReadable)
{
    window->resize(1100, 660);
    window->show();
    window->selectPage(TfrmClockOP_UTC::Matching);
    choose("cbbLoftNo", "Bert Maes");
    window->matchingPage()->cbbLoftNoClick();
    QApplication::processEvents();
    auto *grid = window->findChild<QTableView *>("dbgrdMatching");
    ASSERT_NE(grid, nullptr);
    EXPECT_GT(grid->model()->rowCount(), 0);
    EXPECT_EQ(grid->horizontalScrollBar()->maximum(), 0);
    QHeaderView *header = grid->horizontalHeader();
    for (int c = 0; c < header->count(); ++c)
        EXPECT_GE(header->sectionSize(c), header->sectionSizeHint(c)) << c;
}
