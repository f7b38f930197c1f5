// The reader against workbooks made by openpyxl and by hand (see fixtures/make_fixtures.py),
// and against files that are not good workbooks.
#include "xlsx_reader.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString fixture(const char* name)
{
    return QStringLiteral(XLSX_FIXTURES "/") + QString::fromLatin1(name);
}

xlsx::SheetData mustRead(const QString& path)
{
    xlsx::SheetData sheet;
    QString error;
    EXPECT_TRUE(xlsx::readFirstWorksheet(path, &sheet, &error)) << error.toStdString();
    return sheet;
}

void expectRow(const xlsx::SheetData& sheet, int row, const QStringList& texts)
{
    for (int c = 0; c < texts.size(); ++c)
        EXPECT_EQ(sheet.text(row, c), texts[c]) << "row " << row << " column " << c;
}

}  // namespace

TEST(XlsxReader, SevenColumnSheetFromOpenpyxl)
{
    const auto sheet = mustRead(fixture("seven_columns.xlsx"));
    EXPECT_EQ(sheet.name, QStringLiteral("Pigeons"));
    EXPECT_EQ(sheet.rowCount(), 5);
    EXPECT_EQ(sheet.columnCount(), 7);
    expectRow(sheet, 0, {"LoftNo", "RCountry", "RYear", "RRegLetter", "RRegNumber", "Sex", "ColorType"});
    // Year and number stored as numbers read as the digits a person typed.
    expectRow(sheet, 1, {"001", "AU", "2014", "B", "7", "Cock", "BL"});
    expectRow(sheet, 2, {"001", "PL", "2014", "0123", "4567", "Hen", "RC"});
    expectRow(sheet, 3, {"002", "BELG", "2014", "", "00567", "Hen", ""});
    expectRow(sheet, 4, {"003", "nl", "2015", "", "98", "hen", "W"});
    EXPECT_EQ(sheet.text(9, 0), QString());
    EXPECT_EQ(sheet.text(1, 30), QString());
}

TEST(XlsxReader, ExportedLayoutAndHeaderOnlySheets)
{
    const auto nine = mustRead(fixture("exported_layout.xlsx"));
    EXPECT_EQ(nine.rowCount(), 4);
    EXPECT_EQ(nine.columnCount(), 9);
    expectRow(nine, 1, {"001", "AU", "14", "B", "0007", "Cock", "BL", "AU14-B-0007", "1A2B3C4D"});
    expectRow(nine, 3, {"002", "BELG", "2014", "", "567", "Hen", "", "BELG14567", ""});

    const auto header = mustRead(fixture("header_only.xlsx"));
    EXPECT_EQ(header.rowCount(), 1);
    EXPECT_EQ(header.columnCount(), 9);
}

TEST(XlsxReader, HandMadePartsAndFirstSheetByTabOrder)
{
    const auto sheet = mustRead(fixture("handmade_parts.xlsx"));
    EXPECT_EQ(sheet.name, QStringLiteral("Hand made"));
    // Rich text runs joined, phonetic guide left out.
    expectRow(sheet, 0, {"LoftNo", "North Loft"});
    // Cells without references follow each other; 2014.0 reads 2014; formula shows its result.
    expectRow(sheet, 1, {"007", "2014", "TRUE", "007x"});
    EXPECT_EQ(sheet.text(4, 2), QStringLiteral("0.5"));
    // The used area ends at the last value, whatever the dimension element or an empty
    // formatted cell (E5) claim.
    EXPECT_EQ(sheet.rowCount(), 5);
    EXPECT_EQ(sheet.columnCount(), 4);
}

TEST(XlsxReader, RefusesFilesThatAreNotGoodWorkbooks)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    auto write = [&](const char* name, const QByteArray& bytes) {
        QFile f(dir.filePath(QString::fromLatin1(name)));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    };
    QFile good(fixture("seven_columns.xlsx"));
    ASSERT_TRUE(good.open(QIODevice::ReadOnly));
    const QByteArray bytes = good.readAll();

    const QString paths[] = {
        write("text.xlsx", "LoftNo;RCountry\n001;AU\n"),
        write("empty.xlsx", QByteArray()),
        write("truncated.xlsx", bytes.left(bytes.size() / 2)),
        write("garbage_tail.xlsx", bytes.left(bytes.size() - 30) + QByteArray(30, '\xff')),
        fixture("zip_without_workbook.xlsx"),
        fixture("damaged_sheet_xml.xlsx"),
        fixture("shared_string_out_of_range.xlsx"),
        dir.filePath(QStringLiteral("missing.xlsx")),
    };
    for (const QString& path : paths) {
        xlsx::SheetData sheet;
        sheet.setText(0, 0, QStringLiteral("before"));
        QString error;
        EXPECT_FALSE(xlsx::readFirstWorksheet(path, &sheet, &error)) << path.toStdString();
        EXPECT_FALSE(error.isEmpty()) << path.toStdString();
        // A failed read leaves the caller's sheet as it was.
        EXPECT_EQ(sheet.text(0, 0), QStringLiteral("before")) << path.toStdString();
    }
}
