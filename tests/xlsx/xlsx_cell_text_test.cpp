#include "xlsx_cell_text.h"

#include <gtest/gtest.h>

using namespace xlsx::detail;

TEST(CellText, StoredNumbersReadAsPeopleWriteThem)
{
    const struct {
        const char* stored;
        const char* text;
    } cases[] = {
        {"2014", "2014"},       {"2014.0", "2014"},   {"2.014E3", "2014"},  {"0007", "7"},
        {"0.5", "0.5"},         {"-12.25", "-12.25"}, {"12345678901", "12345678901"},
        {"0.1", "0.1"},         {"1E+20", "1e+20"},   {"not a number", "not a number"},
        {"-0", "0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(numberText(QString::fromLatin1(c.stored)), QString::fromLatin1(c.text)) << c.stored;
}

TEST(CellText, CellReferences)
{
    const struct {
        const char* ref;
        bool ok;
        int row, column;
    } cases[] = {
        {"A1", true, 0, 0},        {"I20001", true, 20000, 8},    {"Z1", true, 0, 25},
        {"AA3", true, 2, 26},      {"XFD1048576", true, 1048575, 16383}, {"b2", true, 1, 1},
        {"XFE1", false, 0, 0},     {"A1048577", false, 0, 0},     {"A0", false, 0, 0},
        {"1A", false, 0, 0},       {"A", false, 0, 0},            {"", false, 0, 0},
        {"A1B", false, 0, 0},      {"AAAAAAAAAAAAA1", false, 0, 0},
    };
    for (const auto& c : cases) {
        int row = -1, column = -1;
        EXPECT_EQ(parseCellRef(QString::fromLatin1(c.ref), &row, &column), c.ok) << c.ref;
        if (c.ok) {
            EXPECT_EQ(row, c.row) << c.ref;
            EXPECT_EQ(column, c.column) << c.ref;
        }
    }
}
