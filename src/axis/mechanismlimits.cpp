#include "axis/mechanismlimits.h"

#include "units/numberformat.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double Rpm = 2 * std::numbers::pi / 60;

// Four significant digits, whole numbers from 1000 on.
QString shown(double value)
{
    if (std::fabs(value) >= 1000)
        return QString::number(value, 'f', 0);
    return QString::number(value, 'g', 4);
}

bool positive(double value)
{
    return std::isfinite(value) && value > 0;
}

LimitCheck make(const QString &title, const QString &unit, double perUnit, double value)
{
    LimitCheck check{title, unit, perUnit, value, 0, {}, {}};
    if (!std::isfinite(value))
        check.problem = QStringLiteral("the speed or torque is not known");
    return check;
}

} // namespace

double FixityCoefficient(EndFixity fixity)
{
    switch (fixity) {
    case EndFixity::FixedFree:
        return 1.8751040687; // cos λ · cosh λ = −1
    case EndFixity::SupportedSupported:
        return std::numbers::pi; // sin λ = 0
    case EndFixity::FixedSupported:
        return 3.9266023120; // tan λ = tanh λ
    case EndFixity::FixedFixed:
        return 4.7300407449; // cos λ · cosh λ = 1
    }
    return 0;
}

double CriticalSpeed(double rootDiameter, double freeLength, EndFixity fixity, const ScrewMaterial &material)
{
    if (!positive(rootDiameter) || !positive(freeLength) || !positive(material.youngsModulus) ||
        !positive(material.density))
        return 0;
    const double lambda = FixityCoefficient(fixity) / freeLength;
    return lambda * lambda * rootDiameter / 4 * std::sqrt(material.youngsModulus / material.density);
}

QString LimitCheckText(const LimitCheck &check)
{
    if (!check.known())
        return QStringLiteral("%1: %2.").arg(check.title, check.problem);
    const QString note = check.note.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(check.note);
    const double percent = std::fabs(check.margin()) * 100;
    const QString margin = FormatWithPattern(
        percent, percent < 10 ? QStringLiteral("0.#") : QStringLiteral("0"), QLatin1Char('.'));
    return QStringLiteral("%1 %2 %3 of %4 %3%5: %6")
        .arg(check.title, shown(check.value / check.perUnit), check.unit, shown(check.limit / check.perUnit),
             note,
             check.passes() ? QStringLiteral("passes, %1 % margin").arg(margin)
                            : QStringLiteral("fails, %1 % over").arg(margin));
}

LimitCheck CriticalSpeedCheck(double speed, double rootDiameter, double freeLength, EndFixity fixity,
                              double permitted, const ScrewMaterial &material)
{
    LimitCheck check = make(QStringLiteral("Screw speed"), QStringLiteral("rpm"), Rpm, std::fabs(speed));
    const double critical = CriticalSpeed(rootDiameter, freeLength, fixity, material);
    if (!positive(rootDiameter))
        check.problem = QStringLiteral("the screw's root diameter must be above zero");
    else if (!positive(freeLength))
        check.problem = QStringLiteral("the screw's free length must be above zero");
    else if (!positive(permitted) || permitted > 1)
        check.problem =
            QStringLiteral("the share of the critical speed allowed must lie above 0 and at most 100 %");
    else if (!positive(critical))
        check.problem = QStringLiteral("the screw's material needs a stiffness and a density above zero");
    check.limit = permitted * critical;
    check.note = QStringLiteral("%1 % of the critical speed %2 rpm")
                     .arg(FormatWithPattern(permitted * 100, QStringLiteral("0.#"), QLatin1Char('.')),
                          shown(critical / Rpm));
    return check;
}

LimitCheck DnCheck(double speed, double nominalDiameter, double dnLimit)
{
    // d·n in mm·rpm: the limit makers state, so the check is told in it.
    LimitCheck check = make(QStringLiteral("Screw d·n value"), QStringLiteral("mm·rpm"), 1,
                            nominalDiameter * 1000 * std::fabs(speed) / Rpm);
    if (!positive(nominalDiameter))
        check.problem = QStringLiteral("the screw's nominal diameter must be above zero");
    else if (!positive(dnLimit))
        check.problem = QStringLiteral("the d·n limit must be above zero");
    check.limit = dnLimit;
    return check;
}

LimitCheck SurfaceSpeedCheck(double speed, double pitchDiameter, double permittedSpeed)
{
    LimitCheck check =
        make(QStringLiteral("Surface speed"), QStringLiteral("m/s"), 1, std::fabs(speed) * pitchDiameter / 2);
    if (!positive(pitchDiameter))
        check.problem = QStringLiteral("the pitch diameter must be above zero");
    else if (!positive(permittedSpeed))
        check.problem = QStringLiteral("the permitted surface speed must be above zero");
    check.limit = permittedSpeed;
    return check;
}

std::array<LimitCheck, 3> GearboxChecks(const GearboxRatings &ratings, double peakOutputTorque,
                                        double rmsOutputTorque, double maxInputSpeed)
{
    const auto rated = [](LimitCheck check, double limit, const QString &what) {
        check.limit = limit;
        if (check.known() && !positive(limit))
            check.problem = QStringLiteral("the gearbox's %1 must be above zero").arg(what);
        return check;
    };
    return {rated(make(QStringLiteral("Gearbox peak output torque"), QStringLiteral("N·m"), 1,
                       std::fabs(peakOutputTorque)),
                  ratings.peakOutputTorque, QStringLiteral("permitted peak output torque")),
            rated(make(QStringLiteral("Gearbox continuous output torque"), QStringLiteral("N·m"), 1,
                       std::fabs(rmsOutputTorque)),
                  ratings.continuousOutputTorque, QStringLiteral("permitted continuous output torque")),
            rated(make(QStringLiteral("Gearbox input speed"), QStringLiteral("rpm"), Rpm,
                       std::fabs(maxInputSpeed)),
                  ratings.maxInputSpeed, QStringLiteral("maximum input speed"))};
}
