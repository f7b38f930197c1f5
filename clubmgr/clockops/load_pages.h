// "CreateTimer Train" and "Create Timer Race": load a member's clock.
#pragma once

#include "clockop_shared.h"

#include <QWidget>

class QComboBox;

namespace clockops {

class ClockGrid;

class TrainLoadPage : public QWidget {
    Q_OBJECT
public:
    TrainLoadPage(ClockOpShared &shared, QWidget *parent = nullptr);
    void enterPage();

public slots:
    void cbbLoftNo_DLTClick();

private:
    void showRows(bool ordered);

    ClockOpShared &s_;
    QComboBox *cbbLoftNo_DLT;
    ClockGrid *dbgrdCrtTrain;
};

class RaceLoadPage : public QWidget {
    Q_OBJECT
public:
    RaceLoadPage(ClockOpShared &shared, QWidget *parent = nullptr);
    void enterPage();

public slots:
    void cbbRaceCode_DLRClick();
    void CbbLoftNo_DLRClick();

private:
    void showRows(const QList<QStringList> &rows);

    ClockOpShared &s_;
    QComboBox *cbbRaceCode_DLR;
    QComboBox *CbbLoftNo_DLR;
    ClockGrid *dbgrdCrtRace;
};

} // namespace clockops
