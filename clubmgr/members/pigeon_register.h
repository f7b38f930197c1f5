#pragma once
// Saving and deleting pigeons of the ring panel, and the feather colour table.

#include "pigeon_codes.h"
#include "ring_number.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

class TdmLCXS;

namespace members {

// What the ring entry area holds when "Save" is pressed.
struct PigeonEntry {
    RingParts parts;
    QString upper;       // upper registration number, empty unless a range is entered
    QString sexText;     // text of the sex box
    QString colourName;  // text of the colour box
    QString comment;
    QString team;
};

struct PigeonSaveResult {
    bool ok = false;
    QString error;         // an entry problem: nothing was written
    QString storeError;    // the database refused a row: the rows before it are stored
    QString ringNo;        // the ring the list should move to
    bool updated = false;  // an existing pigeon was changed
    int inserted = 0;
    QStringList skipped;   // range numbers already taken, not added again
};

// The selection the ring panel hands in: the pigeon selected in the list (its ring
// number, empty when none) and whether the entry area shows it (selected-ring mode).
struct RingSelection {
    QString ringNo;
    bool selectedMode = false;
};

// Save of the ring panel for the loft whose list is open:
//  - selected-ring mode updates the selected pigeon's sex, colour, comment and team;
//  - otherwise the ring number (or range) is composed; a free first number inserts the
//    pigeon or the whole range, skipping any later number already taken; a taken first
//    number that is the selected pigeon's updates it, any other taken number is refused
//    with a message naming its loft, so no other pigeon is changed by mistake.
// Entry errors (a number that must be whole) write nothing. Throws DbError only from
// the first lookups; a failing insert keeps the rings before it and sets storeError.
PigeonSaveResult savePigeon(TdmLCXS& dm, const QString& loftNo, const PigeonEntry& entry,
                            const ColourTable& colours, const RingSelection& selection, const QDateTime& now);

// One message naming the rings a range skipped (at most a screenful of them).
QString skippedRingsMessage(const QStringList& rings);

ColourTable loadColours(TdmLCXS& dm);

}  // namespace members
