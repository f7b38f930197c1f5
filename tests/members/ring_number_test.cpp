#include "ring_number.h"

#include <gtest/gtest.h>

using namespace members;

namespace {

RingParts parts(const char* c, const char* y, const char* l, const char* n)
{
    return RingParts{QString::fromLatin1(c), QString::fromLatin1(y), QString::fromLatin1(l), QString::fromLatin1(n)};
}

}  // namespace

TEST(RingNumber, CompositionForEveryCodeFamily)
{
    const struct {
        const char *c, *y, *l, *n;
        const char* ring;
    } cases[] = {
        {"NWHU", "2014", "A", "123", "NWHU2014A123"},
        {"NEHU", "2014", "", "9", "NEHU20149"},
        {"MALTA", "2013", "X", "0001", "MALTA2013X0001"},
        {"AU", "2014", "AB", "12", "AU14-AB-0012"},
        {"AU", "2014", "B", "7", "AU14-B-0007"},
        {"AU", "2014", "B", "12345", "AU14-B-12345"},
        {"AU", "2014", "B", "0012", "AU14-B-0012"},
        {"IF", "2015", "X", "007", "IF15-X-0007"},
        {"CU", "2015", "", "1", "CU15--0001"},
        {"MX", "2016", "M", "-5", "MX16-M--0005"},
        {"PK", "2014", "A", "7", "PK14-A-7"},
        {"CZ", "2014", "B", "045", "CZ-14-B-045"},
        {"SK", "2014", "", "99", "SK-14--99"},
        {"PL", "2014", "0123", "4567", "PL0123-14-4567"},
        {"DV", "2012", "07", "88", "DV07-12-88"},
        {"FRANCE", "2013", "12", "345", "FRANCE-13-12.345"},
        {"BELG", "2014", "", "567", "BELG14567"},
        {"NL", "2015", "", "00098", "NL1500098"},
        {"", "", "", "", ""},                // nothing typed, nothing selected
        {"GB", "14", "", "5", "GB5"},        // a short year has no third and fourth character
        {"au", "2014", "B", "7", "au14B7"},  // codes match exactly; lower case is another code
    };
    for (const auto& c : cases) {
        const RingResult r = composeRing(parts(c.c, c.y, c.l, c.n));
        EXPECT_TRUE(r.ok) << c.c << " " << c.n;
        EXPECT_EQ(r.ringNo, QString::fromLatin1(c.ring)) << c.c << " " << c.n;
    }
}

TEST(RingNumber, OtherCodeWithoutNumberTakesTheSelectedRing)
{
    EXPECT_EQ(composeRing(parts("BELG", "2014", "", ""), QStringLiteral("BELG1400567")).ringNo,
              QStringLiteral("BELG1400567"));
    // Only the Other family does that.
    EXPECT_EQ(composeRing(parts("PK", "2014", "A", ""), QStringLiteral("X")).ringNo, QStringLiteral("PK14-A-"));
}

TEST(RingNumber, ShortAuNumberMustBeWhole)
{
    for (const char* n : {"", "7a", "-", "1.5", "+3"}) {
        const RingResult r = composeRing(parts("AU", "2014", "B", n));
        EXPECT_FALSE(r.ok) << n;
        EXPECT_FALSE(r.error.isEmpty()) << n;
    }
}

