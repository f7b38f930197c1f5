// Renders the Races page and the clock-operation window, panel by panel, to PNG files so
// that someone can look at them: the Races page on the demo club, the clock pages through
// a race night against the emulated reader and clock. Output: $CLUB_SCREENS_DIR
// (default /tmp/club-screens). Run: club_screens (offscreen unless QT_QPA_PLATFORM says otherwise).
#include "demo_club.h"
#include "race_night.h"

#include "frm_race.h"
#include "load_pages.h"
#include "marking_page.h"
#include "matching_page.h"
#include "sms_page.h"
#include "sun_table_dialog.h"
#include "upload_page.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QVBoxLayout>

namespace {

QString outDir()
{
    QString d = qEnvironmentVariable("CLUB_SCREENS_DIR", "/tmp/club-screens");
    QDir().mkpath(d);
    return d;
}

void save(QWidget *w, const QString &name)
{
    QApplication::processEvents();
    const QString path = outDir() + "/" + name + ".png";
    EXPECT_TRUE(w->grab().save(path)) << path.toStdString();
}

// The page area of the main window (1100x720 less its tool bar).
constexpr int kW = 1100, kH = 660;

} // namespace

TEST(Screens, RacesPage)
{
    TempClub club;
    ASSERT_TRUE(club.ok());
    fillDemoClub(club.dm());
    // Docked as in the main window: a host of the page area's size holds the page.
    QWidget host;
    auto *hostLayout = new QVBoxLayout(&host);
    hostLayout->setContentsMargins(0, 0, 0, 0);
    auto *pagePtr = new TfrmRace(club.context());
    TfrmRace &page = *pagePtr;
    hostLayout->addWidget(pagePtr);
    page.setReportViewer([](const club::reports::TReportForm &, QWidget *) {});
    host.resize(kW, kH);
    host.show();
    save(&page, "race-01-list");

    QTableView *grid = page.raceGrid().view;
    grid->setCurrentIndex(grid->model()->index(0, 0));
    page.runAction(0);
    save(&page, "race-02-selected");

    QTest::mouseClick(page.findChild<QCheckBox *>("chkLibPoint"), Qt::LeftButton);
    save(&page, "race-03-customized");

    const QRect cell = grid->visualRect(grid->model()->index(0, 1));
    QTest::mouseRelease(grid->viewport(), Qt::RightButton, {}, cell.center());
    save(&page, "race-04-actions");
    page.findChild<QListWidget *>("rgRacePoint")->hide();

    page.findChild<QGroupBox *>("grpClubMap")->show();
    save(&page, "race-05-clubgroup");
    page.findChild<QGroupBox *>("grpClubMap")->hide();

    const struct { int action; const char *name; } panels[] = {
        {3, "race-06-distance"}, {4, "race-07-status"}, {5, "race-08-result"}, {7, "race-10-otherclock"}};
    for (const auto &p : panels) {
        grid->setCurrentIndex(grid->model()->index(0, 0));
        page.runAction(p.action);
        std::printf("%s: min %dx%d size %dx%d\n", p.name, page.minimumSizeHint().width(), page.minimumSizeHint().height(), page.width(), page.height());
        save(&page, p.name);
        if (auto *members = page.findChild<QComboBox *>("cbbLoftNo_OtherClock"); members && p.action == 7)
            std::printf("other clock members: %d\n", members->count());
        if (p.action == 5) {
            if (auto *rec = page.findChild<QGroupBox *>("grpRecaculate")) {
                for (QPushButton *b : page.findChildren<QPushButton *>())
                    if (b->text() == "Fly Speed Recaculate") b->click();
                save(&page, "race-09-recalculate");
                rec->hide();
            }
        }
        for (QPushButton *ok : page.findChildren<QPushButton *>())
            if (ok->text() == "OK" && ok->isVisible()) { ok->click(); break; }
    }
    page.hide();
    page.show();
    grid->setCurrentIndex(grid->model()->index(0, 0));
    if (QPushButton *sun = page.findChild<QPushButton *>("btnSunData")) {
        sun->click();
        save(&page, "race-11-sun-on-page");
        if (page.sunTable()) save(page.sunTable(), "race-11-sun");
    }
    // The other grids of the demo: the second race's result.
    grid->setCurrentIndex(grid->model()->index(1, 0));
    page.runAction(5);
    save(&page, "race-12-result2");
    for (const QString &m : club.prompter().messages()) std::printf("race msg: %s\n", qPrintable(m));
    for (const QString &m : club.prompter().errors()) std::printf("race err: %s\n", qPrintable(m));
}

class ClockScreens : public RaceNight {};

TEST_F(ClockScreens, ClockOperationWindow)
{
    window->resize(kW, kH);
    window->show();
    save(window.get(), "clock-00-start");
    window->selectPage(TfrmClockOP_UTC::Matching);
    save(window.get(), "clock-01-matching");
    choose("cbbLoftNo", "Bert Maes");
    window->matchingPage()->cbbLoftNoClick();
    choose("cbbPRingNo", ring(2));
    window->matchingPage()->cbbPRingNoChosen();
    putRing(uid(2), eRing(2), "7F");
    window->matchingPage()->MatchTimer1Timer();
    save(window.get(), "clock-02-matching-done");
    tieAllRings();

    window->selectPage(TfrmClockOP_UTC::Marking);
    choose("cbbRaceCode", "AB12  08/19");
    window->markingPage()->cbbRaceCodeClick();
    for (int i = 0; i < 20; ++i) {
        putRing(uid(i), eRing(i));
        window->markingPage()->MarkTimer1Timer();
    }
    noRing();
    save(window.get(), "clock-03-marking");

    window->selectPage(TfrmClockOP_UTC::CreateTimerRace);
    save(window.get(), "clock-04-racedl-empty");
    choose("cbbRaceCode_DLR", "AB12 / 0819");
    window->racePage()->cbbRaceCode_DLRClick();
    choose("CbbLoftNo_DLR", "Bert Maes");
    window->racePage()->CbbLoftNo_DLRClick();
    save(window.get(), "clock-05-racedl-loaded");

    auto code = [&](int i) { return value("SELECT RandomCode FROM LCX_PigRaceData WHERE PRingNo = ?", {ring(i)}).toInt(); };
    arrive(2, "2026-08-19T10:14:12.250", code(2));
    arrive(4, "2026-08-19T10:30:00", code(4));
    arrive(6, "2026-08-19T10:31:00", code(6));
    window->selectPage(TfrmClockOP_UTC::UploadTimerResult);
    save(window.get(), "clock-06-upload-empty");
    choose("cbbTimer_UPL", "AB12 / 0819");
    window->uploadPage()->cbbTimer_UPLClick();
    window->uploadPage()->ClockUPLTimer1Timer();
    save(window.get(), "clock-07-upload-read");

    window->selectPage(TfrmClockOP_UTC::CreateTimerTrain);
    choose("cbbLoftNo_DLT", "Ann Peeters");
    window->trainPage()->cbbLoftNo_DLTClick();
    save(window.get(), "clock-08-train");

    window->selectPage(TfrmClockOP_UTC::SmsDownload);
    save(window.get(), "clock-09-sms");
    for (const QString &m : club->prompter().messages()) std::printf("clock msg: %s\n", qPrintable(m));
    for (const QString &m : club->prompter().errors()) std::printf("clock err: %s\n", qPrintable(m));
}
