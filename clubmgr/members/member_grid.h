#pragma once
// The read-only grids of the Member page and their action lists.

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

class QMenu;
class QSortFilterProxyModel;
class QTableView;
class QWidget;

namespace members {

class GridRows;

struct GridColumn {
    QString field;  // the column's field name, which the sort text uses
    QString title;
};

// A grid over a list model: every cell has a shown text, a value to sort by and, in the
// first column, the row's key. A click on a title sorts by the program's toggle rule with
// the given sort text.
class MemberGrid {
public:
    MemberGrid(QWidget* parent, const QString& objectName, const QList<GridColumn>& columns, QString* sortText);

    QTableView* view() const { return view_; }
    QSortFilterProxyModel* proxy() const { return proxy_; }

    struct Cell {
        QString text;
        QVariant sortValue;  // invalid: sort by the text
    };
    // Replaces the rows; the grid comes back unsorted, in the order given, on row 0.
    void setRows(const QList<QList<Cell>>& rows, const QStringList& keys);
    int rowCount() const;

    // The key of the current row as shown (empty when none), and its text in a column.
    QString currentKey() const;
    QString currentText(int column) const;
    // Moves to the first shown row with this key; false (and no move) when none.
    bool moveToKey(const QString& key);
    // Moves to the first shown row whose column holds the text.
    bool moveToText(int column, const QString& text);
    // Keys and texts of every row in the order shown.
    QStringList keysShown() const;
    QString textShown(int row, int column) const;

private:
    QTableView* view_;
    GridRows* model_;
    QSortFilterProxyModel* proxy_;
};

// An action list for a grid: a small menu shown 30 pixels right of and 10 pixels below
// the pointer when the right mouse button is released over the grid; any other button
// released over the grid hides it. Choosing an entry hides it again.
QMenu* makeActionList(QTableView* grid, const QString& objectName, const QStringList& entries);

}  // namespace members
