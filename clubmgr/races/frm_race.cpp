#include "frm_race.h"

#include "club_queries.h"
#include "distance_panel.h"
#include "dm_lcxs.h"
#include "other_clock_panel.h"
#include "prompter.h"
#include "race_editing.h"
#include "race_printouts.h"
#include "race_queries.h"
#include "report_sources.h"
#include "result_panel.h"
#include "status_panel.h"
#include "sun_table_dialog.h"
#include "flight_math.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QShowEvent>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QTimeEdit>
#include <QVBoxLayout>

using namespace raceq;

using namespace club;

namespace {

enum Action { EditPoint = 0, DeletePoint, Separator1, Distance, Status, Result, Separator2, OtherClock };

// Liberation point mask: hemisphere letter or digit, degrees, minutes and seconds.
const char* const kCoordinateMask = ">N999'99:99";

QPushButton* button(const QString& text, const char* name, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

void upperCaseAsTyped(QLineEdit* edit) {
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
        const QString upper = text.toUpper();
        if (upper == text) return;
        const int pos = edit->cursorPosition();
        edit->setText(upper);
        edit->setCursorPosition(pos);
    });
}

}  // namespace

QString& TfrmRace::sortText() {
    static QString text;
    return text;
}

TfrmRace::TfrmRace(const ClubContext& context, QWidget* parent)
    : QWidget(parent), context_(context),
      viewer_([](const reports::TReportForm& r, QWidget* p) { r.preview(p); }) {
    setObjectName(QStringLiteral("frmRace"));
    auto* layout = new QVBoxLayout(this);
    auto* heading = new QLabel(QStringLiteral("Race Points"), this);
    heading->setObjectName(QStringLiteral("lblRacePoints"));
    QFont f = heading->font();
    f.setPointSize(f.pointSize() + 10);
    f.setBold(true);
    heading->setFont(f);
    layout->addWidget(heading);

    buildRacePanel();
    layout->addWidget(racePanel_, 1);
    distance_ = new DistancePanel(context_, &sortText(), this);
    status_ = new StatusPanel(context_, &sortText(), this);
    result_ = new ResultPanel(context_, &sortText(), this);
    otherClock_ = new OtherClockPanel(context_, &sortText(), this);
    for (QWidget* panel : {static_cast<QWidget*>(distance_), static_cast<QWidget*>(status_),
                           static_cast<QWidget*>(result_), static_cast<QWidget*>(otherClock_)}) {
        layout->addWidget(panel, 1);
        panel->hide();
    }
    connect(distance_, &DistancePanel::closed, this, [this] { showPanel(racePanel_); });
    connect(status_, &StatusPanel::closed, this, [this] { showPanel(racePanel_); });
    connect(result_, &ResultPanel::closed, this, [this] { showPanel(racePanel_); });
    setReportViewer(viewer_);
}

void TfrmRace::setReportViewer(ReportViewer viewer) {
    viewer_ = std::move(viewer);
    distance_->setReportViewer(viewer_);
    status_->setReportViewer(viewer_);
    result_->setReportViewer(viewer_);
}

