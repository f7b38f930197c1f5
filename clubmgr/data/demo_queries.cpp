#include "demo_queries.h"

#include "dm_lcxs.h"

#include <QSqlQuery>

namespace demoq {

QList<DemoPigeon> demoPigeons(TdmLCXS& dm)
{
    QSqlQuery q = dm.exec("SELECT PRingNo, UID, E_Ring, RandomCode FROM LCX_PigData ORDER BY LoftNo, PRingNo");
    QList<DemoPigeon> out;
    while (q.next())
        out << DemoPigeon{q.value(0).toString(), q.value(1).toString(), q.value(2).toString(), q.value(3).toInt()};
    return out;
}

QVariant newestEntryCode(TdmLCXS& dm, const QString& pRingNo)
{
    return dm.scalar("SELECT RandomCode FROM LCX_PigRaceData WHERE PRingNo = ? AND MarkedTime IS NOT NULL "
                     "ORDER BY MarkedTime DESC LIMIT 1",
                     {pRingNo});
}

} // namespace demoq
