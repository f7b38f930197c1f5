// "Marking": enters pigeons for a race with the ring reader; each ring gets a fresh
// random code that the race entry keeps.
#pragma once

#include "clockop_shared.h"

#include <QWidget>

class QComboBox;
class QTimer;

namespace clockops {

class ClockGrid;

class MarkingPage : public QWidget {
    Q_OBJECT
public:
    MarkingPage(ClockOpShared &shared, QWidget *parent = nullptr);

    void enterPage();
    QTimer *timer() const { return MarkTimer1; }

public slots:
    void cbbRaceCodeClick();
    void MarkTimer1Timer();

private:
    bool writeRandomCode(uint32_t port, const QString &uid, const QString &pigeonUid);
    void reloadGrid();

    ClockOpShared &s_;
    QComboBox *cbbRaceCode;
    ClockGrid *dbgrdMarking;
    QTimer *MarkTimer1;
    QString recognisedUid_; // UID of the pigeon recognised last
};

} // namespace clockops
