#include "member_report_inputs.h"

#include "club_queries.h"

namespace members {

club::reports::ClubAddress clubAddressOf(TdmLCXS& dm)
{
    club::reports::ClubAddress address;
    if (const auto club = firstClubData(dm)) {
        address.clubName = club->clubName;
        address.street = club->street;
        address.city = club->city;
        address.postCode = club->postCode;
    }
    return address;
}

QMap<QString, QString> colourNamesOf(const ColourTable& colours)
{
    QMap<QString, QString> names;
    // The first row of a code names it, as the ring list shows it.
    for (auto it = colours.rbegin(); it != colours.rend(); ++it)
        names.insert(it->code, it->name);
    return names;
}

}  // namespace members
