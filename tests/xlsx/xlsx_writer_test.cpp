// The writer: round trips through our reader, a check of the file by openpyxl (another
// program's reading of column formats and sheet names), and failed saves.
#include "xlsx_reader.h"
#include "xlsx_writer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

void fillPigeonSheet(xlsx::WorkbookWriter& book)
{
    const int s = book.addSheet(QStringLiteral("Sheet1"));
    book.setColumn(s, 2, -1, xlsx::CellStyle::text());
    book.setColumn(s, 4, 12, xlsx::CellStyle::text());
    book.setRow(s, 0, {"LoftNo", "RCountry", "RYear", "RRegLetter", "RRegNumber", "Sex", "ColorType",
                       "PRingNo", "E_Ring"}, xlsx::CellStyle::header());
    book.setRow(s, 1, {"001", "AU", "14", "B", "0007", "Cock", "BL", "AU14-B-0007", ""});
    book.setRow(s, 2, {"O'Neil", "BELG", "2014", "", "00567", "Hen", "", "BELG1400567", "1A2B3C4D"});
    book.setRow(s, 3, {QString::fromUtf8("鴿舍"), "NL", "2015", "", "98", "Hen", "W", "NL1598", ""});
    book.setNumber(s, 4, 0, 2014);
    book.setNumber(s, 4, 1, 1234.5678, xlsx::CellStyle::number(QStringLiteral("0.000")));
    book.setDateTime(s, 4, 2, QDateTime(QDate(2014, 8, 19), QTime(7, 5, 9, 250)),
                     xlsx::CellStyle::number(QStringLiteral("yyyy/mm/dd hh:mm:ss")));
}

}  // namespace

TEST(XlsxWriter, RoundTripThroughOurReader)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("pigeons.xlsx"));
    xlsx::WorkbookWriter book;
    fillPigeonSheet(book);
    const int second = book.addSheet(QStringLiteral("Second"));
    book.setText(second, 0, 0, QStringLiteral("not the first sheet"));
    QString error;
    ASSERT_TRUE(book.save(path, &error)) << error.toStdString();

    xlsx::SheetData sheet;
    ASSERT_TRUE(xlsx::readFirstWorksheet(path, &sheet, &error)) << error.toStdString();
    EXPECT_EQ(sheet.name, QStringLiteral("Sheet1"));
    EXPECT_EQ(sheet.rowCount(), 5);
    EXPECT_EQ(sheet.columnCount(), 9);
    EXPECT_EQ(sheet.text(1, 4), QStringLiteral("0007"));
    EXPECT_EQ(sheet.text(1, 8), QString());
    EXPECT_EQ(sheet.text(2, 0), QStringLiteral("O'Neil"));
    EXPECT_EQ(sheet.text(2, 8), QStringLiteral("1A2B3C4D"));
    EXPECT_EQ(sheet.text(3, 0), QString::fromUtf8("鴿舍"));
    EXPECT_EQ(sheet.text(4, 0), QStringLiteral("2014"));
    EXPECT_EQ(sheet.text(4, 1), QStringLiteral("1234.5678"));
    // Days since 1899-12-30 plus the fraction of 07:05:09.250.
    EXPECT_NEAR(sheet.text(4, 2).toDouble(), 41870 + 25509.25 / 86400, 1e-9);
    // Only the workbook is left behind, no temporary file.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"pigeons.xlsx"});
}

TEST(XlsxWriter, AnotherProgramSeesTextColumnsAndValues)
{
    const QString python = QStringLiteral("/usr/bin/python3");
    if (!QFileInfo(python).isExecutable())
        GTEST_SKIP() << "no system python3";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("check.xlsx"));
    xlsx::WorkbookWriter book;
    fillPigeonSheet(book);
    QString error;
    ASSERT_TRUE(book.save(path, &error)) << error.toStdString();

    const char* script = R"(
import sys, openpyxl
ws = openpyxl.load_workbook(sys.argv[1]).worksheets[0]
print(ws.title)
print(ws["C2"].number_format, ws["E2"].number_format, ws["E3"].number_format, ws["A2"].number_format)
print(repr(ws["E3"].value), repr(ws["A5"].value), ws["B5"].number_format, ws["A1"].font.b)
print(round(ws.column_dimensions["E"].width))
)";
    QProcess p;
    p.start(python, {QStringLiteral("-c"), QString::fromLatin1(script), path});
    ASSERT_TRUE(p.waitForFinished(30000));
    if (p.exitCode() != 0 && p.readAllStandardError().contains("No module named 'openpyxl'"))
        GTEST_SKIP() << "openpyxl not installed";
    ASSERT_EQ(p.exitCode(), 0);
    const QStringList lines = QString::fromUtf8(p.readAllStandardOutput()).split('\n');
    ASSERT_GE(lines.size(), 4);
    EXPECT_EQ(lines[0], QStringLiteral("Sheet1"));
    EXPECT_EQ(lines[1], QStringLiteral("@ @ @ General"));
    EXPECT_EQ(lines[2], QStringLiteral("'00567' 2014 0.000 True"));
    EXPECT_EQ(lines[3], QStringLiteral("13"));  // 12 characters plus the cell padding
}

TEST(XlsxWriter, FailedSaveLeavesTheOldFileAlone)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("keep.xlsx"));
    QString error;
    {
        xlsx::WorkbookWriter book;
        book.setText(book.addSheet(QStringLiteral("Sheet1")), 0, 0, QStringLiteral("old"));
        ASSERT_TRUE(book.save(path, &error));
    }
    struct {
        const char* why;
        QString sheetName;
        QString target;
    } cases[] = {
        {"bad sheet name", QStringLiteral("bad[name]"), path},
        {"sheet name too long", QString(40, QLatin1Char('x')), path},
        {"missing folder", QStringLiteral("Sheet1"), dir.filePath(QStringLiteral("no/such/folder/x.xlsx"))},
    };
    for (const auto& c : cases) {
        xlsx::WorkbookWriter book;
        book.setText(book.addSheet(c.sheetName), 0, 0, QStringLiteral("new"));
        error.clear();
        EXPECT_FALSE(book.save(c.target, &error)) << c.why;
        EXPECT_FALSE(error.isEmpty()) << c.why;
    }
    EXPECT_FALSE(xlsx::WorkbookWriter().save(path, &error));  // no sheet at all

    xlsx::SheetData sheet;
    ASSERT_TRUE(xlsx::readFirstWorksheet(path, &sheet, &error)) << error.toStdString();
    EXPECT_EQ(sheet.text(0, 0), QStringLiteral("old"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"keep.xlsx"});
}
