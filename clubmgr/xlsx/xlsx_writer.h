#pragma once
// Builds an .xlsx workbook in memory and writes it in one go.
//
//   xlsx::WorkbookWriter book;
//   int sheet = book.addSheet("Sheet1");
//   book.setColumn(sheet, 2, 8, xlsx::CellStyle::text());     // column C as text ("@")
//   book.setRow(sheet, 0, {"LoftNo", "RCountry", "RYear"});
//   book.setNumber(sheet, 1, 5, 1234.5, xlsx::CellStyle::number("0.000"));
//   QString error;
//   if (!book.save("/path/out.xlsx", &error)) ...
//
// Rows and columns count from 0 (A1 is row 0, column 0). A cell written without a style
// takes its column's style, so a text column keeps "0012" as text in every spreadsheet
// program. save() writes to a temporary file beside the target and renames it into place:
// a failed save leaves an existing file untouched.

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <memory>

namespace xlsx {

struct CellStyle {
    enum class Align { Default, Left, Center, Right };

    QString numFormat;  // empty: General; "@" text; "0.000"; "yyyy/mm/dd hh:mm:ss"; ...
    bool bold = false;
    Align align = Align::Default;

    static CellStyle text() { return CellStyle{QStringLiteral("@")}; }
    static CellStyle number(const QString& format) { return CellStyle{format}; }
    static CellStyle header() { return CellStyle{QString(), true}; }

    bool isDefault() const { return numFormat.isEmpty() && !bold && align == Align::Default; }
    bool operator==(const CellStyle&) const = default;
};

class WorkbookWriter {
public:
    WorkbookWriter();
    ~WorkbookWriter();
    WorkbookWriter(const WorkbookWriter&) = delete;
    WorkbookWriter& operator=(const WorkbookWriter&) = delete;

    // Adds a worksheet at the end; returns its index for the calls below. The name is
    // checked on save (at most 31 characters, none of []:*?/\).
    int addSheet(const QString& name);

    // Width in characters (as spreadsheet programs count them); a negative width keeps
    // the default width. The style applies to every cell of the column without its own.
    void setColumn(int sheet, int column, double width, const CellStyle& style = {});

    void setText(int sheet, int row, int column, const QString& text, const CellStyle& style = {});
    void setNumber(int sheet, int row, int column, double value, const CellStyle& style = {});
    // Stored as a spreadsheet serial date; give a date format, e.g. "yyyy/mm/dd hh:mm:ss".
    void setDateTime(int sheet, int row, int column, const QDateTime& value, const CellStyle& style);
    // Writes texts into consecutive cells starting at column 0.
    void setRow(int sheet, int row, const QStringList& texts, const CellStyle& style = {});

    bool save(const QString& path, QString* error) const;

private:
    struct Data;
    std::unique_ptr<Data> d;
};

// Days since 1899-12-30 (the spreadsheet serial date of the 1900 date system) of a local time.
double serialDate(const QDateTime& value);

}  // namespace xlsx
