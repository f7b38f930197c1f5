// The ring panel on the real page: entry modes, save, ranges, deletes, colours,
// spreadsheet buttons and the ring list printout.
#include "member_page_fixture.h"

#include "member_printouts.h"
#include "ring_panel.h"

class RingPanelTest : public MemberPageTest {
protected:
    void SetUp() override
    {
        MemberPageTest::SetUp();
        addLoft("012", "North Loft");
        addLoft("013", "South");
    }
    void openRings(int loftRow = 0)
    {
        open();
        selectRow("dbgrdMem", loftRow);
        choose("rgMem", "Member Rings List");
    }
    void ring(const char* c, const char* y, const char* l, const char* n)
    {
        setBox("cbbCountryRingCode", c);
        setBox("combBYear", y);
        type("edtRegLetter", l);
        type("edtRegNum", n);
    }
    QStringList ringsShown()
    {
        QStringList out;
        for (int r = 0; r < rows("dbgrdMemRing"); ++r)
            out << cell("dbgrdMemRing", r, 1);
        return out;
    }
};

TEST_F(RingPanelTest, OpeningTheRingList)
{
    addPigeon("012", "BELG14001", {{"ColorType", "ZZ"}, {"Sex", "X"}, {"Team", "B"},
                                   {"Updatetime", QDateTime(QDate(2026, 5, 2), QTime(7, 5, 9))},
                                   {"CreateDate", QDate(2026, 5, 1)}});
    openRings();
    EXPECT_EQ(page->heading(), "North Loft's Ring List");
    EXPECT_TRUE(visible("pnlMemRing"));
    EXPECT_FALSE(visible("pnlMem"));
    EXPECT_FALSE(visible("edtUpRegNum"));
    EXPECT_FALSE(visible("lblUpRegNum"));
    EXPECT_EQ(text("lblRingSum"), "001");
    const QStringList titles{"Team", "Life Ring Number", "Color", "Sex of bird", "E_Ring Assignment",
                             "Create Date", "Assign Date", "Last Update"};
    const QStringList shown{"B", "BELG14001", "Other", "", "", "2026/05/01", "", "05/02 07:05:09"};
    for (int c = 0; c < titles.size(); ++c) {
        EXPECT_EQ(grid("dbgrdMemRing")->model()->headerData(c, Qt::Horizontal).toString(), titles[c]);
        EXPECT_EQ(cell("dbgrdMemRing", 0, c), shown[c]) << c;
    }
    EXPECT_EQ(find<QComboBox>("cbbSex")->currentText(), "COCK");
}

