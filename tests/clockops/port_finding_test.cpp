#include "port_finding.h"
#include "settings_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace clockops;

namespace {

void Touch(const QString &path, const QByteArray &content = QByteArray())
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
}

} // namespace

TEST(PortFinding, ExactlyOnePortElseTheFirst)
{
    const QString def = QString::fromLatin1(kDefaultPort);
    EXPECT_EQ(ChoosePort(QString(), {}), def);
    EXPECT_EQ(ChoosePort(QString(), {"/dev/ttyUSB3"}), QStringLiteral("/dev/ttyUSB3"));
    EXPECT_EQ(ChoosePort(QString(), {"/dev/ttyS0", "/dev/ttyUSB0"}), def);
    EXPECT_EQ(ChoosePort(QStringLiteral(" /dev/pts/7 "), {"/dev/ttyUSB0", "/dev/ttyUSB1"}),
              QStringLiteral("/dev/pts/7"));
}

TEST(PortFinding, OnlyUartsThatExistCount)
{
    QTemporaryDir root;
    const QString dev = root.filePath("dev"), sys = root.filePath("sys");
    Touch(dev + "/ttyS0"); Touch(sys + "/ttyS0/type", "4\n");  // a real 16550A
    Touch(dev + "/ttyS1"); Touch(sys + "/ttyS1/type", "0\n");  // node without a UART
    Touch(dev + "/ttyS2");                                      // nothing known about it
    Touch(dev + "/ttyUSB0");
    Touch(dev + "/ttyACM1");
    Touch(dev + "/tty0");
    EXPECT_EQ(SystemSerialPorts(dev, sys),
              QStringList({dev + "/ttyACM1", dev + "/ttyS0", dev + "/ttyUSB0"}));

    QTemporaryDir onlyUsb;
    Touch(onlyUsb.filePath("ttyUSB0"));
    Touch(onlyUsb.filePath("ttyS0"));
    EXPECT_EQ(ChoosePort(QString(), SystemSerialPorts(onlyUsb.path(), onlyUsb.filePath("nosys"))),
              onlyUsb.filePath("ttyUSB0"));
}

TEST(PortFinding, IniSettingsPerModuleAndOverride)
{
    QTemporaryDir folder;
    Touch(folder.filePath("LCXS.ini"),
          "[Other]\nPort=/dev/wrong\n[parameter]\nSysID = 123\n port=/dev/ttyUSB9\nClockPort=/dev/pts/4\n");
    SetSettingsFolder(folder.path());
    EXPECT_EQ(ReadParameter("SysID"), QStringLiteral("123"));
    EXPECT_EQ(ReadParameter("CountryRingCode", "none"), QStringLiteral("none"));
    EXPECT_EQ(FindPort(ModuleKind::Reader), QStringLiteral("/dev/ttyUSB9"));
    EXPECT_EQ(FindPort(ModuleKind::Clock), QStringLiteral("/dev/pts/4"));
    SetPortOverride(ModuleKind::Reader, "/dev/pts/11");
    EXPECT_EQ(FindPort(ModuleKind::Reader), QStringLiteral("/dev/pts/11"));
    SetPortOverride(ModuleKind::Reader, QString());
    SetSettingsFolder(QString());
}

TEST(PortFinding, MissingIniGivesNoSetting)
{
    QTemporaryDir folder;
    SetSettingsFolder(folder.path());
    EXPECT_EQ(ExplicitPortSetting(ModuleKind::Clock), QString());
    EXPECT_EQ(ReadParameter("SysID"), QString());
    SetSettingsFolder(QString());
}
