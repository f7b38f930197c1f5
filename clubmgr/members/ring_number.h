#pragma once
// Ring numbers (PRingNo) and how they are composed from their parts: country ring code C,
// ring year, registration letters L and registration number N. The ring panel and the
// spreadsheet import use two different tables; both live here as plain functions.

#include <QString>

#include <vector>

namespace members {

struct RingParts {
    QString country;  // C, e.g. "AU", "BELG", "FRANCE"
    QString year;     // as entered, normally four digits
    QString letters;  // L
    QString number;   // N as typed
};

// How the ring panel writes a ring number for a country ring code (exact match).
enum class RingFamily {
    FullYear,  // NWHU, NEHU, MALTA: C + Y4 + L + N
    Padded4,   // AU, IF, CU, MX:    C + YY-L-N, a short N as at least 4 digits
    Pk,        // PK:                C + YY-L-N
    CzSk,      // CZ, SK:            C-YY-L-N
    PlDv,      // PL, DV:            C + L-YY-N
    France,    // FRANCE:            C-YY-L.N
    Other,     // anything else:     C + YY + L + N
};
RingFamily ringFamily(const QString& country);

// The third and fourth characters of the year text: 2014 gives "14".
QString shortYear(const QString& year);

// A whole number as a registration number must be: optional "-", then 1 to 9 digits.
bool parseWholeNumber(const QString& text, int* value);

struct RingResult {
    bool ok = false;
    QString ringNo;
    QString error;  // set when ok is false
};

// One pigeon as the ring panel composes it. For a code of the Other family with an empty
// N the ring number of the pigeon selected in the ring list is used unchanged.
RingResult composeRing(const RingParts& parts, const QString& selectedRing = QString());

struct RangeRing {
    QString ringNo;     // PRingNo
    QString regNumber;  // RRegNumber
};

struct RangeResult {
    bool ok = false;
    QString error;
    std::vector<RangeRing> rings;  // ascending from N to U
};

// The largest range one save may add; anything longer is a typing slip, not a loft.
constexpr int maxRangeRings = 10000;

// The rings "Save" adds: a single pigeon (RRegNumber = N as typed) when U is empty or
// not above N, else one ring for every number N..U with the leading-zero rules of the
// family. Fails with a message, and no rings, when N or U cannot be read as needed.
RangeResult composeRange(const RingParts& parts, const QString& upper, const QString& selectedRing = QString());

// The ring number the spreadsheet import composes from columns B to E; its table is not
// the ring panel's (PL has no separators, PK pads like AU, the year is used as typed for
// NWHU/NEHU/MALTA, N is padded as text).
QString composeImportRing(const RingParts& parts);

}  // namespace members
