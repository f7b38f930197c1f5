#include "atomic_file.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

std::function<bool(const QString&)>& beforeCommitHook()
{
    static std::function<bool(const QString&)> hook;
    return hook;
}

bool syncPath(const QString& path, bool directory)
{
    const int fd = ::open(QFile::encodeName(path).constData(), directory ? O_RDONLY | O_DIRECTORY : O_RDONLY);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

} // namespace

void setBeforeCommitHookForTesting(std::function<bool(const QString&)> hook)
{
    beforeCommitHook() = std::move(hook);
}

QString temporaryNameFor(const QString& target)
{
    static int counter = 0;
    return QString("%1.%2-%3.part").arg(target).arg(QCoreApplication::applicationPid()).arg(++counter);
}

bool commitTemporaryFile(const QString& tempPath, const QString& target, QString* error)
{
    auto fail = [&](const QString& reason) {
        QFile::remove(tempPath);
        if (error)
            *error = reason;
        return false;
    };
    if (!syncPath(tempPath, false))
        return fail(QString("cannot write %1 to disk").arg(tempPath));
    if (beforeCommitHook() && !beforeCommitHook()(tempPath))
        return fail("interrupted");
    if (::rename(QFile::encodeName(tempPath).constData(), QFile::encodeName(target).constData()) != 0)
        return fail(QString("cannot replace %1: %2").arg(target, QString::fromLocal8Bit(std::strerror(errno))));
    syncPath(QFileInfo(target).absolutePath(), true);
    return true;
}

bool setFileModificationTime(const QString& path, const QDateTime& time)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadWrite))
        return false;
    return f.setFileTime(time, QFileDevice::FileModificationTime);
}

bool copyFileAtomically(const QString& source, const QString& target, bool keepTime, QString* error)
{
    const QFileInfo info(source);
    if (!info.isFile()) {
        if (error)
            *error = QString("%1 does not exist").arg(source);
        return false;
    }
    const QString temp = temporaryNameFor(target);
    QFile in(source);
    QFile out(temp);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        QFile::remove(temp);
        if (error)
            *error = QString("cannot copy %1 to %2: %3").arg(source, target, in.isOpen() ? out.errorString() : in.errorString());
        return false;
    }
    char buffer[1 << 16];
    bool ok = true;
    for (;;) {
        const qint64 n = in.read(buffer, sizeof buffer);
        if (n < 0) { ok = false; break; }
        if (n == 0) break;
        if (out.write(buffer, n) != n) { ok = false; break; }
    }
    ok = out.flush() && ok;
    if (ok && keepTime)
        ok = out.setFileTime(info.lastModified(), QFileDevice::FileModificationTime);
    out.close();
    if (!ok) {
        QFile::remove(temp);
        if (error)
            *error = QString("cannot copy %1 to %2").arg(source, target);
        return false;
    }
    return commitTemporaryFile(temp, target, error);
}
