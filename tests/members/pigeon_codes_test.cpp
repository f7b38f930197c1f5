#include "pigeon_codes.h"

#include <gtest/gtest.h>

using namespace members;

TEST(PigeonCodes, SexCodesAndTexts)
{
    EXPECT_EQ(sexCode("Hen"), "H");
    for (const char* t : {"Cock", "COCK", "", "hen", "HEN", "Hen "})
        EXPECT_EQ(sexCode(QString::fromLatin1(t)), "C") << t;
    EXPECT_EQ(sexText("C"), "Cock");
    EXPECT_EQ(sexText("H"), "Hen");
    EXPECT_EQ(sexText("X"), "");
    EXPECT_EQ(sexText(""), "");
    EXPECT_EQ(exportSexText("C"), "Cock");
    EXPECT_EQ(exportSexText("H"), "Hen");
    EXPECT_EQ(exportSexText(""), "Hen");
}

TEST(PigeonCodes, ColoursByCodeAndName)
{
    const ColourTable colours{{"BL", "Blue"}, {"RC", "Red Check"}, {"B2", "Blue"}};
    EXPECT_EQ(colourName("RC", colours), "Red Check");
    EXPECT_EQ(colourName("ZZ", colours), "Other");
    EXPECT_EQ(colourName("", colours), "Other");
    EXPECT_EQ(colourCode("Blue", colours), "BL");  // the first row with that name
    EXPECT_EQ(colourCode("Other", colours), "");
    EXPECT_EQ(colourName("", ColourTable{{"", "Plain"}}), "Other");
}

TEST(PigeonCodes, CountryRingCodeList)
{
    const struct {
        const char* value;
        QStringList items;
    } cases[] = {
        {"AU, ,NL", {"AU", "", "NL"}},
        {"AU,NL,", {"AU", "NL"}},
        {"AU,NL, ", {"AU", "NL"}},
        {" BELG ", {"BELG"}},
        {"", {}},
        {",AU", {"", "AU"}},
        {"AU,,PL , FRANCE", {"AU", "", "PL", "FRANCE"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseCountryRingCodes(QString::fromLatin1(c.value)), c.items) << c.value;
}

TEST(PigeonCodes, YearsCountsAndText)
{
    const QStringList years = ringYears(2026);
    ASSERT_EQ(years.size(), 11);
    EXPECT_EQ(years.first(), "2017");
    EXPECT_EQ(years.last(), "2027");

    EXPECT_EQ(countText(0), "000");
    EXPECT_EQ(countText(7), "007");
    EXPECT_EQ(countText(1000), "1000");

    EXPECT_EQ(exportYear("AU", "2014"), "14");
    EXPECT_EQ(exportYear("MX", "14"), "14");
    EXPECT_EQ(exportYear("AU", "20145"), "20145");
    EXPECT_EQ(exportYear("BELG", "2014"), "2014");
    EXPECT_EQ(exportYear("PK", "2014"), "2014");

    EXPECT_EQ(withoutLineBreaks("line one\r\nline two\nthree\r"), "line oneline twothree");
}
