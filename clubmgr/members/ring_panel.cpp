#include "ring_panel.h"

#include "dm_lcxs.h"
#include "member_queries.h"
#include "member_report_inputs.h"
#include "pigeon_exchange.h"
#include "pigeon_register.h"
#include "prompter.h"
#include "upper_case.h"

#include <QComboBox>
#include <QDate>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTableView>
#include <QVBoxLayout>

namespace members {

namespace {

QPushButton* button(QWidget* parent, const char* text, const char* name)
{
    auto* b = new QPushButton(QString::fromLatin1(text), parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

QComboBox* editableBox(QWidget* parent, const char* name)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    return box;
}

QString dateText(const QDate& d)
{
    return d.isValid() ? d.toString(QStringLiteral("yyyy/MM/dd")) : QString();
}

}  // namespace

RingPanel::RingPanel(const MemberPageContext& context, QWidget* parent)
    : QWidget(parent),
      context_(context),
      grid_(this, QStringLiteral("dbgrdMemRing"),
            {{"Team", "Team"}, {"PRingNo", "Life Ring Number"}, {"ColorType", "Color"}, {"Sex", "Sex of bird"},
             {"E_Ring", "E_Ring Assignment"}, {"CreateDate", "Create Date"}, {"AssignDate", "Assign Date"},
             {"Updatetime", "Last Update"}},
            context.sortText)
{
    setObjectName(QStringLiteral("pnlMemRing"));
    auto* layout = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Number of rings :"), this));
    lblRingSum_ = new QLabel(countText(0), this);
    lblRingSum_->setObjectName(QStringLiteral("lblRingSum"));
    top->addWidget(lblRingSum_);
    top->addStretch(1);
    auto* btnDeleteAll = button(this, "Delete All", "btnRingDeleteAll");
    auto* btnPrint = button(this, "Print", "btnRingPrint");
    top->addWidget(btnDeleteAll);
    top->addWidget(btnPrint);
    layout->addLayout(top);
    layout->addWidget(grid_.view(), 1);
    rgMemRing_ = makeActionList(grid_.view(), QStringLiteral("rgMemRing"),
                                {QStringLiteral("Edit Ring"), QStringLiteral("Delete Ring")});

    // The ring entry area, always visible below the grid.
    auto* data = new QWidget(this);
    data->setObjectName(QStringLiteral("pnlMRingData"));
    auto* grid = new QGridLayout(data);
    cbbCountryRingCode_ = editableBox(data, "cbbCountryRingCode");
    makeUpperCase(cbbCountryRingCode_);
    combBYear_ = editableBox(data, "combBYear");
    edtRegLetter_ = new QLineEdit(data);
    edtRegLetter_->setObjectName(QStringLiteral("edtRegLetter"));
    edtRegLetter_->setMaxLength(5);
    makeUpperCase(edtRegLetter_);
    edtRegNum_ = new QLineEdit(data);
    edtRegNum_->setObjectName(QStringLiteral("edtRegNum"));
    edtRegNum_->setMaxLength(7);
    edtRegNum_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9-]*")), edtRegNum_));
    lblUpRegNum_ = new QLabel(QStringLiteral("Upper registration number :"), data);
    lblUpRegNum_->setObjectName(QStringLiteral("lblUpRegNum"));
    edtUpRegNum_ = new QLineEdit(data);
    edtUpRegNum_->setObjectName(QStringLiteral("edtUpRegNum"));
    edtUpRegNum_->setMaxLength(7);
    edtUpRegNum_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edtUpRegNum_));
    cbbSex_ = editableBox(data, "cbbSex");
    cbbSex_->addItems({QStringLiteral("Hen"), QStringLiteral("Cock"), QString()});
    cbbSex_->setEditText(QStringLiteral("COCK"));
    cbbBColour_ = editableBox(data, "cbbBColour");
    cbbTeam_ = new QComboBox(data);
    cbbTeam_->setObjectName(QStringLiteral("cbbTeam"));
    cbbTeam_->addItems({QString(), "A", "B", "C", "D", "E", "F"});
    mmoComment_ = new QPlainTextEdit(data);
    mmoComment_->setObjectName(QStringLiteral("mmoComment"));
    mmoComment_->setMaximumHeight(60);

    grid->addWidget(new QLabel(QStringLiteral("Association :"), data), 0, 0);
    grid->addWidget(cbbCountryRingCode_, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Birth Year:"), data), 0, 2);
    grid->addWidget(combBYear_, 0, 3);
    grid->addWidget(new QLabel(QStringLiteral("Registration Letter :"), data), 1, 0);
    grid->addWidget(edtRegLetter_, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Registration Number :"), data), 1, 2);
    grid->addWidget(edtRegNum_, 1, 3);
    grid->addWidget(lblUpRegNum_, 2, 2);
    grid->addWidget(edtUpRegNum_, 2, 3);
    grid->addWidget(new QLabel(QStringLiteral("Sex of the bird :"), data), 3, 0);
    grid->addWidget(cbbSex_, 3, 1);
    grid->addWidget(new QLabel(QStringLiteral("Bird color :"), data), 3, 2);
    grid->addWidget(cbbBColour_, 3, 3);
    grid->addWidget(new QLabel(QStringLiteral("Team :"), data), 4, 0);
    grid->addWidget(cbbTeam_, 4, 1);
    grid->addWidget(new QLabel(QStringLiteral("Comment :"), data), 5, 0);
    grid->addWidget(mmoComment_, 5, 1, 1, 3);

    auto* buttons = new QHBoxLayout;
    auto* btnSave = button(data, "Save", "btnRingSave");
    auto* btnCancel = button(data, "Cancel", "btnRingCancel");
    auto* btnAddNew = button(data, "AddNew", "btnRingAddNew");
    auto* btnAddRange = button(data, "Add a Range", "btnRingAddRange");
    auto* btnImport = button(data, "Spreadsheet Import", "btnSpreadsheetImport");
    auto* btnExport = button(data, "Spreadsheet Export", "btnSpreadsheetExport");
    for (QPushButton* b : {btnSave, btnCancel, btnAddNew, btnAddRange, btnImport, btnExport})
        buttons->addWidget(b);
    grid->addLayout(buttons, 6, 0, 1, 4);

    // Feather colour maintenance: the colour box's pop-up menu and its small form.
    pmColor_ = new QMenu(cbbBColour_);
    pmColor_->setObjectName(QStringLiteral("pmColor"));
    QAction* add = pmColor_->addAction(QStringLiteral("&A Add"));
    QAction* del = pmColor_->addAction(QStringLiteral("&D Delete"));
    pmColor_->addAction(QStringLiteral("&E exit"));
    cbbBColour_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(cbbBColour_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { pmColor_->popup(cbbBColour_->mapToGlobal(at)); });
    if (cbbBColour_->lineEdit()) {
        cbbBColour_->lineEdit()->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(cbbBColour_->lineEdit(), &QWidget::customContextMenuRequested, this,
                [this](const QPoint& at) { pmColor_->popup(cbbBColour_->lineEdit()->mapToGlobal(at)); });
    }
    gbColorMaintain_ = new QGroupBox(QStringLiteral("Bird Color Maintain"), data);
    gbColorMaintain_->setObjectName(QStringLiteral("gbColorMaintain"));
    auto* colourForm = new QFormLayout(gbColorMaintain_);
    edtColorCode_ = new QLineEdit(gbColorMaintain_);
    edtColorCode_->setObjectName(QStringLiteral("edtColorCode"));
    edtColorCode_->setMaxLength(4);
    edtColorName_ = new QLineEdit(gbColorMaintain_);
    edtColorName_->setObjectName(QStringLiteral("edtColorName"));
    edtColorName_->setMaxLength(20);
    colourForm->addRow(QStringLiteral("Color Code :"), edtColorCode_);
    colourForm->addRow(QStringLiteral("Color Name :"), edtColorName_);
    auto* colourButtons = new QHBoxLayout;
    auto* btnColorSave = button(gbColorMaintain_, "Save", "btnColorSave");
    auto* btnColorCancel = button(gbColorMaintain_, "Cancel", "btnColorCancel");
    colourButtons->addWidget(btnColorSave);
    colourButtons->addWidget(btnColorCancel);
    colourForm->addRow(colourButtons);
    gbColorMaintain_->hide();
    grid->addWidget(gbColorMaintain_, 0, 4, 6, 1);
    layout->addWidget(data);

    const auto actions = rgMemRing_->actions();
    connect(actions[0], &QAction::triggered, this, &RingPanel::selectRing);
    connect(actions[1], &QAction::triggered, this, &RingPanel::deleteRing);
    connect(grid_.view(), &QTableView::clicked, this, &RingPanel::selectRing);
    connect(btnDeleteAll, &QPushButton::clicked, this, &RingPanel::deleteAll);
    connect(btnPrint, &QPushButton::clicked, this, &RingPanel::print);
    connect(btnSave, &QPushButton::clicked, this, &RingPanel::save);
    connect(btnCancel, &QPushButton::clicked, this, &RingPanel::cancel);
    connect(btnAddNew, &QPushButton::clicked, this, [this] { addNew(false); });
    connect(btnAddRange, &QPushButton::clicked, this, [this] { addNew(true); });
    connect(btnImport, &QPushButton::clicked, this, &RingPanel::importWorkbook);
    connect(btnExport, &QPushButton::clicked, this, &RingPanel::exportWorkbook);
    connect(add, &QAction::triggered, this, &RingPanel::showColourMaintain);
    connect(del, &QAction::triggered, this, &RingPanel::deleteColour);
    connect(btnColorSave, &QPushButton::clicked, this, &RingPanel::saveColour);
    connect(btnColorCancel, &QPushButton::clicked, gbColorMaintain_, &QWidget::hide);

    lblUpRegNum_->hide();
    edtUpRegNum_->hide();
}

void RingPanel::setListSources(const QStringList& countryCodes, const QStringList& years, const ColourTable& colours)
{
    const QString code = cbbCountryRingCode_->currentText();
    cbbCountryRingCode_->clear();
    cbbCountryRingCode_->addItems(countryCodes);
    cbbCountryRingCode_->setEditText(code);
    const QString year = combBYear_->currentText();
    combBYear_->clear();
    combBYear_->addItems(years);
    combBYear_->setEditText(year);
    colours_ = colours;
    const QString colour = cbbBColour_->currentText();
    cbbBColour_->clear();
    cbbBColour_->addItem(otherColourName());
    for (const FeatherColour& c : colours)
        cbbBColour_->addItem(c.name);
    cbbBColour_->setEditText(colour.isEmpty() ? otherColourName() : colour);
}

void RingPanel::open(const QString& loftNo, const QString& loftName)
{
    loftNo_ = loftNo;
    loftName_ = loftName;
    edtUpRegNum_->clear();
    edtUpRegNum_->hide();
    lblUpRegNum_->hide();
    cbbCountryRingCode_->setFocus();
    reload();
}

void RingPanel::reload(bool orderByRing)
{
    try {
        const QList<PigeonRow> pigeons = selectLoftPigeons(*context_.club.dm, loftNo_, orderByRing);
        QList<QList<MemberGrid::Cell>> rows;
        QStringList keys;
        for (const PigeonRow& p : pigeons) {
            rows << QList<MemberGrid::Cell>{
                {p.team, {}},
                {p.pRingNo, {}},
                {colourName(p.colorType, colours_), {}},
                {sexText(p.sex), {}},
                {p.eRing, {}},
                {dateText(p.createDate), p.createDate},
                {dateText(p.assignDate), p.assignDate},
                {p.updateTime.isValid() ? p.updateTime.toString(QStringLiteral("MM/dd HH:mm:ss")) : QString(),
                 p.updateTime}};
            keys << p.pRingNo;
        }
        grid_.setRows(rows, keys);
        lblRingSum_->setText(countText(int(pigeons.size())));
    } catch (const DbError& e) {
        context_.club.prompter->error(e.message());
    }
}

void RingPanel::setRingFieldsEnabled(bool enabled)
{
    for (QWidget* w : std::initializer_list<QWidget*>{cbbCountryRingCode_, combBYear_, edtRegLetter_, edtRegNum_})
        w->setEnabled(enabled);
}

void RingPanel::selectRing()
{
    const QString ring = grid_.currentKey();
    if (ring.isEmpty() && grid_.rowCount() == 0)
        return;
    try {
        const auto p = findPigeon(*context_.club.dm, loftNo_, ring);
        if (!p)
            return;
        cbbCountryRingCode_->setEditText(p->rCountry);
        cbbBColour_->setEditText(colourName(p->colorType, colours_));
        cbbSex_->setEditText(p->sex == QLatin1String("H") ? QStringLiteral("Hen") : QStringLiteral("Cock"));
        combBYear_->setEditText(p->rYear);
        edtRegLetter_->setText(p->rRegLetter);
        edtRegNum_->setText(p->rRegNumber);
        mmoComment_->setPlainText(p->comment);
        cbbTeam_->setCurrentText(p->team);
        if (cbbTeam_->currentText() != p->team)
            cbbTeam_->setCurrentIndex(0);
    } catch (const DbError& e) {
        context_.club.prompter->error(e.message());
        return;
    }
    setRingFieldsEnabled(false);
    selectedMode_ = true;
    selectedRing_ = ring;
}

void RingPanel::addNew(bool range)
{
    setRingFieldsEnabled(true);
    selectedMode_ = false;
    lblUpRegNum_->setVisible(range);
    edtUpRegNum_->setVisible(range);
    edtRegLetter_->clear();
    edtRegNum_->clear();
    mmoComment_->clear();
    combBYear_->setEditText(QString::number(QDate::currentDate().year()));
    cbbCountryRingCode_->setFocus();
}

void RingPanel::cancel()
{
    edtRegLetter_->clear();
    edtRegNum_->clear();
    mmoComment_->clear();
    cbbCountryRingCode_->setFocus();
}

void RingPanel::save()
{
    PigeonEntry entry;
    entry.parts = RingParts{cbbCountryRingCode_->currentText(), combBYear_->currentText(), edtRegLetter_->text(),
                            edtRegNum_->text()};
    // A hidden upper number ("AddNew" hides it without clearing it) makes no range.
    entry.upper = edtUpRegNum_->isHidden() ? QString() : edtUpRegNum_->text();
    entry.sexText = cbbSex_->currentText();
    entry.colourName = cbbBColour_->currentText();
    entry.comment = mmoComment_->toPlainText();
    entry.team = cbbTeam_->currentText();
    PigeonSaveResult r;
    try {
        // In selected-ring mode the pigeon shown, whatever row the list moved to since.
        const RingSelection selection{selectedMode_ ? selectedRing_ : grid_.currentKey(), selectedMode_};
        r = savePigeon(*context_.club.dm, loftNo_, entry, colours_, selection, QDateTime::currentDateTime());
    } catch (const DbError& e) {
        context_.club.prompter->error(e.message());
        return;
    }
    if (!r.error.isEmpty()) {
        context_.club.prompter->message(r.error);
        return;
    }
    reload();
    grid_.moveToKey(r.ringNo);
    edtUpRegNum_->clear();
    if (!r.storeError.isEmpty())
        context_.club.prompter->error(r.storeError);
    if (!r.skipped.isEmpty())
        context_.club.prompter->message(skippedRingsMessage(r.skipped));
}

void RingPanel::deleteRing()
{
    if (grid_.rowCount() == 0)
        return;
    const QString ring = grid_.currentKey();
    if (!context_.club.prompter->question(QStringLiteral("This will delete the data ?")))
        return;
    try {
        deletePigeon(*context_.club.dm, loftNo_, ring);
    } catch (const DbError& e) {
        context_.club.prompter->error(e.message());
    }
    reload();
}

void RingPanel::deleteAll()
{
    if (!context_.club.prompter->question(QStringLiteral("This will delete all pigeons data ?")))
        return;
    try {
        deleteLoftPigeons(*context_.club.dm, loftNo_);
    } catch (const DbError& e) {
        context_.club.prompter->error(e.message());
    }
    reload(true);
}

void RingPanel::importWorkbook()
{
    const QString path = context_.club.prompter->openFileName(workbookFilter());
    if (path.isEmpty())
        return;
    ImportResult r;
    try {
        r = importPigeons(*context_.club.dm, path, QDateTime::currentDateTime());
    } catch (const DbError& e) {
        r.error = e.message();
    }
    if (!r.error.isEmpty())
        context_.club.prompter->error(r.error);
    if (!r.otherLoft.isEmpty())
        context_.club.prompter->message(otherLoftMessage(r.otherLoft));
    reload();
}

void RingPanel::exportWorkbook()
{
    QString path = context_.club.prompter->saveFileName(workbookFilter());
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".xlsx");
    try {
        const ExportResult r = exportPigeons(*context_.club.dm, path);
        if (!r.ok)
            context_.club.prompter->error(r.error);
    } catch (const DbError& e) {
        context_.club.prompter->error(QStringLiteral("Data transfer error: ") + e.message());
    }
}

