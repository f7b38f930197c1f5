// The loft list and the loft entry form on the real page.
#include "member_page_fixture.h"

#include "member_printouts.h"

TEST_F(MemberPageTest, ShowingThePageLoadsListsAndShowsTheLoftList)
{
    addLoft("002", "Bert");
    addLoft("001", "Anna");
    club.dm().insertRow("LCX_LoftClocks", {{"LoftNo", "002"}, {"ClockID", "K1"}});
    open();
    EXPECT_EQ(page->heading(), "Member");
    EXPECT_TRUE(visible("pnlMem"));
    EXPECT_FALSE(visible("pnlNewMember"));
    EXPECT_FALSE(visible("pnlMemRing"));
    EXPECT_FALSE(visible("pnlClockList"));
    EXPECT_EQ(text("lblMemSum"), "002");
    EXPECT_EQ(rows("dbgrdMem"), 2);
    EXPECT_EQ(cell("dbgrdMem", 0, 0), "001");
    EXPECT_EQ(cell("dbgrdMem", 1, 2), "1");
    const QStringList titles{"LoftNo", "LoftName", "clockCnt"};
    for (int c = 0; c < 3; ++c)
        EXPECT_EQ(grid("dbgrdMem")->model()->headerData(c, Qt::Horizontal).toString(), titles[c]);

    QComboBox* names = find<QComboBox>("combLoftName");
    ASSERT_EQ(names->count(), 2);
    EXPECT_EQ(names->itemText(0), "Bert");  // table order
    QComboBox* codes = find<QComboBox>("cbbCountryRingCode");
    ASSERT_EQ(codes->count(), 5);
    EXPECT_EQ(codes->itemText(1), "");
    EXPECT_EQ(codes->itemText(4), "PL");
    QComboBox* years = find<QComboBox>("combBYear");
    ASSERT_EQ(years->count(), 11);
    EXPECT_EQ(years->itemText(9), QString::number(QDate::currentDate().year()));
    QComboBox* colours = find<QComboBox>("cbbBColour");
    ASSERT_EQ(colours->count(), 3);
    EXPECT_EQ(colours->itemText(0), "Other");
    EXPECT_EQ(colours->itemText(2), "Red Check");
}

TEST_F(MemberPageTest, EmptyRegisterAndTheSearchBox)
{
    open();
    EXPECT_EQ(text("lblMemSum"), "000");
    page.reset();
    addLoft("001", "Anna");
    addLoft("002", "Bert");
    addLoft("003", "Bert");
    open();
    QComboBox* names = find<QComboBox>("combLoftName");
    names->setEditText("Bert");
    QTest::keyClick(names, Qt::Key_Return);
    EXPECT_EQ(grid("dbgrdMem")->currentIndex().row(), 1);  // the first loft with that name
    names->setEditText("Nobody");
    QTest::keyClick(names, Qt::Key_Return);
    EXPECT_EQ(grid("dbgrdMem")->currentIndex().row(), 1);
}

TEST_F(MemberPageTest, AddNewLoftThroughTheForm)
{
    open();
    click("btnMemAddNew");
    EXPECT_EQ(page->heading(), "Member New Add");
    EXPECT_TRUE(visible("pnlNewMember"));
    EXPECT_FALSE(visible("pnlMem"));
    EXPECT_TRUE(find<QLineEdit>("edtSeriesNo")->isEnabled());
    EXPECT_EQ(find<QLineEdit>("edtUnionCode")->text(), "BE");
    EXPECT_FALSE(find<QLineEdit>("edtUnionCode")->isVisible());

    // Nothing typed: the entry check.
    click("btnMemSave");
    EXPECT_EQ(club.prompter().messages(), QStringList{"Set new Member find data entry error !"});
    EXPECT_EQ(page->heading(), "Member New Add");

    type("edtName", "O'Neil");
    type("edtSeriesNo", "a12");
    type("medtLoftLon", "e1212324");
    find<QPlainTextEdit>("mmoNote")->setPlainText("one\ntwo\nthree");
    click("btnMemSave");
    EXPECT_EQ(page->heading(), "Member");
    EXPECT_TRUE(visible("pnlMem"));
    EXPECT_EQ(text("lblMemSum"), "001");
    EXPECT_EQ(value("SELECT LoftName FROM LCX_LoftData WHERE LoftNo='A12'"), "O'Neil");
    EXPECT_EQ(value("SELECT Notes FROM LCX_LoftData"), "onetwothree");
    EXPECT_EQ(value("SELECT AssociationCode FROM LCX_LoftData"), "BE");
    EXPECT_EQ(value("SELECT LoftLon FROM LCX_LoftData"), "E121'23:24.  ");
    EXPECT_EQ(value("SELECT LoftLat FROM LCX_LoftData"), "    '  :  .  ");
    EXPECT_EQ(count("SELECT COUNT(*) FROM LCX_LoftLibPointDist WHERE LoftNo='A12' AND Miles=0 AND Yards=0"), 2);
}

TEST_F(MemberPageTest, EditAndCancel)
{
    addLoft("012", "North");
    open();
    choose("rgMem", "Edit Member");
    EXPECT_EQ(page->heading(), "Member Edit Update");
    EXPECT_FALSE(find<QLineEdit>("edtSeriesNo")->isEnabled());
    EXPECT_EQ(find<QLineEdit>("edtSeriesNo")->text(), "012");
    EXPECT_EQ(find<QLineEdit>("edtName")->text(), "North");
    type("edtName", "North Loft");
    click("btnMemCancel");
    EXPECT_EQ(page->heading(), "Member");
    EXPECT_EQ(value("SELECT LoftName FROM LCX_LoftData"), "North");

    choose("rgMem", "Edit Member");
    type("edtName", "North Loft");
    click("btnMemSave");
    EXPECT_EQ(value("SELECT LoftName FROM LCX_LoftData"), "North Loft");
    EXPECT_EQ(cell("dbgrdMem", 0, 1), "North Loft");
    EXPECT_EQ(count("SELECT COUNT(*) FROM LCX_LoftLibPointDist"), 0);  // no distance rows on update
}

