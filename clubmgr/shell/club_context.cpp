#include "club_context.h"

#include <QDir>

QString ClubPaths::backupDir() const
{
    return QDir::cleanPath(QDir(clubDir).absoluteFilePath("..")) + "/Backup";
}
