#include "clock_panel.h"

#include "clock_discovery.h"
#include "dm_lcxs.h"
#include "loft_clocks.h"
#include "member_queries.h"
#include "prompter.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace members {

namespace {

// After a Discover the port is left alone this long before the next module opens it.
constexpr int kPortRestMs = 300;

QPushButton* button(QWidget* parent, const char* text, const char* name)
{
    auto* b = new QPushButton(QString::fromLatin1(text), parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

}  // namespace

ClockPanel::ClockPanel(const MemberPageContext& context, QWidget* parent)
    : QWidget(parent),
      context_(context),
      grid_(this, QStringLiteral("dbgrdClockList"),
            {{"ClockID", "Serial Number"}, {"LastSynchDate", "Date last synchronized "}, {"SynchStat", "Sync. required"}},
            context.sortText)
{
    setObjectName(QStringLiteral("pnlClockList"));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    lblClockListTitle_ = new QLabel(this);
    lblClockListTitle_->setObjectName(QStringLiteral("lblClockListTitle"));
    lblClockListSum_ = new QLabel(this);
    lblClockListSum_->setObjectName(QStringLiteral("lblClockListSum"));
    auto* btnAddNew = button(this, "AddNew", "btnClockAddNew");
    top->addWidget(lblClockListTitle_);
    top->addStretch(1);
    top->addWidget(lblClockListSum_);
    top->addWidget(btnAddNew);
    layout->addLayout(top);
    layout->addWidget(grid_.view(), 1);
    rgClockList_ = makeActionList(grid_.view(), QStringLiteral("rgClockList"), {QStringLiteral("Delete")});

    pnlClockNew_ = new QWidget(this);
    pnlClockNew_->setObjectName(QStringLiteral("pnlClockNew"));
    auto* form = new QFormLayout(pnlClockNew_);
    edtClockNo_ = new QLineEdit(pnlClockNew_);
    edtClockNo_->setObjectName(QStringLiteral("edtClockNo"));
    btnDiscover_ = button(pnlClockNew_, "Discover", "btnDiscover");
    auto* clockRow = new QHBoxLayout;
    clockRow->addWidget(edtClockNo_);
    clockRow->addWidget(btnDiscover_);
    form->addRow(QStringLiteral("Clock serial number :"), clockRow);
    edtMemName_ = new QLineEdit(pnlClockNew_);
    edtMemName_->setObjectName(QStringLiteral("edtMemName"));
    form->addRow(QStringLiteral("Member's name :"), edtMemName_);
    auto* buttons = new QHBoxLayout;
    auto* btnSave = button(pnlClockNew_, "Save", "btnClockSave");
    auto* btnCancel = button(pnlClockNew_, "Cancel", "btnClockCancel");
    buttons->addStretch(1);
    buttons->addWidget(btnSave);
    buttons->addWidget(btnCancel);
    form->addRow(buttons);
    pnlClockNew_->hide();
    layout->addWidget(pnlClockNew_);

    connect(rgClockList_->actions()[0], &QAction::triggered, this, &ClockPanel::deleteClock);
    connect(btnAddNew, &QPushButton::clicked, this, &ClockPanel::addNew);
    connect(btnSave, &QPushButton::clicked, this, &ClockPanel::save);
    connect(btnCancel, &QPushButton::clicked, this, &ClockPanel::cancel);
    connect(btnDiscover_, &QPushButton::clicked, this, &ClockPanel::discover);
}

void ClockPanel::open(const QString& loftNo, const QString& loftName)
{
    loftNo_ = loftNo;
    loftName_ = loftName;
    lblClockListTitle_->setText(loftName + QStringLiteral("'s Clock List"));
    pnlClockNew_->hide();
    reload();
}

void ClockPanel::reload()
{
    try {
        const QList<LoftClockRow> clocks = selectLoftClocks(*context_.club.dm, loftNo_);
        QList<QList<MemberGrid::Cell>> rows;
        QStringList keys;
        for (const LoftClockRow& c : clocks) {
            const QString synched = c.lastSynchDate.isValid()
                                        ? c.lastSynchDate.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"))
                                        : QString();
            rows << QList<MemberGrid::Cell>{{c.clockId, {}},
                                            {synched, c.lastSynchDate},
                                            {c.synchStat.isNull() ? QString() : c.synchStat.toString(), c.synchStat}};
            keys << c.clockId;
        }
        grid_.setRows(rows, keys);
        lblClockListSum_->setText(QStringLiteral("Number of clocks ") + QString::number(clocks.size()));
    } catch (const DbError& e) {
        context_.club.prompter->error(e.message());
    }
}

void ClockPanel::addNew()
{
    pnlClockNew_->show();
    edtClockNo_->setFocus();
}

void ClockPanel::cancel()
{
    pnlClockNew_->hide();
}

void ClockPanel::save()
{
    try {
        const ClockSaveResult r = saveLoftClock(*context_.club.dm, loftNo_, edtClockNo_->text(), edtMemName_->text());
        switch (r.outcome) {
        case ClockSaveResult::Outcome::Duplicate:
            context_.club.prompter->message(r.message);
            pnlClockNew_->hide();
            return;
        case ClockSaveResult::Outcome::UnknownMember:
            context_.club.prompter->message(r.message);
            return;
        case ClockSaveResult::Outcome::Saved:
            break;
        }
    } catch (const DbError& e) {
        context_.club.prompter->error(e.message());
        return;
    }
    reload();
    pnlClockNew_->hide();
}

void ClockPanel::deleteClock()
{
    if (grid_.rowCount() > 0 && context_.club.prompter->question(deleteClockQuestion())) {
        try {
            deleteLoftClock(*context_.club.dm, loftNo_, grid_.currentKey());
        } catch (const DbError& e) {
            context_.club.prompter->error(e.message());
        }
        reload();
    }
    pnlClockNew_->hide();
}

void ClockPanel::discover()
{
    const DiscoveryResult r = discoverClock(context_.club.paths.clubDir);
    for (const QString& message : r.messages)
        context_.club.prompter->message(message);
    if (r.found) {
        edtClockNo_->setText(r.deviceNo);
        edtMemName_->setText(loftName_);
    }
    // The module has closed the port; give it a moment before anyone opens it again.
    btnDiscover_->setEnabled(false);
    QTimer::singleShot(kPortRestMs, btnDiscover_, [b = btnDiscover_] { b->setEnabled(true); });
}

}  // namespace members
