#pragma once
// The loft register: saving and deleting lofts (club members) with their distance rows.

#include "member_queries.h"

#include <QDateTime>
#include <QString>

class TdmLCXS;

namespace members {

struct LoftSaveResult {
    bool saved = false;
    bool inserted = false;  // a new loft; false when an existing one was updated
    QString message;        // the entry check's message when nothing was saved
};

// Saves the entry form: a loft number and name are required; the notes lose their line
// breaks; a new loft number inserts the loft and one distance row (0, 0) per liberation
// site, a known one updates that loft (and adds no distance rows). Insert and distance
// rows are written together or not at all. Throws DbError.
LoftSaveResult saveLoft(TdmLCXS& dm, LoftRow loft, const QDateTime& now);

// The question asked before deleting a loft that still has pigeons.
QString deleteLoftQuestion(int pigeonCount);

// Deletes the loft row (with its pigeons when withPigeons) and then its distance rows,
// whose failure is ignored. Clocks and race entries stay. Throws DbError.
void deleteLoft(TdmLCXS& dm, const QString& loftNo, bool withPigeons);

}  // namespace members
