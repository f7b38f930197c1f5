#pragma once
// Moving the pigeon register to and from a spreadsheet workbook (.xlsx).

#include <QDateTime>
#include <QString>
#include <QStringList>

class TdmLCXS;

namespace members {

// The file dialogs' filter of both buttons.
inline QString workbookFilter()
{
    return QStringLiteral("Excel File|*.xlsx");
}

struct ExportResult {
    bool ok = false;
    int pigeons = 0;
    QString error;  // "Data transfer error: ..." when not ok
};

// Every pigeon of every loft, ordered by loft and ring number, to sheet "Sheet1" with the
// nine columns LoftNo .. E_Ring; columns C and E are text so leading zeros stay.
// A failed export leaves an existing file untouched. Throws DbError.
ExportResult exportPigeons(TdmLCXS& dm, const QString& path);

struct ImportResult {
    bool opened = false;     // false: the file could not be read, nothing changed
    int inserted = 0;
    int updated = 0;
    QStringList otherLoft;   // "row 5: AU14-B-0007 (loft 002)": ring taken by another loft, not imported
    QString error;           // why the import stopped (nothing read, or the failing row)
    int failedRow = 0;       // sheet row (from 1) that stopped the import, 0 when none
};

// Reads the first worksheet: exactly seven used columns is the hand-made layout, any other
// count the exported one (ring number from H when filled, E_Ring from I). Rows 2 to the
// last used row; a row with no value at all is passed over. A ring number of the same loft
// updates sex, colour (and E_Ring); a free one inserts the pigeon; one that another loft
// holds is not imported and listed. One transaction; a failing row stops the import and
// the rows before it stay stored.
ImportResult importPigeons(TdmLCXS& dm, const QString& path, const QDateTime& now);

// The one message after an import that passed over rows of other lofts; empty when none.
QString otherLoftMessage(const QStringList& rows);

}  // namespace members
