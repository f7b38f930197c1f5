#include "grid_sort.h"

#include <QHeaderView>
#include <QSortFilterProxyModel>
#include <QTableView>

QString nextSortText(const QString& current, const QString& column)
{
    // Only the column part counts, so "LoftNo ASC" does not pass for a column "Loft".
    const QString currentColumn = current.section(' ', 0, 0);
    if (currentColumn != column || current.contains(" DESC"))
        return column + " ASC";
    return column + " DESC";
}

QString columnNameOf(const QSortFilterProxyModel* proxy, int section)
{
    const QVariant field = proxy->headerData(section, Qt::Horizontal, Qt::UserRole);
    if (field.isValid() && !field.toString().isEmpty())
        return field.toString();
    return proxy->headerData(section, Qt::Horizontal, Qt::DisplayRole).toString();
}

void applySortText(QSortFilterProxyModel* proxy, const QString& sortText)
{
    const QString column = sortText.section(' ', 0, 0);
    const Qt::SortOrder order = sortText.contains(" DESC") ? Qt::DescendingOrder : Qt::AscendingOrder;
    for (int c = 0; c < proxy->columnCount(); ++c) {
        if (!column.isEmpty() && columnNameOf(proxy, c).compare(column, Qt::CaseInsensitive) == 0) {
            proxy->sort(c, order);
            return;
        }
    }
    proxy->sort(-1);
}

void installTitleSort(QTableView* view, QSortFilterProxyModel* proxy, QString* sortText)
{
    view->setSortingEnabled(false);
    view->horizontalHeader()->setSectionsClickable(true);
    QObject::connect(view->horizontalHeader(), &QHeaderView::sectionClicked, view, [proxy, sortText](int section) {
        *sortText = nextSortText(*sortText, columnNameOf(proxy, section));
        applySortText(proxy, *sortText);
    });
}
