#include "settings_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTextStream>

namespace clockops {

namespace {
QString &folderOverride()
{
    static QString folder;
    return folder;
}
} // namespace

void SetSettingsFolder(const QString &folder)
{
    folderOverride() = folder;
}

QString SettingsFolder()
{
    if (!folderOverride().isEmpty())
        return folderOverride();
    return QCoreApplication::applicationDirPath();
}

QString ReadIniValue(const QString &iniPath, const QString &section, const QString &key,
                     const QString &fallback)
{
    QFile file(iniPath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return fallback;
    QTextStream in(&file);
    bool inSection = false;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')) || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            inSection = line.mid(1, line.size() - 2).trimmed().compare(section, Qt::CaseInsensitive) == 0;
            continue;
        }
        if (!inSection)
            continue;
        const int eq = line.indexOf(QLatin1Char('='));
        if (eq < 0)
            continue;
        if (line.left(eq).trimmed().compare(key, Qt::CaseInsensitive) == 0)
            return line.mid(eq + 1).trimmed();
    }
    return fallback;
}

QString ReadParameter(const QString &key, const QString &fallback)
{
    return ReadIniValue(QDir(SettingsFolder()).filePath(QStringLiteral("LCXS.ini")),
                        QStringLiteral("Parameter"), key, fallback);
}

} // namespace clockops