void RingPanel::print()
{
    club::reports::MemRingListInput input;
    input.loftName = loftName_;
    input.loftNo = loftNo_;
    input.colourNames = colourNamesOf(colours_);
    try {
        input.club = clubAddressOf(*context_.club.dm);
        // The rows of the list as shown, in the order shown.
        for (const QString& ring : grid_.keysShown()) {
            const auto p = findPigeon(*context_.club.dm, loftNo_, ring);
            if (p)
                input.rows << club::reports::MemRingRow{p->pRingNo,    p->sex,        p->eRing,     p->colorType,
                                                        p->createDate, p->assignDate, p->updateTime};
        }
    } catch (const DbError& e) {
        context_.club.prompter->error(e.message());
        return;
    }
    const club::reports::TfrmPrtMemRingList report(std::move(input));
    memberReportViewer()(report, window());
}

void RingPanel::showColourMaintain()
{
    edtColorCode_->clear();
    edtColorName_->clear();
    gbColorMaintain_->show();
    edtColorCode_->setFocus();
}

void RingPanel::saveColour()
{
    try {
        insertFeatherColor(*context_.club.dm, edtColorCode_->text(), edtColorName_->text());
    } catch (const DbError& e) {
        context_.club.prompter->error(e.message());
    }
    gbColorMaintain_->hide();
    reloadColourNames();
}

void RingPanel::deleteColour()
{
    try {
        deleteFeatherColorsNamed(*context_.club.dm, cbbBColour_->currentText());
    } catch (const DbError& e) {
        context_.club.prompter->error(e.message());
    }
    reloadColourNames();
}

void RingPanel::reloadColourNames()
{
    // After a change the box holds the names only; "Other" returns with the next showing.
    try {
        colours_ = loadColours(*context_.club.dm);
    } catch (const DbError& e) {
        context_.club.prompter->error(e.message());
    }
    const QString text = cbbBColour_->currentText();
    cbbBColour_->clear();
    for (const FeatherColour& c : colours_)
        cbbBColour_->addItem(c.name);
    cbbBColour_->setEditText(text);
}

}  // namespace members

