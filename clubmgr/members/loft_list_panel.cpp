#include "loft_list_panel.h"

#include "dm_lcxs.h"
#include "loft_register.h"
#include "member_printouts.h"
#include "member_queries.h"
#include "pigeon_codes.h"
#include "prompter.h"
#include "member_report_inputs.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace members {

LoftListPanel::LoftListPanel(const MemberPageContext& context, QWidget* parent)
    : QWidget(parent),
      context_(context),
      grid_(this, QStringLiteral("dbgrdMem"),
            {{"LoftNo", "LoftNo"}, {"LoftName", "LoftName"}, {"clockCnt", "clockCnt"}}, context.sortText)
{
    setObjectName(QStringLiteral("pnlMem"));
    auto* layout = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    auto* sumTitle = new QLabel(QStringLiteral("Number of Members:"), this);
    lblMemSum_ = new QLabel(countText(0), this);
    lblMemSum_->setObjectName(QStringLiteral("lblMemSum"));
    top->addWidget(sumTitle);
    top->addWidget(lblMemSum_);
    top->addStretch(1);
    auto* findLabel = new QLabel(QStringLiteral("Loft Name :"), this);
    combLoftName_ = new QComboBox(this);
    combLoftName_->setObjectName(QStringLiteral("combLoftName"));
    combLoftName_->setEditable(true);
    combLoftName_->setInsertPolicy(QComboBox::NoInsert);
    combLoftName_->setMinimumContentsLength(20);
    top->addWidget(findLabel);
    top->addWidget(combLoftName_);
    auto* btnAdd = new QPushButton(QStringLiteral("AddNew"), this);
    btnAdd->setObjectName(QStringLiteral("btnMemAddNew"));
    auto* btnPrint = new QPushButton(QStringLiteral("Print"), this);
    btnPrint->setObjectName(QStringLiteral("btnMemPrint"));
    top->addWidget(btnAdd);
    top->addWidget(btnPrint);
    layout->addLayout(top);
    layout->addWidget(grid_.view(), 1);

    rgMem_ = makeActionList(grid_.view(), QStringLiteral("rgMem"),
                            {QStringLiteral("Edit Member"), QStringLiteral("Delete Member"),
                             QStringLiteral("---------------------"), QStringLiteral("Member Rings List"),
                             QStringLiteral("Member Clocks")});
    const auto actions = rgMem_->actions();
    connect(actions[0], &QAction::triggered, this, [this] {
        if (grid_.rowCount() > 0)
            emit editRequested(currentLoftNo());
    });
    connect(actions[1], &QAction::triggered, this, &LoftListPanel::deleteCurrentLoft);
    connect(actions[3], &QAction::triggered, this, [this] {
        if (grid_.rowCount() > 0)
            emit ringsRequested(currentLoftNo(), currentLoftName());
    });
    connect(actions[4], &QAction::triggered, this, [this] {
        if (grid_.rowCount() > 0)
            emit clocksRequested(currentLoftNo(), currentLoftName());
    });
    connect(grid_.view(), &QTableView::doubleClicked, this, [this] {
        emit ringsRequested(currentLoftNo(), currentLoftName());
    });
    connect(combLoftName_, &QComboBox::textActivated, this, &LoftListPanel::findLoftName);
    connect(btnAdd, &QPushButton::clicked, this, &LoftListPanel::addNewClicked);
    connect(btnPrint, &QPushButton::clicked, this, &LoftListPanel::print);
}

void LoftListPanel::reload(bool withNames)
{
    try {
        const QList<LoftListRow> lofts = selectLoftList(*context_.club.dm);
        QList<QList<MemberGrid::Cell>> rows;
        QStringList keys;
        for (const LoftListRow& l : lofts) {
            rows << QList<MemberGrid::Cell>{{l.loftNo, {}}, {l.loftName, {}},
                                            {QString::number(l.clockCount), l.clockCount}};
            keys << l.loftNo;
        }
        grid_.setRows(rows, keys);
        lblMemSum_->setText(countText(int(lofts.size())));
        if (withNames) {
            combLoftName_->clear();
            combLoftName_->addItems(selectLoftNames(*context_.club.dm));
            combLoftName_->setCurrentIndex(-1);
            combLoftName_->setEditText(QString());
        }
    } catch (const DbError& e) {
        context_.club.prompter->error(e.message());
    }
}

void LoftListPanel::findLoftName(const QString& name)
{
    grid_.moveToText(1, name);
}

void LoftListPanel::deleteCurrentLoft()
{
    if (grid_.rowCount() == 0)
        return;
    const QString loftNo = currentLoftNo();
    try {
        TdmLCXS& dm = *context_.club.dm;
        const int pigeons = countLoftPigeons(dm, loftNo);
        if (pigeons == 0) {
            deleteLoft(dm, loftNo, false);
        } else if (context_.club.prompter->question(deleteLoftQuestion(pigeons))) {
            deleteLoft(dm, loftNo, true);
        } else {
            return;
        }
    } catch (const DbError& e) {
        context_.club.prompter->error(e.message());
    }
    reload(false);
}

void LoftListPanel::print()
{
    club::reports::MemListInput input;
    try {
        input.club = clubAddressOf(*context_.club.dm);
    } catch (const DbError& e) {
        context_.club.prompter->error(e.message());
        return;
    }
    for (int r = 0; r < grid_.rowCount(); ++r)
        input.rows << club::reports::MemListRow{grid_.textShown(r, 1), grid_.textShown(r, 0),
                                                grid_.textShown(r, 2).toInt()};
    const club::reports::TfrmPrtMemList report(std::move(input));
    memberReportViewer()(report, window());
}

}  // namespace members
