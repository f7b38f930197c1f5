#include "demo_club.h"

#include "db_transaction.h"
#include "dm_lcxs.h"
#include "flight_math.h"

#include <QRandomGenerator>
#include <QVector>

#include <cmath>

namespace {

struct DemoLoft {
    const char* loftNo;
    const char* name;
    const char* street;
    const char* city;
    const char* postCode;
    double lon;   // decimal degrees, east
    double lat;   // decimal degrees, north
};

const DemoLoft kLofts[] = {
    {"1001", "Jan de Vries", "Molenstraat 12", "Breda", "4811 GH", 4.7762, 51.5890},
    {"1002", "Piet Janssen", "Kerkweg 3", "Tilburg", "5038 AB", 5.0913, 51.5606},
    {"1003", "Marie Peeters", "Dorpsstraat 45", "Turnhout", "2300", 4.9447, 51.3226},
    {"1004", "Karel Willems", "Stationslei 8", "Herentals", "2200", 4.8321, 51.1766},
    {"1005", "Anna Claes", "Veldweg 21", "Geel", "2440", 4.9890, 51.1614},
    {"1006", "Tom Smeets", "Hoogstraat 77", "Eindhoven", "5611 KL", 5.4697, 51.4416},
    {"1007", "Lucas Maes", "Bosstraat 5", "Lier", "2500", 4.5700, 51.1311},
    {"1008", "Sofie Jacobs", "Lindelaan 30", "Mol", "2400", 5.1160, 51.1910},
    {"1009", "Henk Bakker", "Zuidwal 14", "Roosendaal", "4701 CD", 4.4650, 51.5308},
    {"1010", "Eva Mertens", "Parklaan 2", "Hasselt", "3500", 5.3378, 50.9307},
    {"1011", "Bram O'Neill", "Heideweg 9", "Oss", "5341 EF", 5.5180, 51.7650},
    {"1012", "Ruud Hendriks", "Brink 1", "Helmond", "5701 AA", 5.6611, 51.4793},
};

struct DemoSite {
    const char* code;
    const char* name;
    const char* abbr;
    double lon;
    double lat;
};

const DemoSite kSites[] = {
    {"QUI1", "Quievrain", "QUIEV", 3.6833, 50.4000},
    {"NOY1", "Noyon", "NOYON", 2.9990, 49.5810},
    {"ORL1", "Orleans", "ORLNS", 1.9093, 47.9030},
    {"BOU1", "Bourges", "BOURG", 2.3990, 47.0810},
};

// Coordinate text: hemisphere, three-digit degrees, "'", minutes ":" seconds, and for
// lofts "." and hundredths of a second.
QString coordinateText(double degrees, bool longitude, bool withHundredths)
{
    const QChar hemisphere = longitude ? (degrees < 0 ? 'W' : 'E') : (degrees < 0 ? 'S' : 'N');
    // Rounded once, in the smallest unit written, so 59.99 seconds never shows as 60.
    const qint64 unitsPerSecond = withHundredths ? 100 : 1;
    const qint64 total = std::llround(std::fabs(degrees) * 3600.0 * unitsPerSecond);
    const qint64 secondsTotal = total / unitsPerSecond;
    const int d = int(secondsTotal / 3600);
    const int m = int(secondsTotal / 60 % 60);
    const int s = int(secondsTotal % 60);
    QString text = QString("%1%2'%3:%4").arg(hemisphere).arg(d, 3, 10, QChar('0')).arg(m, 2, 10, QChar('0'))
                       .arg(s, 2, 10, QChar('0'));
    if (withHundredths)
        text += QString(".%1").arg(int(total % unitsPerSecond), 2, 10, QChar('0'));
    return text;
}

QString hex8(QRandomGenerator& rng)
{
    return QString("%1").arg(rng.generate(), 8, 16, QChar('0')).toUpper();
}

struct DemoPigeon {
    QString loftNo;
    QString ringNo;
    QString eRing;
    QString uid;
    int randomCode = 0;
};

struct DemoRace {
    const char* site;
    QDate date;
    QTime liberation;
    int meanSpeed;   // metres per minute
};

} // namespace

