#pragma once

#include <QString>

// LCXS.ini of the club folder. A small reader of our own: values are returned exactly as
// written (QSettings would split "GB,NL,BE" into a list). Sections and keys are matched
// without regard to case; a missing file, section or key gives defaultValue.
QString readIniValue(const QString& path, const QString& section, const QString& key,
                     const QString& defaultValue = {});

// Sets one value, creating the file, section or key as needed, and keeps the rest.
bool writeIniValue(const QString& path, const QString& section, const QString& key, const QString& value);
