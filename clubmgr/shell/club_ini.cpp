#include "club_ini.h"

#include "atomic_file.h"

#include <QFile>
#include <QStringList>

namespace {

QStringList readLines(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QString text = QString::fromUtf8(f.readAll());
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    text.replace("\r\n", "\n");
    return text.split('\n');
}

bool isSection(const QString& line, QString* name)
{
    const QString t = line.trimmed();
    if (!t.startsWith('[') || !t.endsWith(']'))
        return false;
    *name = t.mid(1, t.size() - 2).trimmed();
    return true;
}

} // namespace

QString readIniValue(const QString& path, const QString& section, const QString& key, const QString& defaultValue)
{
    bool inSection = false;
    for (const QString& line : readLines(path)) {
        QString name;
        if (isSection(line, &name)) {
            inSection = name.compare(section, Qt::CaseInsensitive) == 0;
            continue;
        }
        if (!inSection || line.trimmed().startsWith(';'))
            continue;
        const int eq = line.indexOf('=');
        if (eq > 0 && line.left(eq).trimmed().compare(key, Qt::CaseInsensitive) == 0)
            return line.mid(eq + 1).trimmed();
    }
    return defaultValue;
}

bool writeIniValue(const QString& path, const QString& section, const QString& key, const QString& value)
{
    QStringList lines = readLines(path);
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast();
    int sectionStart = -1;
    int sectionEnd = lines.size();
    for (int i = 0; i < lines.size(); ++i) {
        QString name;
        if (isSection(lines[i], &name)) {
            if (sectionStart >= 0) {
                sectionEnd = i;
                break;
            }
            if (name.compare(section, Qt::CaseInsensitive) == 0)
                sectionStart = i;
        }
    }
    const QString entry = key + "=" + value;
    if (sectionStart < 0) {
        lines << QString("[%1]").arg(section) << entry;
    } else {
        bool replaced = false;
        for (int i = sectionStart + 1; i < sectionEnd && !replaced; ++i) {
            const int eq = lines[i].indexOf('=');
            if (eq > 0 && lines[i].left(eq).trimmed().compare(key, Qt::CaseInsensitive) == 0) {
                lines[i] = entry;
                replaced = true;
            }
        }
        if (!replaced) {
            int at = sectionEnd;
            while (at > sectionStart + 1 && lines[at - 1].trimmed().isEmpty())
                --at;
            lines.insert(at, entry);
        }
    }
    const QString temp = temporaryNameFor(path);
    QFile f(temp);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    f.write((lines.join("\r\n") + "\r\n").toUtf8());
    f.close();
    return commitTemporaryFile(temp, path, nullptr);
}
