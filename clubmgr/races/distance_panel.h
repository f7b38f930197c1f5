#pragma once
// The distance panel: every loft's distance row for the race's site, hand edits with the
// digit keys, "LoftDistUpdate" and the member distance printout.

#include "club_context.h"
#include "race_page_parts.h"

#include <QWidget>

class QLabel;
class QPushButton;

namespace club {

class DistancePanel : public QWidget {
    Q_OBJECT
public:
    DistancePanel(const ClubContext& context, QString* sortText, QWidget* parent = nullptr);

    void open(const SelectedRace& race);
    void setReportViewer(ReportViewer viewer) { viewer_ = std::move(viewer); }
    RaceGrid& grid() { return grid_; }

signals:
    void closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void reload();
    void loftDistUpdate();
    void print();
    void discardEdit();
    void saveEdit();

    ClubContext context_;
    SelectedRace race_;
    ReportViewer viewer_;
    QLabel* title_ = nullptr;
    RaceGrid grid_;
    int mode_ = 0;
    // A hand edit in progress: source row and column, and the text before it.
    int editRow_ = -1;
    int editColumn_ = -1;
    QString editOriginal_;
};

}  // namespace club
