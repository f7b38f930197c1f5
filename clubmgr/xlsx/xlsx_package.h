#pragma once
// The zip container of an .xlsx file and the part-name rules of its relationships.
// Internal to clubxlsx.

#include <QByteArray>
#include <QString>

struct zip;

namespace xlsx::detail {

class Package {
public:
    Package() = default;
    ~Package();
    Package(const Package&) = delete;
    Package& operator=(const Package&) = delete;

    bool open(const QString& path, QString* error);
    bool has(const QString& part) const;
    // Whole part into memory; refuses parts that unpack to more than maxPartSize.
    bool read(const QString& part, QByteArray* out, QString* error) const;

    static constexpr qint64 maxPartSize = 512LL * 1024 * 1024;

private:
    struct zip* m_zip = nullptr;
};

// "xl/workbook.xml" -> "xl/_rels/workbook.xml.rels"
QString relationshipsPart(const QString& part);
// A relationship target taken relative to the folder of the part that names it
// ("worksheets/sheet1.xml" from "xl/workbook.xml" is "xl/worksheets/sheet1.xml");
// an absolute target ("/xl/...") is taken from the package root.
QString resolveTarget(const QString& sourcePart, const QString& target);

}  // namespace xlsx::detail
