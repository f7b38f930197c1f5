#include "status_panel.h"

#include "dm_lcxs.h"
#include "prompter.h"
#include "race_printouts.h"
#include "race_queries.h"
#include "report_sources.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

using namespace raceq;

namespace club {

StatusPanel::StatusPanel(const ClubContext& context, QString* sortText, QWidget* parent)
    : QWidget(parent), context_(context) {
    setObjectName(QStringLiteral("pnlStatus"));
    auto* layout = new QVBoxLayout(this);
    title_ = new QLabel(this);
    title_->setObjectName(QStringLiteral("lblStatus"));
    layout->addWidget(title_);
    grid_ = MakeRaceGrid(this, QStringLiteral("dbgrdStatus"),
                         {{QStringLiteral("Member"), QStringLiteral("LoftNo")},
                          {QStringLiteral("Clock"), QStringLiteral("ClockID")},
                          {QStringLiteral("Birds marked"), QStringLiteral("MarkedCnt")},
                          {QStringLiteral("Birds arrived"), QStringLiteral("ArriveCnt")}},
                         sortText);
    layout->addWidget(grid_.view, 1);
    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("btnStatusOK"));
    auto* print = new QPushButton(QStringLiteral("Print"), this);
    print->setObjectName(QStringLiteral("btnStatusPrint"));
    buttons->addWidget(ok);
    buttons->addWidget(print);
    buttons->addStretch();
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &StatusPanel::closed);
    connect(print, &QPushButton::clicked, this, &StatusPanel::print);
}

QString StatusPanel::title() const { return title_->text(); }

void StatusPanel::open(const SelectedRace& race) {
    race_ = race;
    title_->setText(QStringLiteral(" Status for ") + race.liberSite);
    grid_.clear();
    try {
        for (const StatusLine& s : selectRaceStatus(*context_.dm, race.liberCode, race.liberDate))
            grid_.model->appendRow({GridCell(s.loftName), GridCell(s.clockId),
                                    NumberCell(QString::number(s.markedCnt), s.markedCnt),
                                    NumberCell(QString::number(s.arriveCnt), s.arriveCnt)});
    } catch (const DbError& e) {
        context_.prompter->error(e.message());
    }
}

void StatusPanel::print() {
    reports::RaceStatInput in;
    try {
        in.club = reports::clubAddressFrom(*context_.dm);
    } catch (const DbError& e) {
        context_.prompter->error(e.message());
        return;
    }
    in.siteName = race_.liberSite;
    in.liberDate = race_.liberDate;
    in.liberTime = race_.liberTime;
    for (int r = 0; r < grid_.proxy->rowCount(); ++r) {
        auto cell = [&](int c) { return grid_.proxy->index(r, c); };
        in.rows.append({cell(0).data().toString(), cell(1).data().toString(), cell(2).data(kSortRole).toInt(),
                        cell(3).data(kSortRole).toInt()});
    }
    const reports::TfrmPrtRaceStat report(in);
    if (viewer_) viewer_(report, this);
}

}  // namespace club
