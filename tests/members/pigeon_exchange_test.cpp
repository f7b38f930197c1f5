// Spreadsheet export and import against a real club file and real workbooks: our own
// export, and sheets made by openpyxl (tests/xlsx/fixtures).
#include "member_club.h"
#include "member_queries.h"
#include "pigeon_exchange.h"
#include "xlsx_reader.h"
#include "xlsx_writer.h"

#include <QFile>

using namespace members;

namespace {

const QDateTime kNow(QDate(2026, 3, 14), QTime(9, 30, 0));
const QDateTime kLater = kNow.addSecs(3600);

QString fixture(const char* name)
{
    return QStringLiteral(XLSX_FIXTURES "/") + QString::fromLatin1(name);
}

}  // namespace

class PigeonExchange : public MemberClub {
protected:
    // A workbook written by our writer from rows of texts (row 0 the header).
    QString workbook(const QList<QStringList>& rows, const char* name = "in.xlsx")
    {
        xlsx::WorkbookWriter book;
        const int s = book.addSheet("Sheet1");
        for (int r = 0; r < rows.size(); ++r)
            book.setRow(s, r, rows[r]);
        const QString path = dir.filePath(QString::fromLatin1(name));
        QString error;
        EXPECT_TRUE(book.save(path, &error)) << error.toStdString();
        return path;
    }
    QString field(const char* column, const char* ring)
    {
        return value(QStringLiteral("SELECT %1 FROM LCX_PigData WHERE PRingNo = ?").arg(QLatin1String(column)),
                     {QString::fromLatin1(ring)});
    }
};

TEST_P(PigeonExchange, ExportWritesTheNineColumns)
{
    pigeon("002", "BELG14567", {{"RRegNumber", "00567"}, {"Sex", "H"}, {"ColorType", "BL"}});
    pigeon("001", "AU14-B-0007", {{"RCountry", "AU"}, {"RRegLetter", "B"}, {"RRegNumber", "0007"},
                                  {"E_Ring", "1A2B3C4D"}});
    pigeon("001", "AU14-A-0001", {{"RCountry", "AU"}, {"RRegLetter", "A"}, {"Sex", QVariant()}});
    const QString path = dir.filePath("out.xlsx");
    const ExportResult r = exportPigeons(*dm, path);
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.pigeons, 3);

    xlsx::SheetData sheet;
    QString error;
    ASSERT_TRUE(xlsx::readFirstWorksheet(path, &sheet, &error));
    EXPECT_EQ(sheet.name, "Sheet1");
    ASSERT_EQ(sheet.rowCount(), 4);
    ASSERT_EQ(sheet.columnCount(), 9);
    const QList<QStringList> expected{
        {"LoftNo", "RCountry", "RYear", "RRegLetter", "RRegNumber", "Sex", "ColorType", "PRingNo", "E_Ring"},
        {"001", "AU", "14", "A", "001", "Hen", "", "AU14-A-0001", ""},  // empty sex exports as Hen
        {"001", "AU", "14", "B", "0007", "Cock", "", "AU14-B-0007", "1A2B3C4D"},
        {"002", "BELG", "2014", "", "00567", "Hen", "BL", "BELG14567", ""},
    };
    for (int row = 0; row < expected.size(); ++row)
        for (int c = 0; c < 9; ++c)
            EXPECT_EQ(sheet.text(row, c), expected[row][c]) << "row " << row << " column " << c;
}

