// Which serial port a device module opens.
//
// An explicit port in LCXS.ini wins: [Parameter] ReaderPort= for the ring reader module,
// ClockPort= for the race clock module, Port= for both. Without one, the system's serial
// ports are listed; when there is exactly one it is used, otherwise the first port.
#pragma once

#include <QString>
#include <QStringList>

namespace clockops {

inline constexpr char kDefaultPort[] = "/dev/ttyS0";

enum class ModuleKind { Reader, Clock };

// Serial devices of the system, sorted: /dev/ttyS* whose UART really exists (the kernel
// creates the nodes anyway), /dev/ttyUSB* and /dev/ttyACM*. The roots can be moved for tests.
QStringList SystemSerialPorts(const QString &devRoot = QStringLiteral("/dev"),
                              const QString &sysTtyRoot = QStringLiteral("/sys/class/tty"));

// The rule: the explicit port when set; exactly one system port; else the default port.
QString ChoosePort(const QString &explicitPort, const QStringList &systemPorts);

// The explicit port setting for a module kind from LCXS.ini ("" when none).
QString ExplicitPortSetting(ModuleKind kind);

// Process-wide override used by the demo mode (empty clears it); wins over LCXS.ini.
void SetPortOverride(ModuleKind kind, const QString &port);

// Everything together, as a module does it when it is created.
QString FindPort(ModuleKind kind);

} // namespace clockops
