#include "result_panel.h"

#include "dm_lcxs.h"
#include "flight_math.h"
#include "prompter.h"
#include "race_printouts.h"
#include "report_sources.h"
#include "result_export.h"

using namespace raceq;

#include <QDateEdit>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace club {

namespace {
constexpr int kRowIndexRole = 0x0102;

QList<GridColumn> columnsFor(int mode) {
    return {{QStringLiteral("Pos."), QStringLiteral("Pos")},
            {QStringLiteral("Member"), QStringLiteral("LoftNo")},
            {QStringLiteral("Pigeon"), QStringLiteral("PRingNo")},
            {QStringLiteral("Clock"), QStringLiteral("BackTime")},
            {QStringLiteral("Flying Time"), QStringLiteral("FlyTime")},
            {SpeedColumnTitle(mode), QStringLiteral("FlySpeed")},
            {QStringLiteral("Dist."), QStringLiteral("Dist")}};
}
}  // namespace

ResultPanel::ResultPanel(const ClubContext& context, QString* sortText, QWidget* parent)
    : QWidget(parent), context_(context) {
    setObjectName(QStringLiteral("pnlResult"));
    auto* layout = new QVBoxLayout(this);
    title_ = new QLabel(this);
    title_->setObjectName(QStringLiteral("lblResultTitle"));
    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("lblResultSum"));
    layout->addWidget(title_);
    layout->addWidget(summary_);
    grid_ = MakeRaceGrid(this, QStringLiteral("dbgrdResult"), columnsFor(0), sortText);
    layout->addWidget(grid_.view, 1);

    recalcGroup_ = new QGroupBox(QStringLiteral("grpRecaculate"), this);
    recalcGroup_->setObjectName(QStringLiteral("grpRecaculate"));
    auto* form = new QFormLayout(recalcGroup_);
    recDate_ = new QDateEdit(recalcGroup_);
    recDate_->setObjectName(QStringLiteral("dtpRecDate"));
    recDate_->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    recDate_->setCalendarPopup(true);
    recTime_ = new QTimeEdit(recalcGroup_);
    recTime_->setObjectName(QStringLiteral("dtpRecTime"));
    recTime_->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    form->addRow(QStringLiteral("RaceDate :"), recDate_);
    form->addRow(QStringLiteral("RaceTime :"), recTime_);
    auto* run = new QPushButton(QStringLiteral("Recacute"), recalcGroup_);
    run->setObjectName(QStringLiteral("btnRecacute"));
    auto* exit = new QPushButton(QStringLiteral("Exit"), recalcGroup_);
    exit->setObjectName(QStringLiteral("btnRecExit"));
    auto* groupButtons = new QHBoxLayout;
    groupButtons->addWidget(run);
    groupButtons->addWidget(exit);
    form->addRow(groupButtons);
    recalcGroup_->hide();
    layout->addWidget(recalcGroup_);

    auto* buttons = new QHBoxLayout;
    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setObjectName(QStringLiteral("btnResultOK"));
    auto* print = new QPushButton(QStringLiteral("Print"), this);
    print->setObjectName(QStringLiteral("btnResultPrint"));
    auto* exportButton = new QPushButton(QStringLiteral("ResultExport"), this);
    exportButton->setObjectName(QStringLiteral("btnResultExport"));
    auto* recalc = new QPushButton(QStringLiteral("Fly Speed Recaculate"), this);
    recalc->setObjectName(QStringLiteral("btnRecaculate"));
    for (QPushButton* b : {ok_, print, exportButton, recalc}) buttons->addWidget(b);
    buttons->addStretch();
    layout->addLayout(buttons);

    connect(ok_, &QPushButton::clicked, this, [this] {
        recalcGroup_->hide();
        emit closed();
    });
    connect(print, &QPushButton::clicked, this, &ResultPanel::print);
    connect(exportButton, &QPushButton::clicked, this, &ResultPanel::exportResult);
    connect(recalc, &QPushButton::clicked, this, &ResultPanel::showRecalculation);
    connect(run, &QPushButton::clicked, this, &ResultPanel::recalculate);
    connect(exit, &QPushButton::clicked, this, [this] {
        recalcGroup_->hide();
        ok_->setFocus();
    });
}

QString ResultPanel::summary() const { return summary_->text(); }

void ResultPanel::open(const SelectedRace& race) {
    race_ = race;
    recalcGroup_->hide();
    title_->setText(ResultTitle(race.clubId, race.liberSite));
    load(false);
}

