// "UpLoad Timer Result": reads a member's clock back after the race.
#pragma once

#include "clockop_shared.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;
class QTimer;

namespace clockops {

class ClockGrid;

class UploadPage : public QWidget {
    Q_OBJECT
public:
    UploadPage(ClockOpShared &shared, QWidget *parent = nullptr);
    void enterPage();
    QTimer *timer() const { return ClockUPLTimer1; }

public slots:
    void cbbTimer_UPLClick();
    void ClockUPLTimer1Timer();
    void btnPrintClick();

private:
    void showResults(bool thenByBackTime);
    void processClock();

    ClockOpShared &s_;
    QComboBox *cbbTimer_UPL;
    ClockGrid *dbgrdTimerUPL;
    QLabel *lblTimerRseultSum;
    QPushButton *btnPrint;
    QTimer *ClockUPLTimer1;
};

} // namespace clockops
