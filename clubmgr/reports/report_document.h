#pragma once
// The bands of one printed report, as plain data. A report class fills a ReportDocument
// from its input rows; the renderer lays it out on A4 pages and paints it.

#include <QList>
#include <QString>
#include <QStringList>
#include <Qt>

#include <utility>

namespace club::reports {

// A "label value" pair of a header block, a summary or a footer.
struct ReportField {
    QString label;
    QString value;
};

struct ReportColumn {
    ReportColumn(QString title_, double weight_ = 1.0, Qt::Alignment align_ = Qt::AlignLeft,
                 QString group_ = {}, QString groupSub_ = {})
        : title(std::move(title_)), weight(weight_), align(align_), group(std::move(group_)),
          groupSub(std::move(groupSub_)) {}

    QString title;
    double weight = 1.0;                 // share of the line width
    Qt::Alignment align = Qt::AlignLeft;
    // Neighbouring columns with the same group share a title cell above their own
    // titles; a non-empty groupSub replaces their own titles by one spanning text.
    QString group;
    QString groupSub;
};

enum class DetailFrame {
    Grid,     // framed, with vertical rules between the columns
    Outline,  // framed left, right and below only
};

struct ReportDocument {
    QString documentName;                // PDF title and print job name

    // Title band, once on the first page.
    bool logo = true;
    QString title;                       // large, bold
    QStringList addressLines;            // the club's name and address under the title
    QList<QList<ReportField>> titleFields;  // header block, one list per line

    QString pageHeader;                  // on top of every page when not empty

    QList<ReportColumn> columns;
    bool boldColumnTitles = true;
    double cellPoints = 9.0;             // size of the column titles and detail lines
    DetailFrame frame = DetailFrame::Grid;
    QList<QStringList> rows;             // display texts, one per column

    QList<ReportField> summary;          // after the last row

    // Page footer, on every page: signature fields after a leading label, then the
    // fields, then the page number at the right.
    QString signatureLabel;
    QStringList signatures;
    QList<ReportField> footerFields;
};

}  // namespace club::reports
