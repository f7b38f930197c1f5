// LCXS.ini: the few settings of section [Parameter] that the clock operations read.
#pragma once

#include <QString>

namespace clockops {

// Folder that holds LCXS.ini; the program folder unless the program sets another one.
void SetSettingsFolder(const QString &folder);
QString SettingsFolder();

// Value of `key` in section `section` of LCXS.ini (names compared without regard to case,
// value trimmed); `fallback` when the file, the section or the key is missing.
QString ReadIniValue(const QString &iniPath, const QString &section, const QString &key,
                     const QString &fallback = QString());
QString ReadParameter(const QString &key, const QString &fallback = QString());

} // namespace clockops
