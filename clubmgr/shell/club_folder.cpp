#include "club_folder.h"

#include "atomic_file.h"
#include "club_context.h"
#include "club_ini.h"
#include "db_backup.h"
#include "udl_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QString defaultCountryRingCodes()
{
    return "GB,NL,BE,AU,FRANCE,MALTA,NEHU";
}

QString defaultSysId()
{
    return "00000001";
}

bool initClubFolder(const QString& clubDir, QString* error)
{
    if (!QDir().mkpath(clubDir)) {
        *error = QString("cannot create the folder %1").arg(clubDir);
        return false;
    }
    ClubPaths paths{QDir(clubDir).absolutePath()};
    if (QFileInfo::exists(paths.databaseFile())) {
        *error = QString("%1 already exists; it is not overwritten").arg(paths.databaseFile());
        return false;
    }
    if (!createSqliteClubDatabase(paths.databaseFile(), error))
        return false;

    const QString temp = temporaryNameFor(paths.udlFile());
    QFile udl(temp);
    if (!udl.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || udl.write(udlTextForSqlite("Volaro_Europe.mdb").toUtf8()) < 0) {
        QFile::remove(temp);
        *error = QString("cannot write %1").arg(paths.udlFile());
        return false;
    }
    udl.close();
    if (!commitTemporaryFile(temp, paths.udlFile(), error))
        return false;

    // An existing LCXS.ini keeps its values; missing ones get the defaults.
    const QString ini = paths.iniFile();
    if (readIniValue(ini, "Parameter", "CountryRingCode").isEmpty()
        && !writeIniValue(ini, "Parameter", "CountryRingCode", defaultCountryRingCodes())) {
        *error = QString("cannot write %1").arg(ini);
        return false;
    }
    if (readIniValue(ini, "Parameter", "SysID").isEmpty() && !writeIniValue(ini, "Parameter", "SysID", defaultSysId())) {
        *error = QString("cannot write %1").arg(ini);
        return false;
    }
    return true;
}