void TfrmRace::buildRacePanel() {
    racePanel_ = new QWidget(this);
    racePanel_->setObjectName(QStringLiteral("pnlRace"));
    auto* layout = new QHBoxLayout(racePanel_);

    auto* left = new QVBoxLayout;
    races_ = MakeRaceGrid(racePanel_, QStringLiteral("dbgrd1"),
                          {{QStringLiteral("Club"), QStringLiteral("ClubID")},
                           {QStringLiteral("Code"), QStringLiteral("LiberCode")},
                           {QStringLiteral("LibSite Abbre."), QStringLiteral("LiberSiteAbbr")},
                           {QStringLiteral("Liberation Site"), QStringLiteral("LiberSite")},
                           {QStringLiteral("Lib. Date"), QStringLiteral("LiberDate")},
                           {QStringLiteral("Lib. Time"), QStringLiteral("LiberTime")}},
                          &sortText());
    races_.view->viewport()->installEventFilter(this);
    connect(races_.view, &QTableView::clicked, this, [this] { selectRace(); });
    connect(races_.view, &QTableView::doubleClicked, this, [this] { runAction(Result); });
    left->addWidget(races_.view, 1);
    auto* print = button(QStringLiteral("Print"), "btnPrint", racePanel_);
    connect(print, &QPushButton::clicked, this, &TfrmRace::printRaceList);
    left->addWidget(print, 0, Qt::AlignLeft);
    layout->addLayout(left, 3);

    detail_ = new QGroupBox(QStringLiteral("Liberation Points Detail"), racePanel_);
    detail_->setObjectName(QStringLiteral("grpDetail"));
    auto* form = new QFormLayout(detail_);
    club_ = new QComboBox(detail_);
    club_->setObjectName(QStringLiteral("combClub"));
    club_->setContextMenuPolicy(Qt::CustomContextMenu);
    abbr_ = new QLineEdit(detail_);
    abbr_->setObjectName(QStringLiteral("edtlibSiteAbbriv"));
    abbr_->setMaxLength(10);
    upperCaseAsTyped(abbr_);
    site_ = new QComboBox(detail_);
    site_->setObjectName(QStringLiteral("combLibSite"));
    site_->setEditable(true);
    site_->setInsertPolicy(QComboBox::NoInsert);
    site_->lineEdit()->setMaxLength(20);
    site_->setContextMenuPolicy(Qt::CustomContextMenu);
    date_ = new QDateEdit(QDate::currentDate(), detail_);
    date_->setObjectName(QStringLiteral("dtpLibDate"));
    date_->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    date_->setCalendarPopup(true);
    time_ = new QTimeEdit(QTime(0, 0), detail_);
    time_->setObjectName(QStringLiteral("dtpLibTime"));
    time_->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    code_ = new QLineEdit(detail_);
    code_->setObjectName(QStringLiteral("edtLibCode"));
    code_->setMaxLength(4);
    code_->installEventFilter(this);
    custom_ = new QCheckBox(QStringLiteral("Customized LibPoint"), detail_);
    custom_->setObjectName(QStringLiteral("chkLibPoint"));
    auto* sunButton = button(QStringLiteral("SunData Setting"), "btnSunData", detail_);
    lon_ = new QLineEdit(detail_);
    lon_->setObjectName(QStringLiteral("medtRaceLon"));
    lon_->setInputMask(QLatin1String(kCoordinateMask));
    lat_ = new QLineEdit(detail_);
    lat_->setObjectName(QStringLiteral("medtRaceLat"));
    lat_->setInputMask(QLatin1String(kCoordinateMask));
    form->addRow(QStringLiteral("Club :"), club_);
    form->addRow(QStringLiteral("Liberate Site Abbriviatio  :"), abbr_);
    form->addRow(QStringLiteral("Liberation Site :"), site_);
    form->addRow(QStringLiteral("Liberation Date :"), date_);
    form->addRow(QStringLiteral("Liberation Time :"), time_);
    form->addRow(QStringLiteral("Liberation Code :"), code_);
    form->addRow(QStringLiteral("Custmized Lib. Point :"), custom_);
    form->addRow(QStringLiteral("Set SunSet/Sunrise :"), sunButton);
    form->addRow(QStringLiteral("Lontitude :"), lon_);
    form->addRow(QStringLiteral("Latitude :"), lat_);
    auto* buttons = new QHBoxLayout;
    auto* saveButton = button(QStringLiteral("Save"), "btnSave", detail_);
    auto* cancel = button(QStringLiteral("Cancel"), "btnCancel", detail_);
    auto* addNewButton = button(QStringLiteral("AddNew"), "btnAddNew", racePanel_);
    buttons->addWidget(saveButton);
    buttons->addWidget(cancel);
    form->addRow(buttons);
    auto* right = new QVBoxLayout;
    right->addWidget(detail_);
    right->addWidget(addNewButton, 0, Qt::AlignLeft);
    right->addStretch();
    layout->addLayout(right, 2);

    connect(saveButton, &QPushButton::clicked, this, &TfrmRace::save);
    connect(cancel, &QPushButton::clicked, this, [this] { detail_->setEnabled(false); });
    connect(addNewButton, &QPushButton::clicked, this, &TfrmRace::addNew);
    connect(custom_, &QCheckBox::clicked, this, &TfrmRace::customize);
    connect(site_, &QComboBox::textActivated, this, &TfrmRace::chooseSite);
    connect(sunButton, &QPushButton::clicked, this, &TfrmRace::openSunTable);

    actions_ = new QListWidget(racePanel_);
    actions_->setObjectName(QStringLiteral("rgRacePoint"));
    actions_->addItems({QStringLiteral("Edit Point"), QStringLiteral("Delete Point"),
                        QStringLiteral("-------------------------"), QStringLiteral("Distance"),
                        QStringLiteral("Status"), QStringLiteral("Result"),
                        QStringLiteral("-------------------------"), QStringLiteral("Add/Edit other Clock")});
    actions_->setFixedSize(180, 8 * 20 + 6);
    actions_->hide();
    connect(actions_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { runAction(actions_->row(item)); });

    clubMenu_ = new QMenu(this);
    clubMenu_->setObjectName(QStringLiteral("pmClubMap"));
    QAction* addClub = clubMenu_->addAction(QStringLiteral("&A Add"));
    addClub->setObjectName(QStringLiteral("actClubAdd"));
    QAction* delClub = clubMenu_->addAction(QStringLiteral("&D Delete"));
    delClub->setObjectName(QStringLiteral("actClubDelete"));
    clubMenu_->addAction(QStringLiteral("&E Exit"))->setObjectName(QStringLiteral("actClubExit"));
    connect(addClub, &QAction::triggered, this, [this] {
        clubGroup_->show();
        clubGroup_->raise();
        clubCode_->setFocus();
    });
    connect(delClub, &QAction::triggered, this, &TfrmRace::deleteClub);
    connect(club_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { clubMenu_->popup(club_->mapToGlobal(p)); });

    siteMenu_ = new QMenu(this);
    siteMenu_->setObjectName(QStringLiteral("pmLibSite"));
    QAction* delSite = siteMenu_->addAction(QStringLiteral("&D Delete"));
    delSite->setObjectName(QStringLiteral("actSiteDelete"));
    siteMenu_->addAction(QStringLiteral("&E Exit"))->setObjectName(QStringLiteral("actSiteExit"));
    connect(delSite, &QAction::triggered, this, &TfrmRace::deleteSite);
    connect(site_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { siteMenu_->popup(site_->mapToGlobal(p)); });

    buildClubGroup();
    sun_ = new SunTableDialog(context_, racePanel_);
}