void fillDemoClub(TdmLCXS& dm)
{
    QRandomGenerator rng(20261211);
    const QDateTime now = QDateTime::currentDateTime();
    DbTransaction tx(dm);

    dm.insertRow("LCX_ClubData", {{"ClubID", "VDC"}, {"ClubName", "Volaro Demo Club"}, {"Street", "Duivenlaan 1"},
                                  {"City", "Breda"}, {"PostCode", "4811 AA"}, {"AssociationCode", "NPO"},
                                  {"Language", 0}, {"Mode", 0}, {"DBBackupDays", 7}});
    dm.exec("INSERT INTO LCX_ClubMap VALUES (?, ?)", {"VDC", "Volaro Demo Club"});
    dm.exec("INSERT INTO LCX_ClubMap VALUES (?, ?)", {"NBF", "Noord-Brabant Fond"});

    const char* colours[][2] = {{"BB", "Blue Bar"}, {"BC", "Blue Chequer"}, {"DC", "Dark Chequer"},
                                {"RC", "Red Chequer"}, {"MEA", "Mealy"}, {"GR", "Grizzle"},
                                {"PI", "Pied"}, {"WH", "White"}};
    for (const auto& c : colours)
        dm.exec("INSERT INTO LCX_FeatherColor VALUES (?, ?)", {c[0], c[1]});

    QVector<DemoPigeon> pigeons;
    int clockSerial = 0x46A00100;
    for (const DemoLoft& l : kLofts) {
        dm.insertRow("LCX_LoftData", {{"AssociationCode", "NPO"}, {"LoftNo", l.loftNo}, {"LoftName", l.name},
                                      {"Street", l.street}, {"City", l.city}, {"PostCode", l.postCode},
                                      {"PhoneNo", QString("06-%1").arg(10000000 + rng.bounded(89999999))},
                                      {"LoftLon", coordinateText(l.lon, true, true)},
                                      {"LoftLat", coordinateText(l.lat, false, true)},
                                      {"Notes", "Demo loft"}, {"UpdateTime", now}});
        const int clocks = QString(l.loftNo).endsWith('3') || QString(l.loftNo).endsWith('8') ? 2 : 1;
        for (int c = 0; c < clocks; ++c)
            dm.insertRow("LCX_LoftClocks", {{"LoftNo", l.loftNo}, {"ClockID", QString::number(++clockSerial, 16).toUpper()},
                                            {"LastSynchDate", now.addDays(-int(rng.bounded(40))).addSecs(-int(rng.bounded(36000)))},
                                            {"SynchStat", 0}});
        const int count = 20 + int(rng.bounded(10));
        for (int i = 0; i < count; ++i) {
            const int year = i % 3 == 0 ? 2025 : 2024;
            const QString number = QString::number(1000000 + rng.bounded(8999999));
            DemoPigeon p;
            p.loftNo = l.loftNo;
            p.ringNo = QString("NL%1%2").arg(year % 100, 2, 10, QChar('0')).arg(number);
            const bool electronic = i % 5 != 4;
            if (electronic) {
                p.eRing = hex8(rng);
                p.uid = hex8(rng);
                p.randomCode = int(rng.bounded(256));
            }
            const QDate created = QDate(year, 1, 15).addDays(int(rng.bounded(120)));
            dm.insertRow("LCX_PigData",
                         {{"LoftNo", p.loftNo}, {"PRingNo", p.ringNo}, {"RCountry", "NL"}, {"RYear", QString::number(year)},
                          {"RRegNumber", number}, {"RRegLetter", ""}, {"Sex", rng.bounded(2) ? "C" : "H"},
                          {"ColorType", colours[rng.bounded(8)][0]}, {"ActiveStat", electronic},
                          {"SynchFlag", true}, {"Updatetime", now}, {"CreateDate", created},
                          {"E_Ring", electronic ? QVariant(p.eRing) : QVariant()},
                          {"UID", electronic ? QVariant(p.uid) : QVariant()},
                          {"RandomCode", electronic ? QVariant(p.randomCode) : QVariant()},
                          {"AssignDate", electronic ? QVariant(created.addDays(30)) : QVariant()},
                          {"Team", i < 6 ? QVariant(QString(QChar('A' + i))) : QVariant()}});
            pigeons.append(p);
        }
    }

    // Sites and every loft's distance to each.
    QHash<QString, QHash<QString, int>> metres;   // site -> loft -> metres
    for (const DemoSite& s : kSites) {
        const QString lon = coordinateText(s.lon, true, false);
        const QString lat = coordinateText(s.lat, false, false);
        dm.exec("INSERT INTO LCX_LiberateSite VALUES (?, ?, ?, ?, ?)", {s.code, s.name, s.abbr, lon, lat});
        for (const DemoLoft& l : kLofts) {
            const int m = club::LoftDistanceMetres(coordinateText(l.lon, true, true), coordinateText(l.lat, false, true), lon, lat);
            const club::StoredDistance d = club::DistanceFromMetres(m, club::DistanceUnit::Metric);
            metres[s.code][l.loftNo] = d.yards;
            dm.insertRow("LCX_LoftLibPointDist", {{"LiberCode", s.code}, {"LoftNo", l.loftNo}, {"Miles", d.miles}, {"Yards", d.yards}});
        }
    }

    // Two flown races, each loft basketing its electronic pigeons.
    const DemoRace races[] = {
        {"QUI1", QDate(2026, 5, 16), QTime(8, 15), 1350},
        {"ORL1", QDate(2026, 6, 13), QTime(6, 45), 1180},
    };
    for (const DemoRace& r : races) {
        const DemoSite* site = nullptr;
        for (const DemoSite& s : kSites)
            if (QLatin1String(s.code) == QLatin1String(r.site))
                site = &s;
        const QString raceCode = club::RaceCodeFor(site->code, r.date);
        const QDateTime liberation(r.date, r.liberation);
        dm.insertRow("LCX_RaceData", {{"ClubID", "VDC"}, {"LiberCode", site->code}, {"LiberSite", site->name},
                                      {"LiberSiteAbbr", site->abbr}, {"LiberDate", r.date}, {"LiberTime", r.liberation},
                                      {"LiberLon", coordinateText(site->lon, true, false)},
                                      {"LiberLat", coordinateText(site->lat, false, false)},
                                      {"Updatetime", now}, {"SynchFlag", true}, {"RaceCode", raceCode}});
        QVector<club::SunRow> sun;
        for (int day = 0; day < 3; ++day) {
            const club::SunRow row{r.date.addDays(day), QTime(21, 48 + day), QTime(5, 24 - day), site->name};
            sun.append(row);
            dm.exec("INSERT INTO LCX_SunSet_SunRise VALUES (?, ?, ?, ?, ?)",
                    {raceCode, row.raceDate, row.sunSet, row.sunRise, row.location});
        }
        for (const DemoLoft& l : kLofts) {
            const QString clockId = dm.scalar("SELECT ClockID FROM LCX_LoftClocks WHERE LoftNo = ?", {l.loftNo}).toString();
            const int deviation = int(rng.bounded(7)) - 3;
            const QDateTime loaded = QDateTime(r.date.addDays(-1), QTime(19, 0)).addSecs(rng.bounded(3600));
            const QDateTime master = QDateTime(r.date, QTime(20, 0)).addSecs(rng.bounded(3600));
            dm.insertRow("LCX_RaceClockTime", {{"LiberCode", site->code}, {"LiberDate", r.date}, {"LoftNo", l.loftNo},
                                               {"ClockID", clockId}, {"DLMarkedTime", loaded},
                                               {"ULMasterTime", master}, {"ULClockTime", master.addSecs(deviation)}});
            const int distance = metres[site->code][l.loftNo];
            int basketed = 0;
            for (const DemoPigeon& p : pigeons) {
                if (p.loftNo != QLatin1String(l.loftNo) || p.eRing.isEmpty() || ++basketed > 12)
                    continue;
                QVariantMap entry{{"ClubID", "VDC"}, {"LiberCode", site->code}, {"LiberDate", r.date},
                                  {"PRingNo", p.ringNo}, {"RandomCode", p.randomCode}, {"ClockID", clockId},
                                  {"MarkedTime", loaded.addSecs(-600 + basketed * 20)}};
                // Most pigeons come home; a few are still out.
                if (rng.bounded(10) != 0) {
                    const double speed = r.meanSpeed * (0.85 + 0.2 * rng.generateDouble());
                    const QDateTime arrival = liberation.addMSecs(qint64(distance / speed * 60000.0));
                    const club::EntryResult res = club::ComputeEntryResult(distance, deviation, liberation, arrival, sun,
                                                                           club::Rounding::HalfAway);
                    entry.insert("BackTime", club::BackTimeText(arrival, true));
                    entry.insert("FlyTime", res.flyTime);
                    entry.insert("FlySpeed", res.flySpeed);
                    entry.insert("Dist", res.dist);
                    entry.insert("TimeVari", deviation);
                    entry.insert("UID_Real", p.uid);
                    entry.insert("RealRandom", QString("%1").arg(p.randomCode, 2, 16, QChar('0')).toUpper());
                }
                dm.insertRow("LCX_PigRaceData", entry);
            }
        }
    }
    tx.commit();
}