TEST_P(PigeonExchange, ExportAndImportAgainKeepsRingNumbers)
{
    pigeon("001", "AU14-B-0007", {{"RCountry", "AU"}, {"RRegLetter", "B"}, {"RRegNumber", "7"}, {"E_Ring", "1A2B3C4D"}});
    pigeon("001", "PL0123-14-4567", {{"RCountry", "PL"}, {"RRegLetter", "0123"}, {"RRegNumber", "4567"}, {"Sex", "H"}});
    pigeon("002", "BELG14567");
    const QString path = dir.filePath("round.xlsx");
    ASSERT_TRUE(exportPigeons(*dm, path).ok);
    // Changes made in the spreadsheet program: here in the database, to be undone by the import.
    dm->exec("UPDATE LCX_PigData SET Sex = 'H', ColorType = 'ZZ', E_Ring = NULL");

    const ImportResult r = importPigeons(*dm, path, kLater);
    ASSERT_TRUE(r.opened) << r.error.toStdString();
    EXPECT_TRUE(r.error.isEmpty()) << r.error.toStdString();
    EXPECT_EQ(r.updated, 3);
    EXPECT_EQ(r.inserted, 0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM LCX_PigData"), 3);
    EXPECT_EQ(field("Sex", "AU14-B-0007"), "C");
    EXPECT_EQ(field("Sex", "PL0123-14-4567"), "H");
    EXPECT_EQ(field("ColorType", "BELG14567"), "");
    EXPECT_EQ(field("E_Ring", "AU14-B-0007"), "1A2B3C4D");
    EXPECT_EQ(count("SELECT COUNT(*) FROM LCX_PigData WHERE Updatetime = ?", {kLater}), 3);
}

TEST_P(PigeonExchange, SevenColumnSheetComposesWithTheImportTable)
{
    // openpyxl's sheet: numbers stored as numbers, lower-case codes, an empty colour cell.
    const ImportResult r = importPigeons(*dm, fixture("seven_columns.xlsx"), kNow);
    ASSERT_TRUE(r.opened) << r.error.toStdString();
    EXPECT_EQ(r.inserted, 4);
    EXPECT_EQ(field("LoftNo", "AU14-B-0007"), "001");
    EXPECT_EQ(field("RYear", "AU14-B-0007"), "2014");
    EXPECT_EQ(field("RRegNumber", "AU14-B-0007"), "7");
    EXPECT_EQ(field("ColorType", "AU14-B-0007"), "BL");
    EXPECT_EQ(field("Sex", "AU14-B-0007"), "C");
    EXPECT_EQ(field("Sex", "PL0123144567"), "H");      // PL without separators
    EXPECT_EQ(field("RRegNumber", "BELG1400567"), "00567");
    EXPECT_EQ(field("Sex", "nl1598"), "C");            // "hen" is not "Hen"
    EXPECT_EQ(field("LoftNo", "nl1598"), "003");       // a loft not in the register is kept as written
    EXPECT_EQ(count("SELECT COUNT(*) FROM LCX_PigData WHERE SynchFlag = ? AND CreateDate = ?", {true, kNow.date()}), 4);
    EXPECT_EQ(count("SELECT COUNT(*) FROM LCX_PigData WHERE Comment IS NULL AND E_Ring IS NULL"), 4);
}

TEST_P(PigeonExchange, ExportedLayoutUsesColumnsHAndI)
{
    const ImportResult r = importPigeons(*dm, fixture("exported_layout.xlsx"), kNow);
    ASSERT_TRUE(r.opened) << r.error.toStdString();
    EXPECT_EQ(r.inserted, 3);
    EXPECT_EQ(field("E_Ring", "AU14-B-0007"), "1A2B3C4D");
    EXPECT_EQ(field("RRegNumber", "AU14-B-0007"), "0007");
    EXPECT_EQ(field("RYear", "AU14-B-0007"), "14");
    EXPECT_EQ(field("LoftNo", "PL0123-14-4567"), "001");  // H as written, not composed
    EXPECT_EQ(count("SELECT COUNT(*) FROM LCX_PigData WHERE PRingNo = 'PL0123144567'"), 0);

    // An empty H falls back to composing from B to E, even in the nine-column layout.
    const QString path = workbook({{"LoftNo", "RCountry", "RYear", "RRegLetter", "RRegNumber", "Sex", "ColorType",
                                    "PRingNo", "E_Ring"},
                                   {"004", "AU", "2015", "C", "9", "Hen", "W", "", "0000FFFF"}});
    ASSERT_EQ(importPigeons(*dm, path, kNow).inserted, 1);
    EXPECT_EQ(field("E_Ring", "AU15-C-0009"), "0000FFFF");
}

TEST_P(PigeonExchange, HeaderOnlyEmptyRowsAndFilesThatAreNoWorkbook)
{
    ImportResult r = importPigeons(*dm, fixture("header_only.xlsx"), kNow);
    EXPECT_TRUE(r.opened);
    EXPECT_EQ(r.inserted + r.updated, 0);

    // A blank line inside the sheet is no pigeon with an empty ring number.
    const QString gaps = workbook({{"A", "B", "C", "D", "E", "F", "G"},
                                   {"001", "BELG", "2014", "", "1", "Cock", ""},
                                   {},
                                   {"001", "BELG", "2014", "", "2", "Cock", ""}});
    r = importPigeons(*dm, gaps, kNow);
    EXPECT_EQ(r.inserted, 2);
    EXPECT_EQ(count("SELECT COUNT(*) FROM LCX_PigData WHERE PRingNo = '' OR LoftNo = ''"), 0);

    QFile text(dir.filePath("list.xlsx"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("LoftNo,RCountry\n001,AU\n");
    text.close();
    for (const QString& path : {text.fileName(), fixture("damaged_sheet_xml.xlsx"), dir.filePath("none.xlsx")}) {
        r = importPigeons(*dm, path, kNow);
        EXPECT_FALSE(r.opened) << path.toStdString();
        EXPECT_FALSE(r.error.isEmpty());
    }
    EXPECT_EQ(count("SELECT COUNT(*) FROM LCX_PigData"), 2);
}

TEST_P(PigeonExchange, RingOfAnotherLoftIsNotImportedTwice)
{
    pigeon("009", "BELG14001", {{"Sex", "H"}});
    const QString path = workbook({{"A", "B", "C", "D", "E", "F", "G"},
                                   {"001", "BELG", "2014", "", "001", "Cock", ""},
                                   {"001", "BELG", "2014", "", "002", "Cock", ""},
                                   {"001", "BELG", "2014", "", "002", "Hen", "BL"}});  // same loft twice: update
    const ImportResult r = importPigeons(*dm, path, kNow);
    EXPECT_EQ(r.inserted, 1);
    EXPECT_EQ(r.updated, 1);
    EXPECT_EQ(r.otherLoft, QStringList{"row 2: BELG14001 (loft 009)"});
    EXPECT_TRUE(otherLoftMessage(r.otherLoft).contains("row 2: BELG14001 (loft 009)"));
    EXPECT_EQ(count("SELECT COUNT(*) FROM LCX_PigData WHERE PRingNo = 'BELG14001'"), 1);
    EXPECT_EQ(field("LoftNo", "BELG14001"), "009");
    EXPECT_EQ(field("Sex", "BELG14001"), "H");
    EXPECT_EQ(field("Sex", "BELG14002"), "H");
    EXPECT_EQ(field("ColorType", "BELG14002"), "BL");
}

TEST_P(PigeonExchange, FailingRowStopsTheImportAndKeepsTheRowsBefore)
{
    refuseRing("BELG14003", "row_refused");
    QList<QStringList> rows{{"A", "B", "C", "D", "E", "F", "G"}};
    for (int i = 1; i <= 5; ++i)
        rows << QStringList{"001", "BELG", "2014", "", QStringLiteral("00%1").arg(i), "Cock", ""};
    const ImportResult r = importPigeons(*dm, workbook(rows), kNow);
    EXPECT_TRUE(r.opened);
    EXPECT_EQ(r.inserted, 2);
    EXPECT_EQ(r.failedRow, 4);
    EXPECT_TRUE(r.error.startsWith("Row 4: ")) << r.error.toStdString();
    EXPECT_TRUE(r.error.contains("row_refused")) << r.error.toStdString();
    EXPECT_EQ(count("SELECT COUNT(*) FROM LCX_PigData"), 2);
}

TEST_P(PigeonExchange, ExportIntoAMissingFolderReportsTheTransferError)
{
    pigeon("001", "A1");
    const ExportResult r = exportPigeons(*dm, dir.filePath("no/such/folder/out.xlsx"));
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error.startsWith("Data transfer error: ")) << r.error.toStdString();
}

MEMBER_CLUB_ENGINES(PigeonExchange);