void TfrmRace::buildClubGroup() {
    clubGroup_ = new QGroupBox(QStringLiteral("grpClubMap"), racePanel_);
    clubGroup_->setObjectName(QStringLiteral("grpClubMap"));
    clubGroup_->setAutoFillBackground(true);
    auto* form = new QFormLayout(clubGroup_);
    clubCode_ = new QLineEdit(clubGroup_);
    clubCode_->setObjectName(QStringLiteral("edtClubCode"));
    clubCode_->setMaxLength(10);
    clubName_ = new QLineEdit(clubGroup_);
    clubName_->setObjectName(QStringLiteral("edtClubNmae"));
    clubName_->setMaxLength(50);
    form->addRow(QStringLiteral("ClubCode :"), clubCode_);
    form->addRow(QStringLiteral("ClubName : "), clubName_);
    auto* buttons = new QHBoxLayout;
    auto* saveButton = button(QStringLiteral("Save"), "btnClubSave", clubGroup_);
    auto* cancel = button(QStringLiteral("Cancel"), "btnClubCancel", clubGroup_);
    buttons->addWidget(saveButton);
    buttons->addWidget(cancel);
    form->addRow(buttons);
    // Room for a club name of up to 50 characters.
    clubName_->setMinimumWidth(clubName_->fontMetrics().averageCharWidth() * 40);
    clubGroup_->adjustSize();
    clubGroup_->move(40, 40);
    clubGroup_->hide();
    connect(saveButton, &QPushButton::clicked, this, &TfrmRace::saveClub);
    connect(cancel, &QPushButton::clicked, clubGroup_, &QWidget::hide);
}

void TfrmRace::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous()) return;
    fillLists();
    loadRaces();
    showPanel(racePanel_);
    actions_->hide();
    setCodeFieldsEnabled(false);
    club_->setFocus();
    date_->setDate(QDate::currentDate());
}

void TfrmRace::showPanel(QWidget* panel) {
    for (QWidget* w : {racePanel_, static_cast<QWidget*>(distance_), static_cast<QWidget*>(status_),
                       static_cast<QWidget*>(result_), static_cast<QWidget*>(otherClock_)})
        w->setVisible(w == panel);
}

void TfrmRace::report(const QString& error) {
    if (context_.prompter) context_.prompter->error(error);
}

void TfrmRace::fillLists() {
    club_->clear();
    site_->clear();
    try {
        for (const ClubMapRow& c : selectClubMap(*context_.dm)) club_->addItem(c.clubName);
        for (const SiteRow& s : selectSites(*context_.dm)) site_->addItem(s.liberSite);
    } catch (const DbError& e) {
        report(e.message());
    }
    site_->setCurrentIndex(-1);
}

