#include "clock_load.h"

#include "clock_session.h"
#include "clock_values.h"
#include "dm_lcxs.h"
#include "module_state.h"
#include "prompter.h"

#include <QApplication>

#include <racetimer.h>

namespace clockops {

namespace {

QByteArray Latin(const QString &s)
{
    return s.toLatin1();
}

void Require(int16_t status, const char *message)
{
    if (status == 0)
        throw ClockOpError(QString::fromUtf8(message));
}

// Steps after the tag list that training and race loads share, up to the race's creation.
void PrepareSite(ClockOpShared &shared, uint32_t port, uint8_t firstUploadValue, const char *devNoFailure)
{
    int32_t lon = 0, lat = 0;
    LoftPositionMs(shared, shared.values.CurLoftNo, &lon, &lat);
    bool ok = false;
    const QString deviceNo = Modules().clock ? Modules().clock->ReadDeviceNo(&ok) : QString();
    if (!ok)
        throw ClockOpError(QString::fromUtf8(devNoFailure));
    Modules().DeviceNo = deviceNo;
    Require(PGT_SetUploadMode(port, firstUploadValue, 131, 120), "PGT_SetUploadMode Fail !");
    Require(PGT_SetSiteInfo(port, shared.values.CurLoftNo.toUtf8().constData(), lon, lat), "PGT_SetSiteInfo Fail !");
}

void ConfirmAndDescribe(uint32_t port, const QByteArray &raceId, const char *desc)
{
    Require(PGT_SetRaceDesc(port, raceId.constData(), desc), "Error in PGT_SetRaceDesc ! ");
    Require(PGT_SetRaceMode(port, raceId.constData(), 128), "Error in PGT_SetRaceMode ! ");
    ModuleState &m = Modules();
    m.RaceIdCode = RaceIdCodeFor(QString::fromLatin1(raceId), m.SysIdCodeBytes);
    Require(PGT_ConfirmRace_V2(port, raceId.constData(), reinterpret_cast<const uint8_t *>(m.RaceIdCode.constData()),
                               OleFromDateTime(QDateTime::currentDateTime())),
            "Error in PGT_ConfirmRace ! ");
}

QByteArray Owner()
{
    return ZeroTerminated(Modules().SysIdBytes.left(8));
}

} // namespace

void SendTagList(ClockOpShared &shared, uint32_t port, const QList<clockq::PigeonRow> &pigeons)
{
    Prompter &ui = *shared.context.prompter;
    if (PGT_StartTag(port, 0) == 0) {
        ui.message("Error in PGT_StartTag ! ");
    } else {
        for (const clockq::PigeonRow &p : pigeons) {
            if (PGT_SetTag(port, Latin(TagRecord(p.eRing, p.randomCode)).constData(), 0, Latin(p.uid).constData(),
                           Latin(RegistrationLabel(p.rRegNumber)).constData())
                == 0)
                ui.message("Error in PGT_SetTag : " + p.pRingNo);
        }
    }
    uint32_t count = 0;
    if (PGT_CloseTag(port, &count) == 0)
        ui.message("Error in PGT_CloseTag ! ");
}

void LoftPositionMs(ClockOpShared &shared, const QString &loftNo, int32_t *lon, int32_t *lat)
{
    const auto loft = clockq::loftByNo(*shared.context.dm, loftNo);
    *lon = loft ? StoredCoordinateToMs(loft->loftLon) : 0;
    *lat = loft ? StoredCoordinateToMs(loft->loftLat) : 0;
}

void LoadTrainingFlight(ClockOpShared &shared, const QList<clockq::PigeonRow> &pigeons)
{
    const uint32_t port = static_cast<uint32_t>(Modules().ClockPort);
    const QByteArray raceId(kTrainingRaceId);
    ConnectClock();
    SendTagList(shared, port, pigeons);
    PrepareSite(shared, port, 130, "IFDGetDevNo 失敗 !");
    Require(PGT_CreateRace(port, raceId.constData(), Owner().constData()), "Error in PGT_CreateRace ! ");
    ConfirmAndDescribe(port, raceId, "Train");
    Require(PGT_StartRace(port, raceId.constData(), 1), "Error in PGT_StartRace ! ");
    QApplication::beep();
    clockq::recordLoftClock(*shared.context.dm, shared.values.CurLoftNo, Modules().DeviceNo, QDateTime::currentDateTime());
}

QDateTime LoadRace(ClockOpShared &shared, const QList<clockq::PigeonRow> &entries)
{
    ClockOpValues &v = shared.values;
    const uint32_t port = static_cast<uint32_t>(Modules().ClockPort);
    const QByteArray raceId = Latin(RaceIdentifier(v.CurRaceCode));
    ConnectClock();
    SendTagList(shared, port, entries);
    PrepareSite(shared, port, 131, "IFDGetDevNo Fail !");
    Require(PGT_CreateRace(port, raceId.constData(), Owner().constData()), "Error in PGT_CreateRace ! ");
    for (const clockq::PigeonRow &p : entries) {
        if (PGT_AddRaceTag(port, raceId.constData(), Latin(TagRecord(p.eRing, p.randomCode)).constData(),
                           Latin(p.uid).constData())
            == 0)
            shared.context.prompter->message("Error in PGT_AddRaceTag : " + p.pRingNo);
    }
    ConfirmAndDescribe(port, raceId, "Race");
    const QDateTime loaded = QDateTime::currentDateTime();
    Require(PGT_StartRace(port, raceId.constData(), 3), "Error in PGT_StartRace ! ");
    QApplication::beep();
    TdmLCXS &dm = *shared.context.dm;
    const QString deviceNo = Modules().DeviceNo;
    try {
        clockq::setClockOfLoftEntries(dm, deviceNo, v.CurLiberCode, v.CurLiberDate, v.CurLoftNo);
    } catch (const std::exception &) {
        // The clock identity on the entries is a convenience; the load itself stands.
    }
    clockq::recordRaceClockLoad(dm, v.CurLiberCode, v.CurLiberDate, v.CurLoftNo, deviceNo, loaded);
    clockq::recordLoftClock(dm, v.CurLoftNo, deviceNo, QDateTime::currentDateTime());
    return loaded;
}

} // namespace clockops
