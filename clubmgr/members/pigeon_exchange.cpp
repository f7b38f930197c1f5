#include "pigeon_exchange.h"

#include "batch_write.h"
#include "member_queries.h"
#include "pigeon_codes.h"
#include "ring_number.h"
#include "xlsx_reader.h"
#include "xlsx_writer.h"

#include <optional>
#include <vector>

namespace members {

namespace {

const QStringList kColumns{"LoftNo",     "RCountry", "RYear",     "RRegLetter", "RRegNumber",
                           "Sex",        "ColorType", "PRingNo",  "E_Ring"};
constexpr int kListedInMessage = 20;

// One row of the sheet turned into what it asks of the database.
struct ImportAction {
    int sheetRow;  // from 1
    bool update;
    NewPigeon pigeon;
    std::optional<QString> eRing;  // only in the exported layout
};

}  // namespace

ExportResult exportPigeons(TdmLCXS& dm, const QString& path)
{
    ExportResult result;
    const QList<PigeonRow> pigeons = selectPigeonsForExport(dm);
    xlsx::WorkbookWriter book;
    const int sheet = book.addSheet(QStringLiteral("Sheet1"));
    book.setColumn(sheet, 2, -1, xlsx::CellStyle::text());
    book.setColumn(sheet, 4, -1, xlsx::CellStyle::text());
    book.setRow(sheet, 0, kColumns);
    int row = 1;
    for (const PigeonRow& p : pigeons) {
        book.setRow(sheet, row++,
                    {p.loftNo, p.rCountry, exportYear(p.rCountry, p.rYear), p.rRegLetter, p.rRegNumber,
                     exportSexText(p.sex), p.colorType, p.pRingNo, p.eRing});
    }
    QString error;
    if (!book.save(path, &error)) {
        result.error = QStringLiteral("Data transfer error: ") + error;
        return result;
    }
    result.ok = true;
    result.pigeons = int(pigeons.size());
    return result;
}

ImportResult importPigeons(TdmLCXS& dm, const QString& path, const QDateTime& now)
{
    ImportResult result;
    xlsx::SheetData sheet;
    if (!xlsx::readFirstWorksheet(path, &sheet, &result.error))
        return result;
    result.opened = true;

    const bool seven = sheet.columnCount() == 7;
    QHash<QString, QString> ringLofts = selectRingLofts(dm);
    std::vector<ImportAction> actions;
    for (int r = 1; r < sheet.rowCount(); ++r) {
        QStringList cell;
        bool blank = true;
        for (int c = 0; c < 9; ++c) {
            cell << sheet.text(r, c);
            blank = blank && cell.back().isEmpty();
        }
        for (int c = 9; blank && c < sheet.columnCount(); ++c)
            blank = sheet.text(r, c).isEmpty();
        if (blank)
            continue;  // an empty line inside the sheet is no pigeon

        const RingParts parts{cell[1], cell[2], cell[3], cell[4]};
        const QString ringNo = !seven && !cell[7].isEmpty() ? cell[7] : composeImportRing(parts);
        const QString loftNo = cell[0];
        ImportAction action{r + 1, false,
                            NewPigeon{loftNo, ringNo, parts.country, parts.year, parts.letters, parts.number,
                                      sexCode(cell[5]), cell[6], QString(), QString(), seven ? QString() : cell[8]},
                            seven ? std::nullopt : std::optional<QString>(cell[8])};
        const auto owner = ringLofts.constFind(ringNo);
        if (owner != ringLofts.constEnd() && *owner != loftNo) {
            result.otherLoft << QStringLiteral("row %1: %2 (loft %3)").arg(r + 1).arg(ringNo, *owner);
            continue;
        }
        action.update = owner != ringLofts.constEnd();
        if (!action.update)
            ringLofts.insert(ringNo, loftNo);
        actions.push_back(std::move(action));
    }

    const BatchOutcome out = writeBatch(dm, int(actions.size()), [&](int i) {
        const ImportAction& a = actions[i];
        if (a.update)
            updateImportedPigeon(dm, a.pigeon.pRingNo, a.pigeon.sex, a.pigeon.colorType, a.eRing, now);
        else
            insertPigeon(dm, a.pigeon, now);
    });
    for (int i = 0; i < out.written; ++i)
        (actions[i].update ? result.updated : result.inserted) += 1;
    if (out.failed) {
        result.error = out.error;
        if (out.failedAt >= 0) {
            result.failedRow = actions[out.failedAt].sheetRow;
            result.error = QStringLiteral("Row %1: %2").arg(result.failedRow).arg(out.error);
        }
    }
    return result;
}

QString otherLoftMessage(const QStringList& rows)
{
    if (rows.isEmpty())
        return QString();
    QStringList shown = rows.mid(0, kListedInMessage);
    if (rows.size() > kListedInMessage)
        shown << QStringLiteral("... and %1 more").arg(rows.size() - kListedInMessage);
    return QStringLiteral("These rows were not imported, their ring numbers belong to another loft:\n")
           + shown.join('\n');
}

}  // namespace members