TEST_F(RingPanelTest, NewRingAndSelectedRing)
{
    openRings();
    click("btnRingAddNew");
    EXPECT_EQ(find<QComboBox>("combBYear")->currentText(), QString::number(QDate::currentDate().year()));
    ring("AU", "2014", "b", "7");
    setBox("cbbSex", "Hen");
    find<QComboBox>("cbbBColour")->setEditText("Blue");
    find<QComboBox>("cbbTeam")->setCurrentText("C");
    find<QPlainTextEdit>("mmoComment")->setPlainText("calm\nbird");
    click("btnRingSave");
    EXPECT_TRUE(club.prompter().shown().isEmpty()) << club.prompter().last().toStdString();
    EXPECT_EQ(ringsShown(), QStringList{"AU14-B-0007"});
    EXPECT_EQ(text("lblRingSum"), "001");
    EXPECT_EQ(value("SELECT RRegNumber FROM LCX_PigData"), "7");
    EXPECT_EQ(value("SELECT Sex FROM LCX_PigData"), "H");
    EXPECT_EQ(value("SELECT ColorType FROM LCX_PigData"), "BL");
    EXPECT_EQ(value("SELECT Comment FROM LCX_PigData"), "calmbird");
    EXPECT_EQ(value("SELECT LoftNo FROM LCX_PigData"), "012");

    // A click on the ring fills the entry area and locks the ring number.
    click("btnRingCancel");
    clickCell("dbgrdMemRing", 0, 1);
    EXPECT_FALSE(find<QComboBox>("cbbCountryRingCode")->isEnabled());
    EXPECT_FALSE(find<QLineEdit>("edtRegNum")->isEnabled());
    EXPECT_EQ(find<QLineEdit>("edtRegNum")->text(), "7");
    EXPECT_EQ(find<QComboBox>("cbbSex")->currentText(), "Hen");
    EXPECT_EQ(find<QComboBox>("cbbBColour")->currentText(), "Blue");
    EXPECT_EQ(find<QPlainTextEdit>("mmoComment")->toPlainText(), "calmbird");
    find<QComboBox>("cbbTeam")->setCurrentText("F");
    click("btnRingSave");
    EXPECT_EQ(count("SELECT COUNT(*) FROM LCX_PigData"), 1);
    EXPECT_EQ(value("SELECT Team FROM LCX_PigData"), "F");
    // The entry area keeps meaning the pigeon it shows, even when the list moves on.
    addPigeon("012", "AU14-B-0001");
    page->ringPanel()->reload();
    selectRow("dbgrdMemRing", 1);
    find<QComboBox>("cbbTeam")->setCurrentText("A");
    click("btnRingSave");
    EXPECT_EQ(value("SELECT Team FROM LCX_PigData WHERE PRingNo='AU14-B-0007'"), "A");
    EXPECT_EQ(value("SELECT Team FROM LCX_PigData WHERE PRingNo='AU14-B-0001'"), "");
    // Cancel does not unlock a selected ring; AddNew does.
    click("btnRingCancel");
    EXPECT_FALSE(find<QLineEdit>("edtRegNum")->isEnabled());
    click("btnRingAddNew");
    EXPECT_TRUE(find<QLineEdit>("edtRegNum")->isEnabled());
}

TEST_F(RingPanelTest, RangeAndItsMessages)
{
    addPigeon("013", "NL1500100");
    openRings();
    click("btnRingAddRange");
    EXPECT_TRUE(visible("edtUpRegNum"));
    ring("NL", "2015", "", "00098");
    type("edtUpRegNum", "00101");
    click("btnRingSave");
    EXPECT_EQ(ringsShown(), (QStringList{"NL1500098", "NL1500099", "NL1500101"}));
    ASSERT_EQ(club.prompter().messages().size(), 1);
    EXPECT_TRUE(club.prompter().messages()[0].contains("NL1500100"));
    EXPECT_EQ(find<QLineEdit>("edtUpRegNum")->text(), "");

    // A registration number that must be whole and is not: a message, nothing written.
    club.prompter().clear();
    click("btnRingAddNew");
    ring("AU", "2014", "B", "-");
    click("btnRingSave");
    EXPECT_EQ(club.prompter().messages(), QStringList{"Registration number \"-\" is not a whole number !"});
    EXPECT_EQ(count("SELECT COUNT(*) FROM LCX_PigData"), 4);
}

TEST_F(RingPanelTest, DeleteOneAndAll)
{
    addPigeon("012", "BELG14002");
    addPigeon("012", "BELG14001");
    addPigeon("013", "BELG14009");
    openRings();
    selectRow("dbgrdMemRing", 0);
    club.prompter().answerNo();
    choose("rgMemRing", "Delete Ring");
    EXPECT_EQ(count("SELECT COUNT(*) FROM LCX_PigData"), 3);
    club.prompter().answerYes();
    choose("rgMemRing", "Delete Ring");
    EXPECT_EQ(club.prompter().questions(), (QStringList{"This will delete the data ?", "This will delete the data ?"}));
    EXPECT_EQ(ringsShown(), QStringList{"BELG14001"});

    club.prompter().answerYes();
    click("btnRingDeleteAll");
    EXPECT_EQ(club.prompter().questions().last(), "This will delete all pigeons data ?");
    EXPECT_EQ(text("lblRingSum"), "000");
    EXPECT_EQ(count("SELECT COUNT(*) FROM LCX_PigData"), 1);  // the other loft keeps its pigeon
}

