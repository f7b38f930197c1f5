#include "synthetic_club.h"

#include "db_backup.h"
#include "db_transaction.h"
#include "dm_lcxs.h"

#include <cmath>
#include <stdexcept>

namespace benchclub {

QString loftCoordinate(char hemisphere, double degrees) {
    const double a = std::fabs(degrees);
    const int d = int(a);
    const int m = int((a - d) * 60);
    const double s = (a - d - m / 60.0) * 3600;
    return QStringLiteral("%1%2'%3:%4")
        .arg(QLatin1Char(hemisphere))
        .arg(d, 3, 10, QLatin1Char('0'))
        .arg(m, 2, 10, QLatin1Char('0'))
        .arg(s, 5, 'f', 2, QLatin1Char('0'));
}

void fill(TdmLCXS& dm, const ClubPlan& plan) {
    DbTransaction tx(dm);
    dm.exec("INSERT INTO LCX_ClubData (ClubID, ClubName, Mode) VALUES (?, ?, ?)",
            {plan.clubId, QStringLiteral("Benchmark club"), plan.mode});
    dm.exec("INSERT INTO LCX_ClubMap (ClubID, ClubName) VALUES (?, ?)",
            {plan.clubId, QStringLiteral("Benchmark club")});
    dm.exec("INSERT INTO LCX_LiberateSite (LiberCode, LiberSite, LiberSiteAbbr, LiberLon, LiberLat) "
            "VALUES (?, ?, ?, ?, ?)",
            {plan.liberCode, QStringLiteral("Orleans"), QStringLiteral("ORL"), QStringLiteral("E001'54:00"),
             QStringLiteral("N047'54:00")});
    dm.exec("INSERT INTO LCX_RaceData (ClubID, LiberCode, LiberSite, LiberSiteAbbr, LiberDate, LiberTime, "
            "LiberLon, LiberLat, SynchFlag, RaceCode) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
            {plan.clubId, plan.liberCode, QStringLiteral("Orleans"), QStringLiteral("ORL"), plan.liberDate,
             plan.liberTime, QStringLiteral("E001'54:00"), QStringLiteral("N047'54:00"), true,
             plan.liberCode + plan.liberDate.toString(QStringLiteral("MMdd"))});

    int entered = 0;
    const int arrivedEvery = plan.arrivedShare <= 0 ? 0 : int(std::lround(1.0 / (1.0 - plan.arrivedShare + 1e-9)));
    for (int l = 0; l < plan.lofts; ++l) {
        const QString loftNo = QStringLiteral("L%1").arg(l, 5, 10, QLatin1Char('0'));
        // Lofts on a 100 x n grid, roughly 300 to 400 km north-east of the liberation point.
        const double lat = 50.0 + (l % 100) * 0.01;
        const double lon = 3.0 + (l / 100) * 0.01;
        dm.exec("INSERT INTO LCX_LoftData (LoftNo, LoftName, LoftLon, LoftLat) VALUES (?, ?, ?, ?)",
                {loftNo, QStringLiteral("Member %1").arg(l), loftCoordinate('E', lon), loftCoordinate('N', lat)});
        const int yards = 300000 + (l % 1000) * 97;
        if (plan.distanceRows)
            dm.exec("INSERT INTO LCX_LoftLibPointDist (LiberCode, LoftNo, Miles, Yards) VALUES (?, ?, ?, ?)",
                    {plan.liberCode, loftNo, yards / 1000, yards});
        for (int p = 0; p < plan.pigeonsPerLoft; ++p) {
            const QString ring = QStringLiteral("BE-14-%1-%2").arg(l).arg(p);
            dm.exec("INSERT INTO LCX_PigData (LoftNo, PRingNo, RCountry, RYear, RRegLetter, RRegNumber, Sex) "
                    "VALUES (?, ?, 'BE', '2014', 'A', ?, 'C')",
                    {loftNo, ring, QString::number(l * 100 + p)});
            if (entered >= plan.entries) continue;
            ++entered;
            const bool arrived = arrivedEvery > 0 && (entered % arrivedEvery) != 0;
            QVariant backTime(QMetaType(QMetaType::QString)), flyTime = backTime, speed(QMetaType(QMetaType::Double));
            if (arrived) {
                const int secs = 10000 + (entered * 7919) % 8000;   // spread arrivals, some equal
                const QDateTime a = QDateTime(plan.liberDate, plan.liberTime).addSecs(secs);
                backTime = a.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss.zzz"));
                flyTime = QStringLiteral("%1:%2:%3").arg(secs / 3600).arg(secs / 60 % 60).arg(secs % 60);
                speed = std::round(yards * 60.0 / secs * 1000) / 1000;
            }
            dm.exec("INSERT INTO LCX_PigRaceData (ClubID, LiberCode, LiberDate, PRingNo, BackTime, FlyTime, "
                    "FlySpeed, Dist, ClockID, TimeVari) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                    {plan.clubId, plan.liberCode, plan.liberDate, ring, backTime, flyTime, speed, yards,
                     QStringLiteral("CLK%1").arg(l), (l % 5) - 2});
        }
    }
    tx.commit();
}

Club create(const ClubPlan& plan) {
    Club c;
    c.dir = std::make_unique<QTemporaryDir>();
    const QString file = c.dir->filePath(QStringLiteral("Volaro_Europe.mdb"));
    QString error;
    if (!createSqliteClubDatabase(file, &error)) throw std::runtime_error(error.toStdString());
    ConnectionSettings s;
    s.engine = DbEngine::SQLite;
    s.databaseFile = file;
    c.dm = std::make_unique<TdmLCXS>(s);
    if (!c.dm->isOpen()) throw std::runtime_error(c.dm->openError().toStdString());
    fill(*c.dm, plan);
    return c;
}

}  // namespace benchclub
