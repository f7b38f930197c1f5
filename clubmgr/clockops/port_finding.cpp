#include "port_finding.h"

#include "settings_file.h"

#include <QDir>
#include <QFile>

namespace clockops {

namespace {

QString &overrideFor(ModuleKind kind)
{
    static QString reader;
    static QString clock;
    return kind == ModuleKind::Reader ? reader : clock;
}

// A ttyS node is a real port when the kernel found a UART behind it (type is not 0).
bool UartPresent(const QString &sysTtyRoot, const QString &name)
{
    QFile type(sysTtyRoot + QLatin1Char('/') + name + QStringLiteral("/type"));
    if (!type.open(QIODevice::ReadOnly))
        return false;
    bool ok = false;
    const int value = QString::fromLatin1(type.readAll()).trimmed().toInt(&ok);
    return ok && value != 0;
}

} // namespace

QStringList SystemSerialPorts(const QString &devRoot, const QString &sysTtyRoot)
{
    QDir dev(devRoot);
    QStringList ports;
    const QStringList names = dev.entryList({QStringLiteral("ttyS*"), QStringLiteral("ttyUSB*"),
                                             QStringLiteral("ttyACM*")},
                                            QDir::System | QDir::Files | QDir::NoDotAndDotDot);
    for (const QString &name : names) {
        if (name.startsWith(QLatin1String("ttyS")) && !UartPresent(sysTtyRoot, name))
            continue;
        ports << dev.filePath(name);
    }
    ports.sort();
    return ports;
}

QString ChoosePort(const QString &explicitPort, const QStringList &systemPorts)
{
    if (!explicitPort.trimmed().isEmpty())
        return explicitPort.trimmed();
    if (systemPorts.size() == 1)
        return systemPorts.front();
    return QString::fromLatin1(kDefaultPort);
}

QString ExplicitPortSetting(ModuleKind kind)
{
    const QString specific = ReadParameter(kind == ModuleKind::Reader ? QStringLiteral("ReaderPort")
                                                                      : QStringLiteral("ClockPort"));
    if (!specific.isEmpty())
        return specific;
    return ReadParameter(QStringLiteral("Port"));
}

void SetPortOverride(ModuleKind kind, const QString &port)
{
    overrideFor(kind) = port;
}

QString FindPort(ModuleKind kind)
{
    if (!overrideFor(kind).isEmpty())
        return overrideFor(kind);
    const QString explicitPort = ExplicitPortSetting(kind);
    if (!explicitPort.isEmpty())
        return explicitPort;
    return ChoosePort(QString(), SystemSerialPorts());
}

} // namespace clockops