void TfrmRace::loadRaces() {
    races_.clear();
    raceRows_.clear();
    QList<RaceRow> rows;
    try {
        rows = selectRaces(*context_.dm);
    } catch (const DbError& e) {
        report(e.message());
    }
    for (int i = 0; i < rows.size(); ++i) {
        const RaceRow& r = rows[i];
        raceRows_.append({true, r.clubId, r.liberCode, r.liberSiteAbbr, r.liberSite, r.liberDate, r.liberTime});
        const QString time = r.liberTime.isValid() ? r.liberTime.toString(QStringLiteral("HH:mm:ss")) : QString();
        QStandardItem* first = GridCell(r.clubId);
        first->setData(i, kSortRole + 1);
        races_.model->appendRow({first, GridCell(r.liberCode), GridCell(r.liberSiteAbbr), GridCell(r.liberSite),
                                 GridCell(r.liberDate.toString(QStringLiteral("yyyy/MM/dd")), r.liberDate),
                                 GridCell(time, r.liberTime)});
    }
    // Six columns of the default width do not fit beside the detail group: size them to
    // their titles and texts so "Lib. Time" is seen without scrolling.
    QTableView* v = races_.view;
    for (int c = 0; c + 1 < races_.model->columnCount(); ++c) {  // the last one stretches
        v->resizeColumnToContents(c);
        v->setColumnWidth(c, v->columnWidth(c) + 12);
    }
}

SelectedRace TfrmRace::selectedRace() const {
    const int row = races_.currentSourceRow();
    if (row < 0) return {};
    const int i = races_.model->item(row, 0)->data(kSortRole + 1).toInt();
    return i >= 0 && i < raceRows_.size() ? raceRows_[i] : SelectedRace{};
}

void TfrmRace::selectRace() {
    const SelectedRace sel = selectedRace();
    if (!sel.valid) return;
    try {
        const std::optional<RaceRow> race = findRace(*context_.dm, sel.liberCode, sel.liberDate);
        if (!race) return;
        club_->setCurrentText(clubNameForId(*context_.dm, race->clubId).value_or(QString()));
        code_->setText(race->liberCode);
        abbr_->setText(race->liberSiteAbbr);
        site_->setCurrentText(race->liberSite);
        lon_->setText(race->liberLon.toString());
        lat_->setText(race->liberLat.toString());
        date_->setDate(race->liberDate);
        time_->setTime(race->liberTime.isValid() ? race->liberTime : QTime(0, 0));
    } catch (const DbError& e) {
        report(e.message());
    }
}

void TfrmRace::runAction(int row) {
    const SelectedRace race = selectedRace();
    actions_->hide();
    actions_->clearSelection();
    actions_->setCurrentRow(-1);
    if (!race.valid) return;
    switch (row) {
    case EditPoint:
        selectRace();
        break;
    case DeletePoint:
        deleteRace();
        break;
    case Distance:
        distance_->open(race);
        showPanel(distance_);
        break;
    case Status:
        status_->open(race);
        showPanel(status_);
        break;
    case Result:
        result_->open(race);
        showPanel(result_);
        break;
    case OtherClock:
        otherClock_->open(race);
        showPanel(otherClock_);
        break;
    default:
        break;   // the separator lines do nothing
    }
}

void TfrmRace::setCodeFieldsEnabled(bool enabled) {
    for (QWidget* w : {static_cast<QWidget*>(abbr_), static_cast<QWidget*>(code_), static_cast<QWidget*>(lon_),
                       static_cast<QWidget*>(lat_)})
        w->setEnabled(enabled);
}

void TfrmRace::addNew() {
    site_->setCurrentIndex(-1);
    site_->setEditText(QString());
    abbr_->clear();
    lon_->clear();
    lat_->clear();
    code_->clear();
    detail_->setEnabled(true);
    setCodeFieldsEnabled(false);
    custom_->setChecked(false);
    club_->setFocus();
}

void TfrmRace::customize() {
    site_->setEnabled(true);
    setCodeFieldsEnabled(true);
    abbr_->setFocus();
}

void TfrmRace::chooseSite(const QString& name) {
    try {
        const std::optional<SiteRow> s = findSiteByName(*context_.dm, name);
        if (!s || custom_->isChecked()) return;
        abbr_->setText(s->liberSiteAbbr);
        code_->setText(s->liberCode);
        lon_->setText(s->liberLon.toString());
        lat_->setText(s->liberLat.toString());
    } catch (const DbError& e) {
        report(e.message());
    }
}

