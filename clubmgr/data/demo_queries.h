#pragma once

#include <QList>
#include <QString>
#include <QVariant>

class TdmLCXS;

// Statements of the demo devices' control window.
namespace demoq {

struct DemoPigeon {
    QString pRingNo, uid, eRing;
    int randomCode = 0;
};
// Every pigeon of the register, by loft and ring number.
QList<DemoPigeon> demoPigeons(TdmLCXS& dm);

// RandomCode of the pigeon's most recently marked race entry; null when it has none.
QVariant newestEntryCode(TdmLCXS& dm, const QString& pRingNo);

} // namespace demoq
