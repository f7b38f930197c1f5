#include "member_club.h"
#include "member_queries.h"
#include "pigeon_register.h"

using namespace members;

namespace {

const QDateTime kNow(QDate(2026, 3, 14), QTime(9, 30, 0));

PigeonEntry entry(const char* c, const char* y, const char* l, const char* n, const char* u = "")
{
    PigeonEntry e;
    e.parts = RingParts{QString::fromLatin1(c), QString::fromLatin1(y), QString::fromLatin1(l), QString::fromLatin1(n)};
    e.upper = QString::fromLatin1(u);
    e.sexText = QStringLiteral("COCK");
    e.colourName = QStringLiteral("Other");
    return e;
}

}  // namespace

class PigeonRegister : public MemberClub {
protected:
    void SetUp() override
    {
        MemberClub::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        loft("001", "North");
        loft("002", "South");
        colour("BL", "Blue");
        colour("RC", "Red Check");
        colours = loadColours(*dm);
    }
    PigeonSaveResult save(const PigeonEntry& e, RingSelection sel = {}) { return savePigeon(*dm, "001", e, colours, sel, kNow); }
    QStringList rings(const QString& loftNo = "001")
    {
        QStringList out;
        for (const PigeonRow& p : selectLoftPigeons(*dm, loftNo, true))
            out << p.pRingNo + "/" + p.rRegNumber;
        return out;
    }
    ColourTable colours;
};

TEST_P(PigeonRegister, SinglePigeonWithItsCodes)
{
    PigeonEntry e = entry("AU", "2014", "B", "7");
    e.sexText = "Hen";
    e.colourName = "Red Check";
    e.comment = "calm\r\nbird";
    e.team = "C";
    const PigeonSaveResult r = save(e);
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.inserted, 1);
    EXPECT_EQ(r.ringNo, "AU14-B-0007");
    const auto p = findPigeon(*dm, "001", "AU14-B-0007");
    ASSERT_TRUE(p);
    EXPECT_EQ(p->rRegNumber, "7");
    EXPECT_EQ(p->rCountry, "AU");
    EXPECT_EQ(p->rYear, "2014");
    EXPECT_EQ(p->rRegLetter, "B");
    EXPECT_EQ(p->sex, "H");
    EXPECT_EQ(p->colorType, "RC");
    EXPECT_EQ(p->comment, "calmbird");
    EXPECT_EQ(p->team, "C");
    EXPECT_EQ(p->createDate, kNow.date());
    EXPECT_EQ(p->updateTime, kNow);
    EXPECT_EQ(count("SELECT COUNT(*) FROM LCX_PigData WHERE SynchFlag = ?", {true}), 1);

    // "Other" has no code; any sex text but "Hen" is a cock.
    PigeonEntry other = entry("BELG", "2014", "", "567");
    other.sexText = "";
    ASSERT_TRUE(save(other).ok);
    EXPECT_EQ(value("SELECT ColorType FROM LCX_PigData WHERE PRingNo='BELG14567'"), "");
    EXPECT_EQ(value("SELECT Sex FROM LCX_PigData WHERE PRingNo='BELG14567'"), "C");
}

TEST_P(PigeonRegister, RangeSkipsNumbersThatExistAnywhere)
{
    pigeon("002", "NL1500100");
    const PigeonSaveResult r = save(entry("NL", "2015", "", "00098", "00101"));
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.inserted, 3);
    EXPECT_EQ(r.skipped, QStringList{"NL1500100"});
    EXPECT_EQ(rings(), (QStringList{"NL1500098/00098", "NL1500099/00099", "NL1500101/00101"}));
    EXPECT_EQ(count("SELECT COUNT(*) FROM LCX_PigData WHERE PRingNo='NL1500100'"), 1);
    EXPECT_TRUE(skippedRingsMessage(r.skipped).contains("NL1500100"));
}

TEST_P(PigeonRegister, EntryErrorsWriteNothing)
{
    for (const PigeonEntry& e : {entry("AU", "2014", "B", "7x"), entry("NL", "2015", "", "98", "1O1"),
                                 entry("NL", "2015", "", "", "5")}) {
        const PigeonSaveResult r = save(e);
        EXPECT_FALSE(r.ok);
        EXPECT_FALSE(r.error.isEmpty());
    }
    EXPECT_EQ(count("SELECT COUNT(*) FROM LCX_PigData"), 0);
}

