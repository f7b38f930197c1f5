#pragma once
// What the member printouts need from the club database besides the lists on screen.

#include "member_printouts.h"
#include "pigeon_codes.h"

class TdmLCXS;

namespace members {

// The club's name and address from LCX_ClubData (empty texts when there is no row).
club::reports::ClubAddress clubAddressOf(TdmLCXS& dm);

// Colour code -> name, for the ring list printout.
QMap<QString, QString> colourNamesOf(const ColourTable& colours);

}  // namespace members
