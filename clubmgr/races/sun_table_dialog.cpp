#include "sun_table_dialog.h"

#include "dm_lcxs.h"
#include "prompter.h"
#include "sun_table.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace club {

namespace {
constexpr int kFixedRows = 2;

QTableWidgetItem* fixedCell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled);
    item->setBackground(QColor(0xe0, 0xe0, 0xe0));
    return item;
}
}  // namespace

SunTableDialog::SunTableDialog(const ClubContext& context, QWidget* parent)
    : QFrame(parent), context_(context) {
    setObjectName(QStringLiteral("frmSunData"));
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(this);
    auto* heading = new QLabel(QStringLiteral("SunSet / SunRise"), this);
    layout->addWidget(heading);
    table_ = new QTableWidget(kFixedRows + kSunTableDays, 4, this);
    table_->setObjectName(QStringLiteral("sgSunData"));
    table_->horizontalHeader()->hide();
    table_->verticalHeader()->hide();
    const char* titles[] = {"Race Date", "Location", "Sunset", "Sunrise"};
    const char* formats[] = {"yyyy-mm-dd ", "", "hh:nn:ss", "hh:nn:ss"};
    for (int c = 0; c < 4; ++c) {
        table_->setItem(0, c, fixedCell(QLatin1String(titles[c])));
        table_->setItem(1, c, fixedCell(QLatin1String(formats[c])));
    }
    layout->addWidget(table_);
    auto* buttons = new QHBoxLayout;
    auto* saveButton = new QPushButton(QStringLiteral("Save"), this);
    saveButton->setObjectName(QStringLiteral("btnSunSave"));
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("btnSunCancel"));
    buttons->addWidget(saveButton);
    buttons->addWidget(cancel);
    buttons->addStretch();
    layout->addLayout(buttons);
    connect(saveButton, &QPushButton::clicked, this, &SunTableDialog::save);
    connect(cancel, &QPushButton::clicked, this, &QWidget::hide);
    resize(460, 320);
    hide();
}

void SunTableDialog::open(const QString& raceCode) {
    raceCode_ = raceCode;
    QVector<SunCells> cells;
    try {
        cells = LoadSunCells(*context_.dm, raceCode);
    } catch (const DbError& e) {
        context_.prompter->error(e.message());
    }
    for (int r = 0; r < kSunTableDays; ++r) {
        const SunCells c = r < cells.size() ? cells[r] : SunCells{};
        const QString texts[] = {c.date, c.location, c.sunSet, c.sunRise};
        for (int col = 0; col < 4; ++col) table_->setItem(kFixedRows + r, col, new QTableWidgetItem(texts[col]));
    }
    show();
    raise();
}

void SunTableDialog::save() {
    QVector<SunCells> rows;
    auto text = [this](int r, int c) {
        const QTableWidgetItem* item = table_->item(r, c);
        return item ? item->text() : QString();
    };
    for (int r = kFixedRows; r < kFixedRows + kSunTableDays; ++r)
        rows.append({text(r, 0), text(r, 1), text(r, 2), text(r, 3)});
    try {
        const QString problem = SaveSunCells(*context_.dm, raceCode_, rows);
        if (!problem.isEmpty()) {
            context_.prompter->message(problem);
            return;
        }
    } catch (const DbError& e) {
        context_.prompter->error(e.message());
        return;
    }
    hide();
}

}  // namespace club
