#include "clock_grid.h"

#include "grid_sort.h"

#include <QHeaderView>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>

namespace clockops {

ClockGrid::ClockGrid(const QString &objectName, const QList<GridColumn> &columns, QString *sortText,
                     QWidget *parent)
    : QTableView(parent), model_(new QStandardItemModel(0, columns.size(), this)),
      proxy_(new QSortFilterProxyModel(this)), sortText_(sortText)
{
    setObjectName(objectName);
    for (int i = 0; i < columns.size(); ++i) {
        auto *header = new QStandardItem(columns[i].title);
        header->setData(columns[i].field, Qt::UserRole);
        model_->setHorizontalHeaderItem(i, header);
    }
    proxy_->setSourceModel(model_);
    setModel(proxy_);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    verticalHeader()->hide();
    // One text line per row, and columns as wide as their title or text, so titles like
    // "Association Number" are readable and the last column takes what is left.
    verticalHeader()->setDefaultSectionSize(22);
    setWordWrap(false);
    horizontalHeader()->setStretchLastSection(true);
    fitColumns();
    installTitleSort(this, proxy_, sortText_);
    connect(this, &QTableView::clicked, this, [this](const QModelIndex &index) { emit rowClicked(index.row()); });
}

void ClockGrid::setRows(const QList<QStringList> &rows)
{
    model_->removeRows(0, model_->rowCount());
    for (const QStringList &row : rows) {
        QList<QStandardItem *> items;
        for (int c = 0; c < model_->columnCount(); ++c)
            items << new QStandardItem(c < row.size() ? row[c] : QString());
        model_->appendRow(items);
    }
    applySortText(proxy_, *sortText_);
    fitColumns();
}

void ClockGrid::fitColumns()
{
    // The last column stretches over what is left; sizing it too would make it wider
    // than the view and bring up a needless scroll bar.
    const int last = model_->columnCount() - 1;
    for (int c = 0; c < last; ++c) // a little air between neighbours
        setColumnWidth(c, sizeHintForColumn(c) > horizontalHeader()->sectionSizeHint(c)
                              ? sizeHintForColumn(c) + 12
                              : horizontalHeader()->sectionSizeHint(c) + 12);
}

void ClockGrid::setColumnTitle(int column, const QString &title)
{
    if (QStandardItem *header = model_->horizontalHeaderItem(column))
        header->setText(title);
}

int ClockGrid::rowCount() const
{
    return proxy_->rowCount();
}

QString ClockGrid::cell(int row, int column) const
{
    return proxy_->index(row, column).data().toString();
}

bool ClockGrid::selectRowWith(int column, const QString &text)
{
    for (int r = 0; r < proxy_->rowCount(); ++r) {
        if (cell(r, column) == text) {
            setCurrentIndex(proxy_->index(r, 0));
            selectRow(r);
            return true;
        }
    }
    return false;
}

int ClockGrid::currentRowIndex() const
{
    return currentIndex().isValid() ? currentIndex().row() : -1;
}

QString SexText(const QString &sex)
{
    if (sex.isNull())
        return QString();
    return sex == QLatin1String("H") ? QStringLiteral("Hen") : QStringLiteral("Cock");
}

} // namespace clockops
