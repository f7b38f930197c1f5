// "SMS Download": the race's member, ring and race files for use outside the program.
#pragma once

#include "clockop_shared.h"

#include <QWidget>

class QComboBox;

namespace clockops {

class ClockGrid;

class SmsPage : public QWidget {
    Q_OBJECT
public:
    SmsPage(ClockOpShared &shared, QWidget *parent = nullptr);
    void enterPage();

public slots:
    void cbbRaceCodeSMSV6Click();

private:
    ClockOpShared &s_;
    QComboBox *cbbRaceCodeSMSV6;
    ClockGrid *DBGrid1;
};

// The lines of the three files for a race code, as the page writes them.
QStringList CoteLines(TdmLCXS &dm, const QString &raceCode);
QStringList RingLines(TdmLCXS &dm, const QString &raceCode);
QStringList VlroKeyLines(TdmLCXS &dm, const QString &raceCode);

} // namespace clockops
