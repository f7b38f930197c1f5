#include "pdf_text.h"
#include "race_printouts.h"

#include <gtest/gtest.h>

using namespace club::reports;

namespace {
const ClubAddress kClub{"Homing Club Lier", "Kerkstraat 12", "Lier", "2500"};

RaceResultInput orleansResult()
{
    RaceResultInput in;
    in.club = kClub;
    in.clubId = "C01";
    in.siteName = "Orleans";
    in.liberDate = QDate(2026, 8, 19);
    in.liberTime = QTime(6, 30, 0);
    in.summaryLine = "12 Members sent 240 birds of which 198 were clocked";
    in.rows = {
        {1, "Anna Claes", "BELG25AB1234", "BELG", "2025", "AB", "1234", "2026/08/19 10:14:12.250", "3:44:9", 1427.6151, 320000},
        {2, "Bert Maes", "BELG25AB1235", "BELG", "2025", "AB", "1235", "2026/08/19 10:20:00", "3:50:0", 1391.3, 320000},
        {3, "", "XX9", "", "", "", "", "2026/08/19 23:00:00", "0:0:0", 0, 0},
    };
    return in;
}
}  // namespace

TEST(RacePrintouts, RaceListInItsSortWithEmptyTime)
{
    RaceListInput in{kClub,
                     {{"C01", "ORL", "ORL", "Orleans", QDate(2026, 8, 19), QTime(6, 30)},
                      {"C01", "1A2B", "BRG", "Bourges", QDate(2026, 7, 2), QTime()}}};
    const PdfText pdf = renderToText(TfrmPrtRaceList(in));
    EXPECT_TRUE(pdf.has("Race List"));
    EXPECT_TRUE(pdf.has("Club Code Lib.Site Abbr. Liberation Site Lib Date Lib Time"));
    const int orl = pdf.lineOf("C01 ORL ORL Orleans 2026/08/19 06:30:00");
    const int brg = pdf.lineOf("C01 1A2B BRG Bourges 2026/07/02");
    EXPECT_GE(orl, 0);
    EXPECT_GT(brg, orl);
    EXPECT_TRUE(pdf.lines()[brg].endsWith("2026/07/02"));
}

TEST(RacePrintouts, StatisticsTitleAndLines)
{
    RaceStatInput in{kClub, "Orleans", QDate(2026, 8, 19), QTime(6, 30), {{"Anna Claes", "C0001", 12, 10}, {"", "", 0, 2}}};
    TfrmPrtRaceStat report(in);
    EXPECT_EQ(report.title(), " Status for Orleans (08/19 06:30:00)");
    const PdfText pdf = renderToText(report);
    EXPECT_TRUE(pdf.has("Status for Orleans (08/19 06:30:00)"));
    EXPECT_TRUE(pdf.has("Member Clock Birds Marked Birds arrived"));
    EXPECT_TRUE(pdf.has("Anna Claes C0001 12 10"));
    EXPECT_TRUE(pdf.lines().contains("0 2"));
}

TEST(RacePrintouts, ResultTitleColumnsAndValues)
{
    TfrmPrtRaceResult report(orleansResult());
    EXPECT_EQ(report.title(),
              "C01 Result for Orleans (08-19 06:30:00) (12 Members sent 240 birds of which 198 were clocked)");
    const PdfText pdf = renderToText(report);
    EXPECT_TRUE(pdf.has("Pos. Member Pigeon Clocked Flying Time M/min Dist."));
    const int first = pdf.lineOf("1 Anna Claes BELG 2025 AB 1234 10:14:12.250 3:44:9 1,427.615 320,000");
    const int second = pdf.lineOf("2 Bert Maes BELG 2025 AB 1235 10:20:00 3:50:0 1,391.300 320,000");
    // A speed of 0 prints an empty cell; a pigeon outside the register shows its ring number.
    const int third = pdf.lineOf("3 XX9 23:00:00 0:0:0 0");
    EXPECT_GE(first, 0);
    EXPECT_GT(second, first);
    EXPECT_GT(third, second);
    EXPECT_FALSE(pdf.has("0.000"));
}

TEST(RacePrintouts, ResultSpeedTitleFollowsTheUnitMode)
{
    RaceResultInput in = orleansResult();
    in.mode = DistanceMode::Imperial;
    const PdfText pdf = renderToText(TfrmPrtRaceResult(in));
    EXPECT_TRUE(pdf.has("Flying Time Yards/min Dist."));
    EXPECT_FALSE(pdf.has("M/min"));
}

TEST(RacePrintouts, RaceWithoutClockedBirdsPrintsHeadersOnly)
{
    RaceResultInput in = orleansResult();
    in.rows.clear();
    in.summaryLine = "3 Members sent 20 birds of which 0 were clocked";
    const PdfText pdf = renderToText(TfrmPrtRaceResult(in));
    EXPECT_EQ(pdf.pages, 1);
    EXPECT_TRUE(pdf.flat().contains("(3 Members sent 20 birds of which 0 were clocked)"));
    EXPECT_TRUE(pdf.has("Pos. Member Pigeon Clocked"));
    EXPECT_FALSE(pdf.has("Anna"));
}
