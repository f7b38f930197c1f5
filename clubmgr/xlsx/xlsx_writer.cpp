#include "xlsx_writer.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <xlsxwriter.h>

#include <cstdio>
#include <map>
#include <vector>

namespace xlsx {

namespace {

struct Cell {
    enum class Kind { Empty, Text, Number };
    Kind kind = Kind::Empty;
    QString text;
    double number = 0;
    int style = -1;  // index into Data::styles, -1 = the column's style
};

struct Column {
    double width = -1;
    int style = -1;
};

struct Sheet {
    QString name;
    std::vector<std::vector<Cell>> rows;
    std::map<int, Column> columns;
};

}  // namespace

struct WorkbookWriter::Data {
    std::vector<Sheet> sheets;
    std::vector<CellStyle> styles;

    int styleIndex(const CellStyle& style)
    {
        if (style.isDefault())
            return -1;
        for (size_t i = 0; i < styles.size(); ++i)
            if (styles[i] == style)
                return int(i);
        styles.push_back(style);
        return int(styles.size()) - 1;
    }

    Cell* cell(int sheet, int row, int column)
    {
        if (sheet < 0 || sheet >= int(sheets.size()) || row < 0 || column < 0
            || row >= int(LXW_ROW_MAX) || column >= int(LXW_COL_MAX))
            return nullptr;
        auto& rows = sheets[sheet].rows;
        if (row >= int(rows.size()))
            rows.resize(row + 1);
        auto& cells = rows[row];
        if (column >= int(cells.size()))
            cells.resize(column + 1);
        return &cells[column];
    }
};

WorkbookWriter::WorkbookWriter() : d(std::make_unique<Data>()) {}
WorkbookWriter::~WorkbookWriter() = default;

int WorkbookWriter::addSheet(const QString& name)
{
    d->sheets.push_back(Sheet{name, {}, {}});
    return int(d->sheets.size()) - 1;
}

void WorkbookWriter::setColumn(int sheet, int column, double width, const CellStyle& style)
{
    if (sheet < 0 || sheet >= int(d->sheets.size()) || column < 0 || column >= int(LXW_COL_MAX))
        return;
    d->sheets[sheet].columns[column] = Column{width, d->styleIndex(style)};
}

void WorkbookWriter::setText(int sheet, int row, int column, const QString& text, const CellStyle& style)
{
    if (Cell* c = d->cell(sheet, row, column))
        *c = Cell{Cell::Kind::Text, text, 0, d->styleIndex(style)};
}

void WorkbookWriter::setNumber(int sheet, int row, int column, double value, const CellStyle& style)
{
    if (Cell* c = d->cell(sheet, row, column))
        *c = Cell{Cell::Kind::Number, QString(), value, d->styleIndex(style)};
}

void WorkbookWriter::setDateTime(int sheet, int row, int column, const QDateTime& value,
                                 const CellStyle& style)
{
    if (!value.isValid())
        setText(sheet, row, column, QString(), style);
    else
        setNumber(sheet, row, column, serialDate(value), style);
}

void WorkbookWriter::setRow(int sheet, int row, const QStringList& texts, const CellStyle& style)
{
    for (int i = 0; i < texts.size(); ++i)
        setText(sheet, row, i, texts[i], style);
}

double serialDate(const QDateTime& value)
{
    static const QDate epoch(1899, 12, 30);
    const QDate date = value.date();
    const QTime time = value.time();
    return double(epoch.daysTo(date)) + time.msecsSinceStartOfDay() / 86400000.0;
}

namespace {

lxw_format* makeFormat(lxw_workbook* book, const CellStyle& style)
{
    lxw_format* f = workbook_add_format(book);
    if (!style.numFormat.isEmpty())
        format_set_num_format(f, style.numFormat.toUtf8().constData());
    if (style.bold)
        format_set_bold(f);
    switch (style.align) {
    case CellStyle::Align::Left: format_set_align(f, LXW_ALIGN_LEFT); break;
    case CellStyle::Align::Center: format_set_align(f, LXW_ALIGN_CENTER); break;
    case CellStyle::Align::Right: format_set_align(f, LXW_ALIGN_RIGHT); break;
    case CellStyle::Align::Default: break;
    }
    return f;
}

QString lxwMessage(lxw_error e)
{
    return QString::fromUtf8(lxw_strerror(e));
}

// Fills one worksheet; the first error ends it.
lxw_error writeSheet(lxw_worksheet* ws, const Sheet& sheet, const std::vector<lxw_format*>& formats)
{
    auto format = [&](int index) { return index < 0 ? nullptr : formats[index]; };
    for (const auto& [column, info] : sheet.columns) {
        const double width = info.width < 0 ? LXW_DEF_COL_WIDTH : info.width;
        if (lxw_error e = worksheet_set_column(ws, column, column, width, format(info.style)))
            return e;
    }
    for (size_t r = 0; r < sheet.rows.size(); ++r) {
        const auto& cells = sheet.rows[r];
        for (size_t c = 0; c < cells.size(); ++c) {
            const Cell& cell = cells[c];
            int style = cell.style;
            if (style < 0) {
                auto col = sheet.columns.find(int(c));
                if (col != sheet.columns.end())
                    style = col->second.style;
            }
            lxw_error e = LXW_NO_ERROR;
            switch (cell.kind) {
            case Cell::Kind::Empty:
                break;
            case Cell::Kind::Text:
                if (cell.text.isEmpty())
                    e = worksheet_write_blank(ws, r, c, format(style));
                else
                    e = worksheet_write_string(ws, r, c, cell.text.toUtf8().constData(), format(style));
                break;
            case Cell::Kind::Number:
                e = worksheet_write_number(ws, r, c, cell.number, format(style));
                break;
            }
            if (e != LXW_NO_ERROR)
                return e;
        }
    }
    return LXW_NO_ERROR;
}

}  // namespace

bool WorkbookWriter::save(const QString& path, QString* error) const
{
    auto fail = [error](const QString& message) {
        if (error)
            *error = message;
        return false;
    };
    if (d->sheets.empty())
        return fail(QStringLiteral("The workbook has no sheet."));

    const QFileInfo target(path);
    // Reserve a unique name beside the target so the final rename stays on one file system.
    QTemporaryFile temp(target.absoluteDir().filePath(QStringLiteral(".%1.XXXXXX.tmp").arg(target.fileName())));
    if (!temp.open())
        return fail(QStringLiteral("Cannot write in %1: %2").arg(target.absolutePath(), temp.errorString()));
    // libxlsxwriter reopens the file by name; give it the usual permissions first.
    temp.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    temp.close();
    const QByteArray tempName = QFile::encodeName(temp.fileName());

    lxw_workbook* book = workbook_new(tempName.constData());
    if (!book)
        return fail(QStringLiteral("Cannot create the workbook %1.").arg(path));

    std::vector<lxw_format*> formats;
    for (const CellStyle& style : d->styles)
        formats.push_back(makeFormat(book, style));

    QString problem;
    for (const Sheet& sheet : d->sheets) {
        const QByteArray name = sheet.name.toUtf8();
        if (lxw_error e = workbook_validate_sheet_name(book, name.constData())) {
            problem = QStringLiteral("Invalid sheet name \"%1\": %2").arg(sheet.name, lxwMessage(e));
            break;
        }
        lxw_worksheet* ws = workbook_add_worksheet(book, name.constData());
        if (!ws) {
            problem = QStringLiteral("Cannot add the sheet \"%1\".").arg(sheet.name);
            break;
        }
        if (lxw_error e = writeSheet(ws, sheet, formats)) {
            problem = QStringLiteral("Sheet \"%1\": %2").arg(sheet.name, lxwMessage(e));
            break;
        }
    }
    // workbook_close also frees the workbook, so it runs on every path.
    const lxw_error closed = workbook_close(book);
    if (!problem.isEmpty())
        return fail(problem);
    if (closed != LXW_NO_ERROR)
        return fail(QStringLiteral("Cannot write %1: %2").arg(path, lxwMessage(closed)));

    // rename() replaces the target atomically; a reader never sees half a workbook.
    if (std::rename(tempName.constData(), QFile::encodeName(target.absoluteFilePath()).constData()) != 0)
        return fail(QStringLiteral("Cannot replace %1.").arg(path));
    temp.setAutoRemove(false);
    return true;
}

}  // namespace xlsx
