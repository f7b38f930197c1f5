#include "grid_sort.h"

#include <QSortFilterProxyModel>
#include <QStandardItemModel>

#include <gtest/gtest.h>

namespace {

TEST(GridSort, NextSortText)
{
    const struct {
        const char* current;
        const char* column;
        const char* next;
    } cases[] = {
        {"", "ClockID", "ClockID ASC"},
        {"ClockID ASC", "ClockID", "ClockID DESC"},
        {"ClockID DESC", "ClockID", "ClockID ASC"},
        {"ClockID DESC", "LoftName", "LoftName ASC"},
        {"ClockID ASC", "LoftName", "LoftName ASC"},
        {"LoftNo ASC", "Loft", "Loft ASC"},       // a longer name that starts alike is another column
        {"LoftName ASC", "LoftName", "LoftName DESC"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(nextSortText(c.current, c.column), QString(c.next)) << c.current << " + " << c.column;
}

TEST(GridSort, ApplySortTextFindsTheColumnByFieldName)
{
    QStandardItemModel model(0, 2);
    model.setHeaderData(0, Qt::Horizontal, "Life Ring Number");
    model.setHeaderData(0, Qt::Horizontal, "PRingNo", Qt::UserRole);
    model.setHeaderData(1, Qt::Horizontal, "Sex");
    for (const char* ring : {"B", "C", "A"})
        model.appendRow({new QStandardItem(ring), new QStandardItem("C")});
    QSortFilterProxyModel proxy;
    proxy.setSourceModel(&model);
    auto column0 = [&] {
        QString s;
        for (int r = 0; r < proxy.rowCount(); ++r)
            s += proxy.index(r, 0).data().toString();
        return s;
    };
    applySortText(&proxy, "PRingNo DESC");
    EXPECT_EQ(column0(), "CBA");
    applySortText(&proxy, "PRingNo ASC");
    EXPECT_EQ(column0(), "ABC");
    applySortText(&proxy, "");
    EXPECT_EQ(column0(), "BCA");
}

} // namespace