void TfrmRace::save() {
    RaceForm form;
    form.clubName = club_->currentText();
    form.liberCode = code_->text();
    form.liberSiteAbbr = abbr_->text();
    form.liberSite = site_->currentText();
    form.liberDate = date_->date();
    form.liberTime = QTime(time_->time().hour(), time_->time().minute(), time_->time().second());
    form.liberLon = lon_->displayText();
    form.liberLat = lat_->displayText();
    try {
        switch (SaveRace(*context_.dm, form, QDateTime::currentDateTime())) {
        case SaveOutcome::SiteDataMissing:
            context_.prompter->message(QLatin1String(kSiteDataMissingText));
            return;
        case SaveOutcome::UnknownClub:
            context_.prompter->message(QLatin1String(kUnknownClubText));
            return;
        case SaveOutcome::NewRaceAndSite:
            custom_->setChecked(false);
            break;
        default:
            break;
        }
    } catch (const DbError& e) {
        report(e.message());
        return;
    }
    loadRaces();
    setCodeFieldsEnabled(false);
    const QString siteText = site_->currentText();
    site_->clear();
    try {
        for (const SiteRow& s : selectSites(*context_.dm)) site_->addItem(s.liberSite);
    } catch (const DbError& e) {
        report(e.message());
    }
    site_->setCurrentText(siteText);
}

void TfrmRace::deleteRace() {
    const SelectedRace race = selectedRace();
    if (!context_.prompter->question(QStringLiteral("This will delete the data ?"))) return;
    try {
        DeleteRace(*context_.dm, race.clubId, race.liberCode, race.liberDate);
    } catch (const DbError& e) {
        report(e.message());
    }
    loadRaces();
}

void TfrmRace::deleteSite() {
    try {
        DeleteSite(*context_.dm, code_->text());
    } catch (const DbError& e) {
        report(e.message());
    }
    fillLists();
}

void TfrmRace::saveClub() {
    const QString id = clubCode_->text().trimmed();
    try {
        // Races find their club by its ID, so an ID is given once.
        if (id.isEmpty() || clubMapHasId(*context_.dm, id)) {
            context_.prompter->message(QStringLiteral("Club Abbrivation duplicate !"));
            return;
        }
        insertClubMap(*context_.dm, id, clubName_->text());
    } catch (const DbError& e) {
        report(e.message());
        return;
    }
    clubGroup_->hide();
    const QString keep = club_->currentText();
    fillLists();
    club_->setCurrentText(keep);
}

void TfrmRace::deleteClub() {
    try {
        deleteClubsNamed(*context_.dm, club_->currentText());
    } catch (const DbError& e) {
        report(e.message());
    }
    fillLists();
}

void TfrmRace::openSunTable() {
    sun_->open(RaceCodeFor(code_->text(), date_->date()));
    sun_->move(20, 20);
}

void TfrmRace::printRaceList() {
    reports::RaceListInput in;
    try {
        in.club = reports::clubAddressFrom(*context_.dm);
    } catch (const DbError& e) {
        report(e.message());
        return;
    }
    for (int r = 0; r < races_.proxy->rowCount(); ++r) {
        const int i = races_.proxy->index(r, 0).data(kSortRole + 1).toInt();
        const SelectedRace& s = raceRows_[i];
        in.rows.append({s.clubId, s.liberCode, s.liberSiteAbbr, s.liberSite, s.liberDate, s.liberTime});
    }
    const reports::TfrmPrtRaceList form(in);
    if (viewer_) viewer_(form, this);
}

bool TfrmRace::eventFilter(QObject* watched, QEvent* event) {
    if (watched == code_ && event->type() == QEvent::KeyPress) {
        // The code takes 0-9 and A-F only; any other typed character deletes the one
        // before the cursor.
        const QString text = static_cast<QKeyEvent*>(event)->text();
        if (text.size() == 1 && text.at(0).isPrint()) {
            const QChar c = text.at(0);
            if (!((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('A') && c <= QLatin1Char('F')))) {
                code_->backspace();
                return true;
            }
        }
    }
    if (watched == races_.view->viewport() && event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            const QModelIndex under = races_.view->indexAt(mouse->position().toPoint());
            if (under.isValid()) races_.view->setCurrentIndex(under);
            const QPoint at = races_.view->viewport()->mapTo(racePanel_, mouse->position().toPoint());
            actions_->move(at + QPoint(30, 10));
            actions_->show();
            actions_->raise();
            return true;
        }
        actions_->hide();
    }
    return QWidget::eventFilter(watched, event);
}