TEST_F(RingPanelTest, FeatherColours)
{
    openRings();
    choose("pmColor", "&A Add");
    EXPECT_TRUE(visible("gbColorMaintain"));
    type("edtColorCode", "W");
    type("edtColorName", "White");
    click("btnColorSave");
    EXPECT_FALSE(visible("gbColorMaintain"));
    QComboBox* colours = find<QComboBox>("cbbBColour");
    // After the reload the box holds the names only.
    ASSERT_EQ(colours->count(), 3);
    EXPECT_EQ(colours->itemText(2), "White");
    colours->setEditText("Blue");
    choose("pmColor", "&D Delete");
    EXPECT_EQ(count("SELECT COUNT(*) FROM LCX_FeatherColor WHERE FeathColor='Blue'"), 0);
    EXPECT_EQ(colours->count(), 2);
}

TEST_F(RingPanelTest, SpreadsheetButtons)
{
    addPigeon("012", "AU14-B-0007", {{"RCountry", "AU"}, {"RRegLetter", "B"}, {"RRegNumber", "0007"}});
    openRings();
    const QString out = club.root() + "/register";
    club.prompter().answerFile(out);
    click("btnSpreadsheetExport");
    EXPECT_TRUE(QFileInfo(out + ".xlsx").isFile());
    EXPECT_TRUE(club.prompter().errors().isEmpty());

    club.prompter().answerFile(QString());  // cancelled
    click("btnSpreadsheetImport");
    club.prompter().answerFile(QStringLiteral(XLSX_FIXTURES "/seven_columns.xlsx"));
    click("btnSpreadsheetImport");
    // The sheet's AU14-B-0007 belongs to loft 001 there, but 012 holds that ring here.
    EXPECT_EQ(count("SELECT COUNT(*) FROM LCX_PigData"), 4);
    ASSERT_EQ(club.prompter().messages().size(), 1);
    EXPECT_TRUE(club.prompter().messages()[0].contains("row 2: AU14-B-0007 (loft 012)"));
    EXPECT_EQ(text("lblRingSum"), "001");  // loft 012 is still the open one

    QFile notWorkbook(club.root() + "/notes.xlsx");
    ASSERT_TRUE(notWorkbook.open(QIODevice::WriteOnly));
    notWorkbook.write("hello");
    notWorkbook.close();
    club.prompter().answerFile(notWorkbook.fileName());
    click("btnSpreadsheetImport");
    ASSERT_EQ(club.prompter().errors().size(), 1);
    EXPECT_TRUE(club.prompter().errors()[0].contains("is not an Excel workbook")) << club.prompter().errors()[0].toStdString();
    EXPECT_EQ(count("SELECT COUNT(*) FROM LCX_PigData"), 4);
    EXPECT_EQ(club.prompter().shown()[0].text, "Excel File|*.xlsx");
}

TEST_F(RingPanelTest, PrintTheRingList)
{
    addPigeon("012", "BELG14002", {{"ColorType", "RC"}, {"Sex", "H"}});
    addPigeon("012", "BELG14001", {{"ColorType", "ZZ"}});
    club::reports::ReportDocument printed;
    members::memberReportViewer() = [&](const club::reports::TReportForm& report, QWidget*) {
        printed = report.document();
    };
    openRings();
    clickTitle("dbgrdMemRing", "Life Ring Number");
    click("btnRingPrint");
    EXPECT_EQ(printed.title, " Ring list of North Loft( 012 )");
    ASSERT_EQ(printed.rows.size(), 2);
    EXPECT_EQ(printed.rows[0].value(0), "BELG14001");
    EXPECT_TRUE(printed.rows[0].contains("Other"));
    EXPECT_TRUE(printed.rows[1].contains("Red Check"));
    EXPECT_TRUE(printed.rows[1].contains("Hen"));
}
