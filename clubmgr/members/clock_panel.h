#pragma once
// The clock list of one loft (pnlClockList): its clocks, the new-clock box pnlClockNew with
// "Discover", and the action list rgClockList.

#include "member_grid.h"
#include "member_page_context.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace members {

class ClockPanel : public QWidget {
    Q_OBJECT
public:
    ClockPanel(const MemberPageContext& context, QWidget* parent);

    void open(const QString& loftNo, const QString& loftName);
    void reload();

    MemberGrid& grid() { return grid_; }
    QMenu* actionList() const { return rgClockList_; }

    void addNew();
    void cancel();
    void save();
    void deleteClock();
    // Reads the serial number of the race clock on the serial port.
    void discover();

private:
    MemberPageContext context_;
    QString loftNo_;
    QString loftName_;

    MemberGrid grid_;
    QLabel* lblClockListTitle_ = nullptr;
    QLabel* lblClockListSum_ = nullptr;
    QMenu* rgClockList_ = nullptr;
    QWidget* pnlClockNew_ = nullptr;
    QLineEdit* edtClockNo_ = nullptr;
    QLineEdit* edtMemName_ = nullptr;
    QPushButton* btnDiscover_ = nullptr;
};

}  // namespace members
