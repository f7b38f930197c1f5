#include "setup_page.h"

#include "club_picture.h"
#include "club_queries.h"
#include "dm_lcxs.h"
#include "prompter.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const char* const kSeparator = "------------";

QLabel* label(const QString& text, QWidget* parent)
{
    return new QLabel(text, parent);
}

QLineEdit* edit(const char* name, QWidget* parent)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    return e;
}

} // namespace

TfrmSetup::TfrmSetup(const ClubContext& context, QWidget* parent)
    : QWidget(parent), context_(context)
{
    setObjectName("frmSetup");
    auto* layout = new QVBoxLayout(this);
    auto* heading = new QLabel("Setup", this);
    QFont hf = heading->font();
    hf.setPointSize(hf.pointSize() + 10);
    hf.setBold(true);
    heading->setFont(hf);
    layout->addWidget(heading);

    auto* body = new QHBoxLayout;
    layout->addLayout(body, 1);
    auto* left = new QVBoxLayout;
    body->addLayout(left, 2);

    auto* assoc = new QFormLayout;
    edtAssociation_ = edit("edtAssociation", this);
    assoc->addRow(label("Association :", this), edtAssociation_);
    left->addLayout(assoc);

    auto* address = new QGroupBox("Club address :", this);
    address->setObjectName("gbClubAddress");
    auto* grid = new QGridLayout(address);
    edtClubName_ = edit("edtClubName", address);
    edtClubAbbt_ = edit("edtClubAbbt", address);
    cbbClubName_ = new QComboBox(address);
    cbbClubName_->setObjectName("cbbClubName");
    edtClubStreet_ = edit("edtClubStreet", address);
    edtClubToneCity_ = edit("edtClubToneCity", address);
    edtPostCode_ = edit("edtPostCode", address);
    cbbLangue_ = new QComboBox(address);
    cbbLangue_->setObjectName("cbbLangue");
    cbbLangue_->addItem("English");
    cbbMode_ = new QComboBox(address);
    cbbMode_->setObjectName("cbbMode");
    cbbMode_->addItems({"m/min", "yds/min"});
    grid->addWidget(label("Name :", address), 0, 0);
    grid->addWidget(edtClubName_, 0, 1, 1, 2);
    grid->addWidget(label("Club Abbreviation :", address), 1, 0);
    grid->addWidget(edtClubAbbt_, 1, 1);
    grid->addWidget(cbbClubName_, 1, 2);
    grid->addWidget(label("Street :", address), 2, 0);
    grid->addWidget(edtClubStreet_, 2, 1, 1, 2);
    grid->addWidget(label("Town/City", address), 3, 0);
    grid->addWidget(edtClubToneCity_, 3, 1, 1, 2);
    grid->addWidget(label("Post Code :", address), 4, 0);
    grid->addWidget(edtPostCode_, 4, 1, 1, 2);
    grid->addWidget(label("Langue :", address), 5, 0);
    grid->addWidget(cbbLangue_, 5, 1, 1, 2);
    grid->addWidget(label("Mode :", address), 6, 0);
    grid->addWidget(cbbMode_, 6, 1, 1, 2);
    left->addWidget(address);

    auto* system = new QGroupBox("System datail :", this);
    system->setObjectName("gbSystem");
    auto* sys = new QGridLayout(system);
    sys->addWidget(label("Program Version :", system), 0, 0);
    sys->addWidget(label("V6.0", system), 0, 1);
    sys->addWidget(label("Volaro V6  Vervision :", system), 1, 0);
    sys->addWidget(label("V6.0", system), 1, 1);
    left->addWidget(system);

    auto* backup = new QGroupBox("Backup databases :", this);
    backup->setObjectName("gbBackup");
    auto* bl = new QGridLayout(backup);
    bl->addWidget(label("What is the maximum age", backup), 0, 0, 1, 4);
    bl->addWidget(label("of then databases backup ? ", backup), 1, 0);
    edtDay_ = edit("edtDay", backup);
    edtDay_->setText("0");
    edtDay_->setMaximumWidth(60);
    bl->addWidget(edtDay_, 1, 1);
    // The up-down control: steps the number in the field between 0 and 100.
    auto* updown = new QWidget(backup);
    updown->setObjectName("UpDown1");
    auto* ud = new QVBoxLayout(updown);
    ud->setContentsMargins(0, 0, 0, 0);
    ud->setSpacing(0);
    auto* up = new QToolButton(updown);
    up->setObjectName("btnDayUp");
    up->setArrowType(Qt::UpArrow);
    up->setFixedSize(18, 11);
    auto* down = new QToolButton(updown);
    down->setObjectName("btnDayDown");
    down->setArrowType(Qt::DownArrow);
    down->setFixedSize(18, 11);
    ud->addWidget(up);
    ud->addWidget(down);
    bl->addWidget(updown, 1, 2);
    bl->addWidget(label("Day", backup), 1, 3);
    auto* btnLoad = new QPushButton("Load Backup", backup);
    btnLoad->setObjectName("btnLoadBackup");
    auto* btnBack = new QPushButton("Back Now", backup);
    btnBack->setObjectName("btnBackNow");
    bl->addWidget(btnLoad, 2, 0);
    bl->addWidget(btnBack, 2, 1, 1, 3);
    bl->setColumnStretch(4, 1);
    left->addWidget(backup);
    left->addStretch();

    auto* picture = new QLabel(this);
    picture->setObjectName("imgSetup");
    picture->setPixmap(clubPicture(QSize(360, 240)));
    body->addWidget(picture, 1, Qt::AlignTop);

    connect(edtClubAbbt_, &QLineEdit::textEdited, this, [this](const QString& t) {
        const int pos = edtClubAbbt_->cursorPosition();
        edtClubAbbt_->setText(t.toUpper());
        edtClubAbbt_->setCursorPosition(pos);
    });
    connect(cbbClubName_, &QComboBox::activated, this, &TfrmSetup::cbbClubNameChange);
    connect(up, &QToolButton::clicked, this, [this] { stepDays(1); });
    connect(down, &QToolButton::clicked, this, [this] { stepDays(-1); });
    connect(btnBack, &QPushButton::clicked, this, &TfrmSetup::btnBackNowClick);
    connect(btnLoad, &QPushButton::clicked, this, &TfrmSetup::btnLoadBackupClick);
}

