#include "pdf_text.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

QString squeeze(const QString& s)
{
    static const QRegularExpression blanks(QStringLiteral("[ \\t]+"));
    return QString(s).replace(blanks, QStringLiteral(" ")).trimmed();
}

QStringList PdfText::lines() const
{
    QStringList out;
    for (const QString& line : text.split('\n')) out << squeeze(line);
    return out;
}

bool PdfText::has(const QString& needle) const { return lineOf(needle) >= 0; }

int PdfText::lineOf(const QString& needle) const
{
    const QStringList all = lines();
    for (int i = 0; i < all.size(); ++i)
        if (all[i].contains(squeeze(needle))) return i;
    return -1;
}

QString PdfText::page(int index) const
{
    const QStringList pagesText = text.split('\f');
    return index < pagesText.size() ? squeeze(pagesText[index]) : QString();
}

QString PdfText::flat() const { return squeeze(QString(text).replace('\n', ' ').replace('\f', ' ')); }

PdfText pdfToText(const QString& pdfPath)
{
    PdfText out;
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdfPath, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) {
        ADD_FAILURE() << "pdftotext failed on " << pdfPath.toStdString();
        return out;
    }
    out.text = QString::fromUtf8(p.readAllStandardOutput());
    // pdftotext ends every page with a form feed.
    out.pages = static_cast<int>(out.text.count('\f'));
    return out;
}

PdfText renderToText(const club::reports::TReportForm& report)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.pdf"));
    QString error;
    if (!report.writePdf(path, &error)) {
        ADD_FAILURE() << "writePdf failed: " << error.toStdString();
        return {};
    }
    // CLUB_REPORT_KEEP=<folder> keeps every rendered PDF there, for looking at them.
    const QString keep = qEnvironmentVariable("CLUB_REPORT_KEEP");
    if (!keep.isEmpty()) {
        const QString name = QString::fromUtf8(::testing::UnitTest::GetInstance()->current_test_info()->name());
        QFile::remove(keep + '/' + name + ".pdf");
        QFile::copy(path, keep + '/' + name + ".pdf");
    }
    return pdfToText(path);
}
