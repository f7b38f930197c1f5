#include "member_printouts.h"
#include "pdf_text.h"

#include <gtest/gtest.h>

using namespace club::reports;

namespace {
const ClubAddress kClub{"Homing Club Lier", "Kerkstraat 12", "Lier", "2500"};
}

TEST(MemberPrintouts, MemberListShowsTheLoftListInItsOrder)
{
    MemListInput in{kClub, {{"Zeno Peeters", "003", 2}, {"Anna Claes", "001", 0}, {"Bert Maes", "002", 1}}};
    const PdfText pdf = renderToText(TfrmPrtMemList(in));
    EXPECT_EQ(pdf.pages, 1);
    for (const char* t : {"Member List", "Homing Club Lier", "Kerkstraat 12", "Lier", "2500", "Name LoftNo No. of Clocks"})
        EXPECT_TRUE(pdf.has(t)) << t;
    const int z = pdf.lineOf("Zeno Peeters 003 2"), a = pdf.lineOf("Anna Claes 001 0"), b = pdf.lineOf("Bert Maes 002 1");
    EXPECT_GE(z, 0);
    EXPECT_LT(z, a);
    EXPECT_LT(a, b);
}

TEST(MemberPrintouts, RingListTitleAndDisplayedValues)
{
    MemRingListInput in;
    in.club = kClub;
    in.loftName = "North Loft";
    in.loftNo = "012";
    in.colourNames = {{"BB", "Blue Bar"}};
    in.rows = {
        {"BELG2514567", "C", "1A2B3C4D", "BB", QDate(2025, 3, 1), QDate(2025, 4, 2), QDateTime(QDate(2025, 4, 2), QTime(9, 5, 7))},
        {"BELG2514568", "H", "", "ZZ", QDate(2025, 3, 1), {}, {}},
        {"BELG2514569", "X", "", "", {}, {}, {}},
    };
    TfrmPrtMemRingList report(in);
    EXPECT_EQ(report.document().title, " Ring list of North Loft( 012 )");
    const PdfText pdf = renderToText(report);
    EXPECT_TRUE(pdf.has("Ring list of North Loft( 012 )"));
    EXPECT_TRUE(pdf.has("Life Ring Number Sex of bird e_Ring Assign. Color Create Date Assign Date Last Update date"));
    EXPECT_TRUE(pdf.has("BELG2514567 Cock 1A2B3C4D Blue Bar 2025/03/01 2025/04/02 04/02 09:05:07"));
    EXPECT_TRUE(pdf.has("BELG2514568 Hen Other 2025/03/01"));   // unknown colour code
    EXPECT_TRUE(pdf.has("BELG2514569 Other"));                  // unknown sex prints nothing
}

TEST(MemberPrintouts, LoftWithoutPigeonsPrintsTitleAndHeadersOnly)
{
    MemRingListInput in;
    in.club = kClub;
    in.loftName = "Empty Loft";
    in.loftNo = "099";
    const PdfText pdf = renderToText(TfrmPrtMemRingList(in));
    EXPECT_EQ(pdf.pages, 1);
    EXPECT_TRUE(pdf.has("Ring list of Empty Loft( 099 )"));
    EXPECT_TRUE(pdf.has("Life Ring Number"));
    EXPECT_FALSE(pdf.has("Cock"));
    EXPECT_FALSE(pdf.has("Other"));
}

TEST(MemberPrintouts, DistanceTitlesFollowTheUnitMode)
{
    struct Case { DistanceMode mode; const char* big; const char* small; };
    for (const Case& c : {Case{DistanceMode::Metric, "KM", "M"}, Case{DistanceMode::Imperial, "Miles", "Yards"}}) {
        MemDistInput in;
        in.club = kClub;
        in.title = "Members Distance of Orleans";
        in.mode = c.mode;
        in.rows = {{"Anna Claes", "001", 154, 154321}, {"", "007", 0, 0}, {"Bert Maes", "002", {}, {}}};
        const PdfText pdf = renderToText(TfrmPrtMemDist(in));
        EXPECT_TRUE(pdf.has("Members Distance of Orleans"));
        EXPECT_TRUE(pdf.has(QStringLiteral("Member Loft Number %1 %2").arg(c.big, c.small))) << c.big;
        EXPECT_TRUE(pdf.has("Anna Claes 001 154 154,321"));
        EXPECT_TRUE(pdf.has("007 0 0"));      // a loft gone from the register: no name
        EXPECT_TRUE(pdf.lines().contains("Bert Maes 002"));  // empty distances stay empty
    }
}
