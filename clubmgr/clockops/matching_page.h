// "Matching": ties an electronic ring to a pigeon of the register.
#pragma once

#include "clockop_shared.h"

#include <QWidget>

class QComboBox;
class QTimer;

namespace clockops {

class ClockGrid;

class MatchingPage : public QWidget {
    Q_OBJECT
public:
    MatchingPage(ClockOpShared &shared, QWidget *parent = nullptr);

    void enterPage();          // fills the member list
    QTimer *timer() const { return MatchTimer1; }

public slots:
    void cbbLoftNoClick();
    void cbbPRingNoChosen();   // a pick or Enter in the ring-number box starts polling
    void MatchTimer1Timer();

private:
    void reloadGrid();
    uint32_t port() const;

    ClockOpShared &s_;
    QComboBox *cbbLoftNo;
    QComboBox *cbbPRingNo;
    ClockGrid *dbgrdMatching;
    QTimer *MatchTimer1;
};

} // namespace clockops
