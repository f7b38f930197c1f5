#pragma once
// The sun table of a race: six days of sunset and sunrise, edited as text.

#include "club_context.h"

#include <QFrame>

class QTableWidget;

namespace club {

class SunTableDialog : public QFrame {
    Q_OBJECT
public:
    SunTableDialog(const ClubContext& context, QWidget* parent = nullptr);

    void open(const QString& raceCode);
    QTableWidget* table() const { return table_; }
    QString raceCode() const { return raceCode_; }

private:
    void save();

    ClubContext context_;
    QString raceCode_;
    QTableWidget* table_ = nullptr;
};

}  // namespace club
