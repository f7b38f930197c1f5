#pragma once
// The other-clock panel: arrivals typed in from a member's clock that cannot be read,
// with the clock's check times.

#include "club_context.h"
#include "race_page_parts.h"

#include <QWidget>

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QTimeEdit;

namespace club {

class OtherClockPanel : public QWidget {
    Q_OBJECT
public:
    OtherClockPanel(const ClubContext& context, QString* sortText, QWidget* parent = nullptr);

    void open(const SelectedRace& race);
    RaceGrid& grid() { return grid_; }
    QString loftNo() const { return loftNo_; }

private:
    void chooseMember(const QString& loftName);
    void search();
    void selectPigeon(const QString& ring);
    void save();
    void reloadList();

    ClubContext context_;
    SelectedRace race_;
    QString loftNo_;
    QLabel* title_ = nullptr;
    QComboBox* member_ = nullptr;
    QLineEdit* search_ = nullptr;
    QComboBox* ring_ = nullptr;
    QDateEdit* arrivalDate_ = nullptr;
    QTimeEdit* arrivalTime_ = nullptr;
    QDateEdit* markedDate_ = nullptr;
    QTimeEdit* markedTime_ = nullptr;
    QDateEdit* masterDate_ = nullptr;
    QTimeEdit* masterTime_ = nullptr;
    QDateEdit* memberDate_ = nullptr;
    QTimeEdit* memberTime_ = nullptr;
    RaceGrid grid_;
};

}  // namespace club
