#include "club_ini.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(ClubIni, ReadsValuesAsWrittenAndWritesInPlace)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("LCXS.ini");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("; club settings\r\n[Other]\r\nSysID=X\r\n[parameter]\r\nCountryRingCode= AU, ,NL,\r\nsysid=1234\r\n");
    f.close();
    EXPECT_EQ(readIniValue(path, "Parameter", "CountryRingCode"), "AU, ,NL,");
    EXPECT_EQ(readIniValue(path, "Parameter", "SysID"), "1234");
    EXPECT_EQ(readIniValue(path, "Parameter", "Port", "none"), "none");
    EXPECT_EQ(readIniValue(dir.filePath("missing.ini"), "Parameter", "SysID", "d"), "d");

    ASSERT_TRUE(writeIniValue(path, "Parameter", "SysID", "00000042"));
    ASSERT_TRUE(writeIniValue(path, "Parameter", "Port", "/dev/ttyUSB0"));
    ASSERT_TRUE(writeIniValue(path, "New", "Key", "v"));
    EXPECT_EQ(readIniValue(path, "Parameter", "SysID"), "00000042");
    EXPECT_EQ(readIniValue(path, "Parameter", "Port"), "/dev/ttyUSB0");
    EXPECT_EQ(readIniValue(path, "Other", "SysID"), "X");
    EXPECT_EQ(readIniValue(path, "New", "Key"), "v");
    EXPECT_EQ(readIniValue(path, "Parameter", "CountryRingCode"), "AU, ,NL,");
}

} // namespace
