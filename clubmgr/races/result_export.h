#pragma once
// "ResultExport": the race result as a one-sheet workbook, with the stored values of the
// result list in the order shown.

#include <QString>
#include <QVector>

#include <optional>

namespace club {

struct ResultExportRow {
    int pos = 0;
    QString liberCode;
    QString pRingNo;
    QString backTime;
    QString flyTime;
    std::optional<double> flySpeed;
    std::optional<qint64> dist;
    QString loftNo;
};

// Writes sheet "Sheet1": the header row, then one row per result row; columns C and D as
// text, F as "0.000". Returns false with `error` set ("Data transfer error: ...") when the
// file cannot be written; an existing file is then left as it was.
bool ExportRaceResult(const QString& path, const QVector<ResultExportRow>& rows, QString* error);

// The name to write: the chosen one, with ".xlsx" added when it has no suffix.
QString ExportFileName(const QString& chosen);

}  // namespace club