void TfrmSetup::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous() && !loaded_)
        loadFromDatabase();
}

void TfrmSetup::loadFromDatabase()
{
    loaded_ = true;
    cbbClubName_->clear();
    cbbClubName_->addItem("Custom");
    cbbClubName_->addItem(kSeparator);
    try {
        for (const ClubMapRow& c : selectClubMap(*context_.dm))
            cbbClubName_->addItem(c.clubName, c.clubId);
        // No choice until the user makes one: leaving the page untouched must not act as
        // "Custom" and add the shown club again.
        cbbClubName_->setCurrentIndex(-1);
        if (const auto row = firstClubData(*context_.dm)) {
            edtAssociation_->setText(row->associationCode);
            edtClubName_->setText(row->clubName);
            edtClubAbbt_->setText(row->clubId);
            edtClubStreet_->setText(row->street);
            edtClubToneCity_->setText(row->city);
            edtPostCode_->setText(row->postCode);
            cbbLangue_->setCurrentIndex(row->language >= 0 && row->language < cbbLangue_->count() ? row->language : 0);
            cbbMode_->setCurrentIndex(row->mode >= 0 && row->mode < cbbMode_->count() ? row->mode : 0);
            edtDay_->setText(row->dbBackupDays.isNull() ? QString() : QString::number(row->dbBackupDays.toInt()));
        }
    } catch (const DbError& e) {
        context_.prompter->error(e.message());
    }
}

void TfrmSetup::cbbClubNameChange(int index)
{
    const QString text = cbbClubName_->itemText(index);
    if (text == "Custom") {
        edtClubName_->setEnabled(true);
        edtClubAbbt_->setEnabled(true);
        edtClubName_->setFocus();
        return;
    }
    if (text == kSeparator)
        return;
    try {
        // The row by position in the list, so two clubs with one name stay apart.
        const QList<ClubMapRow> clubs = selectClubMap(*context_.dm);
        const int row = index - 2;
        if (row >= 0 && row < clubs.size()) {
            edtClubName_->setText(clubs[row].clubName);
            edtClubAbbt_->setText(clubs[row].clubId);
        }
    } catch (const DbError& e) {
        context_.prompter->error(e.message());
    }
    edtClubName_->setEnabled(false);
    edtClubAbbt_->setEnabled(false);
}

void TfrmSetup::stepDays(int delta)
{
    bool ok = false;
    int days = edtDay_->text().trimmed().toInt(&ok);
    if (!ok)
        days = 0;
    edtDay_->setText(QString::number(qBound(0, days + delta, 100)));
}

SetupForm TfrmSetup::form() const
{
    SetupForm f;
    f.association = edtAssociation_->text();
    f.clubName = edtClubName_->text();
    f.clubAbbreviation = edtClubAbbt_->text();
    f.clubListText = cbbClubName_->currentText();
    f.street = edtClubStreet_->text();
    f.city = edtClubToneCity_->text();
    f.postCode = edtPostCode_->text();
    f.language = qMax(0, cbbLangue_->currentIndex());
    f.mode = qMax(0, cbbMode_->currentIndex());
    f.backupDaysText = edtDay_->text();
    return f;
}

void TfrmSetup::closeEvent(QCloseEvent* event)
{
    // After a restore the file under the connection is the restored one: leaving the page
    // must not write this page's fields into it.
    if (loaded_ && !saved_ && !restored_) {
        saved_ = true;
        saveSetup(*context_.dm, form(), *context_.prompter);
    }
    QWidget::closeEvent(event);
}

void TfrmSetup::btnBackNowClick()
{
    const QString name = context_.prompter->saveFileName("Access BackUp files (*.Bak)|*.Bak");
    if (name.isEmpty())
        return;
    manualBackup(*context_.dm, name, QDate::currentDate(), *context_.prompter);
}

void TfrmSetup::btnLoadBackupClick()
{
    const QString name = context_.prompter->openFileName("Access BackUp files (*.Bak)|*.Bak");
    if (name.isEmpty())
        return;
    if (restoreBackup(*context_.dm, name, *context_.prompter)) {
        restored_ = true;
        if (context_.endProgram)
            context_.endProgram();
    }
}
