#include "member_page.h"

#include "club_ini.h"
#include "clock_panel.h"
#include "dm_lcxs.h"
#include "loft_form_panel.h"
#include "loft_list_panel.h"
#include "member_queries.h"
#include "pigeon_codes.h"
#include "pigeon_register.h"
#include "prompter.h"
#include "ring_panel.h"

#include <QDate>
#include <QLabel>
#include <QMenu>
#include <QShowEvent>
#include <QVBoxLayout>

using namespace members;

QString& TfrmMember::sortText()
{
    static QString text;
    return text;
}

TfrmMember::TfrmMember(const ClubContext& context, QWidget* parent) : QWidget(parent), context_(context)
{
    setObjectName(QStringLiteral("frmMember"));
    const MemberPageContext shared{context, &sortText()};
    auto* layout = new QVBoxLayout(this);
    lblHeading_ = new QLabel(QStringLiteral("Member"), this);
    lblHeading_->setObjectName(QStringLiteral("lblMember"));
    QFont f = lblHeading_->font();
    f.setPointSize(f.pointSize() + 10);
    f.setBold(true);
    lblHeading_->setFont(f);
    layout->addWidget(lblHeading_);

    pnlMem_ = new LoftListPanel(shared, this);
    pnlNewMember_ = new LoftFormPanel(shared, this);
    pnlMemRing_ = new RingPanel(shared, this);
    pnlClockList_ = new ClockPanel(shared, this);
    for (QWidget* panel : std::initializer_list<QWidget*>{pnlMem_, pnlNewMember_, pnlMemRing_, pnlClockList_})
        layout->addWidget(panel, 1);
    showOnly(pnlMem_);

    connect(pnlMem_, &LoftListPanel::addNewClicked, this, &TfrmMember::startNewLoft);
    connect(pnlMem_, &LoftListPanel::editRequested, this, &TfrmMember::startEditLoft);
    connect(pnlMem_, &LoftListPanel::ringsRequested, this, [this](const QString& loftNo, const QString& name) {
        showOnly(pnlMemRing_);
        lblHeading_->setText(name + QStringLiteral("'s Ring List"));
        pnlMemRing_->open(loftNo, name);
    });
    connect(pnlMem_, &LoftListPanel::clocksRequested, this, [this](const QString& loftNo, const QString& name) {
        showOnly(pnlClockList_);
        pnlClockList_->open(loftNo, name);
    });
    connect(pnlNewMember_, &LoftFormPanel::saved, this, [this] {
        pnlMem_->reload(false);
        backToList();
    });
    connect(pnlNewMember_, &LoftFormPanel::cancelled, this, &TfrmMember::backToList);
}

QString TfrmMember::heading() const
{
    return lblHeading_->text();
}

void TfrmMember::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        refresh();
}

void TfrmMember::refresh()
{
    const QStringList codes =
        parseCountryRingCodes(readIniValue(context_.paths.iniFile(), QStringLiteral("Parameter"),
                                           QStringLiteral("CountryRingCode")));
    ColourTable colours;
    try {
        colours = loadColours(*context_.dm);
    } catch (const DbError& e) {
        context_.prompter->error(e.message());
    }
    pnlMemRing_->setListSources(codes, ringYears(QDate::currentDate().year()), colours);
    pnlMem_->reload(true);
    for (QMenu* list : {pnlMem_->actionList(), pnlMemRing_->actionList(), pnlClockList_->actionList()})
        list->hide();
    backToList();
}

void TfrmMember::showOnly(QWidget* panel)
{
    for (QWidget* p : std::initializer_list<QWidget*>{pnlMem_, pnlNewMember_, pnlMemRing_, pnlClockList_})
        p->setVisible(p == panel);
}

void TfrmMember::backToList()
{
    showOnly(pnlMem_);
    lblHeading_->setText(QStringLiteral("Member"));
}

void TfrmMember::startNewLoft()
{
    QString association;
    try {
        association = clubAssociationCode(*context_.dm);
    } catch (const DbError& e) {
        context_.prompter->error(e.message());
        return;
    }
    lblHeading_->setText(QStringLiteral("Member New Add"));
    showOnly(pnlNewMember_);
    pnlNewMember_->startNew(association);
}

void TfrmMember::startEditLoft(const QString& loftNo)
{
    std::optional<LoftRow> loft;
    try {
        loft = findLoft(*context_.dm, loftNo);
    } catch (const DbError& e) {
        context_.prompter->error(e.message());
        return;
    }
    if (!loft)
        return;
    lblHeading_->setText(QStringLiteral("Member Edit Update"));
    showOnly(pnlNewMember_);
    pnlNewMember_->startEdit(*loft);
}
