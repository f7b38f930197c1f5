#include "sms_page.h"

#include "clock_grid.h"
#include "clock_values.h"
#include "clockop_queries.h"
#include "dm_lcxs.h"
#include "prompter.h"
#include "sms_files.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace clockops {

SmsPage::SmsPage(ClockOpShared &shared, QWidget *parent) : QWidget(parent), s_(shared)
{
    setObjectName("tsSMSDownload");
    cbbRaceCodeSMSV6 = new QComboBox(this);
    cbbRaceCodeSMSV6->setObjectName("cbbRaceCodeSMSV6");
    DBGrid1 = new ClockGrid("DBGrid1", {{"Member", "LoftNo"}, {"Pigeon", "RRegNumber"}, {"eRingNo", "E_Ring"}, {"UID", "UID"}},
                            &s_.sortText, this);
    auto *form = new QFormLayout;
    form->addRow(new QLabel("Race Code :"), cbbRaceCodeSMSV6);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(DBGrid1);
    connect(cbbRaceCodeSMSV6, qOverload<int>(&QComboBox::activated), this, &SmsPage::cbbRaceCodeSMSV6Click);
}

void SmsPage::enterPage()
{
    cbbRaceCodeSMSV6->clear();
    for (const clockq::RaceRow &r : clockq::races(*s_.context.dm))
        cbbRaceCodeSMSV6->addItem(RaceComboText(r.liberCode, r.liberDate));
    cbbRaceCodeSMSV6->setCurrentIndex(-1);
}

QStringList CoteLines(TdmLCXS &dm, const QString &raceCode)
{
    QStringList lines;
    for (const clockq::SmsLoftRow &l : clockq::smsLofts(dm, raceCode))
        lines << CoteLine({l.loftNo, l.loftName, l.phoneNo, l.loftLon, l.loftLat});
    return lines;
}

QStringList RingLines(TdmLCXS &dm, const QString &raceCode)
{
    QStringList lines;
    for (const clockq::SmsEntryRow &e : clockq::smsEntries(dm, raceCode))
        lines << RingLine({e.loftNo, e.loftName, e.pRingNo, e.eRing, e.uid, e.comment});
    return lines;
}

QStringList VlroKeyLines(TdmLCXS &dm, const QString &raceCode)
{
    const auto race = clockq::raceByCode(dm, raceCode);
    if (!race)
        return {};
    SmsRaceRow row{race->raceCode, race->liberSite, race->liberDate, race->liberTime, std::nullopt, std::nullopt};
    if (!race->liberLon.isNull())
        row.liberLon = race->liberLon.toString();
    if (!race->liberLat.isNull())
        row.liberLat = race->liberLat.toString();
    return {VlroKeyLine(row)};
}

void SmsPage::cbbRaceCodeSMSV6Click()
{
    ClockOpValues &v = s_.values;
    TdmLCXS &dm = *s_.context.dm;
    Prompter &ui = *s_.context.prompter;
    try {
        v.CurRaceCode = RaceCodeFromComboText(cbbRaceCodeSMSV6->currentText());
        if (v.CurRaceCode.isEmpty())
            throw ClockOpError("Pls. Select Race Code !");
        QList<QStringList> rows;
        for (const clockq::SmsEntryRow &e : clockq::smsEntries(dm, v.CurRaceCode))
            rows << QStringList{e.loftNo, e.rRegNumber, e.eRing, e.uid};
        DBGrid1->setRows(rows);

        const struct {
            const char *name;
            QStringList (*lines)(TdmLCXS &, const QString &);
        } files[] = {{"COTE.txt", CoteLines}, {"RING.txt", RingLines}, {"VLROKEY.txt", VlroKeyLines}};
        for (const auto &f : files) {
            const QString name = QString::fromLatin1(f.name);
            const QString path = ui.saveFileName("Texe file | " + name + "|" + name, name);
            if (path.isEmpty())
                continue;
            const QString error = WriteSmsFile(path, SmsFileBytes(f.lines(dm, v.CurRaceCode)));
            if (!error.isEmpty())
                throw ClockOpError(error);
        }
    } catch (const std::exception &e) {
        ui.error(QString::fromStdString(e.what()));
    }
}

} // namespace clockops
