#include "race_page_parts.h"

#include "grid_sort.h"

#include <QHeaderView>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>

namespace club {

int RaceGrid::currentSourceRow() const {
    const QModelIndex i = view->currentIndex();
    if (!i.isValid()) return -1;
    return proxy->mapToSource(i).row();
}

void RaceGrid::clear() {
    proxy->sort(-1);
    model->setRowCount(0);
}

void SetGridTitles(RaceGrid& grid, const QList<GridColumn>& columns) {
    grid.model->setColumnCount(int(columns.size()));
    for (int c = 0; c < columns.size(); ++c) {
        grid.model->setHeaderData(c, Qt::Horizontal, columns[c].title);
        grid.model->setHeaderData(c, Qt::Horizontal, columns[c].field, Qt::UserRole);
    }
}

RaceGrid MakeRaceGrid(QWidget* parent, const QString& objectName, const QList<GridColumn>& columns,
                      QString* sortText) {
    RaceGrid g;
    g.view = new QTableView(parent);
    g.view->setObjectName(objectName);
    g.view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    g.view->setSelectionBehavior(QAbstractItemView::SelectRows);
    g.view->setSelectionMode(QAbstractItemView::SingleSelection);
    g.view->verticalHeader()->hide();
    g.view->verticalHeader()->setDefaultSectionSize(22);
    g.view->setWordWrap(false);
    g.view->horizontalHeader()->setDefaultSectionSize(130);
    g.model = new QStandardItemModel(0, int(columns.size()), g.view);
    g.proxy = new QSortFilterProxyModel(g.view);
    g.proxy->setSourceModel(g.model);
    g.proxy->setSortRole(kSortRole);
    g.view->setModel(g.proxy);
    SetGridTitles(g, columns);
    g.view->horizontalHeader()->setStretchLastSection(true);
    installTitleSort(g.view, g.proxy, sortText);
    return g;
}

QStandardItem* GridCell(const QString& text, const QVariant& sortValue) {
    auto* item = new QStandardItem(text);
    item->setData(sortValue.isValid() ? sortValue : QVariant(text), kSortRole);
    return item;
}

QStandardItem* NumberCell(const QString& text, const QVariant& sortValue) {
    QStandardItem* item = GridCell(text, sortValue);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

}  // namespace club
