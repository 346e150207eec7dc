#include "units/unitlists.h"

#include "core/fixedtext.h"
#include "units/conversiontable.h"
#include "units/numberformat.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

namespace {

template <typename SameType>
QStringList displayUnitsOfRun(const ConversionTableData &table, SameType sameType)
{
    QStringList units;
    const QList<ConversionRecord> &records = table.records();
    auto it = std::find_if(records.cbegin(), records.cend(), sameType);
    for (; it != records.cend() && sameType(*it); ++it) {
        if (it->DisplayUnit)
            units.append(it->UnitName);
    }
    return units;
}

} // namespace

QStringList UnitsOfExactType(const ConversionTableData &table, const QString &unitType)
{
    return displayUnitsOfRun(table, [&](const ConversionRecord &r) { return r.UnitType == unitType; });
}

QStringList UnitsForListTag(const ConversionTableData &table, const QString &tagUnitType)
{
    const QString key = tagUnitType.trimmed().toUpper();
    if (key.isEmpty())
        return {};
    return displayUnitsOfRun(
        table, [&](const ConversionRecord &r) { return r.UnitType.trimmed().toUpper() == key; });
}

QString BuiltInDefaultUnit(const QString &tagUnitType)
{
    static const std::pair<const char *, const char *> Defaults[] = {{"Mass", "kg"},
                                                                     {"Density", "kg/m³"},
                                                                     {"Linear distance", "m"},
                                                                     {"Inertia", "kg-m²"},
                                                                     // The axis window's move.
                                                                     {"Time", "s"},
                                                                     {"Angle", "deg"},
                                                                     {"Force", "N"},
                                                                     {"Torque", "N-m"},
                                                                     {"Angular velocity", "rpm"},
                                                                     {"Linear velocity", "m/s"},
                                                                     {"Linear acceleration", "m/s²"},
                                                                     {"Angular acceleration", "rad/s²"},
                                                                     {"Energy", "J"},
                                                                     {"Power", "W"}};
    for (const auto &[type, unit] : Defaults) {
        if (tagUnitType == QString::fromUtf8(type))
            return PadRight(QString::fromUtf8(unit), UnitNameWidth);
    }
    return {};
}

int DefaultUnitIndex(const QStringList &entries, const QString &tagUnitType, const QString &storedDefault)
{
    if (entries.isEmpty())
        return -1;
    const QString stored = PadRight(storedDefault, UnitNameWidth);
    if (!stored.trimmed().isEmpty()) {
        if (const qsizetype at = entries.indexOf(stored); at >= 0)
            return int(at);
    }
    if (const QString builtIn = BuiltInDefaultUnit(tagUnitType); !builtIn.isEmpty()) {
        if (const qsizetype at = entries.indexOf(builtIn); at >= 0)
            return int(at);
    }
    return 0;
}

QString DefaultTagText(const QString &value)
{
    if (value == QLatin1String("0.0"))
        return FormatWithPattern(0.0, QStringLiteral("0.0"));
    bool ok = false;
    const double number = QLocale::c().toDouble(value.trimmed(), &ok);
    if (!ok || !std::isfinite(number))
        return value;
    QString text = QString::number(number, 'g', QLocale::FloatingPointShortest);
    return text.replace(QLatin1Char('.'), LocaleDecimalSeparator());
}
