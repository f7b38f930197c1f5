#include "pigeon_codes.h"

namespace members {

QString sexCode(const QString& text)
{
    return text == QLatin1String("Hen") ? QStringLiteral("H") : QStringLiteral("C");
}

QString sexText(const QString& code)
{
    if (code == QLatin1String("C"))
        return QStringLiteral("Cock");
    if (code == QLatin1String("H"))
        return QStringLiteral("Hen");
    return QString();
}

QString exportSexText(const QString& code)
{
    return code == QLatin1String("C") ? QStringLiteral("Cock") : QStringLiteral("Hen");
}

QString colourName(const QString& code, const ColourTable& colours)
{
    if (!code.isEmpty())
        for (const FeatherColour& c : colours)
            if (c.code == code)
                return c.name;
    return otherColourName();
}

QString colourCode(const QString& name, const ColourTable& colours)
{
    for (const FeatherColour& c : colours)
        if (c.name == name)
            return c.code;
    return QString();
}

QStringList parseCountryRingCodes(const QString& value)
{
    QStringList items = value.split(QLatin1Char(','));
    if (items.last().trimmed().isEmpty())
        items.removeLast();
    for (QString& item : items)
        item = item.trimmed();
    return items;
}

QStringList ringYears(int currentYear)
{
    QStringList years;
    for (int y = currentYear - 9; y <= currentYear + 1; ++y)
        years << QString::number(y);
    return years;
}

QString exportYear(const QString& country, const QString& year)
{
    const bool shortForm = country == QLatin1String("AU") || country == QLatin1String("IF")
                           || country == QLatin1String("CU") || country == QLatin1String("MX");
    return shortForm && year.size() == 4 ? year.mid(2, 2) : year;
}

QString countText(int count)
{
    return QString::asprintf("%.3d", count);
}

QString withoutLineBreaks(QString text)
{
    text.remove(QLatin1Char('\r'));
    text.remove(QLatin1Char('\n'));
    return text;
}

}  // namespace members
