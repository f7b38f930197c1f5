#include "pigeon_register.h"

#include "batch_write.h"
#include "member_queries.h"

namespace members {

namespace {

constexpr int kListedInMessage = 20;

QString alreadyTakenMessage(const QString& ringNo, const QString& loftNo)
{
    return QStringLiteral("Ring number %1 already exists in loft %2 !").arg(ringNo, loftNo);
}

}  // namespace

PigeonSaveResult savePigeon(TdmLCXS& dm, const QString& loftNo, const PigeonEntry& entry,
                            const ColourTable& colours, const RingSelection& selection, const QDateTime& now)
{
    PigeonSaveResult result;
    const QString sex = sexCode(entry.sexText);
    const QString colour = colourCode(entry.colourName, colours);
    const QString comment = withoutLineBreaks(entry.comment);

    auto updateSelected = [&] {
        updatePigeonDetails(dm, selection.ringNo, sex, colour, comment, entry.team, now);
        result.ok = true;
        result.updated = true;
        result.ringNo = selection.ringNo;
        return result;
    };

    // The fields show the selected pigeon, but its stored number may have been composed
    // by another rule (the import's); the selection itself says which pigeon it is.
    if (selection.selectedMode && !selection.ringNo.isEmpty()) {
        if (!loftOfRing(dm, selection.ringNo)) {
            result.error = QStringLiteral("Ring number %1 no longer exists !").arg(selection.ringNo);
            return result;
        }
        return updateSelected();
    }

    const RangeResult range = composeRange(entry.parts, entry.upper, selection.ringNo);
    if (!range.ok) {
        result.error = range.error;
        return result;
    }
    const QString first = range.rings.front().ringNo;
    if (const auto owner = loftOfRing(dm, first)) {
        if (!selection.ringNo.isEmpty() && first == selection.ringNo)
            return updateSelected();
        result.error = alreadyTakenMessage(first, *owner);
        return result;
    }

    std::vector<NewPigeon> rows;
    for (size_t i = 0; i < range.rings.size(); ++i) {
        const RangeRing& ring = range.rings[i];
        if (i > 0 && loftOfRing(dm, ring.ringNo)) {
            result.skipped << ring.ringNo;
            continue;
        }
        rows.push_back(NewPigeon{loftNo, ring.ringNo, entry.parts.country, entry.parts.year, entry.parts.letters,
                                 ring.regNumber, sex, colour, comment, entry.team, QString()});
    }
    const BatchOutcome out = writeBatch(dm, int(rows.size()), [&](int i) { insertPigeon(dm, rows[i], now); });
    result.inserted = out.written;
    result.ringNo = first;
    result.ok = !out.failed;
    if (out.failed)
        result.storeError = out.error;
    return result;
}

QString skippedRingsMessage(const QStringList& rings)
{
    QStringList shown = rings.mid(0, kListedInMessage);
    if (rings.size() > kListedInMessage)
        shown << QStringLiteral("... and %1 more").arg(rings.size() - kListedInMessage);
    return QStringLiteral("These ring numbers already exist and were not added again:\n") + shown.join('\n');
}

ColourTable loadColours(TdmLCXS& dm)
{
    ColourTable colours;
    for (const FeatherColorRow& row : selectFeatherColors(dm))
        colours.push_back(FeatherColour{row.colorType, row.feathColor});
    return colours;
}

}  // namespace members
