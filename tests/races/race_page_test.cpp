// The Races page on real widgets (offscreen) over a temporary club, with a scripted
// Prompter: what the secretary clicks and types, and what lands in the database.
#include "demo_club.h"
#include "distance_panel.h"
#include "frm_race.h"
#include "other_clock_panel.h"
#include "race_printouts.h"
#include "race_queries.h"
#include "result_panel.h"
#include "status_panel.h"
#include "sun_table_dialog.h"
#include "temp_club.h"

#include <QAction>
#include <QApplication>
#include <QScrollBar>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTimeEdit>

#include <gtest/gtest.h>

using namespace raceq;

using namespace club;

namespace {

const QDate kAug19(2014, 8, 19);

class RacePage : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(club.ok()) << club.error().toStdString();
        TfrmRace::sortText().clear();
        dm().insertRow("LCX_ClubMap", {{"ClubID", "C01"}, {"ClubName", "Our Club"}});
        dm().insertRow("LCX_ClubData", {{"ClubID", "C01"}, {"ClubName", "Our Club"}, {"Mode", 0}});
    }
    TdmLCXS& dm() { return club.dm(); }
    ScriptedPrompter& prompter() { return club.prompter(); }

    void openPage() {
        page = std::make_unique<TfrmRace>(club.context());
        page->resize(1100, 700);
        page->show();
        page->setReportViewer([this](const reports::TReportForm& r, QWidget*) { printed.append(r.document()); });
    }
    template <class T> T* find(const char* name) {
        T* w = page->findChild<T*>(QLatin1String(name));
        EXPECT_TRUE(w) << name;
        return w;
    }
    void click(const char* name) { QTest::mouseClick(find<QPushButton>(name), Qt::LeftButton); }
    void selectRaceRow(int row) {
        QTableView* grid = page->raceGrid().view;
        grid->setCurrentIndex(grid->model()->index(row, 0));
    }
    int count(const QString& sql) { return dm().scalar(sql).toInt(); }
    QWidget* visiblePanel() {
        for (const char* name : {"pnlRace", "pnlDistance", "pnlStatus", "pnlResult", "pnlOtherClock"})
            if (find<QWidget>(name)->isVisible()) return find<QWidget>(name);
        return nullptr;
    }
    void aRace() {
        dm().insertRow("LCX_RaceData", {{"ClubID", "C01"}, {"LiberCode", "AB12"}, {"LiberSite", "Orleans"},
                                        {"LiberSiteAbbr", "ORL"}, {"LiberDate", kAug19}, {"LiberTime", QTime(6, 30)},
                                        {"LiberLon", "E005'00:00"}, {"LiberLat", "N051'00:00"},
                                        {"RaceCode", "AB120819"}});
    }

    TempClub club;
    std::unique_ptr<TfrmRace> page;
    QList<reports::ReportDocument> printed;
};

TEST_F(RacePage, ShowingThePage) {
    dm().insertRow("LCX_LiberateSite", {{"LiberCode", "AB12"}, {"LiberSite", "Orleans"}});
    openPage();
    EXPECT_EQ(visiblePanel(), find<QWidget>("pnlRace"));
    EXPECT_FALSE(find<QListWidget>("rgRacePoint")->isVisible());
    EXPECT_FALSE(find<QGroupBox>("grpRecaculate")->isVisible());
    for (const char* name : {"edtlibSiteAbbriv", "edtLibCode", "medtRaceLon", "medtRaceLat"})
        EXPECT_FALSE(find<QWidget>(name)->isEnabled()) << name;
    EXPECT_EQ(find<QDateEdit>("dtpLibDate")->date(), QDate::currentDate());
    EXPECT_EQ(find<QComboBox>("combClub")->itemText(0), "Our Club");
    EXPECT_EQ(find<QComboBox>("combLibSite")->itemText(0), "Orleans");
    EXPECT_EQ(find<QLabel>("lblRacePoints")->text(), "Race Points");
}

