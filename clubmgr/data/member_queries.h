#pragma once

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>

class TdmLCXS;

// Statements of the Member page: lofts, their distance rows, pigeons, feather colours,
// the spreadsheet import and export, and loft clocks. Text values are bound as empty text,
// never as NULL, unless a column is said to stay empty, so that "= ''" finds what was saved.

// ---- Lofts (LCX_LoftData) -------------------------------------------------------------------

// One line of the loft list.
struct LoftListRow {
    QString associationCode;
    QString loftNo;
    QString loftName;
    int clockCount = 0;
};

// Every loft with the number of its clocks, ordered by loft number.
QList<LoftListRow> selectLoftList(TdmLCXS& dm);
// Every loft name in table order (the loft-name search box).
QStringList selectLoftNames(TdmLCXS& dm);

struct LoftRow {
    QString associationCode;
    QString loftNo;
    QString loftName;
    QString street;
    QString city;
    QString postCode;
    QString phoneNo;
    QString loftLon;
    QString loftLat;
    QString notes;
};

std::optional<LoftRow> findLoft(TdmLCXS& dm, const QString& loftNo);
bool loftNameExists(TdmLCXS& dm, const QString& loftName);
// The name of the loft with this number; empty when there is none.
QString loftNameOf(TdmLCXS& dm, const QString& loftNo);
void insertLoft(TdmLCXS& dm, const LoftRow& loft, const QDateTime& now);
// Updates every field of the loft with loft.loftNo but the number itself.
void updateLoft(TdmLCXS& dm, const LoftRow& loft, const QDateTime& now);
int deleteLoftRow(TdmLCXS& dm, const QString& loftNo);

// The association code of the club's settings row; empty when there is none.
QString clubAssociationCode(TdmLCXS& dm);

// ---- Distance rows of a loft (LCX_LoftLibPointDist) ---------------------------------------

// Every site code, in table order.
QStringList selectSiteCodes(TdmLCXS& dm);
void insertLoftDistanceRow(TdmLCXS& dm, const QString& liberCode, const QString& loftNo);
int deleteLoftDistanceRows(TdmLCXS& dm, const QString& loftNo);

// ---- Pigeons (LCX_PigData) --------------------------------------------------------------------

struct PigeonRow {
    QString loftNo;
    QString pRingNo;
    QString rCountry;
    QString rYear;
    QString rRegNumber;
    QString sex;
    QString eRing;
    QString colorType;
    QString comment;
    QString uid;
    QString rRegLetter;
    QString team;
    QDate createDate;       // invalid when empty
    QDate assignDate;
    QDateTime updateTime;
};

// The pigeons of a loft in database order, or ordered by ring number.
QList<PigeonRow> selectLoftPigeons(TdmLCXS& dm, const QString& loftNo, bool orderByRing = false);
std::optional<PigeonRow> findPigeon(TdmLCXS& dm, const QString& loftNo, const QString& pRingNo);
// The loft that holds this ring number, in any loft; nothing when the number is free.
std::optional<QString> loftOfRing(TdmLCXS& dm, const QString& pRingNo);
int countLoftPigeons(TdmLCXS& dm, const QString& loftNo);

// A new pigeon as the ring panel and the import add it: SynchFlag true, CreateDate today,
// Updatetime now. An empty comment or E_Ring stays empty (NULL).
struct NewPigeon {
    QString loftNo;
    QString pRingNo;
    QString rCountry;
    QString rYear;
    QString rRegLetter;
    QString rRegNumber;
    QString sex;
    QString colorType;
    QString comment;
    QString team;
    QString eRing;
};
void insertPigeon(TdmLCXS& dm, const NewPigeon& pigeon, const QDateTime& now);
// What the ring panel may change of a pigeon: sex, colour, comment and team.
void updatePigeonDetails(TdmLCXS& dm, const QString& pRingNo, const QString& sex, const QString& colorType,
                         const QString& comment, const QString& team, const QDateTime& now);
int deletePigeon(TdmLCXS& dm, const QString& loftNo, const QString& pRingNo);
int deleteLoftPigeons(TdmLCXS& dm, const QString& loftNo);

// ---- Feather colours (LCX_FeatherColor) -------------------------------------------------

struct FeatherColorRow {
    QString colorType;
    QString feathColor;
};
QList<FeatherColorRow> selectFeatherColors(TdmLCXS& dm);
void insertFeatherColor(TdmLCXS& dm, const QString& colorType, const QString& feathColor);
int deleteFeatherColorsNamed(TdmLCXS& dm, const QString& feathColor);

// ---- Spreadsheet export and import ------------------------------------------------------

// Every pigeon of every loft, ordered by loft number and ring number.
QList<PigeonRow> selectPigeonsForExport(TdmLCXS& dm);
// Ring number -> loft number of every pigeon (the import checks each row against it).
QHash<QString, QString> selectRingLofts(TdmLCXS& dm);
// Sex, colour and Updatetime of every row with this ring number; E_Ring too when given.
void updateImportedPigeon(TdmLCXS& dm, const QString& pRingNo, const QString& sex, const QString& colorType,
                          const std::optional<QString>& eRing, const QDateTime& now);

// ---- Loft clocks (LCX_LoftClocks) --------------------------------------------------------

struct LoftClockRow {
    QString loftNo;
    QString clockId;
    QDateTime lastSynchDate;  // invalid when empty
    QVariant synchStat;       // null when empty
};

QList<LoftClockRow> selectLoftClocks(TdmLCXS& dm, const QString& loftNo);
bool loftClockExists(TdmLCXS& dm, const QString& loftNo, const QString& clockId);
// LastSynchDate and SynchStat stay empty.
void insertLoftClock(TdmLCXS& dm, const QString& loftNo, const QString& clockId);
int deleteLoftClock(TdmLCXS& dm, const QString& loftNo, const QString& clockId);
