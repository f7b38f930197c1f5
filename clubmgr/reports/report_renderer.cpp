#include "report_renderer.h"

#include "report_logo.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSaveFile>

#include <algorithm>
#include <vector>

namespace club::reports {
namespace {

constexpr double kMarginMm = 10.0;
constexpr double kLogoMm = 22.0;
constexpr double kPadMm = 1.2;

QFont makeFont(double points, bool bold = false)
{
    // DejaVu is installed with the program; the PDF embeds it, so the texts extract
    // back exactly.
    QFont font(QStringLiteral("DejaVu Sans"));
    // No ligatures: "fi" must come out of the PDF as two letters, not one glyph.
    font.setStyleHint(QFont::SansSerif, QFont::PreferNoShaping);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

struct Fonts {
    explicit Fonts(double cellPoints)
        : head(makeFont(cellPoints - 0.5, true)), headPlain(makeFont(cellPoints - 0.5)), cell(makeFont(cellPoints)) {}
    QFont title = makeFont(14, true);
    QFont address = makeFont(10);
    QFont fieldLabel = makeFont(9);
    QFont fieldValue = makeFont(9, true);
    QFont pageHeader = makeFont(12.5, true);
    QFont head;
    QFont headPlain;
    QFont cell;
    QFont summaryLabel = makeFont(9.5);
    QFont summaryValue = makeFont(9.5, true);
    QFont footer = makeFont(8.5);
};

struct PagePlan {
    int firstRow = 0;
    int endRow = 0;
    bool columnHeader = true;
    bool summary = false;
};

// A header cell: a column title, a group title or a group's common subtitle.
struct HeadCell {
    int firstCol;
    int span;
    int row;      // 0 or 1
    int rowSpan;  // 1 or 2
    QString text;
};

const QFontMetricsF& metricsOf(std::vector<std::pair<const QFont*, QFontMetricsF>>& cache,
                               const QFont& font, QPaintDevice* device)
{
    for (auto& [f, m] : cache)
        if (f == &font) return m;
    cache.emplace_back(&font, QFontMetricsF(font, device));
    return cache.back().second;
}

class Layout {
public:
    Layout(const ReportDocument& doc, QPaintDevice* device)
        : doc_(doc), device_(device), fonts_(doc.cellPoints)
    {
        dpi_ = device->logicalDpiX();
        const double w = device->width();
        const double h = device->height();
        content_ = QRectF(mm(kMarginMm), mm(kMarginMm), w - 2 * mm(kMarginMm), h - 2 * mm(kMarginMm));
        pad_ = mm(kPadMm);
        computeColumns();
        computeHeadCells();
        titleBandH_ = titleBandHeight();
        pageHeaderH_ = doc.pageHeader.isEmpty() ? 0 : fm(fonts_.pageHeader).height() + mm(3);
        columnHeaderH_ = columnHeaderHeight();
        footerH_ = footerHeight();
        summaryH_ = summaryHeight();
        rowH_.reserve(doc.rows.size());
        // A line taller than a whole page (absurdly long texts) is cut to one page.
        const double maxRowH = content_.height() - footerH_ - mm(2) - pageHeaderH_ - columnHeaderH_;
        for (const QStringList& row : doc.rows) rowH_.push_back(std::min(rowHeight(row), std::max(maxRowH, mm(5))));
        paginate();
    }

    double mm(double v) const { return v * dpi_ / 25.4; }
    const std::vector<PagePlan>& pages() const { return pages_; }

    void paintPage(QPainter& p, int index) const
    {
        const PagePlan& plan = pages_[index];
        double y = content_.top();
        p.setPen(QPen(Qt::black, mm(0.2)));
        if (!doc_.pageHeader.isEmpty()) {
            p.setFont(fonts_.pageHeader);
            QRectF r(content_.left(), y, content_.width(), fm(fonts_.pageHeader).height());
            p.drawText(r, Qt::AlignHCenter | Qt::AlignVCenter, doc_.pageHeader);
            p.drawLine(QPointF(content_.left(), y + r.height() + mm(1.2)),
                       QPointF(content_.right(), y + r.height() + mm(1.2)));
            y += pageHeaderH_;
        }
        if (index == 0) {
            paintTitleBand(p, y);
            y += titleBandH_;
        }
        if (plan.columnHeader) {
            paintColumnHeader(p, y);
            y += columnHeaderH_;
        }
        for (int i = plan.firstRow; i < plan.endRow; ++i) {
            paintRow(p, y, i);
            y += rowH_[i];
        }
        if (plan.summary) paintSummary(p, y + mm(3));
        paintFooter(p, index);
    }

private:
    const QFontMetricsF& fm(const QFont& font) const { return metricsOf(metrics_, font, device_); }

    double textHeight(const QFont& font, const QString& text, double width) const
    {
        const QFontMetricsF& m = fm(font);
        if (text.isEmpty() || (m.horizontalAdvance(text) <= width && !text.contains('\n')))
            return m.height();
        return m.boundingRect(QRectF(0, 0, std::max(width, 1.0), 1e9), Qt::TextWordWrap, text).height();
    }

    void computeColumns()
    {
        // Widths follow the weights, but a column is never narrower than its title on
        // one line; the others give up the difference in proportion to their weights.
        const int n = static_cast<int>(doc_.columns.size());
        std::vector<double> need(n, 0), width(n, 0);
        std::vector<bool> fixed(n, false);
        for (int i = 0; i < n; ++i)
            if (doc_.columns[i].group.isEmpty())
                need[i] = fm(headFont()).horizontalAdvance(doc_.columns[i].title) + 2 * pad_ + 1;
        double needed = 0;
        for (double v : need) needed += v;
        for (bool changed = true; changed && needed <= content_.width();) {
            changed = false;
            double freeWidth = content_.width(), freeWeight = 0;
            for (int i = 0; i < n; ++i) {
                if (fixed[i]) freeWidth -= need[i];
                else freeWeight += std::max(doc_.columns[i].weight, 0.01);
            }
            for (int i = 0; i < n; ++i) {
                width[i] = fixed[i] ? need[i] : freeWidth * std::max(doc_.columns[i].weight, 0.01) / freeWeight;
                if (!fixed[i] && width[i] < need[i]) fixed[i] = changed = true;
            }
        }
        if (needed > content_.width()) {
            double total = 0;
            for (const ReportColumn& c : doc_.columns) total += std::max(c.weight, 0.01);
            for (int i = 0; i < n; ++i) width[i] = content_.width() * std::max(doc_.columns[i].weight, 0.01) / total;
        }
        colX_.push_back(content_.left());
        for (double w : width) colX_.push_back(colX_.back() + w);
        if (n > 0) colX_.back() = content_.right();
    }

    void computeHeadCells()
    {
        const auto& cols = doc_.columns;
        headRows_ = std::any_of(cols.begin(), cols.end(), [](const ReportColumn& c) { return !c.group.isEmpty(); }) ? 2 : 1;
        for (int i = 0; i < cols.size();) {
            if (cols[i].group.isEmpty()) {
                headCells_.push_back({i, 1, 0, headRows_, cols[i].title});
                ++i;
                continue;
            }
            int end = i + 1;
            while (end < cols.size() && cols[end].group == cols[i].group) ++end;
            headCells_.push_back({i, end - i, 0, 1, cols[i].group});
            if (!cols[i].groupSub.isEmpty())
                headCells_.push_back({i, end - i, 1, 1, cols[i].groupSub});
            else
                for (int c = i; c < end; ++c) headCells_.push_back({c, 1, 1, 1, cols[c].title});
            i = end;
        }
    }

    QRectF spanRect(int firstCol, int span, double y, double h) const
    {
        return QRectF(colX_[firstCol], y, colX_[firstCol + span] - colX_[firstCol], h);
    }

    const QFont& headFont() const { return doc_.boldColumnTitles ? fonts_.head : fonts_.headPlain; }

    double columnHeaderHeight()
    {
        if (doc_.columns.isEmpty()) return 0;
        // Each header line is as tall as its tallest single-line cell.
        std::vector<double> lineH(headRows_, fm(headFont()).height());
        for (const HeadCell& c : headCells_) {
            if (c.rowSpan != 1) continue;
            const double w = colX_[c.firstCol + c.span] - colX_[c.firstCol] - 2 * pad_;
            lineH[c.row] = std::max(lineH[c.row], textHeight(headFont(), c.text, w));
        }
        double total = 0;
        for (double h : lineH) total += h + 2 * pad_;
        for (const HeadCell& c : headCells_) {
            if (c.rowSpan != 2) continue;
            const double w = colX_[c.firstCol + 1] - colX_[c.firstCol] - 2 * pad_;
            total = std::max(total, textHeight(headFont(), c.text, w) + 2 * pad_);
        }
        headLineH_ = headRows_ == 2 ? lineH[0] + 2 * pad_ : total;
        return total;
    }

    double rowHeight(const QStringList& row) const
    {
        double h = fm(fonts_.cell).height();
        for (int c = 0; c < doc_.columns.size() && c < row.size(); ++c) {
            const double w = colX_[c + 1] - colX_[c] - 2 * pad_;
            h = std::max(h, textHeight(fonts_.cell, row[c], w));
        }
        return h + 2 * pad_;
    }

    double titleTextLeft() const { return content_.left() + (doc_.logo ? mm(kLogoMm + 5) : 0); }

    double fieldLineHeight(const QList<ReportField>& line) const
    {
        const double cellW = (content_.right() - titleTextLeft()) / std::max<qsizetype>(line.size(), 1);
        double h = fm(fonts_.fieldValue).height();
        for (const ReportField& f : line) {
            const double labelW = fm(fonts_.fieldLabel).horizontalAdvance(f.label + ' ');
            h = std::max(h, textHeight(fonts_.fieldValue, f.value, cellW - labelW - mm(2)));
        }
        return h + mm(0.8);
    }

    double titleBandHeight() const
    {
        const double textW = content_.right() - titleTextLeft();
        double h = 0;
        if (!doc_.title.isEmpty()) h += titleTextHeight(textW) + mm(1.5);
        h += doc_.addressLines.size() * fm(fonts_.address).height();
        if (!doc_.titleFields.isEmpty()) {
            if (h > 0) h += mm(2);
            for (const auto& line : doc_.titleFields) h += fieldLineHeight(line);
        }
        if (doc_.logo) h = std::max(h, mm(kLogoMm));
        return h + mm(4);
    }

    double titleTextHeight(double width) const
    {
        return std::min(textHeight(fonts_.title, doc_.title, width), mm(60));
    }

    double summaryHeight() const
    {
        if (doc_.summary.isEmpty()) return 0;
        return mm(3) + doc_.summary.size() * (fm(fonts_.summaryValue).height() + mm(0.8));
    }

    double footerHeight() const
    {
        double h = mm(2) + fm(fonts_.footer).height();
        if (!doc_.signatures.isEmpty()) h += mm(9);
        return h;
    }

    void paginate()
    {
        const double bottom = content_.bottom() - footerH_ - mm(2);
        PagePlan page;
        double y = content_.top() + pageHeaderH_ + titleBandH_ + columnHeaderH_;
        const int n = static_cast<int>(rowH_.size());
        for (int i = 0; i < n; ++i) {
            // A line never breaks: it goes whole to the next page, unless it is the only
            // line of its page (the first page also holds the title band).
            if (y + rowH_[i] > bottom && (i > page.firstRow || (i == 0 && pages_.empty()))) {
                page.endRow = i;
                pages_.push_back(page);
                page = PagePlan{i, i, true, false};
                y = content_.top() + pageHeaderH_ + columnHeaderH_;
            }
            y += rowH_[i];
        }
        page.endRow = n;
        if (summaryH_ > 0 && y + summaryH_ > bottom) {
            pages_.push_back(page);
            page = PagePlan{n, n, false, false};
        }
        page.summary = summaryH_ > 0;
        pages_.push_back(page);
    }

    void paintTitleBand(QPainter& p, double y) const
    {
        if (doc_.logo) drawClubLogo(p, QRectF(content_.left(), y, mm(kLogoMm), mm(kLogoMm)));
        const double x = titleTextLeft();
        const double w = content_.right() - x;
        double ty = y;
        if (!doc_.title.isEmpty()) {
            const double h = titleTextHeight(w);
            p.setFont(fonts_.title);
            p.drawText(QRectF(x, ty, w, h), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, doc_.title);
            ty += h + mm(1.5);
        }
        p.setFont(fonts_.address);
        for (const QString& line : doc_.addressLines) {
            const double h = fm(fonts_.address).height();
            p.drawText(QRectF(x, ty, w, h), Qt::AlignLeft | Qt::AlignTop, line);
            ty += h;
        }
        if (!doc_.titleFields.isEmpty() && ty > y) ty += mm(2);
        for (const auto& line : doc_.titleFields) {
            const double lineH = fieldLineHeight(line);
            const double cellW = w / std::max<qsizetype>(line.size(), 1);
            for (int i = 0; i < line.size(); ++i)
                paintField(p, QRectF(x + i * cellW, ty, cellW - mm(2), lineH), line[i],
                           fonts_.fieldLabel, fonts_.fieldValue);
            ty += lineH;
        }
    }

    void paintField(QPainter& p, const QRectF& r, const ReportField& f, const QFont& labelFont,
                    const QFont& valueFont) const
    {
        p.setFont(labelFont);
        p.drawText(r, Qt::AlignLeft | Qt::AlignTop, f.label);
        const double labelW = f.label.isEmpty() ? 0 : fm(labelFont).horizontalAdvance(f.label + ' ');
        p.setFont(valueFont);
        p.drawText(QRectF(r.left() + labelW, r.top(), std::max(r.width() - labelW, 1.0), r.height()),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, f.value);
    }

    void paintColumnHeader(QPainter& p, double y) const
    {
        if (doc_.columns.isEmpty()) return;
        p.setFont(headFont());
        for (const HeadCell& c : headCells_) {
            const double top = c.row == 0 ? y : y + headLineH_;
            const double h = c.rowSpan == headRows_ ? columnHeaderH_
                             : (c.row == 0 ? headLineH_ : columnHeaderH_ - headLineH_);
            const QRectF r = spanRect(c.firstCol, c.span, top, h);
            p.drawRect(r);
            // Group titles and spanning texts are centred; a column title follows its column.
            const bool centred = c.span > 1 || (c.rowSpan == 1 && headRows_ == 2 && c.row == 0);
            const int hAlign = centred ? int(Qt::AlignHCenter)
                                       : int(doc_.columns[c.firstCol].align & Qt::AlignHorizontal_Mask);
            p.drawText(r.adjusted(pad_, pad_, -pad_, -pad_), hAlign | Qt::AlignVCenter | Qt::TextWordWrap, c.text);
        }
    }

    void paintRow(QPainter& p, double y, int index) const
    {
        const QStringList& row = doc_.rows[index];
        const double h = rowH_[index];
        p.setFont(fonts_.cell);
        for (int c = 0; c < doc_.columns.size(); ++c) {
            if (c >= row.size() || row[c].isEmpty()) continue;
            const QRectF r(colX_[c] + pad_, y + pad_, colX_[c + 1] - colX_[c] - 2 * pad_, h - 2 * pad_);
            p.drawText(r, int(doc_.columns[c].align & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter | Qt::TextWordWrap,
                       row[c]);
        }
        const double left = colX_.front(), right = colX_.back(), bottom = y + h;
        p.drawLine(QPointF(left, y), QPointF(left, bottom));
        p.drawLine(QPointF(right, y), QPointF(right, bottom));
        p.drawLine(QPointF(left, bottom), QPointF(right, bottom));
        if (doc_.frame == DetailFrame::Grid)
            for (size_t c = 1; c + 1 < colX_.size(); ++c) p.drawLine(QPointF(colX_[c], y), QPointF(colX_[c], bottom));
    }

    void paintSummary(QPainter& p, double y) const
    {
        double labelW = 0;
        for (const ReportField& f : doc_.summary)
            labelW = std::max(labelW, fm(fonts_.summaryLabel).horizontalAdvance(f.label + ' '));
        const double lineH = fm(fonts_.summaryValue).height() + mm(0.8);
        for (const ReportField& f : doc_.summary) {
            p.setFont(fonts_.summaryLabel);
            p.drawText(QRectF(content_.left(), y, labelW, lineH), Qt::AlignLeft | Qt::AlignTop, f.label);
            p.setFont(fonts_.summaryValue);
            p.drawText(QRectF(content_.left() + labelW, y, content_.width() - labelW, lineH),
                       Qt::AlignLeft | Qt::AlignTop, f.value);
            y += lineH;
        }
    }

    void paintFooter(QPainter& p, int index) const
    {
        const QFontMetricsF& m = fm(fonts_.footer);
        double y = content_.bottom() - footerH_;
        p.setFont(fonts_.footer);
        p.drawLine(QPointF(content_.left(), y), QPointF(content_.right(), y));
        y += mm(2);
        if (!doc_.signatures.isEmpty()) {
            // Signature fields: each name followed by a line to sign on.
            const double lineY = y + mm(6);
            double x = content_.left();
            p.drawText(QPointF(x, lineY), doc_.signatureLabel);
            x += m.horizontalAdvance(doc_.signatureLabel + ' ') + mm(2);
            const double slot = (content_.right() - x) / doc_.signatures.size();
            for (const QString& s : doc_.signatures) {
                p.drawText(QPointF(x, lineY), s);
                const double lineStart = x + m.horizontalAdvance(s + ' ');
                p.drawLine(QPointF(lineStart, lineY + mm(0.5)), QPointF(x + slot - mm(5), lineY + mm(0.5)));
                x += slot;
            }
            y += mm(9);
        }
        const QString pageText = QStringLiteral("Page %1 of %2").arg(index + 1).arg(pages_.size());
        const double pageW = m.horizontalAdvance(pageText);
        double x = content_.left();
        for (const ReportField& f : doc_.footerFields) {
            const QString text = f.label + ' ' + f.value;
            p.drawText(QRectF(x, y, content_.right() - pageW - x, m.height()), Qt::AlignLeft | Qt::AlignTop, text);
            x += m.horizontalAdvance(text) + mm(10);
        }
        p.drawText(QRectF(content_.right() - pageW, y, pageW, m.height()), Qt::AlignRight | Qt::AlignTop, pageText);
    }

    const ReportDocument& doc_;
    QPaintDevice* device_;
    Fonts fonts_;
    mutable std::vector<std::pair<const QFont*, QFontMetricsF>> metrics_;
    double dpi_ = 72;
    QRectF content_;
    double pad_ = 0;
    std::vector<double> colX_;
    std::vector<HeadCell> headCells_;
    int headRows_ = 1;
    double headLineH_ = 0;
    double titleBandH_ = 0, pageHeaderH_ = 0, columnHeaderH_ = 0, footerH_ = 0, summaryH_ = 0;
    std::vector<double> rowH_;
    std::vector<PagePlan> pages_;
};

void setUpA4(QPagedPaintDevice* device)
{
    device->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
}

}  // namespace

int paintReport(const ReportDocument& doc, QPagedPaintDevice* device)
{
    QPainter painter;
    if (!painter.begin(device)) return 0;
    painter.setRenderHint(QPainter::Antialiasing);
    Layout layout(doc, device);
    const int n = static_cast<int>(layout.pages().size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && !device->newPage()) return 0;
        layout.paintPage(painter, i);
    }
    return painter.end() ? n : 0;
}

int countPages(const ReportDocument& doc)
{
    // Measure on a PDF device of the resolution we write with; nothing is written.
    QPdfWriter writer(QStringLiteral("/dev/null"));
    writer.setResolution(600);
    setUpA4(&writer);
    return static_cast<int>(Layout(doc, &writer).pages().size());
}

bool writeReportPdf(const ReportDocument& doc, const QString& path, QString* error)
{
    auto fail = [&](const QString& why) {
        if (error) *error = why;
        return false;
    };
    if (!QGuiApplication::instance()) return fail(QStringLiteral("Printing needs a running application."));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
    {
        QPdfWriter writer(&file);
        writer.setResolution(600);
        writer.setTitle(doc.documentName);
        writer.setCreator(QStringLiteral("clubmgr"));
        setUpA4(&writer);
        if (paintReport(doc, &writer) == 0) {
            file.cancelWriting();
            return fail(QStringLiteral("Cannot paint the report into %1.").arg(path));
        }
    }
    if (!file.commit()) return fail(QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
    return true;
}

void previewReport(const ReportDocument& doc, QWidget* parent)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    printer.setFullPage(true);
    printer.setDocName(doc.documentName);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("ReportPreview"));
    dialog.setWindowTitle(doc.documentName);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&doc](QPrinter* p) { paintReport(doc, p); });
    dialog.resize(900, 1000);
    dialog.exec();
}

}  // namespace club::reports