// At the main window's page size every title of the race list is readable beside the
// detail group, without scrolling sideways.
TEST_F(RacePage, RaceListTitlesFitBesideTheDetailGroup) {
    aRace();
    openPage();
    QTableView* grid = page->raceGrid().view;
    QApplication::processEvents();
    EXPECT_EQ(grid->horizontalScrollBar()->maximum(), 0);
    QHeaderView* header = grid->horizontalHeader();
    for (int c = 0; c < header->count(); ++c)
        EXPECT_GE(header->sectionSize(c), header->sectionSizeHint(c)) << c;
}

TEST_F(RacePage, CustomizedPointSavedAsNewRaceAndSite) {
    dm().insertRow("LCX_LoftData", {{"LoftNo", "L1"}, {"LoftName", "Ann"}});
    openPage();
    QTest::mouseClick(find<QCheckBox>("chkLibPoint"), Qt::LeftButton);
    EXPECT_TRUE(find<QLineEdit>("edtLibCode")->isEnabled());
    EXPECT_EQ(page->focusWidget(), find<QLineEdit>("edtlibSiteAbbriv"));

    QTest::keyClicks(find<QLineEdit>("edtlibSiteAbbriv"), "orl");
    EXPECT_EQ(find<QLineEdit>("edtlibSiteAbbriv")->text(), "ORL");
    find<QComboBox>("combLibSite")->setEditText("Orleans");
    // A key other than 0-9 or A-F deletes the character before the cursor.
    QTest::keyClicks(find<QLineEdit>("edtLibCode"), "01A");
    QTest::keyClicks(find<QLineEdit>("edtLibCode"), "g");
    EXPECT_EQ(find<QLineEdit>("edtLibCode")->text(), "01");
    QTest::keyClicks(find<QLineEdit>("edtLibCode"), "AF");
    EXPECT_EQ(find<QLineEdit>("edtLibCode")->text(), "01AF");
    QTest::keyClicks(find<QLineEdit>("medtRaceLon"), "e0054730");
    EXPECT_EQ(find<QLineEdit>("medtRaceLon")->displayText(), "E005'47:30");
    find<QDateEdit>("dtpLibDate")->setDate(QDate(2026, 5, 3));
    find<QTimeEdit>("dtpLibTime")->setTime(QTime(7, 0, 0));
    click("btnSave");

    EXPECT_TRUE(prompter().shown().isEmpty()) << prompter().last().toStdString();
    auto race = findRace(dm(), "01AF", QDate(2026, 5, 3));
    ASSERT_TRUE(race);
    EXPECT_EQ(race->raceCode, "01AF0503");
    EXPECT_EQ(race->liberLon.toString(), "E005'47:30");
    EXPECT_TRUE(race->liberLat.isNull() || race->liberLat.toString().startsWith(' '));
    EXPECT_EQ(count("SELECT count(*) FROM LCX_LoftLibPointDist WHERE LiberCode='01AF'"), 1);
    EXPECT_FALSE(find<QCheckBox>("chkLibPoint")->isChecked());
    EXPECT_FALSE(find<QLineEdit>("edtLibCode")->isEnabled());
    EXPECT_EQ(page->raceGrid().model->rowCount(), 1);
    EXPECT_EQ(find<QComboBox>("combLibSite")->findText("Orleans"), 0);
}

TEST_F(RacePage, NewSiteWithoutDataIsRefused) {
    openPage();
    QTest::mouseClick(find<QCheckBox>("chkLibPoint"), Qt::LeftButton);
    QTest::keyClicks(find<QLineEdit>("edtLibCode"), "12");
    click("btnSave");
    EXPECT_EQ(prompter().messages(), QStringList{"Set new liberate point find data entry error !"});
    EXPECT_EQ(count("SELECT count(*) FROM LCX_RaceData"), 0);
    // "Cancel" disables the detail group, "AddNew" enables it with the code fields off.
    click("btnCancel");
    EXPECT_FALSE(find<QGroupBox>("grpDetail")->isEnabled());
    click("btnAddNew");
    EXPECT_TRUE(find<QGroupBox>("grpDetail")->isEnabled());
    EXPECT_FALSE(find<QLineEdit>("edtLibCode")->isEnabled());
    EXPECT_TRUE(find<QLineEdit>("edtLibCode")->text().isEmpty());
}

