#pragma once
// Limits of the mechanism between the motor and the load, which are often
// reached before the motor's: a ball screw's critical speed and its d·n
// value, a belt's or pinion's surface speed, and a gearbox's permitted
// output torques and input speed. Each is a check in the words of the motor
// check ("... passes, 22 % margin"). SI base units in, double precision.

#include "axis/axisfigure.h"

#include <QString>

#include <array>

// How a screw is held at its two ends, which sets its first bending mode.
enum class EndFixity {
    FixedFree,          // one end in a fixed bearing pair, the other loose
    SupportedSupported, // a single bearing at each end
    FixedSupported,     // fixed at one end, a single bearing at the other
    FixedFixed,         // fixed bearing pairs at both ends
};

// The first-mode coefficient λ of a uniform beam so held (the root of its
// frequency equation): 1.8751, π, 3.9266, 4.7300.
double FixityCoefficient(EndFixity fixity);

// The screw's material: steel unless told otherwise.
struct ScrewMaterial
{
    double youngsModulus = 206e9; // Pa
    double density = 7850;        // kg/m³
};

// The first bending (whirling) speed of a solid round shaft of rootDiameter
// between supports freeLength apart, in rad/s:
//     ω = (λ / L)² · √(E·I / (ρ·A)) = (λ / L)² · (d / 4) · √(E / ρ)
// (Euler–Bernoulli beam; I = π d⁴ / 64, A = π d² / 4). 0 when an input is
// not above zero.
double CriticalSpeed(double rootDiameter, double freeLength, EndFixity fixity,
                     const ScrewMaterial &material = {});

// The share of its critical speed a screw may turn at, %, unless told otherwise.
inline constexpr double DefaultCriticalShare = 80;

// The mechanism's limits as the axis keeps them, each in SI with the unit it
// is shown in; a value of 0 is not given. A limit whose inputs are all not
// given is not checked.
struct AxisMechanismLimits
{
    // The ball screw: critical speed from the root diameter, the free length
    // between its bearings and how its ends are held; d·n from the nominal
    // diameter against the maker's d·n limit (mm·rpm).
    AxisQuantity rootDiameter;
    AxisQuantity freeLength;
    EndFixity fixity = EndFixity::FixedSupported;
    double criticalShare = DefaultCriticalShare; // % of the critical speed permitted
    AxisQuantity nominalDiameter;
    double dnLimit = 0;
    // The belt's or rack's permitted surface speed, at the pulley's or pinion's pitch diameter.
    AxisQuantity surfaceSpeed;
    bool operator==(const AxisMechanismLimits &) const = default;
};

struct LimitCheck
{
    QString title;      // "Screw speed"
    QString unit;       // the unit it is told in ("rpm")
    double perUnit = 1; // SI per that unit
    double value = 0;   // what the move needs, SI
    double limit = 0;   // what the mechanism allows, SI
    QString note;       // how the limit came about, told after it; may be empty
    QString problem;    // why the check cannot be made; empty when it can
    bool known() const { return problem.isEmpty(); }
    bool passes() const { return known() && value <= limit; }
    double margin() const { return 1 - value / limit; } // negative when it fails
};

// The check in words: "Screw speed 1500 rpm of 1931 rpm (80 % of the
// critical speed 2414 rpm): passes, 22 % margin", "... fails, 8 % over", or
// the title and why it cannot be made.
QString LimitCheckText(const LimitCheck &check);

// A ball screw turning at speed (rad/s) against permitted times its critical speed.
LimitCheck CriticalSpeedCheck(double speed, double rootDiameter, double freeLength, EndFixity fixity,
                              double permitted = 0.8, const ScrewMaterial &material = {});
// The screw's d·n value (nominal diameter in mm times speed in rpm) against
// the maker's limit for it, in mm·rpm.
LimitCheck DnCheck(double speed, double nominalDiameter, double dnLimit);
// The surface speed of a pulley or pinion of pitchDiameter turning at speed,
// against the belt's or rack's permitted speed (m/s).
LimitCheck SurfaceSpeedCheck(double speed, double pitchDiameter, double permittedSpeed);

struct GearboxRatings
{
    double peakOutputTorque = 0;       // N·m
    double continuousOutputTorque = 0; // N·m
    double maxInputSpeed = 0;          // rad/s
};
// The gearbox's peak output torque, its RMS (continuous) output torque and
// its fastest input speed, each against its rating.
std::array<LimitCheck, 3> GearboxChecks(const GearboxRatings &ratings, double peakOutputTorque,
                                        double rmsOutputTorque, double maxInputSpeed);
