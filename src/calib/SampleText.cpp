#include "calib/SampleText.h"
#include "core/NumberText.h"

#include <cmath>

QString SampleCell(const Probka &p, int column)
{
    switch (column) {
    case 0:
        return QString::number(p.Id);
    case 1:
        return FormatGeneral(p.X, 5);
    case 2:
        return FormatGeneral(p.Uwz, 5);
    case 3:
        return FormatGeneral(p.Ucal, 5);
    case 4:
        return FormatGeneral(p.Uend, 5);
    default:
        return {};
    }
}

QString ReferenceEquation(const SampleTable &table)
{
    return QStringLiteral("y = ") + FormatFixed(table.SkalaWzorca(), 5, 3) + QStringLiteral(" * x");
}

QString MeterEquation(const SampleTable &table)
{
    return QStringLiteral("y = ") + FormatFixed(table.WspA(), 5, 3) + QStringLiteral(" * x + ")
        + FormatGeneral(table.WspB(), 3);
}

QString ReferencePointLabel(double x)
{
    return FormatFixed(x, 3, 3);
}

QString TargetText(double target, int range)
{
    if (!(std::abs(target) < 1e6))
        return FormatGeneral(target, 3);
    return FormatNumber(target, 3, range == 0 || range == 2 ? 1 : 0);
}