TEST_F(RacePage, ActionListPanelsAndDeletion) {
    aRace();
    openPage();
    QTableView* grid = page->raceGrid().view;
    const QRect cell = grid->visualRect(grid->model()->index(0, 1));
    QTest::mouseClick(grid->viewport(), Qt::RightButton, {}, cell.center());
    QListWidget* actions = find<QListWidget>("rgRacePoint");
    ASSERT_TRUE(actions->isVisible());
    EXPECT_EQ(actions->pos(), grid->viewport()->mapTo(find<QWidget>("pnlRace"), cell.center()) + QPoint(30, 10));
    EXPECT_EQ(actions->count(), 8);

    // A click on a race fills the detail group.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_FALSE(actions->isVisible());
    EXPECT_EQ(find<QLineEdit>("edtLibCode")->text(), "AB12");
    EXPECT_EQ(find<QComboBox>("combClub")->currentText(), "Our Club");
    EXPECT_EQ(find<QTimeEdit>("dtpLibTime")->time(), QTime(6, 30));

    page->runAction(2);   // a separator line does nothing
    EXPECT_EQ(visiblePanel(), find<QWidget>("pnlRace"));
    page->runAction(4);
    EXPECT_EQ(visiblePanel(), find<QWidget>("pnlStatus"));
    EXPECT_EQ(find<QLabel>("lblStatus")->text(), " Status for Orleans");
    click("btnStatusOK");
    EXPECT_EQ(visiblePanel(), find<QWidget>("pnlRace"));
    page->runAction(7);
    EXPECT_EQ(visiblePanel(), find<QWidget>("pnlOtherClock"));
    EXPECT_EQ(find<QLabel>("lblOtherClock")->text(), "Add/Edit Other Clock     AB12    ORL    2014/08/19");

    page = nullptr;
    openPage();
    selectRaceRow(0);
    prompter().answerNo();
    page->runAction(1);
    EXPECT_EQ(count("SELECT count(*) FROM LCX_RaceData"), 1);
    prompter().answerYes();
    page->runAction(1);
    EXPECT_EQ(prompter().questions().last(), "This will delete the data ?");
    EXPECT_EQ(count("SELECT count(*) FROM LCX_RaceData"), 0);
    EXPECT_EQ(page->raceGrid().model->rowCount(), 0);
}

TEST_F(RacePage, DistancePanelUpdateAndDigitEditing) {
    aRace();
    dm().insertRow("LCX_LoftData", {{"LoftNo", "L1"}, {"LoftName", "Ann"}, {"LoftLon", "E005'00:00.00"},
                                    {"LoftLat", "N051'00:36.00"}});
    dm().insertRow("LCX_LoftLibPointDist", {{"LiberCode", "AB12"}, {"LoftNo", "L1"}, {"Miles", 0}, {"Yards", 0}});
    openPage();
    selectRaceRow(0);
    page->runAction(3);
    EXPECT_EQ(visiblePanel(), find<QWidget>("pnlDistance"));
    EXPECT_EQ(find<QLabel>("lblDistance")->text(), "Members Distance of Orleans");
    RaceGrid& grid = page->distancePanel()->grid();
    EXPECT_EQ(grid.model->headerData(2, Qt::Horizontal).toString(), "KM");
    EXPECT_EQ(grid.model->headerData(3, Qt::Horizontal).toString(), "M");

    click("btnLoftDistUpdate");
    EXPECT_EQ(grid.model->item(0, 0)->text(), "Ann");
    EXPECT_EQ(grid.model->item(0, 3)->text(), "1,109");
    EXPECT_EQ(grid.model->item(0, 2)->text(), "1");

    // 1, 2 and a letter: the edit is dropped. 1, 2, 3 and Enter: the row is saved.
    grid.view->setFocus();
    grid.view->setCurrentIndex(grid.proxy->index(0, 3));
    QTest::keyClicks(grid.view, "12");
    EXPECT_EQ(grid.model->item(0, 3)->text(), "12");
    QTest::keyClicks(grid.view, "x");
    EXPECT_EQ(grid.model->item(0, 3)->text(), "1,109");
    EXPECT_EQ(distanceYards(dm(), "AB12", "L1").value_or(-1), 1109);
    QTest::keyClicks(grid.view, "123");
    QTest::keyClick(grid.view, Qt::Key_Return);
    EXPECT_EQ(distanceYards(dm(), "AB12", "L1").value_or(-1), 123);

    click("btnDistPrint");
    ASSERT_EQ(printed.size(), 1);
    click("btnDistOK");
    EXPECT_EQ(visiblePanel(), find<QWidget>("pnlRace"));
}

