#include "axis/mechanismchecks.h"

#include <cmath>
#include <limits>

QString EndFixityTitle(EndFixity fixity)
{
    static const char *const Titles[EndFixityCount] = {"Fixed\u2013free", "Supported\u2013supported",
                                                       "Fixed\u2013supported", "Fixed\u2013fixed"};
    return QString::fromUtf8(Titles[std::size_t(fixity)]);
}

CheckLevel MechanismCheck::level() const
{
    if (!given || !check.known())
        return CheckLevel::Unknown;
    return check.passes() ? CheckLevel::Passes : CheckLevel::Fails;
}

const char *MechanismCheckKey(MechanismCheckKind kind)
{
    static const char *const Keys[MechanismCheckKindCount] = {"criticalSpeed", "dn", "surfaceSpeed"};
    return Keys[std::size_t(kind)];
}

bool MechanismCheckApplies(MechanismCheckKind kind, MechanismKind mechanism)
{
    if (kind == MechanismCheckKind::SurfaceSpeed)
        return mechanism == MechanismKind::Belt;
    return mechanism == MechanismKind::Screw;
}

std::vector<MechanismCheck> MechanismChecks(const Axis &axis, const MoveResults &move)
{
    const AxisMechanismLimits &limits = axis.mechanismLimits;
    // The screw's or pulley's fastest: the motor's top speed through the gearbox.
    const double shaftSpeed = move.maxMotorSpeed.ok() ? move.maxMotorSpeed.value() / axis.gearbox.ratio
                                                      : std::numeric_limits<double>::quiet_NaN();
    std::vector<MechanismCheck> checks;
    for (int k = 0; k < MechanismCheckKindCount; ++k) {
        const auto kind = MechanismCheckKind(k);
        if (!MechanismCheckApplies(kind, move.mechanism.kind))
            continue;
        MechanismCheck check;
        check.kind = kind;
        switch (kind) {
        case MechanismCheckKind::CriticalSpeed:
            check.given = limits.rootDiameter.value != 0 || limits.freeLength.value != 0;
            check.check = CriticalSpeedCheck(shaftSpeed, limits.rootDiameter.value, limits.freeLength.value,
                                             limits.fixity, limits.criticalShare / 100);
            break;
        case MechanismCheckKind::Dn:
            check.given = limits.nominalDiameter.value != 0 || limits.dnLimit != 0;
            check.check = DnCheck(shaftSpeed, limits.nominalDiameter.value, limits.dnLimit);
            break;
        case MechanismCheckKind::SurfaceSpeed:
            check.given = limits.surfaceSpeed.value != 0;
            check.check = SurfaceSpeedCheck(shaftSpeed, move.pitch.ok() ? move.pitch.value() : 0,
                                            limits.surfaceSpeed.value);
            break;
        }
        checks.push_back(check);
    }
    return checks;
}

QString MechanismCheckReason(const MechanismCheck &check)
{
    static const char *const Inputs[MechanismCheckKindCount] = {"no root diameter or free length",
                                                                "no nominal diameter or d\u00b7n limit",
                                                                "no permitted surface speed"};
    if (!check.given)
        return QStringLiteral("%1 is given").arg(QString::fromUtf8(Inputs[std::size_t(check.kind)]));
    return check.check.problem;
}

QString MechanismCheckText(const MechanismCheck &check)
{
    if (check.given)
        return LimitCheckText(check.check);
    return QStringLiteral("%1: not checked, %2.").arg(check.check.title, MechanismCheckReason(check));
}
