#include "device_modules.h"

#include "clock_values.h"
#include "device_link.h"
#include "port_finding.h"
#include "settings_file.h"

using namespace clockops;

namespace {
constexpr char kClockSettings[] = "baud=115200;timeout=2000";
}

TPigModuV6::TPigModuV6()
{
    PortName = FindPort(ModuleKind::Clock);
    PortHandle = static_cast<int32_t>(link::ClockOpenPort(PortName.toLocal8Bit().constData(), kClockSettings));
    PortValid = PortHandle != 0 && link::ClockIsPortValid(static_cast<uint32_t>(PortHandle)) != 0;
    EncodeSysId(ReadParameter(QStringLiteral("SysID")), &SysIdHex, &SysIdCode);
}

TPigModuV6::~TPigModuV6()
{
    if (PortValid)
        link::ClockClosePort(static_cast<uint32_t>(PortHandle));
}

void TPigModuV6::EncodeSysId(const QString &sysId, QString *hex, QString *code)
{
    const QByteArray padded = PadSysId(sysId);
    uint8_t out[8] = {};
    link::DesEncrypt(out, reinterpret_cast<const uint8_t *>(padded.constData()),
                     reinterpret_cast<const uint8_t *>(kClubKey));
    *hex = BytesToHex(padded, 1, 8);
    *code = BytesToHex(out, 8);
}

bool TPigModuV6::ReadDeviceNo(char *buffer)
{
    return link::ClockGetDevNo(static_cast<uint32_t>(PortHandle), buffer) != 0;
}

QString TPigModuV6::ReadDeviceNo(bool *ok)
{
    char buffer[16] = {};
    const bool read = ReadDeviceNo(buffer);
    if (ok)
        *ok = read;
    return read ? TextUpToZero(buffer, 9) : QString();
}

QByteArray TPigModuV6::SysIdBytes() const
{
    uint8_t bytes[8] = {};
    link::HexToBin(SysIdHex.toLatin1().constData(), bytes, 8);
    return QByteArray(reinterpret_cast<const char *>(bytes), 8);
}

QByteArray TPigModuV6::SysIdCodeBytes() const
{
    uint8_t bytes[8] = {};
    link::HexToBin(SysIdCode.toLatin1().constData(), bytes, 8);
    return QByteArray(reinterpret_cast<const char *>(bytes), 8);
}

bool TPigModuV6::Connect()
{
    const QByteArray id = SysIdBytes();
    const QByteArray code = SysIdCodeBytes();
    return link::ClockConnect(static_cast<uint32_t>(PortHandle), reinterpret_cast<const uint8_t *>(id.constData()),
                              reinterpret_cast<const uint8_t *>(code.constData()))
           != 0;
}

int32_t TPigModuV6::CoordinateToMs(const QString &compact)
{
    return clockops::CoordinateToMs(compact);
}