TEST_F(RacePage, ResultPanelExportPrintAndRecalculation) {
    aRace();
    dm().insertRow("LCX_LoftData", {{"LoftNo", "L1"}, {"LoftName", "Ann"}});
    dm().insertRow("LCX_PigData", {{"LoftNo", "L1"}, {"PRingNo", "0012345"}, {"RCountry", "BE"},
                                   {"RYear", "2014"}, {"RRegLetter", "A"}, {"RRegNumber", "12345"}});
    dm().insertRow("LCX_LoftLibPointDist", {{"LiberCode", "AB12"}, {"LoftNo", "L1"}, {"Miles", 320}, {"Yards", 320000}});
    dm().insertRow("LCX_PigRaceData", {{"ClubID", "C01"}, {"LiberCode", "AB12"}, {"LiberDate", kAug19},
                                       {"PRingNo", "0012345"}, {"BackTime", "2014/08/19 10:14:12.250"},
                                       {"FlyTime", "3:44:9"}, {"FlySpeed", 1427.615}, {"Dist", 320000},
                                       {"TimeVari", 3}});
    openPage();
    selectRaceRow(0);
    const QPoint first = page->raceGrid().view->visualRect(page->raceGrid().view->model()->index(0, 0)).center();
    QTest::mouseClick(page->raceGrid().view->viewport(), Qt::LeftButton, {}, first);
    QTest::mouseDClick(page->raceGrid().view->viewport(), Qt::LeftButton, {}, first);
    EXPECT_EQ(visiblePanel(), find<QWidget>("pnlResult"));
    EXPECT_EQ(find<QLabel>("lblResultTitle")->text(), "C01 Result for Orleans");
    EXPECT_EQ(find<QLabel>("lblResultSum")->text(), "1 Members sent 1 birds of which 1 were clocked");
    RaceGrid& grid = page->resultPanel()->grid();
    EXPECT_EQ(grid.model->headerData(5, Qt::Horizontal).toString(), "MPM");
    ASSERT_EQ(grid.model->rowCount(), 1);
    const QStringList shown = {"1", "Ann", "BE 2014 A 12345", "10:14:12.250", "3:44:9", "1,427.615", "320,000"};
    for (int c = 0; c < shown.size(); ++c) EXPECT_EQ(grid.model->item(0, c)->text(), shown[c]) << c;

    click("btnResultPrint");
    ASSERT_EQ(printed.size(), 1);
    EXPECT_TRUE(printed[0].title.startsWith("C01 Result for Orleans (08-19 06:30:00)")) << printed[0].title.toStdString();

    const QString file = club.root() + "/result";
    prompter().answerFile(file);
    click("btnResultExport");
    EXPECT_TRUE(prompter().errors().isEmpty());
    EXPECT_TRUE(QFile::exists(file + ".xlsx"));

    click("btnRecaculate");
    ASSERT_TRUE(find<QGroupBox>("grpRecaculate")->isVisible());
    EXPECT_EQ(find<QDateEdit>("dtpRecDate")->date(), kAug19);
    EXPECT_EQ(find<QTimeEdit>("dtpRecTime")->time(), QTime(6, 30));
    find<QTimeEdit>("dtpRecTime")->setTime(QTime(6, 31));
    click("btnRecacute");
    EXPECT_FALSE(find<QGroupBox>("grpRecaculate")->isVisible());
    EXPECT_EQ(grid.model->item(0, 4)->text(), "3:43:9");
    EXPECT_EQ(findRace(dm(), "AB12", kAug19)->liberTime, QTime(6, 30));
}

