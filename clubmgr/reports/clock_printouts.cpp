#include "clock_printouts.h"

#include "report_format.h"

namespace club::reports {
namespace {

ReportField field(const char* label, const QString& value) { return {QString::fromUtf8(label), value}; }

QString loftNumber(const std::optional<LoftDetails>& loft, const QString& fallbackNo = {})
{
    if (!loft) return fallbackNo;
    return (loft->associationCode + ' ' + loft->loftNo).trimmed();
}

}  // namespace

// ---- Official race entry -------------------------------------------------------------

int TfrmDLRaceRpt_UTC::hens() const
{
    int n = 0;
    for (const RaceEntryRow& r : in_.rows) n += r.sex == QLatin1String("H") ? 1 : 0;
    return n;
}

int TfrmDLRaceRpt_UTC::cocks() const { return static_cast<int>(in_.rows.size()) - hens(); }

int TfrmDLRaceRpt_UTC::yearlings() const
{
    const QDate today = in_.printedOn.isValid() ? in_.printedOn.date() : QDate::currentDate();
    int n = 0;
    for (const RaceEntryRow& r : in_.rows) n += isYearling(r.rYear, today) ? 1 : 0;
    return n;
}

ReportDocument TfrmDLRaceRpt_UTC::document() const
{
    ReportDocument doc;
    doc.documentName = QStringLiteral("Official Race Entry ") + in_.race.raceCode;
    doc.pageHeader = QStringLiteral("Volaro   -   Official   Race   Entry");
    const std::optional<LoftDetails>& loft = in_.loft;
    const QDateTime printedOn = in_.printedOn.isValid() ? in_.printedOn : QDateTime::currentDateTime();
    const QString setTime = dateTimeText(in_.clockTimes.dlMarkedTime);
    const QString lastMarked = in_.rows.isEmpty() ? QString() : dateTimeText(in_.rows.back().markedTime);
    doc.titleFields = {
        {field("Club :", in_.race.clubId), field("Lib Date :", dateText(in_.race.liberDate)),
         field("Lib Site          :", in_.race.liberSite)},
        {field("Flyer's Name :", in_.loftName), field("Loft Number  :", loftNumber(loft))},
        {field("Flyer's Street :", loft ? loft->street : QString()),
         field("Town  /  City  :", loft ? loft->city : QString())},
        {field("Post Code     :", loft ? loft->postCode : QString()),
         field("Telephone No.:", loft ? loft->phoneNo : QString())},
        {field("Print on         :", dateTimeText(printedOn)), field("Clock  Details :", in_.deviceNo)},
        {field("Set Time        :", setTime), field("Flyer's Clock : ", setTime)},
        {field("Last Marked  :", lastMarked), field("Marked  :", QString::number(in_.rows.size()))},
        {field("Flight             :", in_.race.raceCode), field("Marker :", in_.race.raceCode)},
        {field("Key Code      :", QString())},
    };
    doc.columns = {{QStringLiteral("NO."), 0.8, Qt::AlignRight},
                   {QStringLiteral("Sex"), 1.0},
                   {QStringLiteral("Bird"), 3.0},
                   {QStringLiteral("Color"), 1.8},
                   {QStringLiteral("e-Ring"), 1.5},
                   {QStringLiteral("Marked Day / Time"), 2.8},
                   {QStringLiteral("Pools"), 1.2}};
    int no = 0;
    for (const RaceEntryRow& r : in_.rows)
        doc.rows.append({QString::number(++no), entrySexName(r.sex), r.pRingNo, in_.colourNames.value(r.colorType),
                         r.eRing, dateTimeText(r.markedTime), QString()});
    doc.summary = {field("Total hens  :", QString::number(hens())),
                   field("Total cocks :", QString::number(cocks())),
                   field("Yearlings   :", QString::number(yearlings()))};
    doc.signatureLabel = QStringLiteral("Signed :");
    doc.signatures = {QStringLiteral("Flyer"), QStringLiteral("Club"), QStringLiteral("Clock Checked")};
    return doc;
}

// ---- Official race list --------------------------------------------------------------

QString secretCheck(const std::optional<int>& given, const std::optional<int>& read)
{
    return given && read && *given == *read ? QStringLiteral("OK") : QStringLiteral("NG");
}

ReportDocument TfrmULRaceRpt_UTC::document() const
{
    ReportDocument doc;
    doc.documentName = QStringLiteral("Official Race list ") + in_.race.raceCode;
    doc.pageHeader = QStringLiteral("Volaro   -   Official   Race list");
    const std::optional<LoftDetails>& loft = in_.loft;
    const RaceClockTimes& t = in_.clockTimes;
    doc.titleFields = {
        {field("Club :", in_.race.clubId), field("Lib Date :", dateText(in_.race.liberDate)),
         field("Lib Site         :", in_.race.liberSite)},
        {field("Fancier          :", loft ? loft->loftName : QString()),
         field("Loft Number       :", loftNumber(loft, in_.siteText))},
        {field("Loft Latitude  :", loft ? loft->loftLat : QString()),
         field("Loft Longitude    :", loft ? loft->loftLon : QString())},
        {field("GPS Latitude :", QString()), field("GPS Longitude   :", QString())},
        {field("Authorization Key          :", QString()), field("Clock  Details  :", in_.deviceNo)},
        {field("Clock set by radio clock :", monthDayTimeText(t.dlMarkedTime)),
         field("Radio Clock       :", monthDayTimeText(t.ulMasterTime))},
        {field("Time at evalution :", monthDayTimeText(t.ulClockTime)), field("RaceCode : ", in_.race.raceCode)},
    };
    doc.columns = {{QStringLiteral("Pos."), 0.8, Qt::AlignRight},
                   {QStringLiteral("Ring-Nr."), 3.2},
                   {QStringLiteral("Sex"), 0.8, Qt::AlignHCenter},
                   {QStringLiteral("Color"), 1.0, Qt::AlignHCenter},
                   {QStringLiteral("Date"), 1.1, Qt::AlignHCenter, QStringLiteral("Clocking")},
                   {QStringLiteral("Time"), 1.9, Qt::AlignHCenter, QStringLiteral("Clocking")},
                   {QString(), 1.0, Qt::AlignHCenter, QStringLiteral("SecretNumber"), QStringLiteral("Giv./Read/Checked")},
                   {QString(), 1.0, Qt::AlignHCenter, QStringLiteral("SecretNumber"), QStringLiteral("Giv./Read/Checked")},
                   {QString(), 1.0, Qt::AlignHCenter, QStringLiteral("SecretNumber"), QStringLiteral("Giv./Read/Checked")}};
    for (const OfficialListRow& r : in_.rows)
        doc.rows.append({QString::number(r.rank), ringText(r.rCountry, r.rYear, r.rRegLetter, r.rRegNumber, r.pRingNo),
                         r.sex, r.colorType, backTimeMonthDay(r.backTime), backTimeClockTime(r.backTime),
                         r.randomCode ? fourDigits(*r.randomCode) : QString(),
                         r.realRandom ? fourDigits(*r.realRandom) : QString(), secretCheck(r.randomCode, r.realRandom)});
    doc.signatureLabel = QStringLiteral("Signed :");
    doc.signatures = {QStringLiteral("Flyer"), QStringLiteral("Club"), QStringLiteral("Clock Check")};
    return doc;
}

// ---- Race ranking --------------------------------------------------------------------

QString TfrmRaceRankRpt_UTC::margin(const QString& flyTime) const
{
    if (in_.resultFlyTimes.isEmpty()) return {};
    const auto winner = flyTimeSeconds(in_.resultFlyTimes.front());
    const auto own = flyTimeSeconds(flyTime);
    if (!winner || !own) return {};
    return marginText(*own - *winner);
}

QString TfrmRaceRankRpt_UTC::winningMargin() const
{
    if (in_.resultFlyTimes.isEmpty()) return {};
    if (in_.resultFlyTimes.size() < 2) return flyTimeText(0);
    const auto first = flyTimeSeconds(in_.resultFlyTimes[0]);
    const auto second = flyTimeSeconds(in_.resultFlyTimes[1]);
    if (!first || !second) return {};
    return flyTimeText(*second - *first);
}

ReportDocument TfrmRaceRankRpt_UTC::document() const
{
    ReportDocument doc;
    doc.documentName = QStringLiteral("Race Ranking ") + raceCodeFromText(in_.raceCodeText);
    doc.title = QStringLiteral("NAM-") + in_.clubName;
    const QDateTime printedOn = in_.printedOn.isValid() ? in_.printedOn : QDateTime::currentDateTime();
    doc.titleFields = {
        {field("Date :", dateTimeText(printedOn)), field("Liberate :", in_.liberSite)},
        {field("RaceCode :", in_.raceCodeText),
         field("Total :", QStringLiteral("%1").arg(in_.rows.size(), 3, 10, QChar('0')))},
    };
    doc.cellPoints = 8.0;
    const QString speedTitle =
        in_.mode == DistanceMode::Imperial ? QStringLiteral("Yds/min") : QStringLiteral("MPM");
    doc.columns = {{QStringLiteral("Pos"), 0.75, Qt::AlignRight},
                   {QStringLiteral("Name"), 2.6},
                   {speedTitle, 1.6, Qt::AlignRight},
                   {QStringLiteral("Ring Particulars "), 3.0},
                   {QStringLiteral("Color "), 0.95, Qt::AlignHCenter},
                   {QStringLiteral("Sex"), 0.7, Qt::AlignHCenter},
                   {QStringLiteral("Clock /    day"), 2.2},
                   {QStringLiteral("Var"), 0.7, Qt::AlignRight},
                   {QStringLiteral("Distance"), 1.45, Qt::AlignRight},
                   {QStringLiteral("Margin"), 1.45, Qt::AlignHCenter}};
    for (const RankingRow& r : in_.rows)
        doc.rows.append({QString::number(r.rank), r.loftName, speedText(r.flySpeed),
                         ringText(r.rCountry, r.rYear, r.rRegLetter, r.rRegNumber, r.pRingNo), r.colorType, r.sex,
                         backTimeWithDay(r.backTime), r.timeVari ? QString::number(*r.timeVari) : QString(),
                         groupedNumber(r.dist), margin(r.flyTime)});
    doc.footerFields = {field("Net Flying Time :", in_.resultFlyTimes.isEmpty() ? QString() : in_.resultFlyTimes.front()),
                        field("Winning Margin :", winningMargin())};
    return doc;
}

}  // namespace club::reports