void ResultPanel::load(bool withDistanceRowOnly) {
    grid_.clear();
    result_ = {};
    try {
        mode_ = clubDistanceMode(*context_.dm);
        result_ = LoadRaceResult(*context_.dm, race_.liberCode, race_.liberDate, withDistanceRowOnly);
    } catch (const DbError& e) {
        context_.prompter->error(e.message());
    }
    SetGridTitles(grid_, columnsFor(mode_));
    grid_.view->setColumnWidth(0, 50);
    grid_.view->setColumnWidth(2, 170);
    summary_->setText(SummaryLine(result_));
    grid_.model->setRowCount(int(result_.rows.size()));
    for (int i = 0; i < result_.rows.size(); ++i) {
        const ResultRow& r = result_.rows[i];
        const ResultEntry& e = r.entry;
        const QVariant dist = e.dist;
        QStandardItem* pos = NumberCell(QString::number(r.pos), r.pos);
        pos->setData(i, kRowIndexRole);
        grid_.model->setItem(i, 0, pos);
        grid_.model->setItem(i, 1, GridCell(e.loftName));
        grid_.model->setItem(i, 2, GridCell(PigeonText(e)));
        grid_.model->setItem(i, 3, GridCell(e.backTime.mid(11), e.backTime));
        grid_.model->setItem(i, 4, GridCell(e.flyTime));
        grid_.model->setItem(i, 5, NumberCell(SpeedText(r.speed), r.speed));
        grid_.model->setItem(i, 6, NumberCell(dist.isNull() ? QString() : GroupedInteger(dist.toLongLong()),
                                            dist.isNull() ? QVariant(-1) : dist));
    }
}

QList<const ResultRow*> ResultPanel::rowsShown() const {
    QList<const ResultRow*> rows;
    for (int r = 0; r < grid_.proxy->rowCount(); ++r) {
        const int i = grid_.proxy->index(r, 0).data(kRowIndexRole).toInt();
        if (i >= 0 && i < result_.rows.size()) rows.append(&result_.rows[i]);
    }
    return rows;
}

void ResultPanel::print() {
    reports::RaceResultInput in;
    try {
        in.club = reports::clubAddressFrom(*context_.dm);
    } catch (const DbError& e) {
        context_.prompter->error(e.message());
        return;
    }
    in.clubId = race_.clubId;
    in.siteName = race_.liberSite;
    in.liberDate = race_.liberDate;
    in.liberTime = race_.liberTime;
    in.summaryLine = summary_->text();
    in.mode = mode_ == 1 ? reports::DistanceMode::Imperial : reports::DistanceMode::Metric;
    for (const ResultRow* r : rowsShown()) {
        const ResultEntry& e = r->entry;
        reports::RaceResultRow row;
        row.pos = r->pos;
        row.member = e.loftName;
        row.pRingNo = e.pRingNo;
        if (e.inRegister) {
            row.rCountry = e.rCountry;
            row.rYear = e.rYear;
            row.rRegLetter = e.rRegLetter;
            row.rRegNumber = e.rRegNumber;
        }
        row.backTime = e.backTime;
        row.flyTime = e.flyTime;
        row.flySpeed = r->speed;
        if (!e.dist.isNull()) row.dist = e.dist.toLongLong();
        in.rows.append(row);
    }
    const reports::TfrmPrtRaceResult report(in);
    if (viewer_) viewer_(report, this);
}

void ResultPanel::exportResult() {
    const QString chosen = context_.prompter->saveFileName(QStringLiteral("Excel File (*.xlsx)|*.xlsx"));
    if (chosen.isEmpty()) return;
    QVector<ResultExportRow> rows;
    for (const ResultRow* r : rowsShown()) {
        const ResultEntry& e = r->entry;
        ResultExportRow x;
        x.pos = r->pos;
        x.liberCode = race_.liberCode;
        x.pRingNo = e.pRingNo;
        x.backTime = e.backTime;
        x.flyTime = e.flyTime;
        if (!e.flySpeed.isNull()) x.flySpeed = e.flySpeed.toDouble();
        if (!e.dist.isNull()) x.dist = e.dist.toLongLong();
        x.loftNo = e.loftNo;
        rows.append(x);
    }
    QString error;
    if (!ExportRaceResult(ExportFileName(chosen), rows, &error)) context_.prompter->error(error);
}

void ResultPanel::showRecalculation() {
    recDate_->setDate(race_.liberDate);
    recTime_->setTime(race_.liberTime.isValid() ? race_.liberTime : QTime(0, 0));
    recalcGroup_->show();
    recDate_->setFocus();
}

void ResultPanel::recalculate() {
    try {
        const RecalculationReport report = RecalculateRace(*context_.dm, race_.liberCode, race_.liberDate,
                                                           QDateTime(recDate_->date(), recTime_->time()));
        if (!report.unreadable.isEmpty())
            context_.prompter->message(QStringLiteral("Arrival time not readable, not recalculated: ") +
                                       report.unreadable.join(QStringLiteral(", ")));
    } catch (const DbError& e) {
        context_.prompter->error(e.message());
    }
    load(true);
    recalcGroup_->hide();
}

}  // namespace club
