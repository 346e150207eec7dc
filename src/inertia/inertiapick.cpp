#include "inertia/inertiapick.h"

bool HasResult(InertiaShape shape, InertiaAxis result)
{
    return ShapeInfo(shape).results[std::size_t(result)] != nullptr;
}

QString ResultTitle(InertiaAxis result)
{
    return u'I' + QString::fromLatin1(ResultRow(result).subscript);
}

bool AllowsOffset(InertiaShape shape, InertiaAxis result)
{
    const bool centroidal =
        result == InertiaAxis::Ixx || result == InertiaAxis::Iyy || result == InertiaAxis::Izz;
    return centroidal && shape != InertiaShape::Tetrahedron;
}

QString OffsetRefusal(InertiaShape shape, InertiaAxis result)
{
    if (AllowsOffset(shape, result))
        return {};
    if (shape == InertiaShape::Tetrahedron)
        return QStringLiteral(
            "The tetrahedron's results are about its corner edges, not through its centre of "
            "mass, so no offset can be added: it is taken with d = 0.");
    return QStringLiteral("An end-axis result is not about an axis through the centre of mass, so no offset "
                          "can be added: it is taken with d = 0.");
}

QString PickRefusal(const ConversionTableData &units, const InertiaPick &pick)
{
    const QString title = ResultTitle(pick.result);
    if (!HasResult(pick.shape, pick.result))
        return QStringLiteral("This shape has no %1 result.").arg(title);
    const InertiaOutcome outcome = ComputeInertiaEntries(units, pick.shape, pick.entries, pick.massMode);
    if (outcome.problem.kind == InertiaProblem::Blank)
        return QStringLiteral("Every box the shape uses needs a number.");
    if (outcome.problem.kind != InertiaProblem::None)
        return QLatin1String(InertiaProblemText(outcome.problem)) + QLatin1Char('.');
    if (!outcome.values[std::size_t(pick.result)])
        return QStringLiteral("The %1 result is too large to compute.").arg(title);
    const std::optional<float> offset =
        ReadInertiaInput(units, InertiaInput::Length, pick.offset.text, pick.offset.unit);
    if (!offset)
        return QStringLiteral("The offset d is not a number.");
    if (*offset < 0)
        return QStringLiteral("The offset d must not be negative.");
    if (*offset != 0)
        return OffsetRefusal(pick.shape, pick.result);
    return {};
}
