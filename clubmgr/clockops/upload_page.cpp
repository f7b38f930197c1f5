#include "upload_page.h"

#include "clock_grid.h"
#include "clock_readout.h"
#include "clock_session.h"
#include "clock_values.h"
#include "clockop_queries.h"
#include "dm_lcxs.h"
#include "flight_math.h"
#include "module_state.h"
#include "prompter.h"
#include "report_inputs.h"

#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <racetimer.h>

namespace clockops {

UploadPage::UploadPage(ClockOpShared &shared, QWidget *parent) : QWidget(parent), s_(shared)
{
    setObjectName("tsGetTimerResult");
    cbbTimer_UPL = new QComboBox(this);
    cbbTimer_UPL->setObjectName("cbbTimer_UPL");
    dbgrdTimerUPL = new ClockGrid("dbgrdTimerUPL",
                                  {{"Pos.", "Rank"}, {"Member", "LoftNo"}, {"Pigeon", "PRingNo"}, {"Clocked", "BackTime"},
                                   {"Fly Speed", "FlySpeed"}, {"Flying Time", "FlyTime"}, {"Dist.", "Dist"}},
                                  &s_.sortText, this);
    lblTimerRseultSum = new QLabel(this);
    lblTimerRseultSum->setObjectName("lblTimerRseultSum");
    btnPrint = new QPushButton("Print", this);
    btnPrint->setObjectName("btnPrint");
    ClockUPLTimer1 = new QTimer(this);
    ClockUPLTimer1->setObjectName("ClockUPLTimer1");
    ClockUPLTimer1->setInterval(300);
    auto *form = new QFormLayout;
    form->addRow(new QLabel("Race Code :"), cbbTimer_UPL);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(dbgrdTimerUPL);
    layout->addWidget(lblTimerRseultSum);
    layout->addWidget(btnPrint);
    connect(cbbTimer_UPL, qOverload<int>(&QComboBox::activated), this, &UploadPage::cbbTimer_UPLClick);
    connect(ClockUPLTimer1, &QTimer::timeout, this, &UploadPage::ClockUPLTimer1Timer);
    connect(btnPrint, &QPushButton::clicked, this, &UploadPage::btnPrintClick);
}

void UploadPage::enterPage()
{
    cbbTimer_UPL->clear();
    for (const clockq::RaceRow &r : clockq::races(*s_.context.dm))
        cbbTimer_UPL->addItem(RaceComboText(r.liberCode, r.liberDate));
    cbbTimer_UPL->setCurrentIndex(-1);
}

void UploadPage::showResults(bool thenByBackTime)
{
    QList<QStringList> rows;
    for (const clockq::ResultRow &r :
         clockq::resultRows(*s_.context.dm, s_.values.CurLiberCode, s_.values.CurLiberDate, thenByBackTime))
        rows << QStringList{QString::number(r.rank),
                            r.loftNo,
                            r.pRingNo,
                            r.backTime.mid(11),
                            club::SpeedText(r.flySpeed),
                            r.flyTime,
                            r.dist.isNull() ? QString() : club::GroupedInteger(r.dist.toLongLong())};
    dbgrdTimerUPL->setRows(rows);
}

void UploadPage::cbbTimer_UPLClick()
{
    ClockOpValues &v = s_.values;
    try {
        v.CurRaceCode = RaceCodeFromComboText(cbbTimer_UPL->currentText());
        if (const auto race = clockq::raceByCode(*s_.context.dm, v.CurRaceCode)) {
            v.CurLiberCode = race->liberCode;
            v.CurLiberDate = race->liberDate;
        }
        showResults(true);
        ClockUPLTimer1->start();
    } catch (const std::exception &e) {
        s_.context.prompter->error(QString::fromStdString(e.what()));
    }
}

void UploadPage::ClockUPLTimer1Timer()
{
    try {
        processClock();
    } catch (const std::exception &e) {
        s_.context.prompter->error(QString::fromStdString(e.what()));
    }
}

void UploadPage::processClock()
{
    ClockOpValues &v = s_.values;
    ModuleState &m = Modules();
    TdmLCXS &dm = *s_.context.dm;
    const uint32_t port = static_cast<uint32_t>(m.ClockPort);
    const QByteArray pageRace = RaceIdentifier(v.CurRaceCode).toLatin1();
    try {
        ConnectClock();
    } catch (const ClockOpError &) {
        ClockUPLTimer1->stop();
        throw;
    }
    char site[64] = {};
    int32_t lon = 0, lat = 0;
    if (PGT_GetSiteInfo(port, site, &lon, &lat) != 0)
        v.CurLoftNo = QString::fromUtf8(site, static_cast<int>(qstrnlen(site, 16)));
    v.ClockSiteText = QString::fromUtf8(site, static_cast<int>(qstrnlen(site, 16)));
    if (v.CurLoftNo == v.LastSiteId)
        return; // this clock was handled already
    v.LastSiteId = v.CurLoftNo;
    char raceText[16] = {};
    uint32_t state = 0;
    if (PGT_GetCurrentRace(port, raceText, &state) == 0)
        throw ClockOpError("PGT_GetCurrentRace Fail !");
    const QByteArray clockRace = QByteArray(raceText, static_cast<int>(qstrnlen(raceText, 8)));
    if (clockRace != pageRace) {
        ClockUPLTimer1->stop();
        s_.context.prompter->message("RaceNo not Match  !");
        return;
    }
    m.RaceIdCode = RaceIdCodeFor(QString::fromLatin1(clockRace), m.SysIdCodeBytes);
    bool ok = false;
    m.DeviceNo = m.clock ? m.clock->ReadDeviceNo(&ok) : QString();
    if (!ok)
        throw ClockOpError("IFDGetDevNo Fail !");
    ClockUPLTimer1->stop();
    int accepted = 0;
    const QList<ArrivalEntry> table = ReadRecords(s_, clockRace, &accepted);
    if (accepted >= 1)
        WriteResults(s_, table);

    showResults(false);
    QApplication::beep();
    if (s_.showReport) {
        club::reports::OfficialListInput in;
        in.raceCodeText = cbbTimer_UPL->currentText();
        in.siteText = v.ClockSiteText;
        in.deviceNo = m.DeviceNo;
        FillOfficialListReport(dm, v, clockq::officialRows(dm, v.CurLiberCode, v.CurLiberDate, v.CurLoftNo), &in);
        s_.showReport(club::reports::TfrmULRaceRpt_UTC(in), this);
    }
    const clockq::RaceSummary sum = clockq::raceSummary(dm, v.CurLiberCode, v.CurLiberDate);
    lblTimerRseultSum->setText(QString::number(sum.members) + " Members sent " + QString::number(sum.birds)
                               + " birds of which " + QString::number(dbgrdTimerUPL->rowCount()) + " were clocked");
}

void UploadPage::btnPrintClick()
{
    ClockUPLTimer1->stop();
    try {
        if (!s_.showReport)
            return;
        club::reports::RankingInput in;
        in.raceCodeText = cbbTimer_UPL->currentText();
        FillRankingReport(*s_.context.dm, s_.values,
                          clockq::resultRows(*s_.context.dm, s_.values.CurLiberCode, s_.values.CurLiberDate, false), &in);
        s_.showReport(club::reports::TfrmRaceRankRpt_UTC(in), this);
    } catch (const std::exception &e) {
        s_.context.prompter->error(QString::fromStdString(e.what()));
    }
}

} // namespace clockops
