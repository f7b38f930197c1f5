#pragma once

#include "club_context.h"

#include <QWidget>

class QSortFilterProxyModel;
class QStandardItemModel;
class QTableView;

// The Home page: heading, picture and the read-only list of every clock of the club with
// its loft's name and last synchronisation date. A click on a column title sorts by the
// program-wide rule; the page's sort text lives for the whole run.
class TfrmHome : public QWidget {
    Q_OBJECT
public:
    explicit TfrmHome(const ClubContext& context, QWidget* parent = nullptr);

    // Runs the clock query again; the list comes back unsorted.
    void refresh();

    QTableView* grid() const { return grid_; }
    // The page's sort text, kept from one opening of the page to the next.
    static QString& sortText();

protected:
    void showEvent(QShowEvent* event) override;

private:
    ClubContext context_;
    QTableView* grid_ = nullptr;
    QStandardItemModel* model_ = nullptr;
    QSortFilterProxyModel* proxy_ = nullptr;
};
