#include "clock_readout.h"

#include "clock_session.h"
#include "clock_values.h"
#include "clockop_queries.h"
#include "db_transaction.h"
#include "device_link.h"
#include "dm_lcxs.h"
#include "flight_math.h"
#include "module_state.h"
#include "prompter.h"

#include <racetimer.h>

#include <cmath>

namespace clockops {

ArrivalEntry EntryFromRecord(const QString &record)
{
    ArrivalEntry e;
    e.filled = true;
    e.ringId = record.mid(0, 8) + record.mid(12, 2);
    e.tagRandom = record.mid(12, 2);
    e.realRandom = record.mid(28, 2);
    e.arrival = record.mid(32, 16);
    e.uidReal = record.mid(48, 8);
    if (e.uidReal == QLatin1String("00000000"))
        e.uidReal.clear();
    return e;
}

QList<ArrivalEntry> ReadRecords(ClockOpShared &shared, const QByteArray &raceId, int *accepted)
{
    ModuleState &m = Modules();
    ClockOpValues &v = shared.values;
    const uint32_t port = static_cast<uint32_t>(m.ClockPort);
    QList<ArrivalEntry> table;
    *accepted = 0;
    uint32_t count = 0;
    if (PGT_GetRaceTagCount(port, raceId.constData(), 128, &count) != 0) {
        table.resize(static_cast<qsizetype>(count));
        const QByteArray sysId = ZeroTerminated(m.SysIdBytes.left(8));
        const QByteArray devNo = m.DeviceNo.toLatin1();
        for (uint32_t i = 0; i < count; ++i) {
            char record[128] = {};
            if (PGT_GetRaceRecord(port, raceId.constData(), 128, static_cast<uint16_t>(i), record) == 0) {
                // A clock that stopped answering is not asked for every further record:
                // each question would wait out the whole time-out.
                if (link::ClockGetErrCode(port) >= 257)
                    break;
                continue;
            }
            if (PGT_CheckRecord(record, sysId.constData(), devNo.constData(), raceId.constData(),
                                reinterpret_cast<const uint8_t *>(m.RaceIdCode.constData()))
                == 0) {
                shared.context.prompter->message(QString::fromUtf8("MAC Code 不合 PigeonRec ！PigeonRec=")
                                                 + QString::fromLatin1(record));
                continue;
            }
            ++*accepted;
            table[static_cast<qsizetype>(i)] = EntryFromRecord(QString::fromLatin1(record));
        }
    }
    if (PGT_VerifyRace(port, raceId.constData(), reinterpret_cast<const uint8_t *>(m.RaceIdCode.constData())) == 0)
        throw ClockOpError("PGT_VerifyRace Fail !");
    if (PGT_CloseRace_V2(port, raceId.constData(), OleFromDateTime(QDateTime::currentDateTime())) == 0)
        throw ClockOpError("PGT_CloseRace Fail !");
    double t2Device = 0.0, t2Auth = 0.0;
    if (PGT_GetRaceT2Device_V2(port, raceId.constData(), &t2Device) == 0
        || PGT_GetRaceT2Auth_V2(port, raceId.constData(), &t2Auth) == 0)
        throw ClockOpError("PGT_GetRaceT2Device Fail !");
    bool ok = false;
    const QString deviceNo = m.clock ? m.clock->ReadDeviceNo(&ok) : QString();
    if (!ok)
        throw ClockOpError("IFDGetDevNo Fail !");
    m.DeviceNo = deviceNo;
    // Whole seconds, truncated toward zero; the difference of two date values is first
    // brought to whole milliseconds, or 5 s would come out as 4.999... and truncate to 4.
    const long long deviationMs = std::llround((t2Device - t2Auth) * 86400000.0);
    v.TimeVari = static_cast<int>(deviationMs / 1000);
    if (*accepted < 1) {
        shared.context.prompter->message("Clock no record be uploaded   ! ");
        return table;
    }
    clockq::recordRaceClockUpload(*shared.context.dm, v.CurLiberCode, v.CurLiberDate, m.DeviceNo,
                                  DateTimeFromOle(t2Auth), DateTimeFromOle(t2Device));
    return table;
}

void WriteResults(ClockOpShared &shared, const QList<ArrivalEntry> &table)
{
    TdmLCXS &dm = *shared.context.dm;
    ClockOpValues &v = shared.values;
    Prompter &ui = *shared.context.prompter;
    // What every entry of this clock shares: the race, its sun table and the loft's distance.
    QTime liberTime(0, 0);
    for (const clockq::RaceRow &r : clockq::races(dm))
        if (r.liberCode == v.CurLiberCode && r.liberDate == v.CurLiberDate && r.liberTime.isValid())
            liberTime = r.liberTime;
    const QDateTime liberation(v.CurLiberDate, liberTime);
    QVector<club::SunRow> sun;
    for (const clockq::SunTableRow &r : clockq::sunRows(dm, v.CurRaceCode))
        sun << club::SunRow{r.raceDate, r.sunSet, r.sunRise, QString()};
    const int distance = clockq::distanceOf(dm, v.CurLiberCode, v.CurLoftNo);

    // One clock's results are written together: a statement that fails leaves none of
    // them, so a clock is never half in the result list (and 2,000 arrivals do not cost
    // 2,000 separate commits).
    DbTransaction transaction(dm);
    const clockq::ReadoutLookups known = clockq::readoutLookups(dm, v.CurLiberCode, v.CurLiberDate);
    clockq::ResultWriter writer(dm, v.CurLiberCode, v.CurLiberDate);
    for (const ArrivalEntry &e : table) {
        if (!e.filled)
            continue;
        const auto pigeon = known.pRingNoByERing.constFind(e.ringId.left(8));
        if (pigeon == known.pRingNoByERing.constEnd()) {
            // Never attributed to another pigeon.
            ui.message("PRingNo not found in this race (" + e.ringId.left(8) + ")!!");
            continue;
        }
        const QString &pRingNo = *pigeon;
        if (known.entriesOfPigeon.value(pRingNo) != 1) {
            ui.message("PRingNo not found in this race (" + pRingNo + ")!!");
            continue;
        }
        int ms = 0;
        const QDateTime arrivalWall = ClockTimeToDateTime(e.arrival, &ms);
        const QString backTime = ClockTimeToText(e.arrival);
        const QDateTime arrival = arrivalWall.addMSecs(ms);
        const long long seconds =
            club::FlyingSeconds(v.TimeVari, liberation, arrival, sun, club::Rounding::HalfAway);
        if (e.tagRandom != e.realRandom) {
            ui.message("Security Code not match !! ");
            writer.reject(pRingNo, e.uidReal, e.realRandom);
            continue;
        }
        if (!e.uidReal.isEmpty() && !known.knownUids.contains(e.uidReal)) {
            ui.message("UID Not Match  !!");
            writer.reject(pRingNo, e.uidReal, e.realRandom);
            continue;
        }
        clockq::ResultWrite r;
        r.backTime = backTime;
        r.flyTime = club::SecondsToFlyTime(seconds);
        r.flySpeed = club::FlySpeed(distance, seconds);
        r.dist = distance;
        r.clockId = Modules().DeviceNo;
        r.uidReal = e.uidReal;
        r.timeVari = v.TimeVari;
        r.realRandom = e.realRandom;
        writer.write(pRingNo, r);
    }
    transaction.commit();
}

} // namespace clockops