TEST(RingNumber, Ranges)
{
    const struct {
        const char *c, *y, *l, *n, *u;
        std::vector<std::pair<const char*, const char*>> rings;  // PRingNo, RRegNumber
    } cases[] = {
        {"NL", "2015", "", "00098", "00101",
         {{"NL1500098", "00098"}, {"NL1500099", "00099"}, {"NL1500100", "00100"}, {"NL1500101", "00101"}}},
        {"PK", "2014", "A", "7", "9", {{"PK14-A-7", "7"}, {"PK14-A-8", "8"}, {"PK14-A-9", "9"}}},
        {"PK", "2014", "A", "007", "9", {{"PK14-A-7", "007"}, {"PK14-A-8", "008"}, {"PK14-A-9", "009"}}},
        {"AU", "2014", "A", "7", "9", {{"AU14-A-0007", "0007"}, {"AU14-A-0008", "0008"}, {"AU14-A-0009", "0009"}}},
        {"AU", "2014", "A", "00007", "8", {{"AU14-A-0007", "0007"}, {"AU14-A-0008", "0008"}}},
        {"CZ", "2014", "B", "09", "10", {{"CZ-14-B-9", "09"}, {"CZ-14-B-10", "10"}}},
        {"PL", "2014", "0123", "98", "100", {{"PL0123-14-98", "98"}, {"PL0123-14-99", "99"}, {"PL0123-14-100", "100"}}},
        {"FRANCE", "2013", "12", "0345", "0346", {{"FRANCE-13-12.0345", "0345"}, {"FRANCE-13-12.0346", "0346"}}},
        {"NWHU", "2014", "A", "1", "2", {{"NWHU2014A1", "1"}, {"NWHU2014A2", "2"}}},
        // U empty, equal to N or below it: one pigeon with N as typed.
        {"AU", "2014", "B", "7", "", {{"AU14-B-0007", "7"}}},
        {"NL", "2015", "", "0098", "0098", {{"NL150098", "0098"}}},
        {"NL", "2015", "", "0098", "50", {{"NL150098", "0098"}}},
    };
    for (const auto& c : cases) {
        const RangeResult r = composeRange(parts(c.c, c.y, c.l, c.n), QString::fromLatin1(c.u));
        ASSERT_TRUE(r.ok) << c.c << " " << c.n << ".." << c.u << ": " << r.error.toStdString();
        ASSERT_EQ(r.rings.size(), c.rings.size()) << c.c << " " << c.n << ".." << c.u;
        for (size_t i = 0; i < c.rings.size(); ++i) {
            EXPECT_EQ(r.rings[i].ringNo, QString::fromLatin1(c.rings[i].first)) << c.c << " #" << i;
            EXPECT_EQ(r.rings[i].regNumber, QString::fromLatin1(c.rings[i].second)) << c.c << " #" << i;
        }
    }
}

TEST(RingNumber, RangeErrorsWriteNothing)
{
    const struct {
        const char *n, *u;
    } cases[] = {{"", "9"}, {"7x", "9"}, {"7", "9a"}, {"7", "-"}, {"1", "20000"}};
    for (const auto& c : cases) {
        const RangeResult r = composeRange(parts("NL", "2015", "", c.n), QString::fromLatin1(c.u));
        EXPECT_FALSE(r.ok) << c.n << ".." << c.u;
        EXPECT_TRUE(r.rings.empty());
        EXPECT_FALSE(r.error.isEmpty());
    }
    EXPECT_TRUE(composeRange(parts("NL", "2015", "", "1"), QString::number(maxRangeRings)).ok);
}

TEST(RingNumber, ImportCompositionHasItsOwnTable)
{
    const struct {
        const char *c, *y, *l, *n;
        const char* ring;
    } cases[] = {
        {"AU", "2014", "B", "7", "AU14-B-0007"},
        {"AU", "2014", "B", "", "AU14-B-0000"},
        {"AU", "2014", "B", "12345", "AU14-B-12345"},
        {"AU", "2014", "B", "7a", "AU14-B-007a"},     // padded as text, never read as a number
        {"PK", "2014", "A", "7", "PK14-A-0007"},      // PK pads, unlike the ring panel
        {"IF", "2014", "", "12", "IF14--0012"},
        {"PL", "2014", "0123", "4567", "PL0123144567"},  // no separators, unlike the ring panel
        {"NWHU", "14", "A", "1", "NWHU14A1"},         // the year cell as it is
        {"CZ", "2014", "B", "45", "CZ14B45"},         // no family of its own here
        {"FRANCE", "2013", "12", "345", "FRANCE1312345"},
        {"BELG", "2014", "", "567", "BELG14567"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(composeImportRing(parts(c.c, c.y, c.l, c.n)), QString::fromLatin1(c.ring)) << c.c << " " << c.n;
}
