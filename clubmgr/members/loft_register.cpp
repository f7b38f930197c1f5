#include "loft_register.h"

#include "db_error.h"
#include "db_transaction.h"
#include "dm_lcxs.h"
#include "pigeon_codes.h"

namespace members {

LoftSaveResult saveLoft(TdmLCXS& dm, LoftRow loft, const QDateTime& now)
{
    LoftSaveResult result;
    if (loft.loftNo.isEmpty() || loft.loftName.isEmpty()) {
        result.message = QStringLiteral("Set new Member find data entry error !");
        return result;
    }
    loft.notes = withoutLineBreaks(loft.notes);
    DbTransaction tx(dm);
    if (findLoft(dm, loft.loftNo)) {
        updateLoft(dm, loft, now);
    } else {
        insertLoft(dm, loft, now);
        for (const QString& site : selectSiteCodes(dm))
            insertLoftDistanceRow(dm, site, loft.loftNo);
        result.inserted = true;
    }
    tx.commit();
    result.saved = true;
    return result;
}

QString deleteLoftQuestion(int pigeonCount)
{
    return QStringLiteral("This Loft has %1 pigeon records, Do you want delete all data ?").arg(pigeonCount);
}

void deleteLoft(TdmLCXS& dm, const QString& loftNo, bool withPigeons)
{
    {
        DbTransaction tx(dm);
        if (withPigeons)
            deleteLoftPigeons(dm, loftNo);
        deleteLoftRow(dm, loftNo);
        tx.commit();
    }
    try {
        deleteLoftDistanceRows(dm, loftNo);
    } catch (const DbError&) {
        // The loft is gone either way; a stale distance row shows an empty name.
    }
}

}  // namespace members
