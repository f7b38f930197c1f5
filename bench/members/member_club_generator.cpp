#include "member_club_generator.h"

#include "db_backup.h"
#include "db_transaction.h"
#include "member_queries.h"
#include "xlsx_writer.h"

#include <QDir>
#include <QFile>
#include <stdexcept>

namespace bench_members {

namespace {

const char* const kCodes[] = {"BELG", "NL", "AU", "PL", "GB"};

QString loftNo(int i)
{
    return QStringLiteral("%1").arg(i + 1, 5, 10, QLatin1Char('0'));
}

}  // namespace

std::unique_ptr<TdmLCXS> makeClub(const QString& folder, int lofts, int pigeonsPerLoft)
{
    const QString file = QDir(folder).filePath(QStringLiteral("Volaro_Europe.mdb"));
    QFile::remove(file);
    QString error;
    if (!createSqliteClubDatabase(file, &error))
        throw std::runtime_error(error.toStdString());
    ConnectionSettings s;
    s.engine = DbEngine::SQLite;
    s.databaseFile = file;
    auto dm = std::make_unique<TdmLCXS>(s);
    if (!dm->isOpen())
        throw std::runtime_error(dm->openError().toStdString());
    const QDateTime now = QDateTime::currentDateTime();
    DbTransaction tx(*dm);
    insertFeatherColor(*dm, QStringLiteral("BL"), QStringLiteral("Blue"));
    insertFeatherColor(*dm, QStringLiteral("RC"), QStringLiteral("Red Check"));
    for (int l = 0; l < lofts; ++l) {
        LoftRow loft;
        loft.loftNo = loftNo(l);
        loft.loftName = QStringLiteral("Member %1").arg(l);
        loft.loftLon = QStringLiteral("E004'21:30.25");
        loft.loftLat = QStringLiteral("N050'51:10.50");
        insertLoft(*dm, loft, now);
        for (int c = 0; c < l % 3; ++c)
            insertLoftClock(*dm, loft.loftNo, QStringLiteral("%1%2").arg(l, 6, 16, QLatin1Char('0')).arg(c));
        for (int p = 0; p < pigeonsPerLoft; ++p) {
            const QString number = QStringLiteral("%1").arg(l * pigeonsPerLoft + p, 7, 10, QLatin1Char('0'));
            insertPigeon(*dm,
                         NewPigeon{loft.loftNo, QStringLiteral("BELG25") + number, QStringLiteral("BELG"),
                                   QStringLiteral("2025"), QString(), number, p % 2 ? QStringLiteral("H") : QStringLiteral("C"),
                                   p % 3 ? QStringLiteral("BL") : QString(), QString(), QString(),
                                   p % 4 ? QString() : QStringLiteral("%1").arg(p, 8, 16, QLatin1Char('0')).toUpper()},
                         now);
        }
    }
    tx.commit();
    return dm;
}

QString makePigeonWorkbook(const QString& folder, int pigeons)
{
    xlsx::WorkbookWriter book;
    const int sheet = book.addSheet(QStringLiteral("Sheet1"));
    book.setColumn(sheet, 2, -1, xlsx::CellStyle::text());
    book.setColumn(sheet, 4, -1, xlsx::CellStyle::text());
    book.setRow(sheet, 0, {"LoftNo", "RCountry", "RYear", "RRegLetter", "RRegNumber", "Sex", "ColorType", "PRingNo", "E_Ring"});
    for (int i = 0; i < pigeons; ++i) {
        const QString code = QString::fromLatin1(kCodes[i % 5]);
        const QString number = QStringLiteral("%1").arg(i, 6, 10, QLatin1Char('0'));
        // Half the rows carry their ring number in H, the other half are composed.
        const QString ring = i % 2 ? code + QStringLiteral("24") + number : QString();
        book.setRow(sheet, i + 1,
                    {loftNo(i / 100), code, QStringLiteral("2024"), i % 7 ? QString() : QStringLiteral("AB"), number,
                     i % 2 ? QStringLiteral("Hen") : QStringLiteral("Cock"), QStringLiteral("BL"), ring,
                     i % 3 ? QString() : QStringLiteral("%1").arg(i, 8, 16, QLatin1Char('0')).toUpper()});
    }
    const QString path = QDir(folder).filePath(QStringLiteral("pigeons.xlsx"));
    QString error;
    if (!book.save(path, &error))
        throw std::runtime_error(error.toStdString());
    return path;
}

}  // namespace bench_members
