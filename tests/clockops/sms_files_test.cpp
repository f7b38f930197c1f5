#include "sms_files.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace clockops;

TEST(SmsLines, MemberLine)
{
    EXPECT_EQ(CoteLine({"01234", "Jan Peeters", "", "E004'21:30.25", "N050'51:10.50"}),
              QStringLiteral("01234     ") + QStringLiteral("Jan Peeters").leftJustified(30)
                  + QString(15, ' ') + "E0042130.25" + "N0505110.50");
    // Long number and name are cut; a long phone number is written whole.
    const QString line = CoteLine({"ABCDEFGHIJKL", QString(35, 'n'), "0123456789012345", "", ""});
    EXPECT_EQ(line, QStringLiteral("ABCDEFGHIJ") + QString(30, 'n') + "0123456789012345");
}

TEST(SmsLines, RingLine)
{
    const QString line = RingLine({"01234", "Jan", "BE-14-1234567", "0A1B2C3D", "E0040100", "  blue bar  "});
    EXPECT_EQ(line, QStringLiteral("01234     ") + QStringLiteral("Jan").leftJustified(30)
                        + QStringLiteral("BE-14-1234567").leftJustified(20) + "0A1B2C3D" + "E0040100"
                        + "      " + "blue bar" + QString(18, ' '));
    // A long loft number: first 10 characters, trimmed, and still 10 columns wide.
    EXPECT_EQ(RingLine({" 123456789XYZ", "", "", "", "", ""}).left(10), QStringLiteral("123456789 "));
    // A pigeon without ring keeps the comment in its column.
    const QString noRing = RingLine({"1", "", "P", "", "", QString(40, 'c')});
    EXPECT_EQ(noRing.size(), 10 + 30 + 20 + 8 + 8 + 6 + 30);
    EXPECT_EQ(noRing.right(30), QString(30, 'c'));
}

TEST(SmsLines, RaceLine)
{
    SmsRaceRow race{"AB120819", "Orleans", QDate(2014, 8, 19), QTime(6, 30), QString("E001'54:30"),
                    QString("N047'54:10")};
    EXPECT_EQ(VlroKeyLine(race), QStringLiteral("AB120819") + QStringLiteral("Orleans").leftJustified(20)
                                     + QString(16, ' ') + "2014/08/1906:30:00" + "2014/08/2118:00:00"
                                     + "E0015430" + "N0475410");
    race.liberLon.reset();
    race.liberLat.reset();
    EXPECT_TRUE(VlroKeyLine(race).endsWith(QString(26, ' ')));
}

TEST(SmsFiles, CrLfLatin1AndReplaced)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("RING.txt");
    ASSERT_TRUE(WriteSmsFile(path, SmsFileBytes({"old", "lines", "here"})).isEmpty());
    const QByteArray bytes = SmsFileBytes({QStringLiteral("M\u00fcller"), "B"});
    EXPECT_EQ(bytes, QByteArray("M\xfcller\r\nB\r\n"));
    ASSERT_TRUE(WriteSmsFile(path, bytes).isEmpty());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), bytes);
    EXPECT_FALSE(WriteSmsFile(dir.filePath("no/such/folder/COTE.txt"), bytes).isEmpty());
}
