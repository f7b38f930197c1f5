#include "xlsx_reader.h"

#include "xlsx_cell_text.h"
#include "xlsx_package.h"

#include <QFileInfo>
#include <QXmlStreamReader>

#include <algorithm>

namespace xlsx {

using detail::Package;

// --- SheetData -----------------------------------------------------------------------

const SheetData::Row* SheetData::findRow(int row) const
{
    auto it = std::lower_bound(m_rows.begin(), m_rows.end(), row,
                               [](const Row& r, int index) { return r.index < index; });
    return it != m_rows.end() && it->index == row ? &*it : nullptr;
}

QString SheetData::text(int row, int column) const
{
    const Row* r = findRow(row);
    if (!r || column < 0 || column >= int(r->cells.size()))
        return QString();
    return r->cells[column];
}

void SheetData::setText(int row, int column, const QString& text)
{
    if (row < 0 || column < 0 || text.isEmpty())
        return;
    // Rows nearly always come in order, so appending is the common case.
    auto it = m_rows.end();
    if (m_rows.empty() || m_rows.back().index < row) {
        m_rows.push_back(Row{row, {}});
        it = m_rows.end() - 1;
    } else {
        it = std::lower_bound(m_rows.begin(), m_rows.end(), row,
                              [](const Row& r, int index) { return r.index < index; });
        if (it == m_rows.end() || it->index != row)
            it = m_rows.insert(it, Row{row, {}});
    }
    if (column >= int(it->cells.size()))
        it->cells.resize(column + 1);
    it->cells[column] = text;
    m_rowCount = std::max(m_rowCount, row + 1);
    m_columnCount = std::max(m_columnCount, column + 1);
}

// --- reading ---------------------------------------------------------------------------

namespace {

const QString kOfficeDocument = QStringLiteral("/officeDocument");
const QString kWorksheet = QStringLiteral("/worksheet");
const QString kSharedStrings = QStringLiteral("/sharedStrings");

struct Relationship {
    QString type;
    QString target;
};

QString xmlProblem(const QString& part, const QXmlStreamReader& xml)
{
    return QStringLiteral("The workbook is damaged (%1, line %2: %3).")
        .arg(part)
        .arg(xml.lineNumber())
        .arg(xml.errorString());
}

bool readRelationships(const Package& pkg, const QString& part, QHash<QString, Relationship>* rels,
                       QString* error)
{
    QByteArray bytes;
    if (!pkg.read(part, &bytes, error))
        return false;
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("Relationship")) {
            const auto a = xml.attributes();
            rels->insert(a.value(QLatin1String("Id")).toString(),
                         Relationship{a.value(QLatin1String("Type")).toString(),
                                      a.value(QLatin1String("Target")).toString()});
        }
    }
    if (xml.hasError()) {
        *error = xmlProblem(part, xml);
        return false;
    }
    return true;
}

// Text of a string item (<si> or <is>): its <t>, or the <t> of every run; phonetic
// guides (<rPh>) are not part of the value. The reader stands on the item's start.
QString readStringItem(QXmlStreamReader& xml)
{
    QString text;
    const QString end = xml.name().toString();
    int phonetic = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            if (xml.name() == QLatin1String("rPh"))
                ++phonetic;
            else if (xml.name() == QLatin1String("t") && phonetic == 0)
                text += xml.readElementText(QXmlStreamReader::IncludeChildElements);
        } else if (xml.isEndElement()) {
            if (xml.name() == QLatin1String("rPh"))
                --phonetic;
            else if (xml.name() == end)
                break;
        }
    }
    return text;
}

bool readSharedStrings(const Package& pkg, const QString& part, QStringList* strings, QString* error)
{
    QByteArray bytes;
    if (!pkg.read(part, &bytes, error))
        return false;
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("si"))
            strings->append(readStringItem(xml));
    }
    if (xml.hasError()) {
        *error = xmlProblem(part, xml);
        return false;
    }
    return true;
}

struct FirstSheet {
    QString name;
    QString part;
};

bool findFirstWorksheet(const Package& pkg, const QString& workbookPart, FirstSheet* first, QString* error)
{
    QHash<QString, Relationship> rels;
    if (!readRelationships(pkg, detail::relationshipsPart(workbookPart), &rels, error))
        return false;
    QByteArray bytes;
    if (!pkg.read(workbookPart, &bytes, error))
        return false;
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement() || xml.name() != QLatin1String("sheet"))
            continue;
        const auto attributes = xml.attributes();
        QString id;
        for (const auto& a : attributes)
            if (a.name() == QLatin1String("id"))  // r:id, whatever the prefix
                id = a.value().toString();
        const auto rel = rels.constFind(id);
        // Tab order is document order; chart sheets and dialog sheets are skipped.
        if (rel != rels.constEnd() && rel->type.endsWith(kWorksheet)) {
            first->name = attributes.value(QLatin1String("name")).toString();
            first->part = detail::resolveTarget(workbookPart, rel->target);
            return true;
        }
    }
    *error = xml.hasError() ? xmlProblem(workbookPart, xml)
                            : QStringLiteral("The workbook has no worksheet.");
    return false;
}

