#pragma once
// The status panel: per member and clock of a race, the birds marked and arrived.

#include "club_context.h"
#include "race_page_parts.h"

#include <QWidget>

class QLabel;

namespace club {

class StatusPanel : public QWidget {
    Q_OBJECT
public:
    StatusPanel(const ClubContext& context, QString* sortText, QWidget* parent = nullptr);

    void open(const SelectedRace& race);
    void setReportViewer(ReportViewer viewer) { viewer_ = std::move(viewer); }
    RaceGrid& grid() { return grid_; }
    QString title() const;

signals:
    void closed();

private:
    void print();

    ClubContext context_;
    SelectedRace race_;
    ReportViewer viewer_;
    QLabel* title_ = nullptr;
    RaceGrid grid_;
};

}  // namespace club
