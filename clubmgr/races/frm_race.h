#pragma once
// The Races page ("Race Points"): the race list with its detail group, the action list of
// a race, and the distance, status, result and other-clock panels, one visible at a time.

#include "club_context.h"
#include "race_page_parts.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QMenu;
class QTimeEdit;

namespace club {
class DistancePanel;
class OtherClockPanel;
class ResultPanel;
class StatusPanel;
class SunTableDialog;
}  // namespace club

class TfrmRace : public QWidget {
    Q_OBJECT
public:
    explicit TfrmRace(const ClubContext& context, QWidget* parent = nullptr);

    // The page's one sort text for all its grids, kept for the whole run.
    static QString& sortText();

    // Printouts go here; by default they open the modal preview.
    void setReportViewer(club::ReportViewer viewer);

    // The race of the race list's current row.
    club::SelectedRace selectedRace() const;
    // Runs an entry of the action list on the selected race, by its row (0 "Edit Point").
    void runAction(int row);

    club::RaceGrid& raceGrid() { return races_; }
    club::DistancePanel* distancePanel() const { return distance_; }
    club::StatusPanel* statusPanel() const { return status_; }
    club::ResultPanel* resultPanel() const { return result_; }
    club::OtherClockPanel* otherClockPanel() const { return otherClock_; }
    club::SunTableDialog* sunTable() const { return sun_; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildRacePanel();
    void buildClubGroup();
    void showPanel(QWidget* panel);
    void fillLists();
    void loadRaces();
    void selectRace();
    void addNew();
    void customize();
    void chooseSite(const QString& name);
    void save();
    void deleteRace();
    void deleteSite();
    void saveClub();
    void deleteClub();
    void openSunTable();
    void printRaceList();
    void setCodeFieldsEnabled(bool enabled);
    void report(const QString& error);

    ClubContext context_;
    club::ReportViewer viewer_;
    QWidget* racePanel_ = nullptr;
    club::RaceGrid races_;
    QList<club::SelectedRace> raceRows_;
    QGroupBox* detail_ = nullptr;
    QComboBox* club_ = nullptr;
    QLineEdit* abbr_ = nullptr;
    QComboBox* site_ = nullptr;
    QDateEdit* date_ = nullptr;
    QTimeEdit* time_ = nullptr;
    QLineEdit* code_ = nullptr;
    QCheckBox* custom_ = nullptr;
    QLineEdit* lon_ = nullptr;
    QLineEdit* lat_ = nullptr;
    QListWidget* actions_ = nullptr;
    QMenu* clubMenu_ = nullptr;
    QMenu* siteMenu_ = nullptr;
    QGroupBox* clubGroup_ = nullptr;
    QLineEdit* clubCode_ = nullptr;
    QLineEdit* clubName_ = nullptr;
    club::DistancePanel* distance_ = nullptr;
    club::StatusPanel* status_ = nullptr;
    club::ResultPanel* result_ = nullptr;
    club::OtherClockPanel* otherClock_ = nullptr;
    club::SunTableDialog* sun_ = nullptr;
};
