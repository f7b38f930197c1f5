#pragma once
// The result panel: the ranked result of a race with its summary line, printout, export
// and recalculation.

#include "club_context.h"
#include "race_page_parts.h"
#include "race_result.h"

#include <QWidget>

class QDateEdit;
class QGroupBox;
class QLabel;
class QPushButton;
class QTimeEdit;

namespace club {

class ResultPanel : public QWidget {
    Q_OBJECT
public:
    ResultPanel(const ClubContext& context, QString* sortText, QWidget* parent = nullptr);

    void open(const SelectedRace& race);
    void setReportViewer(ReportViewer viewer) { viewer_ = std::move(viewer); }
    RaceGrid& grid() { return grid_; }
    QString summary() const;

signals:
    void closed();

private:
    void load(bool withDistanceRowOnly);
    void print();
    void exportResult();
    void showRecalculation();
    void recalculate();
    QList<const ResultRow*> rowsShown() const;

    ClubContext context_;
    SelectedRace race_;
    ReportViewer viewer_;
    RaceResult result_;
    int mode_ = 0;
    QLabel* title_ = nullptr;
    QLabel* summary_ = nullptr;
    RaceGrid grid_;
    QPushButton* ok_ = nullptr;
    QGroupBox* recalcGroup_ = nullptr;
    QDateEdit* recDate_ = nullptr;
    QTimeEdit* recTime_ = nullptr;
};

}  // namespace club
