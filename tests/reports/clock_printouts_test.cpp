#include "clock_printouts.h"
#include "pdf_text.h"

#include <gtest/gtest.h>

using namespace club::reports;

namespace {

const RaceHeader kRace{"1A2B0819", "C01", QDate(2026, 8, 19), "Orleans", "1A2B"};
const LoftDetails kLoft{"KBDB", "012", "North Loft", "Dorpstraat 4", "Lier", "2500", "03 480 11 22",
                        "N051'12:07.35", "E004'34:10.00"};

RaceEntryInput entryOfTen()
{
    RaceEntryInput in;
    in.raceCodeText = "1A2B / 0819";
    in.loftName = "North Loft";
    in.deviceNo = "00A1B2C3";
    in.race = kRace;
    in.loft = kLoft;
    in.clockTimes.dlMarkedTime = QDateTime(QDate(2026, 8, 18), QTime(20, 15, 0));
    in.colourNames = {{"BB", "Blue Bar"}};
    in.printedOn = QDateTime(QDate(2026, 8, 18), QTime(20, 30, 0));
    for (int i = 0; i < 10; ++i) {
        RaceEntryRow r;
        r.loftNo = "012";
        r.pRingNo = QStringLiteral("BELG25%1").arg(1000 + i);
        r.eRing = QStringLiteral("0000%1").arg(1000 + i);
        r.sex = i < 4 ? "H" : "C";
        r.colorType = i == 0 ? "BB" : "RC";
        r.rYear = i < 3 ? "25" : (i == 3 ? "2025" : "24");
        r.markedTime = QDateTime(QDate(2026, 8, 18), QTime(19, 0, i));
        in.rows << r;
    }
    return in;
}

}  // namespace

TEST(ClockPrintouts, RaceEntryHeaderRowsAndTotals)
{
    TfrmDLRaceRpt_UTC report(entryOfTen());
    EXPECT_EQ(report.hens(), 4);
    EXPECT_EQ(report.cocks(), 6);
    EXPECT_EQ(report.yearlings(), 4);  // "25" and "2025" in 2026
    const PdfText pdf = renderToText(report);
    for (const char* t :
         {"Volaro - Official Race Entry", "Club : C01", "Lib Date : 2026/08/19", "Lib Site : Orleans",
          "Flyer's Name : North Loft", "Loft Number : KBDB 012", "Flyer's Street : Dorpstraat 4", "Town / City : Lier",
          "Post Code : 2500", "Telephone No.: 03 480 11 22", "Print on : 2026/08/18 20:30:00",
          "Clock Details : 00A1B2C3", "Set Time : 2026/08/18 20:15:00", "Flyer's Clock : 2026/08/18 20:15:00",
          "Last Marked : 2026/08/18 19:00:09", "Marked : 10", "Flight : 1A2B0819", "Marker : 1A2B0819", "Key Code :",
          "NO. Sex Bird Color e-Ring Marked Day / Time Pools", "1 Hen BELG251000 Blue Bar 00001000 2026/08/18 19:00:00",
          "5 Cock BELG251004 00001004 2026/08/18 19:00:04", "Total hens : 4", "Total cocks : 6", "Yearlings : 4",
          "Signed : Flyer", "Clock Checked"})
        EXPECT_TRUE(pdf.has(t) || pdf.flat().contains(squeeze(t))) << t;
}

TEST(ClockPrintouts, RaceEntryOfALoftNotInTheRegister)
{
    RaceEntryInput in = entryOfTen();
    in.loft.reset();
    in.clockTimes = {};
    in.rows.resize(1);
    in.rows[0].sex = QString();
    const PdfText pdf = renderToText(TfrmDLRaceRpt_UTC(in));
    EXPECT_TRUE(pdf.has("Flyer's Name : North Loft"));
    EXPECT_FALSE(pdf.has("Dorpstraat"));
    EXPECT_FALSE(pdf.has("KBDB"));
    EXPECT_FALSE(pdf.has("20:15:00"));
    EXPECT_TRUE(pdf.has("1 BELG251000"));  // no sex prints nothing
    EXPECT_TRUE(pdf.has("Total hens : 0"));
    EXPECT_TRUE(pdf.has("Total cocks : 1"));
}

