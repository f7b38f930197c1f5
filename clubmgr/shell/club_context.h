#pragma once

#include <QDate>
#include <QString>

#include <functional>

class Prompter;
class TdmLCXS;

// The files of a club. The club folder holds Volaro_Europe.mdb, LCXS.ini and LCXS.udl;
// backups go to the Backup folder beside it (the club folder's parent + "/Backup").
struct ClubPaths {
    QString clubDir;   // absolute

    QString databaseFile() const { return clubDir + "/Volaro_Europe.mdb"; }
    QString iniFile() const { return clubDir + "/LCXS.ini"; }
    QString udlFile() const { return clubDir + "/LCXS.udl"; }
    QString backupDir() const;
    QString currentBackup() const { return backupDir() + "/Volaro_Europe.bak"; }
    QString datedBackup(const QDate& date) const
    {
        return backupDir() + "/Volaro_Europe_" + date.toString("yyyyMMdd") + ".bak";
    }
};

// What every page needs: the data module, the way to talk to the user, the club's files,
// and how to end the program (a restore does).
struct ClubContext {
    TdmLCXS* dm = nullptr;
    Prompter* prompter = nullptr;
    ClubPaths paths;
    std::function<void()> endProgram;
};
