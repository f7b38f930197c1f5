#pragma once

#include <QString>

// Makes a new club folder: the folder itself when missing, an empty club database
// (Volaro_Europe.mdb, SQLite, the whole schema), LCXS.udl naming it and LCXS.ini with the
// section [Parameter] (CountryRingCode, SysID). Refuses when the database already exists.
// Returns false with a reason in *error.
bool initClubFolder(const QString& clubDir, QString* error);

// The default country ring codes and system identity written into a new LCXS.ini.
QString defaultCountryRingCodes();
QString defaultSysId();