TEST_F(RacePage, SunTableOtherClockAndSorting) {
    aRace();
    dm().insertRow("LCX_LoftData", {{"LoftNo", "L1"}, {"LoftName", "Ann"}});
    dm().insertRow("LCX_LoftData", {{"LoftNo", "L2"}, {"LoftName", "Bob"}});
    dm().insertRow("LCX_PigData", {{"LoftNo", "L1"}, {"PRingNo", "R1"}});
    openPage();
    selectRaceRow(0);
    page->runAction(0);   // Edit Point fills the code and date of the sun table's race
    click("btnSunData");
    QTableWidget* table = find<QTableWidget>("sgSunData");
    ASSERT_TRUE(table->isVisible());
    EXPECT_EQ(table->item(0, 0)->text(), "Race Date");
    EXPECT_EQ(table->item(1, 0)->text(), "yyyy-mm-dd ");
    table->item(2, 0)->setText("2014-08-19");
    table->item(2, 2)->setText("21:00:00");
    table->item(2, 3)->setText("06:00:00");
    click("btnSunSave");
    EXPECT_FALSE(table->isVisible());
    EXPECT_EQ(count("SELECT count(*) FROM LCX_SunSet_SunRise WHERE RaceCode='AB120819'"), 1);

    page->runAction(7);
    QComboBox* member = find<QComboBox>("cbbLoftNo_OtherClock");
    EXPECT_EQ(member->count(), 2);
    member->setCurrentIndex(0);
    emit member->textActivated("Ann");
    EXPECT_EQ(find<QComboBox>("cbbSelPigNo")->itemText(0), "R1");
    find<QDateEdit>("dtpMasterDate")->setDate(kAug19);
    find<QTimeEdit>("dtpMasterTime")->setTime(QTime(20, 0, 0));
    find<QDateEdit>("dtpMemberDate")->setDate(kAug19);
    find<QTimeEdit>("dtpMemberTime")->setTime(QTime(20, 0, 7));
    find<QDateEdit>("dtpSelPigDate")->setDate(kAug19);
    find<QTimeEdit>("dtpSelPigTime")->setTime(QTime(10, 14, 12));
    click("btnOCSave");
    EXPECT_TRUE(prompter().errors().isEmpty()) << prompter().last().toStdString();
    EXPECT_EQ(dm().scalar("SELECT FlyTime FROM LCX_PigRaceData WHERE PRingNo='R1'").toString(), "3:44:5");
    RaceGrid& list = page->otherClockPanel()->grid();
    ASSERT_EQ(list.model->rowCount(), 1);
    EXPECT_EQ(list.model->item(0, 1)->text(), "2014/08/19 10:14:12");

    // One sort text for every grid of the page: ascending, descending, ascending.
    QHeaderView* header = list.view->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(0) + 5, 5));
    EXPECT_EQ(TfrmRace::sortText(), "PRingNo ASC");
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(0) + 5, 5));
    EXPECT_EQ(TfrmRace::sortText(), "PRingNo DESC");
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(1) + 5, 5));
    EXPECT_EQ(TfrmRace::sortText(), "Backtime ASC");
}

}  // namespace

