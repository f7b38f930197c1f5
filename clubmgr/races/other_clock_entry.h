#pragma once
// Arrivals typed in for a clock that cannot be read: the clock's check times of the race,
// and the pigeon's entry with flying time, speed and distance corrected by the deviation.

#include <QDate>
#include <QDateTime>
#include <QString>

class TdmLCXS;

namespace club {

struct OtherClockInput {
    QString clubId;          // the race's
    QString liberCode;
    QDate liberDate;
    QString loftNo;
    QString pRingNo;         // written as entered
    QDateTime markedSet;     // K
    QDateTime masterCheck;   // M
    QDateTime memberCheck;   // C
    QDate arrivalDate;
    QTime arrivalTime;
};

struct OtherClockResult {
    QString backTime;
    long long deviation = 0;   // C - M in whole seconds, positive when the member's clock is fast
    long long seconds = 0;
    QString flyTime;
    double flySpeed = 0;
    int dist = 0;
};

// Writes the clock-time row (update or add) and the entry (update or add). Throws DbError
// when a write fails.
OtherClockResult SaveOtherClockArrival(TdmLCXS& dm, const OtherClockInput& in);

}  // namespace club
