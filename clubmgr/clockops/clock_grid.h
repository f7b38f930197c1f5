// A read-only grid of the clock-operation window: a table view over a list of text rows,
// sorted by a click on a column title (the window's one sort text).
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QTableView>

class QStandardItemModel;
class QSortFilterProxyModel;

namespace clockops {

struct GridColumn {
    QString title;
    QString field; // the name a title click sorts by
};

class ClockGrid : public QTableView {
    Q_OBJECT
public:
    ClockGrid(const QString &objectName, const QList<GridColumn> &columns, QString *sortText,
              QWidget *parent = nullptr);

    void setRows(const QList<QStringList> &rows);
    void setColumnTitle(int column, const QString &title);
    int rowCount() const;
    // Text of a cell in the order shown (after sorting).
    QString cell(int row, int column) const;
    // Moves the current row to the first row whose column holds the text.
    bool selectRowWith(int column, const QString &text);
    int currentRowIndex() const;

signals:
    void rowClicked(int row);

private:
    void fitColumns();
    QStandardItemModel *model_;
    QSortFilterProxyModel *proxy_;
    QString *sortText_;
};

// Display rules of the window's grids.
QString SexText(const QString &sex); // "Hen" for H, "Cock" otherwise, "" when NULL

} // namespace clockops
