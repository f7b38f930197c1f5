#include "udl_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QStringDecoder>

namespace {

QString decodeUdl(const QByteArray& bytes)
{
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF") || bytes.startsWith("\xEF\xBB\xBF")) {
        auto encoding = QStringConverter::encodingForData(bytes);
        QStringDecoder decoder(encoding.value_or(QStringConverter::Utf8));
        QString text = decoder(bytes);
        if (!text.isEmpty() && text.front() == QChar(0xFEFF))
            text.remove(0, 1);
        return text;
    }
    // UTF-16 without a byte-order mark still shows as every second byte zero.
    if (bytes.size() >= 4 && bytes[1] == '\0' && bytes[3] == '\0') {
        QStringDecoder decoder(QStringConverter::Utf16LE);
        return decoder(bytes);
    }
    return QString::fromUtf8(bytes);
}

QString unquote(QString v)
{
    v = v.trimmed();
    if (v.size() >= 2 && ((v.front() == '"' && v.back() == '"') || (v.front() == '\'' && v.back() == '\'')))
        v = v.mid(1, v.size() - 2);
    return v;
}

QString firstOf(const QHash<QString, QString>& kv, std::initializer_list<const char*> keys)
{
    for (const char* k : keys) {
        auto it = kv.find(QString::fromLatin1(k));
        if (it != kv.end())
            return it.value();
    }
    return {};
}

bool isPostgresProvider(const QString& p)
{
    const QString l = p.toLower();
    return l.startsWith("postgresql") || l.startsWith("pgnp") || l == "qpsql" || l == "pgsql";
}

bool isSqliteProvider(const QString& p)
{
    const QString l = p.toLower();
    return l.isEmpty() || l.startsWith("sqlite") || l.startsWith("microsoft.jet.oledb")
        || l.startsWith("microsoft.ace.oledb") || l == "qsqlite";
}

} // namespace

bool parseUdlText(const QString& text, const QString& baseDir, ConnectionSettings* out, QString* error)
{
    QString joined;
    for (QString line : text.split(QRegularExpression("[\r\n]+"))) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith('[') || line.startsWith(';'))
            continue;
        if (!joined.isEmpty())
            joined += ';';
        joined += line;
    }
    QHash<QString, QString> kv;
    for (const QString& part : joined.split(';', Qt::SkipEmptyParts)) {
        const int eq = part.indexOf('=');
        if (eq <= 0)
            continue;
        kv.insert(part.left(eq).trimmed().toLower(), unquote(part.mid(eq + 1)));
    }

    const QString provider = kv.value("provider");
    ConnectionSettings s;
    if (isPostgresProvider(provider)) {
        s.engine = DbEngine::PostgreSQL;
        s.host = firstOf(kv, {"host", "server", "data source", "hostname"});
        const QString port = firstOf(kv, {"port"});
        if (!port.isEmpty()) {
            bool ok = false;
            s.port = port.toInt(&ok);
            if (!ok || s.port <= 0 || s.port > 65535) {
                *error = QString("the port \"%1\" is not a valid port number").arg(port);
                return false;
            }
        }
        s.databaseName = firstOf(kv, {"database", "initial catalog", "dbname", "location"});
        s.user = firstOf(kv, {"user id", "user", "uid", "username"});
        s.password = firstOf(kv, {"password", "pwd"});
        s.schema = firstOf(kv, {"schema", "search path"});
        if (s.host.isEmpty())
            s.host = "localhost";
        if (s.databaseName.isEmpty()) {
            *error = "it names PostgreSQL but no database (Database=...)";
            return false;
        }
    } else if (isSqliteProvider(provider)) {
        s.engine = DbEngine::SQLite;
        QString file = firstOf(kv, {"data source", "database", "dbq", "file"});
        if (file.isEmpty()) {
            *error = "it names no database file (Data Source=...)";
            return false;
        }
        // Written on Windows as ".\Volaro_Europe.mdb".
        file.replace('\\', '/');
        s.databaseFile = QDir::cleanPath(QDir(baseDir).absoluteFilePath(file));
    } else {
        *error = QString("the provider \"%1\" is not supported (use SQLite or PostgreSQL)").arg(provider);
        return false;
    }
    *out = s;
    return true;
}

bool readUdlFile(const QString& path, ConnectionSettings* out, QString* error)
{
    QFile f(path);
    if (!f.exists()) {
        *error = QString("the connection file %1 does not exist").arg(QFileInfo(path).absoluteFilePath());
        return false;
    }
    if (!f.open(QIODevice::ReadOnly)) {
        *error = QString("the connection file %1 cannot be read: %2").arg(QFileInfo(path).absoluteFilePath(), f.errorString());
        return false;
    }
    QString reason;
    if (!parseUdlText(decodeUdl(f.readAll()), QFileInfo(path).absolutePath(), out, &reason)) {
        *error = QString("the connection file %1 is not usable: %2").arg(QFileInfo(path).absoluteFilePath(), reason);
        return false;
    }
    return true;
}

QString udlTextForSqlite(const QString& databaseFileName)
{
    return QString("[oledb]\r\n; Everything after this line is an OLE DB initstring\r\n"
                   "Provider=SQLite;Data Source=.\\%1\r\n").arg(databaseFileName);
}

QString udlTextForPostgres(const ConnectionSettings& s)
{
    QString t = QString("[oledb]\r\n; Everything after this line is an OLE DB initstring\r\n"
                        "Provider=PostgreSQL;Host=%1;Port=%2;Database=%3;User ID=%4")
                    .arg(s.host).arg(s.port).arg(s.databaseName, s.user);
    if (!s.password.isEmpty())
        t += ";Password=" + s.password;
    if (!s.schema.isEmpty())
        t += ";Schema=" + s.schema;
    return t + "\r\n";
}

ConnectionSettings postgresFromConnInfo(const QString& connInfo)
{
    ConnectionSettings s;
    s.engine = DbEngine::PostgreSQL;
    s.host = "localhost";
    for (const QString& part : connInfo.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts)) {
        const int eq = part.indexOf('=');
        if (eq <= 0)
            continue;
        const QString k = part.left(eq).toLower();
        const QString v = unquote(part.mid(eq + 1));
        if (k == "host" || k == "hostaddr")
            s.host = v;
        else if (k == "port")
            s.port = v.toInt();
        else if (k == "dbname")
            s.databaseName = v;
        else if (k == "user")
            s.user = v;
        else if (k == "password")
            s.password = v;
    }
    return s;
}
