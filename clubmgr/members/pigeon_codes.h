#pragma once
// The small codes and texts of the member register: sex and colour codes, ring years,
// the country ring code list of LCXS.ini, count labels.

#include <QString>
#include <QStringList>

#include <vector>

namespace members {

// Sex code: "H" for the text "Hen" exactly, "C" for anything else ("Cock", "COCK", "").
QString sexCode(const QString& text);
// How the ring list shows a stored sex: "Cock", "Hen", or empty for anything else.
QString sexText(const QString& code);
// How the spreadsheet export writes it: "Cock" for "C", "Hen" for anything else.
QString exportSexText(const QString& code);

struct FeatherColour {
    QString code;  // LCX_FeatherColor.ColorType
    QString name;  // LCX_FeatherColor.FeathColor
};
using ColourTable = std::vector<FeatherColour>;

inline const QString& otherColourName()
{
    static const QString other = QStringLiteral("Other");
    return other;
}

// The name of a colour code, "Other" for an empty code or one not in the table.
QString colourName(const QString& code, const ColourTable& colours);
// The code of the first colour with that name, empty when there is none ("Other").
QString colourCode(const QString& name, const ColourTable& colours);

// The value of CountryRingCode: items separated by commas, each trimmed; an empty item in
// the middle stays an (empty) entry, a trailing comma adds none.
QStringList parseCountryRingCodes(const QString& value);

// Eleven four-digit years, currentYear - 9 up to currentYear + 1.
QStringList ringYears(int currentYear);

// Column C of the spreadsheet export: a four-character year of an AU, IF, CU or MX ring
// as its last two digits, any other year as stored.
QString exportYear(const QString& country, const QString& year);

// "%.3d": 7 -> "007", 1000 -> "1000".
QString countText(int count);

// Notes and comments are kept on one line.
QString withoutLineBreaks(QString text);

}  // namespace members