// One <c> element: its stored value as text. The reader stands on the cell's start.
QString readCellValue(QXmlStreamReader& xml, QStringView type, const QStringList& shared, bool* bad)
{
    QString value;
    bool haveValue = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            if (xml.name() == QLatin1String("v")) {
                value = xml.readElementText(QXmlStreamReader::IncludeChildElements);
                haveValue = true;
            } else if (xml.name() == QLatin1String("is")) {
                value = readStringItem(xml);
                haveValue = true;
            } else {
                xml.skipCurrentElement();  // <f> formulas and extensions
            }
        } else if (xml.isEndElement() && xml.name() == QLatin1String("c")) {
            break;
        }
    }
    if (!haveValue)
        return QString();
    if (type == QLatin1String("s")) {
        bool ok = false;
        const int index = value.trimmed().toInt(&ok);
        if (!ok || index < 0 || index >= shared.size()) {
            *bad = true;
            return QString();
        }
        return shared[index];
    }
    if (type == QLatin1String("inlineStr") || type == QLatin1String("str") || type == QLatin1String("e")
        || type == QLatin1String("d"))
        return value;
    if (type == QLatin1String("b"))
        return value.trimmed() == QLatin1String("1") ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    return detail::numberText(value);
}

bool readWorksheet(const Package& pkg, const QString& part, const QStringList& shared, SheetData* sheet,
                   QString* error)
{
    QByteArray bytes;
    if (!pkg.read(part, &bytes, error))
        return false;
    QXmlStreamReader xml(bytes);
    int row = -1;     // current row, from 0
    int column = -1;  // last cell's column in this row
    bool bad = false;
    while (!xml.atEnd() && !bad) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("row")) {
            // The row number may be left out; it then follows the previous row.
            const auto r = xml.attributes().value(QLatin1String("r"));
            bool ok = false;
            const int n = r.isEmpty() ? row + 2 : r.toInt(&ok);
            if (!r.isEmpty() && (!ok || n < 1 || n > detail::maxRows)) {
                bad = true;
                break;
            }
            row = n - 1;
            column = -1;
        } else if (xml.name() == QLatin1String("c")) {
            const auto attributes = xml.attributes();
            const auto ref = attributes.value(QLatin1String("r"));
            int cellRow = row < 0 ? 0 : row;
            int cellColumn = column + 1;
            if (!ref.isEmpty() && !detail::parseCellRef(ref, &cellRow, &cellColumn)) {
                bad = true;
                break;
            }
            if (cellColumn >= detail::maxColumns) {
                bad = true;
                break;
            }
            const QString type = attributes.value(QLatin1String("t")).toString();
            sheet->setText(cellRow, cellColumn, readCellValue(xml, type, shared, &bad));
            row = cellRow;
            column = cellColumn;
        }
    }
    if (xml.hasError()) {
        *error = xmlProblem(part, xml);
        return false;
    }
    if (bad) {
        *error = QStringLiteral("The workbook is damaged (%1: a cell reference or shared string is out of range).")
                     .arg(part);
        return false;
    }
    return true;
}

}  // namespace

bool readFirstWorksheet(const QString& path, SheetData* sheet, QString* error)
{
    QString problem;
    auto fail = [&] {
        if (error)
            *error = problem;
        return false;
    };
    if (!QFileInfo(path).isFile()) {
        problem = QStringLiteral("The file %1 does not exist.").arg(path);
        return fail();
    }
    Package pkg;
    if (!pkg.open(path, &problem))
        return fail();

    // The package's own relationships name the workbook part; xl/workbook.xml is the usual one.
    QString workbookPart = QStringLiteral("xl/workbook.xml");
    if (pkg.has(QStringLiteral("_rels/.rels"))) {
        QHash<QString, Relationship> rels;
        if (!readRelationships(pkg, QStringLiteral("_rels/.rels"), &rels, &problem))
            return fail();
        for (const Relationship& rel : std::as_const(rels))
            if (rel.type.endsWith(kOfficeDocument))
                workbookPart = detail::resolveTarget(QString(), rel.target);
    }
    if (!pkg.has(workbookPart)) {
        problem = QStringLiteral("%1 is not an Excel workbook (.xlsx).").arg(path);
        return fail();
    }

    FirstSheet first;
    if (!findFirstWorksheet(pkg, workbookPart, &first, &problem))
        return fail();

    QStringList shared;
    QHash<QString, Relationship> rels;
    if (!readRelationships(pkg, detail::relationshipsPart(workbookPart), &rels, &problem))
        return fail();
    for (const Relationship& rel : std::as_const(rels)) {
        if (rel.type.endsWith(kSharedStrings)) {
            const QString part = detail::resolveTarget(workbookPart, rel.target);
            if (pkg.has(part) && !readSharedStrings(pkg, part, &shared, &problem))
                return fail();
        }
    }

    SheetData data;
    data.name = first.name;
    if (!readWorksheet(pkg, first.part, shared, &data, &problem))
        return fail();
    *sheet = std::move(data);
    return true;
}

}  // namespace xlsx
