#pragma once
// Reads the first worksheet of an .xlsx workbook, every cell as the text a user sees in
// plain cells: shared strings, inline strings and formula results as they are; numbers
// without a needless fraction (a stored 2014 or 2014.0 reads "2014", 12.5 reads "12.5");
// booleans "TRUE"/"FALSE".
//
//   xlsx::SheetData sheet;
//   QString error;
//   if (!xlsx::readFirstWorksheet(path, &sheet, &error)) { show(error); return; }
//   for (int row = 1; row < sheet.rowCount(); ++row) use(sheet.text(row, 0));
//
// Rows and columns count from 0. The used area runs from A1 to the last row and the last
// column that hold a non-empty value; cells that only carry formatting do not count.

#include <QString>

#include <utility>
#include <vector>

namespace xlsx {

class SheetData {
public:
    QString name;  // the sheet's name as the workbook lists it

    int rowCount() const { return m_rowCount; }
    int columnCount() const { return m_columnCount; }
    // Empty text for a cell that is absent or outside the used area.
    QString text(int row, int column) const;

    // Used while reading; cells may come in any order.
    void setText(int row, int column, const QString& text);

private:
    struct Row {
        int index;
        std::vector<QString> cells;
    };
    const Row* findRow(int row) const;

    std::vector<Row> m_rows;  // sorted by index
    int m_rowCount = 0;
    int m_columnCount = 0;
};

// false with a message in *error when the file is missing, is not a workbook or is damaged.
bool readFirstWorksheet(const QString& path, SheetData* sheet, QString* error);

}  // namespace xlsx
