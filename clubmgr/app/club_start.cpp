#include "club_start.h"

#include "club_folder.h"
#include "demo_club.h"
#include "dm_lcxs.h"

#include <QDir>
#include <QGuiApplication>
#include <QMessageBox>

#include <cstdio>

QString resolveClubDir(const QString& clubOption, const QString& programDir)
{
    QString dir = clubOption;
    if (dir.isEmpty())
        dir = qEnvironmentVariable("CLUBMGR_HOME");
    if (dir.isEmpty())
        dir = programDir;
    return QDir::cleanPath(QDir::current().absoluteFilePath(dir));
}

bool enterClubFolder(const QString& clubDir, QString* error)
{
    if (!QDir(clubDir).exists()) {
        *error = QString("The club folder %1 does not exist. Create a club with: clubmgr --club %1 --init-db").arg(clubDir);
        return false;
    }
    if (!QDir::setCurrent(clubDir)) {
        *error = QString("Cannot enter the club folder %1.").arg(clubDir);
        return false;
    }
    return true;
}

int initClubCommand(const QString& clubDir, bool withDemo)
{
    QString error;
    if (!initClubFolder(clubDir, &error)) {
        std::fprintf(stderr, "clubmgr: %s\n", qPrintable(error));
        return 1;
    }
    if (withDemo) {
        TdmLCXS dm(sqliteSettings(QDir(clubDir).absoluteFilePath("Volaro_Europe.mdb")));
        if (!dm.isOpen()) {
            std::fprintf(stderr, "clubmgr: %s\n", qPrintable(dm.openError()));
            return 1;
        }
        try {
            fillDemoClub(dm);
        } catch (const DbError& e) {
            std::fprintf(stderr, "clubmgr: the demo club could not be written: %s\n", qPrintable(e.message()));
            return 1;
        }
    }
    std::printf("Club folder %s created%s.\n", qPrintable(clubDir), withDemo ? " with the demo club" : "");
    return 0;
}

void reportStartError(const QString& text)
{
    std::fprintf(stderr, "clubmgr: %s\n", qPrintable(text));
    if (QGuiApplication::platformName() != "offscreen" && QGuiApplication::platformName() != "minimal")
        QMessageBox::critical(nullptr, "Volaro Club Management V6", text);
}
