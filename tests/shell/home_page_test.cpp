#include "home_page.h"
#include "temp_club.h"

#include <QHeaderView>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

class HomePageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(club.ok()) << club.error().toStdString();
        TfrmHome::sortText().clear();
        TdmLCXS& dm = club.dm();
        dm.insertRow("LCX_LoftData", {{"LoftNo", "1"}, {"LoftName", "Bert"}});
        dm.insertRow("LCX_LoftData", {{"LoftNo", "2"}, {"LoftName", "Anna"}});
        dm.insertRow("LCX_LoftClocks", {{"LoftNo", "1"}, {"ClockID", "B7"}, {"LastSynchDate", QDateTime(QDate(2026, 5, 2), QTime(9, 0))}});
        dm.insertRow("LCX_LoftClocks", {{"LoftNo", "2"}, {"ClockID", "A3"}, {"LastSynchDate", QDateTime(QDate(2025, 12, 24), QTime(18, 30))}});
        dm.insertRow("LCX_LoftClocks", {{"LoftNo", "9"}, {"ClockID", "C1"}});
    }

    // Opens the page as the main window does: a new page each time.
    void open()
    {
        page = std::make_unique<TfrmHome>(club.context());
        page->resize(800, 400);
        page->show();
    }

    void click(const QString& title)
    {
        QHeaderView* header = page->grid()->horizontalHeader();
        for (int c = 0; c < header->count(); ++c) {
            if (page->grid()->model()->headerData(c, Qt::Horizontal).toString() == title) {
                const QPoint at(header->sectionViewportPosition(c) + header->sectionSize(c) / 2, header->height() / 2);
                QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
                return;
            }
        }
        ADD_FAILURE() << "no column " << title.toStdString();
    }

    QStringList column(int c) const
    {
        QStringList out;
        for (int r = 0; r < page->grid()->model()->rowCount(); ++r)
            out << page->grid()->model()->index(r, c).data().toString();
        return out;
    }

    TempClub club;
    std::unique_ptr<TfrmHome> page;
};

TEST_F(HomePageTest, ListsEveryClockWithItsLoftAndDate)
{
    open();
    EXPECT_EQ(page->findChild<QTableView*>("dbgrdClocks"), page->grid());
    QStringList titles;
    for (int c = 0; c < 3; ++c)
        titles << page->grid()->model()->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(titles, (QStringList{"ClockID", "LoftName", "LastSynchDate"}));
    EXPECT_EQ(column(0), (QStringList{"B7", "A3", "C1"}));
    EXPECT_EQ(column(1), (QStringList{"Bert", "Anna", ""}));
    EXPECT_EQ(column(2), (QStringList{"2026/05/02", "2025/12/24", ""}));
    EXPECT_EQ(page->grid()->model()->index(0, 1).data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
}

TEST_F(HomePageTest, TitleClicksToggleAndAnotherColumnStartsAscending)
{
    open();
    click("ClockID");
    EXPECT_EQ(column(0), (QStringList{"A3", "B7", "C1"}));
    click("ClockID");
    EXPECT_EQ(column(0), (QStringList{"C1", "B7", "A3"}));
    click("ClockID");
    EXPECT_EQ(column(0), (QStringList{"A3", "B7", "C1"}));
    click("ClockID");
    click("LoftName");
    EXPECT_EQ(TfrmHome::sortText(), "LoftName ASC");
    EXPECT_EQ(column(1), (QStringList{"", "Anna", "Bert"}));
}

// The sort text lives for the whole run, the sorted list only as long as the page.
TEST_F(HomePageTest, ReturningToHomeShowsTheListUnsortedButKeepsTheSortText)
{
    open();
    click("LastSynchDate");
    EXPECT_EQ(column(2), (QStringList{"", "2025/12/24", "2026/05/02"}));
    open();
    EXPECT_EQ(column(0), (QStringList{"B7", "A3", "C1"}));
    click("LastSynchDate");
    EXPECT_EQ(TfrmHome::sortText(), "LastSynchDate DESC");
    EXPECT_EQ(column(2), (QStringList{"2026/05/02", "2025/12/24", ""}));
}

} // namespace
