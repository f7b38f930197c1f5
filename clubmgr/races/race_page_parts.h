#pragma once
// What the panels of the Races page share: the race chosen in the race list, the grids
// with the page's one sort text, and the way printouts are shown.

#include <QDate>
#include <QList>
#include <QString>
#include <QTime>

#include <functional>

class QSortFilterProxyModel;
class QStandardItem;
class QStandardItemModel;
class QTableView;
class QWidget;

namespace club::reports {
class TReportForm;
}

namespace club {

// The race of the selected row of the race list (its club, code, abbreviation, site, date).
struct SelectedRace {
    bool valid = false;
    QString clubId;
    QString liberCode;
    QString liberSiteAbbr;
    QString liberSite;
    QDate liberDate;
    QTime liberTime;
};

// Shows a printout; the page's default opens the modal preview.
using ReportViewer = std::function<void(const reports::TReportForm& report, QWidget* parent)>;

struct GridColumn {
    QString title;
    QString field;   // the name the sort text uses
};

// A read-only grid over a model, sorted through a proxy by the program's title-click rule
// with the given sort text. Items sort by their kSortRole value.
struct RaceGrid {
    QTableView* view = nullptr;
    QStandardItemModel* model = nullptr;
    QSortFilterProxyModel* proxy = nullptr;

    // Source row of the view's current row, -1 when none.
    int currentSourceRow() const;
    void clear();
};

inline constexpr int kSortRole = 0x0101;   // Qt::UserRole + 1

RaceGrid MakeRaceGrid(QWidget* parent, const QString& objectName, const QList<GridColumn>& columns,
                      QString* sortText);
void SetGridTitles(RaceGrid& grid, const QList<GridColumn>& columns);
// A cell showing `text` and sorting by `sortValue` (by the text when none is given).
QStandardItem* GridCell(const QString& text, const QVariant& sortValue = {});
// The same, right-aligned, for numbers.
QStandardItem* NumberCell(const QString& text, const QVariant& sortValue);

}  // namespace club
