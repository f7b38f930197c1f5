#include "distance_panel.h"

#include "distance_update.h"
#include "dm_lcxs.h"
#include "flight_math.h"
#include "member_printouts.h"
#include "prompter.h"
#include "race_queries.h"
#include "report_sources.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

using namespace raceq;

namespace club {

namespace {
QList<GridColumn> columnsFor(int mode) {
    const bool imperial = mode == 1;
    return {{QStringLiteral("Member"), QStringLiteral("LoftName")},
            {QStringLiteral("LoftNo"), QStringLiteral("LoftNo")},
            {imperial ? QStringLiteral("Miles") : QStringLiteral("KM"), QStringLiteral("Miles")},
            {imperial ? QStringLiteral("Yards") : QStringLiteral("M"), QStringLiteral("Yards")}};
}
QString numberText(const QVariant& v) { return v.isNull() ? QString() : GroupedInteger(v.toLongLong()); }
}  // namespace

DistancePanel::DistancePanel(const ClubContext& context, QString* sortText, QWidget* parent)
    : QWidget(parent), context_(context) {
    setObjectName(QStringLiteral("pnlDistance"));
    auto* layout = new QVBoxLayout(this);
    title_ = new QLabel(this);
    title_->setObjectName(QStringLiteral("lblDistance"));
    layout->addWidget(title_);
    grid_ = MakeRaceGrid(this, QStringLiteral("dbgrdDistance"), columnsFor(0), sortText);
    grid_.view->installEventFilter(this);
    layout->addWidget(grid_.view, 1);
    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("btnDistOK"));
    auto* update = new QPushButton(QStringLiteral("LoftDistUpdate"), this);
    update->setObjectName(QStringLiteral("btnLoftDistUpdate"));
    auto* print = new QPushButton(QStringLiteral("Print"), this);
    print->setObjectName(QStringLiteral("btnDistPrint"));
    buttons->addWidget(ok);
    buttons->addWidget(update);
    buttons->addWidget(print);
    buttons->addStretch();
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, [this] {
        discardEdit();
        emit closed();
    });
    connect(update, &QPushButton::clicked, this, &DistancePanel::loftDistUpdate);
    connect(print, &QPushButton::clicked, this, &DistancePanel::print);
}

void DistancePanel::open(const SelectedRace& race) {
    race_ = race;
    title_->setText(QStringLiteral("Members Distance of ") + race.liberSite);
    reload();
}

void DistancePanel::reload() {
    editRow_ = -1;
    QList<DistanceRow> rows;
    try {
        mode_ = clubDistanceMode(*context_.dm);
        rows = selectDistanceRows(*context_.dm, race_.liberCode);
    } catch (const DbError& e) {
        context_.prompter->error(e.message());
    }
    grid_.clear();
    SetGridTitles(grid_, columnsFor(mode_));
    for (const DistanceRow& r : rows)
        grid_.model->appendRow({GridCell(r.loftName), GridCell(r.loftNo), NumberCell(numberText(r.miles), r.miles),
                                NumberCell(numberText(r.yards), r.yards)});
}

void DistancePanel::loftDistUpdate() {
    discardEdit();
    try {
        const DistanceUpdateReport report =
            UpdateLoftDistances(*context_.dm, race_.clubId, race_.liberCode, race_.liberDate);
        for (const QString& m : report.messages) context_.prompter->message(m);
    } catch (const DbError& e) {
        context_.prompter->error(e.message());
    }
    reload();
}

void DistancePanel::print() {
    reports::MemDistInput in;
    try {
        in.club = reports::clubAddressFrom(*context_.dm);
    } catch (const DbError& e) {
        context_.prompter->error(e.message());
        return;
    }
    in.title = title_->text();
    in.mode = mode_ == 1 ? reports::DistanceMode::Imperial : reports::DistanceMode::Metric;
    for (int r = 0; r < grid_.proxy->rowCount(); ++r) {
        auto value = [&](int c) { return grid_.proxy->index(r, c).data(kSortRole); };
        reports::MemDistRow row;
        row.loftName = value(0).toString();
        row.loftNo = value(1).toString();
        if (!value(2).toString().isEmpty()) row.miles = value(2).toLongLong();
        if (!value(3).toString().isEmpty()) row.yards = value(3).toLongLong();
        in.rows.append(row);
    }
    const reports::TfrmPrtMemDist report(in);
    if (viewer_) viewer_(report, this);
}

// Digit keys edit the current row's distance cell; Enter saves the row, any other key
// drops the unsaved change.
bool DistancePanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched != grid_.view || event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const QString text = key->text();
    const QModelIndex current = grid_.view->currentIndex();
    if (text.size() == 1 && text.at(0).isDigit()) {
        if (!current.isValid()) return true;
        const QModelIndex source = grid_.proxy->mapToSource(current);
        if (source.column() < 2) return true;   // the member and loft number are not edited
        QStandardItem* item = grid_.model->itemFromIndex(source);
        if (editRow_ != source.row() || editColumn_ != source.column()) {
            discardEdit();
            editRow_ = source.row();
            editColumn_ = source.column();
            editOriginal_ = item->text();
            item->setText(text);
        } else {
            item->setText(item->text() + text);
        }
        return true;
    }
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        saveEdit();
        return true;
    }
    if (editRow_ >= 0 && !text.isEmpty()) {
        discardEdit();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void DistancePanel::discardEdit() {
    if (editRow_ < 0) return;
    if (QStandardItem* item = grid_.model->item(editRow_, editColumn_)) item->setText(editOriginal_);
    editRow_ = editColumn_ = -1;
}

void DistancePanel::saveEdit() {
    if (editRow_ < 0) return;
    const int row = editRow_;
    const int column = editColumn_;
    editRow_ = editColumn_ = -1;
    QStandardItem* edited = grid_.model->item(row, column);
    const qlonglong value = edited->text().toLongLong();
    edited->setData(value, kSortRole);
    edited->setText(GroupedInteger(value));
    const QVariant miles = grid_.model->item(row, 2)->data(kSortRole);
    const QVariant yards = grid_.model->item(row, 3)->data(kSortRole);
    try {
        updateDistanceRow(*context_.dm, race_.liberCode, grid_.model->item(row, 1)->text(), miles, yards);
    } catch (const DbError& e) {
        context_.prompter->error(e.message());
        reload();
    }
}

}  // namespace club
