// The exported workbook is read back by openpyxl, a spreadsheet library that is not ours,
// so the test checks what another program sees: sheet name, cells, formats and widths.
#include "result_export.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

using namespace club;

namespace {

const char* kReader = R"PY(
import json, sys, openpyxl
wb = openpyxl.load_workbook(sys.argv[1])
ws = wb.worksheets[0]
cells = []
for row in ws.iter_rows():
    cells.append([{"v": c.value, "t": type(c.value).__name__, "f": c.number_format} for c in row])
widths = {k: ws.column_dimensions[k].width for k in "CDFGH"}
print(json.dumps({"sheets": wb.sheetnames, "dims": ws.dimensions, "cells": cells, "widths": widths}))
)PY";

QJsonObject readBack(const QString& path) {
    // The system interpreter carries the Debian openpyxl package; a user's own python3
    // earlier on PATH may not.
    const QString python = QFile::exists("/usr/bin/python3") ? QStringLiteral("/usr/bin/python3")
                                                             : QStringLiteral("python3");
    QProcess p;
    p.start(python, {QStringLiteral("-c"), QString::fromUtf8(kReader), path});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) {
        ADD_FAILURE() << p.readAllStandardError().toStdString();
        return {};
    }
    return QJsonDocument::fromJson(p.readAllStandardOutput()).object();
}

TEST(ResultExport, CellsFormatsAndWidthsAsAnotherProgramReadsThem) {
    QTemporaryDir dir;
    const QString path = dir.filePath("result.xlsx");
    QVector<ResultExportRow> rows;
    rows.append({1, "1A2B", "0012345", "2014/08/19 10:14:12.250", "3:44:9", 1427.615, 320000, "L01"});
    rows.append({2, "1A2B", "BELG-14-0099", "2014/08/19 10:20:00", "3:50:0", 0.0, std::nullopt, "007"});
    QString error;
    ASSERT_TRUE(ExportRaceResult(path, rows, &error)) << error.toStdString();

    const QJsonObject book = readBack(path);
    EXPECT_EQ(book["sheets"].toArray(), QJsonArray({"Sheet1"}));
    EXPECT_EQ(book["dims"].toString(), "A1:H3");
    const QJsonArray cells = book["cells"].toArray();
    ASSERT_EQ(cells.size(), 3);
    const QStringList header = {"Pos", "LiberCode", "PRingNo", "BackTime",
                                "FlyTime", "FlySpeed", "Dist", "LoftNo"};
    for (int c = 0; c < 8; ++c)
        EXPECT_EQ(cells[0].toArray()[c].toObject()["v"].toString(), header[c]);

    const QJsonArray r1 = cells[1].toArray();
    EXPECT_EQ(r1[0].toObject()["v"].toInt(), 1);
    EXPECT_EQ(r1[1].toObject()["v"].toString(), "1A2B");
    EXPECT_EQ(r1[2].toObject()["v"].toString(), "0012345");  // leading zeros kept
    EXPECT_EQ(r1[2].toObject()["f"].toString(), "@");
    EXPECT_EQ(r1[3].toObject()["v"].toString(), "2014/08/19 10:14:12.250");
    EXPECT_EQ(r1[3].toObject()["f"].toString(), "@");
    EXPECT_EQ(r1[4].toObject()["v"].toString(), "3:44:9");
    EXPECT_EQ(r1[5].toObject()["t"].toString(), "float");    // a number, not a text
    EXPECT_DOUBLE_EQ(r1[5].toObject()["v"].toDouble(), 1427.615);
    EXPECT_EQ(r1[5].toObject()["f"].toString(), "0.000");
    EXPECT_EQ(r1[6].toObject()["v"].toInt(), 320000);
    EXPECT_EQ(r1[7].toObject()["v"].toString(), "L01");
    const QJsonArray r2 = cells[2].toArray();
    EXPECT_EQ(r2[7].toObject()["v"].toString(), "007");
    EXPECT_TRUE(r2[6].toObject()["v"].isNull());

    const QJsonObject widths = book["widths"].toObject();
    // Spreadsheet programs store a little padding with the width in characters.
    EXPECT_NEAR(widths["C"].toDouble(), 20, 1);
    EXPECT_NEAR(widths["D"].toDouble(), 25, 1);
    EXPECT_NEAR(widths["F"].toDouble(), 10, 1);
    EXPECT_NEAR(widths["G"].toDouble(), 10, 1);
    EXPECT_NEAR(widths["H"].toDouble(), 20, 1);
}

TEST(ResultExport, EmptyResultHasTheHeaderRowOnly) {
    QTemporaryDir dir;
    const QString path = dir.filePath("empty.xlsx");
    QString error;
    ASSERT_TRUE(ExportRaceResult(path, {}, &error));
    const QJsonObject book = readBack(path);
    EXPECT_EQ(book["dims"].toString(), "A1:H1");
}

TEST(ResultExport, UnwritableTargetReportsTransferErrorAndKeepsNothing) {
    QTemporaryDir dir;
    const QString path = dir.filePath("no/such/folder/result.xlsx");
    QString error;
    EXPECT_FALSE(ExportRaceResult(path, {}, &error));
    EXPECT_TRUE(error.startsWith("Data transfer error: ")) << error.toStdString();
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_EQ(ExportFileName("/tmp/x"), "/tmp/x.xlsx");
    EXPECT_EQ(ExportFileName("/tmp/x.xls"), "/tmp/x.xls");
}

}  // namespace
