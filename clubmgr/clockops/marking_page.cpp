#include "marking_page.h"

#include "clock_grid.h"
#include "clock_values.h"
#include "clockop_queries.h"
#include "device_link.h"
#include "dm_lcxs.h"
#include "module_state.h"
#include "prompter.h"
#include "ring_ops.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

#include <ringreader.h>

namespace clockops {

MarkingPage::MarkingPage(ClockOpShared &shared, QWidget *parent) : QWidget(parent), s_(shared)
{
    setObjectName("tsMarking");
    cbbRaceCode = new QComboBox(this);
    cbbRaceCode->setObjectName("cbbRaceCode");
    dbgrdMarking = new ClockGrid("dbgrdMarking",
                                 {{"Member", "LoftNo"}, {"Association Number", "PRingNo"}, {"Sex of Bird", "Sex"},
                                  {"Color", "ColorType"}, {"LiberCode", "LiberCode"}, {"LiberDate", "LiberDate"}},
                                 &s_.sortText, this);
    MarkTimer1 = new QTimer(this);
    MarkTimer1->setObjectName("MarkTimer1");
    MarkTimer1->setInterval(300);
    auto *form = new QFormLayout;
    form->addRow(new QLabel("Race Code :"), cbbRaceCode);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(dbgrdMarking);
    connect(cbbRaceCode, qOverload<int>(&QComboBox::activated), this, &MarkingPage::cbbRaceCodeClick);
    connect(MarkTimer1, &QTimer::timeout, this, &MarkingPage::MarkTimer1Timer);
}

void MarkingPage::enterPage()
{
    cbbRaceCode->clear();
    for (const clockq::RaceRow &r : clockq::races(*s_.context.dm))
        cbbRaceCode->addItem(MarkingRaceComboText(r.liberCode, r.liberDate));
    cbbRaceCode->setCurrentIndex(-1);
}

void MarkingPage::cbbRaceCodeClick()
{
    ClockOpValues &v = s_.values;
    try {
        const MarkingChoice choice = SplitMarkingComboText(cbbRaceCode->currentText());
        v.CurLiberCode = choice.liberCode;
        if (v.CurLiberCode.isEmpty())
            throw ClockOpError("Pls. Select Race Code !");
        const auto race = clockq::raceByCodeAndMonthDay(*s_.context.dm, v.CurLiberCode, choice.monthDay);
        if (race) {
            v.CurRaceCode = race->raceCode;
            v.CurLiberDate = race->liberDate;
            v.CurClubID = race->clubId;
        }
        reloadGrid();
        MarkTimer1->start();
    } catch (const std::exception &e) {
        s_.context.prompter->error(QString::fromStdString(e.what()));
    }
}

void MarkingPage::reloadGrid()
{
    QList<QStringList> rows;
    for (const clockq::PigeonRow &p : clockq::markingRows(*s_.context.dm, s_.values.CurLiberCode, s_.values.CurLiberDate))
        rows << QStringList{p.loftNo, p.pRingNo, SexText(p.sex), p.feathColor, p.liberCode,
                            p.liberDate.isValid() ? ShortDateText(p.liberDate) : QString()};
    dbgrdMarking->setRows(rows);
}

bool MarkingPage::writeRandomCode(uint32_t port, const QString &uid, const QString &pigeonUid)
{
    ClockOpValues &v = s_.values;
    v.MarkCode = SecureRandomByte();
    v.RingCode = v.RingCode.left(8) + QStringLiteral("%1").arg(v.MarkCode, 2, 16, QLatin1Char('0')).toUpper();
    uint8_t identity[5] = {};
    link::HexToBin(v.RingCode.toLatin1().constData(), identity, 5);
    const std::optional<QString> inField = ActiveRingUid(port);
    if (!inField)
        return false;
    if (*inField != pigeonUid) {
        s_.context.prompter->message("UID Not Match Error ! ");
        return false;
    }
    Q_UNUSED(uid);
    if (HTS_ChangePigeon(port, identity) == 0)
        return false;
    const std::optional<QString> readBack = ReadIdentityCode(port);
    return readBack && *readBack == v.RingCode;
}

void MarkingPage::MarkTimer1Timer()
{
    const uint32_t port = static_cast<uint32_t>(Modules().ReaderPort);
    ClockOpValues &v = s_.values;
    TdmLCXS &dm = *s_.context.dm;
    try {
        const std::optional<QString> uid = ActiveRingUid(port);
        if (uid) {
            const std::optional<clockq::PigeonRow> pigeon = clockq::pigeonByUid(dm, *uid);
            if (pigeon) {
                v.UidDeclined = false;
                v.CurPRingNo = pigeon->pRingNo;
                v.RingCode = pigeon->eRing;
                recognisedUid_ = pigeon->uid;
            } else if (*uid != v.LastUid) {
                v.UidDeclined = true;
                v.LastUid = *uid;
                s_.context.prompter->message("UID Not Match Error !  !");
                return;
            }
            if (*uid != v.LastUid && !v.UidDeclined) {
                MarkTimer1->stop();
                if (writeRandomCode(port, *uid, recognisedUid_)) {
                    try {
                        clockq::markEntry(dm, v.CurClubID, v.CurLiberCode, v.CurLiberDate, v.CurPRingNo, v.MarkCode,
                                          QDateTime::currentDateTime());
                    } catch (const std::exception &) {
                        MarkTimer1->start();
                        throw ClockOpError("Update Marking table fail !");
                    }
                    v.LastUid = *uid;
                    SignalRingHandled(port);
                    reloadGrid();
                    dbgrdMarking->selectRowWith(1, v.CurPRingNo);
                }
                MarkTimer1->start();
            }
        }
        RF_Reset(port, 0);
    } catch (const std::exception &e) {
        s_.context.prompter->error(QString::fromStdString(e.what()));
    }
}

} // namespace clockops