TEST_F(MemberPageTest, DeleteMemberAsksOnlyWhenItHasPigeons)
{
    addLoft("001", "Empty");
    addLoft("002", "Full");
    for (int i = 0; i < 12; ++i)
        addPigeon("002", QStringLiteral("BELG14%1").arg(i, 3, 10, QLatin1Char('0')));
    open();
    choose("rgMem", "Delete Member");
    EXPECT_TRUE(club.prompter().questions().isEmpty());
    EXPECT_EQ(text("lblMemSum"), "001");

    selectRow("dbgrdMem", 0);
    club.prompter().answerNo();
    choose("rgMem", "Delete Member");
    EXPECT_EQ(club.prompter().questions(),
              QStringList{"This Loft has 12 pigeon records, Do you want delete all data ?"});
    EXPECT_EQ(count("SELECT COUNT(*) FROM LCX_PigData"), 12);
    EXPECT_EQ(text("lblMemSum"), "001");

    club.prompter().answerYes();
    choose("rgMem", "Delete Member");
    EXPECT_EQ(count("SELECT COUNT(*) FROM LCX_PigData"), 0);
    EXPECT_EQ(text("lblMemSum"), "000");
}

TEST_F(MemberPageTest, OneSortTextForTheThreeGrids)
{
    addLoft("001", "Bert");
    addLoft("002", "Anna");
    addPigeon("001", "BELG14002");
    addPigeon("001", "BELG14001");
    open();
    clickTitle("dbgrdMem", "LoftName");
    EXPECT_EQ(TfrmMember::sortText(), "LoftName ASC");
    EXPECT_EQ(cell("dbgrdMem", 0, 1), "Anna");
    clickTitle("dbgrdMem", "LoftName");
    EXPECT_EQ(TfrmMember::sortText(), "LoftName DESC");
    EXPECT_EQ(cell("dbgrdMem", 0, 1), "Bert");

    QTableView* g = grid("dbgrdMem");
    const QPoint first = g->visualRect(g->model()->index(0, 0)).center();
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, first);
    QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, first);
    EXPECT_EQ(page->heading(), "Bert's Ring List");
    clickTitle("dbgrdMemRing", "Life Ring Number");
    EXPECT_EQ(TfrmMember::sortText(), "PRingNo ASC");
    EXPECT_EQ(cell("dbgrdMemRing", 0, 1), "BELG14001");

    // The text outlives the page; showing it again lists the lofts unsorted.
    page.reset();
    open();
    EXPECT_EQ(TfrmMember::sortText(), "PRingNo ASC");
    EXPECT_EQ(cell("dbgrdMem", 0, 1), "Bert");
}

TEST_F(MemberPageTest, ActionListOpensAtThePointerOnRightRelease)
{
    addLoft("001", "Anna");
    open();
    QTableView* g = grid("dbgrdMem");
    QMenu* menu = find<QMenu>("rgMem");
    QStringList entries;
    for (QAction* a : menu->actions())
        entries << a->text();
    EXPECT_EQ(entries, (QStringList{"Edit Member", "Delete Member", "---------------------", "Member Rings List",
                                    "Member Clocks"}));
    const QPoint at = g->visualRect(g->model()->index(0, 1)).center();
    QTest::mouseRelease(g->viewport(), Qt::RightButton, {}, at);
    EXPECT_TRUE(menu->isVisible());
    EXPECT_EQ(menu->pos(), g->viewport()->mapToGlobal(at) + QPoint(30, 10));
    QTest::mouseRelease(g->viewport(), Qt::LeftButton, {}, at);
    EXPECT_FALSE(menu->isVisible());
    choose("rgMem", "---------------------");  // does nothing
    EXPECT_EQ(page->heading(), "Member");
}

TEST_F(MemberPageTest, PrintHandsTheListAsShown)
{
    addLoft("001", "Bert");
    addLoft("002", "Anna");
    club.dm().insertRow("LCX_LoftClocks", {{"LoftNo", "002"}, {"ClockID", "K1"}});
    QStringList printed;
    QList<QStringList> printedRows;
    members::memberReportViewer() = [&](const club::reports::TReportForm& report, QWidget*) {
        const club::reports::ReportDocument doc = report.document();
        printed << doc.title;
        printedRows = doc.rows;
        QString error;
        EXPECT_TRUE(report.writePdf(club.root() + "/list.pdf", &error)) << error.toStdString();
    };
    open();
    clickTitle("dbgrdMem", "LoftName");
    click("btnMemPrint");
    ASSERT_EQ(printed.size(), 1);
    EXPECT_EQ(printed[0], "Member List");
    ASSERT_EQ(printedRows.size(), 2);
    EXPECT_EQ(printedRows[0].value(0), "Anna");  // in the order shown
    EXPECT_EQ(printedRows[0].value(1), "002");
    EXPECT_EQ(printedRows[1].value(0), "Bert");
    EXPECT_TRUE(QFileInfo(club.root() + "/list.pdf").size() > 0);
}
