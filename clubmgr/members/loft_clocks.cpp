#include "loft_clocks.h"

#include "member_queries.h"

namespace members {

ClockSaveResult saveLoftClock(TdmLCXS& dm, const QString& loftNo, const QString& clockNo, const QString& memberName)
{
    if (loftClockExists(dm, loftNo, clockNo))
        return {ClockSaveResult::Outcome::Duplicate,
                loftNo + QStringLiteral("'s ") + QStringLiteral("Clock serial number ") + clockNo
                    + QStringLiteral(" duplicate !")};
    if (!loftNameExists(dm, memberName))
        return {ClockSaveResult::Outcome::UnknownMember, memberName + QStringLiteral(" not find in Member data !")};
    insertLoftClock(dm, loftNo, clockNo);
    return {};
}

}  // namespace members
