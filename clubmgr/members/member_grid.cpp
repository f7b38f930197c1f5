#include "member_grid.h"

#include "grid_sort.h"

#include <QHeaderView>
#include <QMenu>
#include <QMouseEvent>
#include <QSortFilterProxyModel>
#include <QAbstractTableModel>
#include <QTableView>

namespace members {

namespace {

constexpr int kSortRole = Qt::UserRole + 1;
constexpr int kKeyRole = Qt::UserRole + 2;

// Pops the action list up where the right button was released over the grid.
class ActionListTrigger : public QObject {
public:
    ActionListTrigger(QWidget* viewport, QMenu* menu) : QObject(viewport), menu_(menu)
    {
        viewport->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonRelease) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::RightButton)
                menu_->popup(mouse->globalPosition().toPoint() + QPoint(30, 10));
            else
                menu_->hide();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QMenu* menu_;
};

}  // namespace

// The rows of a grid, replaced all at once: one reset instead of a signal per cell keeps a
// list of thousands of rows quick to show.
class GridRows : public QAbstractTableModel {
public:
    GridRows(const QList<GridColumn>& columns, QObject* parent) : QAbstractTableModel(parent), columns_(columns) {}

    void setRows(const QList<QList<MemberGrid::Cell>>& rows, const QStringList& keys)
    {
        beginResetModel();
        rows_ = rows;
        keys_ = keys;
        endResetModel();
    }

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(rows_.size()); }
    int columnCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : int(columns_.size());
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || index.row() >= rows_.size())
            return {};
        const auto& row = rows_[index.row()];
        const MemberGrid::Cell cell = index.column() < row.size() ? row[index.column()] : MemberGrid::Cell{};
        switch (role) {
        case Qt::DisplayRole: return cell.text;
        case kSortRole: return cell.sortValue.isValid() ? cell.sortValue : QVariant(cell.text);
        case kKeyRole: return keys_.value(index.row());
        default: return {};
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || section < 0 || section >= columns_.size())
            return QAbstractTableModel::headerData(section, orientation, role);
        if (role == Qt::DisplayRole)
            return columns_[section].title;
        if (role == Qt::UserRole)
            return columns_[section].field;
        return {};
    }

private:
    QList<GridColumn> columns_;
    QList<QList<MemberGrid::Cell>> rows_;
    QStringList keys_;
};

MemberGrid::MemberGrid(QWidget* parent, const QString& objectName, const QList<GridColumn>& columns,
                       QString* sortText)
{
    view_ = new QTableView(parent);
    view_->setObjectName(objectName);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->verticalHeader()->hide();
    view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + 6);
    model_ = new GridRows(columns, view_);
    proxy_ = new QSortFilterProxyModel(view_);
    proxy_->setSourceModel(model_);
    proxy_->setSortRole(kSortRole);
    proxy_->setSortCaseSensitivity(Qt::CaseInsensitive);
    view_->setModel(proxy_);
    view_->horizontalHeader()->setStretchLastSection(true);
    installTitleSort(view_, proxy_, sortText);
}

void MemberGrid::setRows(const QList<QList<Cell>>& rows, const QStringList& keys)
{
    proxy_->sort(-1);
    model_->setRows(rows, keys);
    if (!rows.isEmpty())
        view_->setCurrentIndex(proxy_->index(0, 0));
}

int MemberGrid::rowCount() const
{
    return model_->rowCount();
}

QString MemberGrid::currentKey() const
{
    const QModelIndex current = view_->currentIndex();
    if (!current.isValid())
        return QString();
    return proxy_->index(current.row(), 0).data(kKeyRole).toString();
}

QString MemberGrid::currentText(int column) const
{
    const QModelIndex current = view_->currentIndex();
    if (!current.isValid())
        return QString();
    return proxy_->index(current.row(), column).data().toString();
}

bool MemberGrid::moveToKey(const QString& key)
{
    for (int r = 0; r < proxy_->rowCount(); ++r) {
        if (proxy_->index(r, 0).data(kKeyRole).toString() == key) {
            view_->setCurrentIndex(proxy_->index(r, 0));
            return true;
        }
    }
    return false;
}

bool MemberGrid::moveToText(int column, const QString& text)
{
    for (int r = 0; r < proxy_->rowCount(); ++r) {
        if (proxy_->index(r, column).data().toString() == text) {
            view_->setCurrentIndex(proxy_->index(r, column));
            return true;
        }
    }
    return false;
}

QStringList MemberGrid::keysShown() const
{
    QStringList keys;
    for (int r = 0; r < proxy_->rowCount(); ++r)
        keys << proxy_->index(r, 0).data(kKeyRole).toString();
    return keys;
}

QString MemberGrid::textShown(int row, int column) const
{
    return proxy_->index(row, column).data().toString();
}

QMenu* makeActionList(QTableView* grid, const QString& objectName, const QStringList& entries)
{
    auto* menu = new QMenu(grid);
    menu->setObjectName(objectName);
    for (const QString& entry : entries)
        menu->addAction(entry);
    new ActionListTrigger(grid->viewport(), menu);
    return menu;
}

}  // namespace members
