#include "clock_session.h"

#include "clock_values.h"
#include "device_link.h"
#include "module_state.h"

#include <cmath>

namespace clockops {

void ConnectClock()
{
    ModuleState &m = Modules();
    if (m.clock) {
        m.SysIdBytes = m.clock->SysIdBytes();
        m.SysIdCodeBytes = m.clock->SysIdCodeBytes();
    }
    if (link::ClockConnect(static_cast<uint32_t>(m.ClockPort), reinterpret_cast<const uint8_t *>(m.SysIdBytes.constData()),
                           reinterpret_cast<const uint8_t *>(m.SysIdCodeBytes.constData()))
        == 0)
        throw ClockOpError("IFD_Connect NOT OK !");
}

QByteArray RaceIdCodeFor(const QString &raceId, const QByteArray &sysIdCodeBytes)
{
    QByteArray in = raceId.toLatin1().left(8);
    in.append(QByteArray(8 - in.size(), '\0'));
    QByteArray key = sysIdCodeBytes.left(8);
    key.append(QByteArray(8 - key.size(), '\0'));
    uint8_t out[8] = {};
    link::DesEncrypt(out, reinterpret_cast<const uint8_t *>(in.constData()), reinterpret_cast<const uint8_t *>(key.constData()));
    return QByteArray(reinterpret_cast<const char *>(out), 8);
}

double OleFromDateTime(const QDateTime &moment)
{
    const QDate zero(1899, 12, 30);
    return static_cast<double>(zero.daysTo(moment.date())) + moment.time().msecsSinceStartOfDay() / 86400000.0;
}

QDateTime DateTimeFromOle(double ole)
{
    if (ole == 0.0)
        return QDateTime();
    const double days = std::floor(ole);
    const qint64 ms = std::llround((ole - days) * 86400000.0);
    return QDateTime(QDate(1899, 12, 30).addDays(static_cast<qint64>(days)), QTime(0, 0)).addMSecs(ms);
}

QByteArray ZeroTerminated(const QByteArray &bytes)
{
    QByteArray out = bytes;
    out.append('\0');
    return out;
}

} // namespace clockops
