#include "home_page.h"

#include "club_picture.h"
#include "club_queries.h"
#include "dm_lcxs.h"
#include "grid_sort.h"
#include "prompter.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QShowEvent>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

QString& TfrmHome::sortText()
{
    static QString text;
    return text;
}

TfrmHome::TfrmHome(const ClubContext& context, QWidget* parent)
    : QWidget(parent), context_(context)
{
    setObjectName("frmHome");
    auto* layout = new QVBoxLayout(this);
    auto* heading = new QLabel("Home", this);
    heading->setObjectName("lblHome");
    QFont f = heading->font();
    f.setPointSize(f.pointSize() + 10);
    f.setBold(true);
    heading->setFont(f);
    layout->addWidget(heading);

    auto* row = new QHBoxLayout;
    auto* picture = new QLabel(this);
    picture->setObjectName("imgHome");
    picture->setPixmap(clubPicture(QSize(360, 240)));
    picture->setAlignment(Qt::AlignTop);
    row->addWidget(picture, 0, Qt::AlignTop);

    grid_ = new QTableView(this);
    grid_->setObjectName("dbgrdClocks");
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->verticalHeader()->hide();
    model_ = new QStandardItemModel(0, 3, this);
    const char* columns[] = {"ClockID", "LoftName", "LastSynchDate"};
    for (int c = 0; c < 3; ++c)
        model_->setHeaderData(c, Qt::Horizontal, QString::fromLatin1(columns[c]));
    proxy_ = new QSortFilterProxyModel(this);
    proxy_->setSourceModel(model_);
    grid_->setModel(proxy_);
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    installTitleSort(grid_, proxy_, &sortText());
    row->addWidget(grid_, 1);
    layout->addLayout(row, 1);
}

void TfrmHome::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        refresh();
}

void TfrmHome::refresh()
{
    QList<HomeClockRow> rows;
    try {
        rows = selectHomeClocks(*context_.dm);
    } catch (const DbError& e) {
        if (context_.prompter)
            context_.prompter->error(e.message());
    }
    proxy_->sort(-1);
    model_->setRowCount(0);
    for (const HomeClockRow& r : rows) {
        QList<QStandardItem*> items{
            new QStandardItem(r.clockId), new QStandardItem(r.loftName),
            new QStandardItem(r.lastSynchDate.isValid() ? r.lastSynchDate.toString("yyyy/MM/dd") : QString())};
        for (QStandardItem* item : items)
            item->setTextAlignment(Qt::AlignCenter);
        model_->appendRow(items);
    }
}
