#include "pdf_text.h"
#include "report_renderer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPrintPreviewWidget>
#include <QTimer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace club::reports;

namespace {

// A report over a handed-in document, to drive the renderer directly.
class DocReport : public TReportForm {
public:
    explicit DocReport(ReportDocument d) : doc(std::move(d)) {}
    ReportDocument document() const override { return doc; }
    ReportDocument doc;
};

ReportDocument listOf(int rows)
{
    ReportDocument doc;
    doc.documentName = "Test list";
    doc.title = "Test List";
    doc.addressLines = {"Homing Club", "1 Loft Lane"};
    doc.columns = {{"Name", 4}, {"Number", 2, Qt::AlignRight}, {"Remark", 3}};
    for (int i = 1; i <= rows; ++i)
        doc.rows.append({QStringLiteral("Member %1").arg(i, 3, 10, QChar('0')), QString::number(i * 1000), "ok"});
    return doc;
}

}  // namespace

TEST(Renderer, LongListBreaksCleanlyAcrossPages)
{
    const DocReport report(listOf(200));
    const PdfText pdf = renderToText(report);
    ASSERT_GT(pdf.pages, 3);
    EXPECT_EQ(pdf.pages, report.pageCount());

    int lastLine = -1;
    for (int i = 1; i <= 200; ++i) {
        // Every line whole, once, in order.
        const QString line = QStringLiteral("Member %1 %2 ok").arg(i, 3, 10, QChar('0')).arg(i * 1000);
        const int at = pdf.lineOf(line);
        ASSERT_GT(at, lastLine) << line.toStdString();
        EXPECT_EQ(pdf.text.count(QStringLiteral("Member %1").arg(i, 3, 10, QChar('0'))), 1);
        lastLine = at;
    }
    for (int p = 0; p < pdf.pages; ++p) {
        const QString page = pdf.page(p);
        EXPECT_TRUE(page.contains("Name Number Remark")) << "column titles on page " << p + 1;
        EXPECT_TRUE(page.contains(QStringLiteral("Page %1 of %2").arg(p + 1).arg(pdf.pages)));
        EXPECT_EQ(page.contains("Test List"), p == 0) << "title band only on the first page";
    }
}

TEST(Renderer, EmptyListPrintsTitleAndColumnTitles)
{
    const PdfText pdf = renderToText(DocReport(listOf(0)));
    EXPECT_EQ(pdf.pages, 1);
    EXPECT_TRUE(pdf.has("Test List"));
    EXPECT_TRUE(pdf.has("Homing Club"));
    EXPECT_TRUE(pdf.has("Name Number Remark"));
    EXPECT_FALSE(pdf.has("Member"));
    EXPECT_TRUE(pdf.has("Page 1 of 1"));
}

TEST(Renderer, LongCellTextWrapsInsteadOfBeingCut)
{
    ReportDocument doc = listOf(1);
    const QString longName = "Very long member name that cannot fit in its column on one single line at all";
    doc.rows[0][0] = longName;
    const PdfText pdf = renderToText(DocReport(doc));
    QString all = squeeze(pdf.text);
    for (const QString& word : longName.split(' ')) EXPECT_TRUE(all.contains(word)) << word.toStdString();
}

TEST(Renderer, PageHeaderSummaryFooterAndGroupedTitles)
{
    ReportDocument doc = listOf(120);
    doc.pageHeader = "Official Header";
    doc.columns = {{"Pos.", 1}, {"Date", 1, Qt::AlignLeft, "Clocking"}, {"Time", 1, Qt::AlignLeft, "Clocking"}};
    doc.summary = {{"Total :", "120"}};
    doc.signatureLabel = "Signed :";
    doc.signatures = {"Flyer", "Club"};
    doc.footerFields = {{"Net :", "1:2:3"}};
    const PdfText pdf = renderToText(DocReport(doc));
    ASSERT_GT(pdf.pages, 1);
    for (int p = 0; p < pdf.pages; ++p) {
        EXPECT_TRUE(pdf.page(p).contains("Official Header"));
        EXPECT_TRUE(pdf.page(p).contains("Clocking"));
        EXPECT_TRUE(pdf.page(p).contains("Signed : Flyer"));
        EXPECT_TRUE(pdf.page(p).contains("Net : 1:2:3"));
    }
    EXPECT_TRUE(pdf.page(pdf.pages - 1).contains("Total : 120"));
    EXPECT_EQ(pdf.text.count("Total :"), 1);
    EXPECT_LT(pdf.lineOf("Member 120"), pdf.lineOf("Total : 120"));
}

