#include "result_export.h"

#include "xlsx_writer.h"

#include <QFileInfo>

namespace club {

bool ExportRaceResult(const QString& path, const QVector<ResultExportRow>& rows, QString* error) {
    xlsx::WorkbookWriter book;
    const int sheet = book.addSheet(QStringLiteral("Sheet1"));
    // Widths in characters; -1 keeps the standard width of A, B and E.
    book.setColumn(sheet, 2, 20, xlsx::CellStyle::text());
    book.setColumn(sheet, 3, 25, xlsx::CellStyle::text());
    book.setColumn(sheet, 5, 10, xlsx::CellStyle::number(QStringLiteral("0.000")));
    book.setColumn(sheet, 6, 10);
    book.setColumn(sheet, 7, 20);

    book.setRow(sheet, 0,
                {QStringLiteral("Pos"), QStringLiteral("LiberCode"), QStringLiteral("PRingNo"),
                 QStringLiteral("BackTime"), QStringLiteral("FlyTime"), QStringLiteral("FlySpeed"),
                 QStringLiteral("Dist"), QStringLiteral("LoftNo")});
    int r = 1;
    for (const ResultExportRow& row : rows) {
        book.setNumber(sheet, r, 0, row.pos);
        book.setText(sheet, r, 1, row.liberCode);
        book.setText(sheet, r, 2, row.pRingNo);
        book.setText(sheet, r, 3, row.backTime);
        book.setText(sheet, r, 4, row.flyTime);
        if (row.flySpeed) book.setNumber(sheet, r, 5, *row.flySpeed);
        if (row.dist) book.setNumber(sheet, r, 6, double(*row.dist));
        book.setText(sheet, r, 7, row.loftNo);
        ++r;
    }
    QString why;
    if (!book.save(path, &why)) {
        if (error) *error = QStringLiteral("Data transfer error: ") + why;
        return false;
    }
    return true;
}

QString ExportFileName(const QString& chosen) {
    if (chosen.isEmpty() || !QFileInfo(chosen).suffix().isEmpty()) return chosen;
    return chosen + QStringLiteral(".xlsx");
}

}  // namespace club