TEST_P(PigeonRegister, SelectedPigeonIsUpdatedOnlyInWhatThePanelMayChange)
{
    // Stored as the import composes PL rings, unlike the panel: the selection still finds it.
    pigeon("001", "PL0123144567", {{"RCountry", "PL"}, {"RRegLetter", "0123"}, {"RRegNumber", "4567"},
                                    {"Sex", "X"}, {"E_Ring", "1A2B3C4D"}, {"UID", "01020304"},
                                    {"CreateDate", QDate(2020, 1, 2)}});
    PigeonEntry e = entry("PL", "2014", "0123", "4567");
    e.team = "F";
    e.colourName = "Blue";
    const PigeonSaveResult r = save(e, RingSelection{"PL0123144567", true});
    ASSERT_TRUE(r.ok);
    EXPECT_TRUE(r.updated);
    EXPECT_EQ(count("SELECT COUNT(*) FROM LCX_PigData"), 1);
    const auto p = findPigeon(*dm, "001", "PL0123144567");
    EXPECT_EQ(p->team, "F");
    EXPECT_EQ(p->sex, "C");
    EXPECT_EQ(p->colorType, "BL");
    EXPECT_EQ(p->eRing, "1A2B3C4D");
    EXPECT_EQ(p->uid, "01020304");
    EXPECT_EQ(p->createDate, QDate(2020, 1, 2));
    EXPECT_EQ(p->updateTime, kNow);

    // A selected pigeon deleted meanwhile is not silently "updated".
    deletePigeon(*dm, "001", "PL0123144567");
    const PigeonSaveResult gone = save(e, RingSelection{"PL0123144567", true});
    EXPECT_FALSE(gone.ok);
    EXPECT_EQ(gone.error, "Ring number PL0123144567 no longer exists !");
    EXPECT_EQ(count("SELECT COUNT(*) FROM LCX_PigData"), 0);
}

TEST_P(PigeonRegister, TakenRingInNewRingMode)
{
    pigeon("001", "BELG14567");
    pigeon("001", "BELG14568", {{"Team", "A"}});
    pigeon("002", "BELG14999");

    // Retyping the selected pigeon's own number updates it.
    PigeonEntry same = entry("BELG", "2014", "", "567");
    same.team = "B";
    PigeonSaveResult r = save(same, RingSelection{"BELG14567", false});
    EXPECT_TRUE(r.ok);
    EXPECT_TRUE(r.updated);
    EXPECT_EQ(value("SELECT Team FROM LCX_PigData WHERE PRingNo='BELG14567'"), "B");

    // Another pigeon's number is refused and changes neither pigeon.
    PigeonEntry taken = entry("BELG", "2014", "", "999", "999");
    taken.team = "E";
    r = save(taken, RingSelection{"BELG14568", false});
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, "Ring number BELG14999 already exists in loft 002 !");
    EXPECT_EQ(value("SELECT Team FROM LCX_PigData WHERE PRingNo='BELG14568'"), "A");
    EXPECT_EQ(value("SELECT LoftNo FROM LCX_PigData WHERE PRingNo='BELG14999'"), "002");

    // An Other-family code with no number stands for the selected pigeon.
    PigeonEntry blank = entry("BELG", "2014", "", "");
    blank.team = "D";
    r = save(blank, RingSelection{"BELG14568", false});
    EXPECT_TRUE(r.updated);
    EXPECT_EQ(value("SELECT Team FROM LCX_PigData WHERE PRingNo='BELG14568'"), "D");
}

TEST_P(PigeonRegister, FailingInsertKeepsTheRingsBeforeIt)
{
    refuseRing("NL1500100", "ring_store_refused");
    const PigeonSaveResult r = save(entry("NL", "2015", "", "00098", "00101"));
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error.isEmpty());
    EXPECT_TRUE(r.storeError.contains("ring_store_refused")) << r.storeError.toStdString();
    EXPECT_EQ(r.inserted, 2);
    EXPECT_EQ(rings(), (QStringList{"NL1500098/00098", "NL1500099/00099"}));
}

TEST_P(PigeonRegister, DeletesAndColours)
{
    pigeon("001", "A1");
    pigeon("001", "A2");
    pigeon("002", "B1");
    dm->insertRow("LCX_PigRaceData", {{"LiberCode", "S1"}, {"PRingNo", "A1"}});
    EXPECT_EQ(deletePigeon(*dm, "002", "A1"), 0);  // the pair must match
    EXPECT_EQ(deletePigeon(*dm, "001", "A1"), 1);
    EXPECT_EQ(deleteLoftPigeons(*dm, "001"), 1);
    EXPECT_EQ(count("SELECT COUNT(*) FROM LCX_PigData"), 1);
    EXPECT_EQ(count("SELECT COUNT(*) FROM LCX_PigRaceData"), 1);

    insertFeatherColor(*dm, "W", "White");
    insertFeatherColor(*dm, "W", "White");  // no check for repeats
    EXPECT_EQ(loadColours(*dm).size(), 4u);
    EXPECT_EQ(deleteFeatherColorsNamed(*dm, "White"), 2);
    EXPECT_EQ(colourName("W", loadColours(*dm)), "Other");
}

MEMBER_CLUB_ENGINES(PigeonRegister);
