#pragma once

#include <QString>

class QSortFilterProxyModel;
class QTableView;

// The sort rule of every grid in the program: a click on a column title sorts ascending,
// the next click on the same column descending, the next ascending again. A window keeps
// one sort text ("ClockID ASC", "LoftName DESC") for all its grids for the whole run; the
// window owns that text and hands it in.

// The sort text after a click on column. A click on another column, or on the column the
// text sorts descending, gives "<column> ASC"; otherwise "<column> DESC".
QString nextSortText(const QString& current, const QString& column);

// Sorts the proxy by a sort text; the column is found by its name (see columnNameOf).
// An empty text or an unknown column leaves the rows in their original order.
void applySortText(QSortFilterProxyModel* proxy, const QString& sortText);

// The name a column is sorted by: the header's Qt::UserRole data when set (the field
// name), else its display text.
QString columnNameOf(const QSortFilterProxyModel* proxy, int section);

// Makes clicks on the view's column titles sort it by the rule, updating *sortText.
// The view's model must be the given proxy. sortText must outlive the view.
void installTitleSort(QTableView* view, QSortFilterProxyModel* proxy, QString* sortText);