TEST(Renderer, SummaryThatDoesNotFitGoesToANewPage)
{
    // Fill the first page exactly, then check the summary is not lost or overlapping.
    ReportDocument doc = listOf(1);
    doc.summary = {{"A :", "1"}, {"B :", "2"}, {"C :", "3"}};
    const int onePage = DocReport(doc).pageCount();
    ASSERT_EQ(onePage, 1);
    int rows = 1;
    while (DocReport(listOf(rows + 1)).pageCount() == 1) ++rows;  // rows that fill page one
    doc = listOf(rows);
    doc.summary = {{"A :", "1"}, {"B :", "2"}, {"C :", "3"}};
    const PdfText pdf = renderToText(DocReport(doc));
    EXPECT_EQ(pdf.pages, 2);
    // pdftotext spaces a nearly empty page loosely: compare without blanks.
    EXPECT_TRUE(pdf.page(1).remove(' ').contains("C:3"));
    EXPECT_FALSE(pdf.page(1).contains("Member"));
}

TEST(Renderer, FailedWriteLeavesNoFileAndSaysWhy)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("missing/folder/out.pdf");
    QString error;
    EXPECT_FALSE(writeReportPdf(listOf(3), path, &error));
    EXPECT_TRUE(error.contains(path)) << error.toStdString();
    EXPECT_FALSE(QFile::exists(path));
}

TEST(Renderer, RewritingReplacesTheWholeFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("out.pdf");
    ASSERT_TRUE(writeReportPdf(listOf(200), path));
    ASSERT_TRUE(writeReportPdf(listOf(2), path));
    const PdfText pdf = pdfToText(path);
    EXPECT_EQ(pdf.pages, 1);
    EXPECT_FALSE(pdf.has("Member 003"));
}

TEST(Renderer, PreviewIsModalAndShowsEveryPage)
{
    const DocReport report(listOf(200));
    const int expected = report.pageCount();
    int shownPages = -1;
    QString dialogClass;
    QTimer poll;
    QElapsedTimer waited;
    waited.start();
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return;
        dialogClass = modal->metaObject()->className();
        auto* view = modal->findChild<QPrintPreviewWidget*>();
        if (view && view->pageCount() == 0 && waited.elapsed() < 5000) return;
        shownPages = view ? view->pageCount() : 0;
        modal->close();
    });
    poll.start(20);
    report.preview(nullptr);  // returns when the preview is closed
    EXPECT_EQ(dialogClass, "QPrintPreviewDialog");
    EXPECT_EQ(shownPages, expected);
}

TEST(Renderer, AnyTextPrintsWithoutHarm)
{
    // Odd and oversized texts: control characters, other scripts, a cell longer than a page.
    ReportDocument doc = listOf(3);
    doc.title = QString("T\x01\t\n") + QString::fromUtf8("Ünïcødé 鸽子 حمام 🕊") + QString(3000, 'W');
    doc.rows[0] = {QString(20000, 'x'), QString::fromUtf8("\xEF\xBF\xBD\x7F"), QString("a\nb\nc")};
    doc.rows[1] = {};                      // fewer cells than columns
    doc.rows[2] = {"1", "2", "3", "4", "5"};  // more cells than columns
    const DocReport report(doc);
    const PdfText pdf = renderToText(report);
    EXPECT_GE(pdf.pages, 1);
    EXPECT_EQ(pdf.pages, report.pageCount());
    EXPECT_TRUE(pdf.has("Page 1 of"));
}