TEST(ClockPrintouts, OfficialRaceListChecksTheSecretNumber)
{
    OfficialListInput in;
    in.raceCodeText = "1A2B / 0819";
    in.siteText = "012";
    in.deviceNo = "00A1B2C3";
    in.race = kRace;
    in.loft = kLoft;
    in.clockTimes = {QDateTime(QDate(2026, 8, 18), QTime(20, 15, 0)), QDateTime(QDate(2026, 8, 19), QTime(18, 0, 1)),
                     QDateTime(QDate(2026, 8, 19), QTime(18, 0, 4))};
    in.rows = {{1, "BELG25AB1234", "BELG", "25", "AB", "1234", "H", "BB", "2026/08/19 10:14:12.250", 58, 58},
               {4, "BELG25AB1235", "BELG", "25", "AB", "1235", "C", "RC", "2026/08/19 10:20:00.000", 58, 59}};
    const PdfText pdf = renderToText(TfrmULRaceRpt_UTC(in));
    for (const char* t :
         {"Volaro - Official Race list", "Club : C01", "Lib Date : 2026/08/19", "Lib Site : Orleans",
          "Fancier : North Loft", "Loft Number : KBDB 012", "Loft Latitude : N051'12:07.35",
          "Loft Longitude : E004'34:10.00", "GPS Latitude :", "GPS Longitude :", "Authorization Key :",
          "Clock Details : 00A1B2C3", "Clock set by radio clock : 08/18 20:15:00", "Radio Clock : 08/19 18:00:01",
          "Time at evalution : 08/19 18:00:04", "RaceCode : 1A2B0819", "Clocking", "SecretNumber",
          "Giv./Read/Checked", "1 BELG 25 AB 1234 H BB 08/19 10:14:12.250 0058 0058 OK",
          "4 BELG 25 AB 1235 C RC 08/19 10:20:00.000 0058 0059 NG", "Clock Check"})
        EXPECT_TRUE(pdf.has(t)) << t;
    EXPECT_EQ(secretCheck(58, std::nullopt), "NG");
}

TEST(ClockPrintouts, RankingTitleColumnsMarginsAndFooter)
{
    RankingInput in;
    in.clubName = "Homing Club Lier";
    in.raceCodeText = "1A2B / 0819";
    in.liberSite = "Orleans";
    in.printedOn = QDateTime(QDate(2026, 8, 19), QTime(19, 0, 0));
    const QStringList fly = {"3:44:9", "3:50:0", "3:40:0", "27:44:10", "3:50:0", "3:55:0", "4:0:0"};
    for (int i = 0; i < fly.size(); ++i)
        in.rows.append({i + 1, QStringLiteral("Member %1").arg(i + 1), "", "BELG", "25", "AB", QString::number(1234 + i),
                        "H", "BB", "2026/08/19 10:14:12.250", fly[i], i == 6 ? 0.0 : 1427.6151 - i, 320000, 3});
    in.resultFlyTimes = fly;
    TfrmRaceRankRpt_UTC report(in);
    EXPECT_EQ(report.margin("3:44:9"), "00:00:00");
    EXPECT_EQ(report.margin("3:50:0"), "00:05:51");
    EXPECT_EQ(report.margin("3:40:0"), "-00:04:09");  // faster than the winner on a shorter course
    EXPECT_EQ(report.margin("27:44:10"), "24:00:01");
    EXPECT_EQ(report.winningMargin(), "0:5:51");

    const PdfText pdf = renderToText(report);
    for (const char* t : {"NAM-Homing Club Lier", "Date : 2026/08/19 19:00:00", "Liberate : Orleans",
                          "RaceCode : 1A2B / 0819", "Total : 007",
                          "Pos Name MPM Ring Particulars Color Sex Clock / day Var Distance Margin",
                          "1 Member 1 1,427.615 BELG 25 AB 1234 BB H 10:14:12.250 19 3 320,000 00:00:00",
                          "7 Member 7 BELG 25 AB 1240 BB H 10:14:12.250 19 3 320,000 00:15:51",
                          "Net Flying Time : 3:44:9", "Winning Margin : 0:5:51"})
        EXPECT_TRUE(pdf.has(t)) << t;
}

TEST(ClockPrintouts, RankingEdgeCases)
{
    RankingInput in;
    in.mode = DistanceMode::Imperial;
    in.raceCodeText = "1A2B / 0819";
    in.rows.append({1, "Solo", "", "BELG", "25", "AB", "1", "C", "", "2026/08/19 10:00:00", "3:30:0", 1000.0, 1000, {}});
    in.resultFlyTimes = {"3:30:0"};
    TfrmRaceRankRpt_UTC single(in);
    EXPECT_EQ(single.winningMargin(), "0:0:0");
    const PdfText pdf = renderToText(single);
    EXPECT_TRUE(pdf.has("Yds/min"));
    EXPECT_FALSE(pdf.has("MPM"));
    EXPECT_TRUE(pdf.has("Total : 001"));

    in.rows.clear();
    in.resultFlyTimes.clear();
    TfrmRaceRankRpt_UTC empty(in);
    EXPECT_EQ(empty.winningMargin(), "");
    const PdfText none = renderToText(empty);
    EXPECT_EQ(none.pages, 1);
    EXPECT_TRUE(none.has("Total : 000"));
}
