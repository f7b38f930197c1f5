#pragma once
// The clocks of a loft: adding a clock by its serial number, and deleting one.

#include <QString>

class TdmLCXS;

namespace members {

struct ClockSaveResult {
    enum class Outcome { Saved, Duplicate, UnknownMember };
    Outcome outcome = Outcome::Saved;
    QString message;  // for Duplicate and UnknownMember
};

// Adds clock clockNo to the loft whose clock list is open. Refused when that loft has it
// already, or when no loft has the member's name (any loft's name passes; the clock still
// goes to loftNo). Throws DbError.
ClockSaveResult saveLoftClock(TdmLCXS& dm, const QString& loftNo, const QString& clockNo, const QString& memberName);

inline QString deleteClockQuestion()
{
    return QStringLiteral("This will delete the data ?");
}

}  // namespace members
