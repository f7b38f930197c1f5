#include "matching_page.h"

#include "clock_grid.h"
#include "clock_values.h"
#include "clockop_queries.h"
#include "dm_lcxs.h"
#include "module_state.h"
#include "prompter.h"
#include "ring_ops.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QVBoxLayout>

#include <ringreader.h>

namespace clockops {

MatchingPage::MatchingPage(ClockOpShared &shared, QWidget *parent) : QWidget(parent), s_(shared)
{
    setObjectName("tsMatchIng");
    cbbLoftNo = new QComboBox(this);
    cbbLoftNo->setObjectName("cbbLoftNo");
    cbbPRingNo = new QComboBox(this);
    cbbPRingNo->setObjectName("cbbPRingNo");
    cbbPRingNo->setEditable(true);
    dbgrdMatching = new ClockGrid("dbgrdMatching",
                                  {{"Member", "LoftNo"}, {"Sex of bird", "Sex"}, {"Association Number", "PRingNo"},
                                   {"eRing Assigment", "E_Ring"}, {"UID", "UID"}, {"Color", "ColorType"}},
                                  &s_.sortText, this);
    MatchTimer1 = new QTimer(this);
    MatchTimer1->setObjectName("MatchTimer1");
    MatchTimer1->setInterval(300);

    auto *form = new QFormLayout;
    form->addRow(new QLabel("Member Name  :"), cbbLoftNo);
    form->addRow(new QLabel("Registration Number :"), cbbPRingNo);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(dbgrdMatching);

    connect(cbbLoftNo, qOverload<int>(&QComboBox::activated), this, &MatchingPage::cbbLoftNoClick);
    connect(cbbPRingNo, qOverload<int>(&QComboBox::activated), this, &MatchingPage::cbbPRingNoChosen);
    connect(cbbPRingNo->lineEdit(), &QLineEdit::returnPressed, this, &MatchingPage::cbbPRingNoChosen);
    connect(dbgrdMatching, &ClockGrid::rowClicked, this,
            [this](int row) { cbbPRingNo->setEditText(dbgrdMatching->cell(row, 2)); });
    connect(MatchTimer1, &QTimer::timeout, this, &MatchingPage::MatchTimer1Timer);
}

uint32_t MatchingPage::port() const
{
    return static_cast<uint32_t>(Modules().ReaderPort);
}

void MatchingPage::enterPage()
{
    cbbLoftNo->clear();
    cbbLoftNo->addItems(clockq::loftNames(*s_.context.dm));
    cbbLoftNo->setCurrentIndex(-1);
}

void MatchingPage::cbbLoftNoClick()
{
    try {
        const auto loftNo = clockq::loftNoByName(*s_.context.dm, cbbLoftNo->currentText());
        if (!loftNo)
            return;
        s_.values.CurLoftNo = *loftNo;
        reloadGrid();
        cbbPRingNo->clear();
        for (int r = 0; r < dbgrdMatching->rowCount(); ++r)
            cbbPRingNo->addItem(dbgrdMatching->cell(r, 2));
        cbbPRingNo->setCurrentIndex(-1);
    } catch (const std::exception &e) {
        s_.context.prompter->error(QString::fromStdString(e.what()));
    }
}

void MatchingPage::reloadGrid()
{
    QList<QStringList> rows;
    for (const clockq::PigeonRow &p : clockq::matchingRows(*s_.context.dm, s_.values.CurLoftNo))
        rows << QStringList{p.loftName, SexText(p.sex), p.pRingNo, p.eRing, p.uid, p.feathColor};
    dbgrdMatching->setRows(rows);
}

void MatchingPage::cbbPRingNoChosen()
{
    MatchTimer1->start();
}

void MatchingPage::MatchTimer1Timer()
{
    const uint32_t port = this->port();
    ClockOpValues &v = s_.values;
    Prompter &ui = *s_.context.prompter;
    TdmLCXS &dm = *s_.context.dm;
    const std::optional<QString> uid = ActiveRingUid(port);
    if (!uid)
        return; // no ring: keep polling
    MatchTimer1->stop();
    try {
        const std::optional<QString> signature = RingSignatureText(port);
        if (!signature) {
            // The ring left the field while it was read: try again on the next tick.
            RF_Reset(port, 20);
            MatchTimer1->start();
            return;
        }
        if (*signature != *uid) {
            ui.message("Unauthorized eRing !");
            return;
        }
        const QString ringBox = cbbPRingNo->currentText();
        const std::optional<clockq::PigeonRow> holder = clockq::pigeonByUid(dm, *uid);
        bool moveConfirmed = false;
        if (holder && *uid != v.LastUid) {
            if (!ui.question("PRingNo(" + holder->pRingNo + ") ReMatching , Update or not?")) {
                v.LastUid = *uid;
                v.UidDeclined = true;
                return;
            }
            moveConfirmed = true;
        } else if (!holder) {
            v.UidDeclined = false;
        }
        if (moveConfirmed) {
            // The ring only moves when the pigeon it moves to exists: otherwise the ring
            // would end up tied to no pigeon at all.
            if (!clockq::pigeonOfLoftExists(dm, v.CurLoftNo, ringBox))
                throw ClockOpError("Ring association number error !");
            try {
                clockq::clearPigeonRing(dm, holder->pRingNo, QDate::currentDate(), QDateTime::currentDateTime());
            } catch (const std::exception &) {
                throw ClockOpError("Data Update Fail !");
            }
            v.UidDeclined = false;
        }
        if (*uid != v.LastUid && !v.UidDeclined) {
            const std::optional<QString> code = ReadIdentityCode(port);
            if (!code) {
                MatchTimer1->start();
            } else {
                v.RingCode = *code;
                v.LastUid = *uid;
                if (!clockq::pigeonOfLoftExists(dm, v.CurLoftNo, ringBox))
                    throw ClockOpError("Ring association number error !");
                try {
                    clockq::tieRing(dm, v.CurLoftNo, ringBox, v.RingCode.left(8), *uid,
                                    HexToNumber(v.RingCode.mid(8, 2)), QDate::currentDate(),
                                    QDateTime::currentDateTime());
                } catch (const std::exception &) {
                    throw ClockOpError("Data Update Fail !");
                }
                SignalRingHandled(port);
                reloadGrid();
                dbgrdMatching->selectRowWith(2, ringBox);
            }
        }
        RF_Reset(port, 20);
    } catch (const std::exception &e) {
        MatchTimer1->stop();
        ui.error(QString::fromStdString(e.what()));
    }
}

} // namespace clockops
