#include "other_clock_panel.h"

#include "dm_lcxs.h"
#include "flight_math.h"
#include "other_clock_entry.h"
#include "prompter.h"
#include "race_queries.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QTimeEdit>
#include <QVBoxLayout>

using namespace raceq;

namespace club {

namespace {
QDateEdit* dateEdit(QWidget* parent, const char* name) {
    auto* e = new QDateEdit(QDate::currentDate(), parent);
    e->setObjectName(QLatin1String(name));
    e->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    e->setCalendarPopup(true);
    return e;
}
QTimeEdit* timeEdit(QWidget* parent, const char* name) {
    auto* e = new QTimeEdit(QTime(0, 0), parent);
    e->setObjectName(QLatin1String(name));
    e->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    return e;
}
QHBoxLayout* pair(QWidget* a, QWidget* b) {
    auto* l = new QHBoxLayout;
    l->addWidget(a);
    l->addWidget(b);
    return l;
}
QDateTime joined(const QDateEdit* d, const QTimeEdit* t) { return QDateTime(d->date(), t->time()); }
}  // namespace

OtherClockPanel::OtherClockPanel(const ClubContext& context, QString* sortText, QWidget* parent)
    : QWidget(parent), context_(context) {
    setObjectName(QStringLiteral("pnlOtherClock"));
    auto* layout = new QVBoxLayout(this);
    title_ = new QLabel(this);
    title_->setObjectName(QStringLiteral("lblOtherClock"));
    layout->addWidget(title_);

    auto* top = new QHBoxLayout;
    auto* form = new QFormLayout;
    member_ = new QComboBox(this);
    member_->setObjectName(QStringLiteral("cbbLoftNo_OtherClock"));
    search_ = new QLineEdit(this);
    search_->setObjectName(QStringLiteral("edtSearch"));
    ring_ = new QComboBox(this);
    ring_->setObjectName(QStringLiteral("cbbSelPigNo"));
    ring_->setEditable(true);
    arrivalDate_ = dateEdit(this, "dtpSelPigDate");
    arrivalTime_ = timeEdit(this, "dtpSelPigTime");
    form->addRow(QStringLiteral("Member :"), member_);
    form->addRow(QStringLiteral("Search"), search_);
    form->addRow(QStringLiteral("Select"), ring_);
    form->addRow(QStringLiteral("Date"), arrivalDate_);
    form->addRow(QStringLiteral("Time"), arrivalTime_);
    top->addLayout(form);

    auto* clock = new QGroupBox(QStringLiteral("Clock Setting"), this);
    clock->setObjectName(QStringLiteral("grpClockSetting"));
    auto* clockForm = new QFormLayout(clock);
    markedDate_ = dateEdit(clock, "dtpMarkedDate");
    markedTime_ = timeEdit(clock, "dtpMarkedTime");
    masterDate_ = dateEdit(clock, "dtpMasterDate");
    masterTime_ = timeEdit(clock, "dtpMasterTime");
    memberDate_ = dateEdit(clock, "dtpMemberDate");
    memberTime_ = timeEdit(clock, "dtpMemberTime");
    clockForm->addRow(QStringLiteral("Marked set :"), pair(markedDate_, markedTime_));
    clockForm->addRow(QStringLiteral("Master check :"), pair(masterDate_, masterTime_));
    clockForm->addRow(QStringLiteral("Member check :"), pair(memberDate_, memberTime_));
    top->addWidget(clock);
    layout->addLayout(top);

    grid_ = MakeRaceGrid(this, QStringLiteral("dbgrdOtherClock"),
                         {{QStringLiteral("Ring "), QStringLiteral("PRingNo")},
                          {QStringLiteral("Time"), QStringLiteral("Backtime")}},
                         sortText);
    layout->addWidget(grid_.view, 1);
    auto* buttons = new QHBoxLayout;
    auto* addNew = new QPushButton(QStringLiteral("AddNew"), this);
    addNew->setObjectName(QStringLiteral("btnOCAddNew"));
    auto* saveButton = new QPushButton(QStringLiteral("Save"), this);
    saveButton->setObjectName(QStringLiteral("btnOCSave"));
    buttons->addWidget(addNew);
    buttons->addWidget(saveButton);
    buttons->addStretch();
    layout->addLayout(buttons);

    connect(member_, &QComboBox::textActivated, this, &OtherClockPanel::chooseMember);
    connect(search_, &QLineEdit::editingFinished, this, &OtherClockPanel::search);
    connect(ring_, &QComboBox::textActivated, this, &OtherClockPanel::selectPigeon);
    connect(addNew, &QPushButton::clicked, this, [this] { search_->setFocus(); });
    connect(saveButton, &QPushButton::clicked, this, &OtherClockPanel::save);
    connect(grid_.view, &QTableView::clicked, this, [this](const QModelIndex& index) {
        const QString ring = grid_.proxy->index(index.row(), 0).data().toString();
        ring_->setCurrentText(ring);
        selectPigeon(ring);
    });
}

void OtherClockPanel::open(const SelectedRace& race) {
    race_ = race;
    title_->setText(QStringLiteral("Add/Edit Other Clock     ") + race.liberCode + QStringLiteral("    ") +
                    race.liberSiteAbbr + QStringLiteral("    ") + race.liberDate.toString(QStringLiteral("yyyy/MM/dd")));
    member_->clear();
    try {
        member_->addItems(selectRaceLoftNames(*context_.dm));
    } catch (const DbError& e) {
        context_.prompter->error(e.message());
    }
    member_->setCurrentIndex(-1);
    grid_.clear();
}

void OtherClockPanel::chooseMember(const QString& loftName) {
    try {
        if (const std::optional<QString> no = loftNoForName(*context_.dm, loftName)) loftNo_ = *no;
        ring_->clear();
        ring_->addItems(selectLoftRings(*context_.dm, loftNo_));
        if (const std::optional<ClockTimeRow> t =
                findClockTime(*context_.dm, race_.liberCode, race_.liberDate, loftNo_)) {
            auto show = [](const QDateTime& v, QDateEdit* d, QTimeEdit* tm) {
                if (!v.isValid()) return;
                d->setDate(v.date());
                tm->setTime(QTime(v.time().hour(), v.time().minute(), v.time().second()));
            };
            show(t->dlMarkedTime, markedDate_, markedTime_);
            show(t->ulMasterTime, masterDate_, masterTime_);
            show(t->ulClockTime, memberDate_, memberTime_);
        }
    } catch (const DbError& e) {
        context_.prompter->error(e.message());
    }
    reloadList();
    markedDate_->setFocus();
}

void OtherClockPanel::search() {
    try {
        ring_->clear();
        ring_->addItems(selectLoftRings(*context_.dm, loftNo_, search_->text()));
    } catch (const DbError& e) {
        context_.prompter->error(e.message());
    }
}

void OtherClockPanel::selectPigeon(const QString& ring) {
    std::optional<QString> back;
    try {
        back = entryBackTime(*context_.dm, race_.liberCode, race_.liberDate, ring);
    } catch (const DbError& e) {
        context_.prompter->error(e.message());
    }
    const QDateTime arrival = back ? ParseBackTime(*back) : QDateTime();
    if (arrival.isValid()) {
        arrivalDate_->setDate(arrival.date());
        arrivalTime_->setTime(QTime(arrival.time().hour(), arrival.time().minute(), arrival.time().second()));
    } else {
        arrivalDate_->setDate(QDate::currentDate());
        arrivalTime_->setTime(QTime(0, 0));
    }
}

void OtherClockPanel::save() {
    OtherClockInput in;
    in.clubId = race_.clubId;
    in.liberCode = race_.liberCode;
    in.liberDate = race_.liberDate;
    in.loftNo = loftNo_;
    in.pRingNo = ring_->currentText();
    in.markedSet = joined(markedDate_, markedTime_);
    in.masterCheck = joined(masterDate_, masterTime_);
    in.memberCheck = joined(memberDate_, memberTime_);
    in.arrivalDate = arrivalDate_->date();
    in.arrivalTime = arrivalTime_->time();
    try {
        SaveOtherClockArrival(*context_.dm, in);
    } catch (const DbError& e) {
        context_.prompter->error(e.message());
    }
    reloadList();
}

void OtherClockPanel::reloadList() {
    grid_.clear();
    try {
        for (const RingArrival& a : selectLoftArrivals(*context_.dm, loftNo_, race_.liberCode, race_.liberDate))
            grid_.model->appendRow({GridCell(a.pRingNo), GridCell(a.backTime)});
    } catch (const DbError& e) {
        context_.prompter->error(e.message());
    }
}

}  // namespace club
