#include "xlsx_package.h"

#include <QFile>
#include <QStringList>

#include <zip.h>

namespace xlsx::detail {

Package::~Package()
{
    if (m_zip)
        zip_discard(m_zip);
}

bool Package::open(const QString& path, QString* error)
{
    int code = 0;
    m_zip = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &code);
    if (!m_zip) {
        zip_error_t e;
        zip_error_init_with_code(&e, code);
        *error = code == ZIP_ER_NOZIP || code == ZIP_ER_INCONS
                     ? QStringLiteral("%1 is not an Excel workbook (.xlsx).").arg(path)
                     : QStringLiteral("Cannot open %1: %2").arg(path, QString::fromUtf8(zip_error_strerror(&e)));
        zip_error_fini(&e);
        return false;
    }
    return true;
}

bool Package::has(const QString& part) const
{
    return m_zip && zip_name_locate(m_zip, part.toUtf8().constData(), ZIP_FL_NOCASE) >= 0;
}

bool Package::read(const QString& part, QByteArray* out, QString* error) const
{
    const zip_int64_t index = zip_name_locate(m_zip, part.toUtf8().constData(), ZIP_FL_NOCASE);
    if (index < 0) {
        *error = QStringLiteral("The workbook has no part %1.").arg(part);
        return false;
    }
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat_index(m_zip, index, 0, &st) == 0 && (st.valid & ZIP_STAT_SIZE) && st.size > zip_uint64_t(maxPartSize)) {
        *error = QStringLiteral("The workbook part %1 is too large.").arg(part);
        return false;
    }
    zip_file_t* file = zip_fopen_index(m_zip, index, 0);
    if (!file) {
        *error = QStringLiteral("Cannot read %1 of the workbook: %2").arg(part, QString::fromUtf8(zip_strerror(m_zip)));
        return false;
    }
    out->clear();
    if ((st.valid & ZIP_STAT_SIZE) && st.size > 0)
        out->reserve(qsizetype(st.size));
    char buffer[65536];
    bool ok = true;
    for (;;) {
        const zip_int64_t n = zip_fread(file, buffer, sizeof buffer);
        if (n < 0) {
            *error = QStringLiteral("The workbook part %1 is damaged: %2")
                         .arg(part, QString::fromUtf8(zip_file_strerror(file)));
            ok = false;
            break;
        }
        if (n == 0)
            break;
        // The stored size may lie; the cap holds for what really comes out.
        if (out->size() + n > maxPartSize) {
            *error = QStringLiteral("The workbook part %1 is too large.").arg(part);
            ok = false;
            break;
        }
        out->append(buffer, qsizetype(n));
    }
    zip_fclose(file);
    return ok;
}

QString relationshipsPart(const QString& part)
{
    const int slash = part.lastIndexOf(QLatin1Char('/'));
    const QString folder = slash < 0 ? QString() : part.left(slash + 1);
    return folder + QStringLiteral("_rels/") + part.mid(slash + 1) + QStringLiteral(".rels");
}

QString resolveTarget(const QString& sourcePart, const QString& target)
{
    QString t = target;
    t.replace(QLatin1Char('\\'), QLatin1Char('/'));
    QStringList parts;
    if (!t.startsWith(QLatin1Char('/'))) {
        parts = sourcePart.split(QLatin1Char('/'));
        parts.removeLast();  // the source part's own file name
    }
    for (const QString& piece : t.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (piece == QLatin1String("."))
            continue;
        if (piece == QLatin1String("..")) {
            if (!parts.isEmpty())
                parts.removeLast();
            continue;
        }
        parts.append(piece);
    }
    return parts.join(QLatin1Char('/'));
}

}  // namespace xlsx::detail
