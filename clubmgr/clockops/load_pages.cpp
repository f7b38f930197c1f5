#include "load_pages.h"

#include "clock_grid.h"
#include "clock_load.h"
#include "clock_printouts.h"
#include "clock_values.h"
#include "clockop_queries.h"
#include "dm_lcxs.h"
#include "module_state.h"
#include "prompter.h"
#include "report_inputs.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace clockops {

namespace {

QList<GridColumn> LoadColumns(const QString &ringTitle, const QString &sexTitle)
{
    return {{"Member", "LoftNo"}, {ringTitle, "PRingNo"}, {sexTitle, "Sex"}, {"Color", "ColorType"}};
}

QList<QStringList> GridRows(const QList<clockq::PigeonRow> &pigeons)
{
    QList<QStringList> rows;
    for (const clockq::PigeonRow &p : pigeons)
        rows << QStringList{p.loftNo, p.pRingNo, SexText(p.sex), p.feathColor};
    return rows;
}

} // namespace

TrainLoadPage::TrainLoadPage(ClockOpShared &shared, QWidget *parent) : QWidget(parent), s_(shared)
{
    setObjectName("tsCrtTimerTrain");
    cbbLoftNo_DLT = new QComboBox(this);
    cbbLoftNo_DLT->setObjectName("cbbLoftNo_DLT");
    dbgrdCrtTrain = new ClockGrid("dbgrdCrtTrain", LoadColumns("Association number", "Sex of birds"), &s_.sortText, this);
    auto *form = new QFormLayout;
    form->addRow(new QLabel("Member Name :"), cbbLoftNo_DLT);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(dbgrdCrtTrain);
    connect(cbbLoftNo_DLT, qOverload<int>(&QComboBox::activated), this, &TrainLoadPage::cbbLoftNo_DLTClick);
}

void TrainLoadPage::enterPage()
{
    cbbLoftNo_DLT->clear();
    cbbLoftNo_DLT->addItems(clockq::loftNames(*s_.context.dm));
    cbbLoftNo_DLT->setCurrentIndex(-1);
}

void TrainLoadPage::showRows(bool ordered)
{
    dbgrdCrtTrain->setRows(GridRows(clockq::trainingRows(*s_.context.dm, s_.values.CurLoftNo, ordered)));
}

void TrainLoadPage::cbbLoftNo_DLTClick()
{
    try {
        const auto loftNo = clockq::loftNoByName(*s_.context.dm, cbbLoftNo_DLT->currentText());
        if (!loftNo)
            return;
        s_.values.CurLoftNo = *loftNo;
        const QList<clockq::PigeonRow> pigeons = clockq::trainingRows(*s_.context.dm, *loftNo, true);
        dbgrdCrtTrain->setRows(GridRows(pigeons));
        LoadTrainingFlight(s_, pigeons);
        showRows(false);
    } catch (const std::exception &e) {
        s_.context.prompter->error(QString::fromStdString(e.what()));
    }
}

RaceLoadPage::RaceLoadPage(ClockOpShared &shared, QWidget *parent) : QWidget(parent), s_(shared)
{
    setObjectName("tsCrtTimerRace");
    cbbRaceCode_DLR = new QComboBox(this);
    cbbRaceCode_DLR->setObjectName("cbbRaceCode_DLR");
    CbbLoftNo_DLR = new QComboBox(this);
    CbbLoftNo_DLR->setObjectName("CbbLoftNo_DLR");
    dbgrdCrtRace = new ClockGrid("dbgrdCrtRace", LoadColumns("Association Number", "Sex of birs"), &s_.sortText, this);
    auto *form = new QFormLayout;
    form->addRow(new QLabel("Race Code :"), cbbRaceCode_DLR);
    form->addRow(new QLabel("Member Name :"), CbbLoftNo_DLR);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(dbgrdCrtRace);
    connect(cbbRaceCode_DLR, qOverload<int>(&QComboBox::activated), this, &RaceLoadPage::cbbRaceCode_DLRClick);
    connect(CbbLoftNo_DLR, qOverload<int>(&QComboBox::activated), this, &RaceLoadPage::CbbLoftNo_DLRClick);
}

void RaceLoadPage::enterPage()
{
    cbbRaceCode_DLR->clear();
    for (const clockq::RaceRow &r : clockq::races(*s_.context.dm))
        cbbRaceCode_DLR->addItem(RaceComboText(r.liberCode, r.liberDate));
    cbbRaceCode_DLR->setCurrentIndex(-1);
}

void RaceLoadPage::showRows(const QList<QStringList> &rows)
{
    dbgrdCrtRace->setRows(rows);
}

void RaceLoadPage::cbbRaceCode_DLRClick()
{
    ClockOpValues &v = s_.values;
    try {
        v.CurRaceCode = RaceCodeFromComboText(cbbRaceCode_DLR->currentText());
        if (const auto race = clockq::raceByCode(*s_.context.dm, v.CurRaceCode)) {
            v.CurLiberCode = race->liberCode;
            v.CurLiberDate = race->liberDate;
            v.CurClubID = race->clubId;
        }
        CbbLoftNo_DLR->clear();
        CbbLoftNo_DLR->addItems(clockq::loftNamesWithEntries(*s_.context.dm, v.CurLiberCode, v.CurLiberDate));
        CbbLoftNo_DLR->setCurrentIndex(-1);
    } catch (const std::exception &e) {
        s_.context.prompter->error(QString::fromStdString(e.what()));
    }
}

void RaceLoadPage::CbbLoftNo_DLRClick()
{
    ClockOpValues &v = s_.values;
    TdmLCXS &dm = *s_.context.dm;
    try {
        if (const auto loftNo = clockq::loftNoByName(dm, CbbLoftNo_DLR->currentText()))
            v.CurLoftNo = *loftNo;
        const QList<clockq::PigeonRow> entries = clockq::raceEntryRows(dm, v.CurLoftNo, v.CurLiberCode, v.CurLiberDate, true);
        showRows(GridRows(entries));
        LoadRace(s_, entries);

        const QList<clockq::PigeonRow> listed = clockq::raceEntryRows(dm, v.CurLoftNo, v.CurLiberCode, v.CurLiberDate, false);
        showRows(GridRows(listed));
        if (s_.showReport) {
            club::reports::RaceEntryInput in;
            in.raceCodeText = cbbRaceCode_DLR->currentText();
            in.loftName = CbbLoftNo_DLR->currentText();
            in.deviceNo = Modules().DeviceNo;
            FillRaceEntryReport(dm, v, listed, &in);
            s_.showReport(club::reports::TfrmDLRaceRpt_UTC(in), this);
        }
    } catch (const std::exception &e) {
        s_.context.prompter->error(QString::fromStdString(e.what()));
    }
}

} // namespace clockops