namespace {

// The secretary's round on the demo club: the ranking, the distances and a recalculation.
TEST_F(RacePage, DemoClubRound) {
    dm().exec("DELETE FROM LCX_ClubMap");
    dm().exec("DELETE FROM LCX_ClubData");
    fillDemoClub(dm());
    openPage();
    ASSERT_EQ(page->raceGrid().model->rowCount(), 2);
    selectRaceRow(0);
    page->runAction(5);
    RaceGrid& result = page->resultPanel()->grid();
    ASSERT_GT(result.model->rowCount(), 10);
    int previous = 0;
    for (int r = 0; r < result.model->rowCount(); ++r) {
        const int pos = result.model->item(r, 0)->text().toInt();
        EXPECT_GE(pos, previous);
        previous = pos;
    }
    EXPECT_EQ(result.model->item(0, 0)->text(), "1");
    const int clocked = result.model->rowCount();
    EXPECT_TRUE(find<QLabel>("lblResultSum")->text().endsWith(QString("of which %1 were clocked").arg(clocked)));

    click("btnRecaculate");
    click("btnRecacute");
    EXPECT_EQ(result.model->rowCount(), clocked);
    click("btnResultOK");

    page->runAction(3);
    const QString before = page->distancePanel()->grid().model->item(0, 3)->text();
    click("btnLoftDistUpdate");
    EXPECT_TRUE(prompter().shown().isEmpty()) << prompter().last().toStdString();
    EXPECT_EQ(page->distancePanel()->grid().model->item(0, 3)->text(), before);
}

}  // namespace

namespace {

TEST_F(RacePage, ClubAndSiteMenus) {
    dm().insertRow("LCX_LiberateSite", {{"LiberCode", "AB12"}, {"LiberSite", "Orleans"}, {"LiberSiteAbbr", "ORL"},
                                        {"LiberLon", "E001'54:00"}, {"LiberLat", "N047'54:00"}});
    dm().insertRow("LCX_LoftLibPointDist", {{"LiberCode", "AB12"}, {"LoftNo", "L1"}, {"Miles", 1}, {"Yards", 1}});
    openPage();
    // Choosing a site fills abbreviation, code and position unless the point is customized.
    emit find<QComboBox>("combLibSite")->textActivated("Orleans");
    EXPECT_EQ(find<QLineEdit>("edtLibCode")->text(), "AB12");
    EXPECT_EQ(find<QLineEdit>("medtRaceLon")->displayText(), "E001'54:00");

    find<QAction>("actClubAdd")->trigger();
    ASSERT_TRUE(find<QGroupBox>("grpClubMap")->isVisible());
    find<QLineEdit>("edtClubCode")->setText("C01");   // taken
    find<QLineEdit>("edtClubNmae")->setText("Again");
    click("btnClubSave");
    EXPECT_EQ(prompter().messages(), QStringList{"Club Abbrivation duplicate !"});
    find<QLineEdit>("edtClubCode")->setText("C02");
    find<QLineEdit>("edtClubNmae")->setText("Second Club");
    click("btnClubSave");
    EXPECT_FALSE(find<QGroupBox>("grpClubMap")->isVisible());
    QComboBox* clubs = find<QComboBox>("combClub");
    EXPECT_EQ(clubs->count(), 2);
    clubs->setCurrentText("Second Club");
    find<QAction>("actClubDelete")->trigger();
    EXPECT_EQ(clubs->count(), 1);
    EXPECT_EQ(count("SELECT count(*) FROM LCX_ClubMap"), 1);

    // The site's pop-up deletes the site of the code field and its distances.
    find<QAction>("actSiteDelete")->trigger();
    EXPECT_EQ(count("SELECT count(*) FROM LCX_LiberateSite"), 0);
    EXPECT_EQ(count("SELECT count(*) FROM LCX_LoftLibPointDist"), 0);
    EXPECT_EQ(find<QComboBox>("combLibSite")->count(), 0);
}

}  // namespace
