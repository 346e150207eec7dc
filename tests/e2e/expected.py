"""Expected results worked out here, apart from the program: conversions in
single precision from the units' definitions, and the significant-digit and
scientific displays written out from their rules."""

import decimal
import struct

# Unit factors to the base unit of their type, from their definitions.
LB = 0.45359237
G0 = 9.80665
FT = 0.3048
INCH = 0.0254
FACTORS = {
    "kg": 1.0,
    "g": 1e-3,
    "mg": 1e-6,
    "t": 1000.0,
    "lb": LB,
    "oz": LB / 16,
    "short-ton": 2000 * LB,
    "slug": LB * G0 / FT,
    "lbf-s²/in": LB * G0 / INCH,
    "m": 1.0,
    "mm": 1e-3,
    "in": INCH,
    "ft": FT,
    "kg-m²": 1.0,
    "lb-in²": LB * INCH * INCH,
    "kg/m³": 1.0,
    "g/cm³": 1000.0,
    "lb/in³": LB / INCH ** 3,
}


def float32(value):
    return struct.unpack("f", struct.pack("f", value))[0]


def convert(value, source, target):
    """value in unit source shown in unit target, every step in single
    precision as the table holds its factors."""
    base = float32(float32(value) * float32(FACTORS[source]))
    return float32(base / float32(FACTORS[target]))


def _rounded(value, places):
    quantum = decimal.Decimal(1).scaleb(-places)
    return decimal.Decimal(value).quantize(quantum, rounding=decimal.ROUND_HALF_EVEN)


def significant(value, digits, point="."):
    """value with digits significant digits: plain decimals for exponents -4
    to 6 (at least one decimal shown when the digits reach past the point),
    scientific form outside."""
    if value == 0:
        return "0" if digits == 1 else "0" + point + "0"
    exponent = int(f"{abs(value):.5e}".split("e")[1])
    if exponent <= -5 or exponent >= 7:
        return scientific(value, digits, point)
    places = digits - exponent - 1
    text = f"{_rounded(value, max(places, 0)):f}" if places > 0 else f"{_rounded(value, places):f}"
    if places <= 0:
        return str(int(decimal.Decimal(text)))
    whole, fraction = text.split(".")
    fraction = fraction.rstrip("0")
    if exponent >= 0 and not fraction:
        fraction = "0"
    return whole + (point + fraction if fraction else "")


def scientific(value, digits, point="."):
    """The scientific display: one integer digit, then (for two digits or
    more) the first decimal always and the others only up to the last that is
    not zero, E, the exponent's sign and at least two exponent digits."""
    mantissa, exponent = f"{value:.{digits - 1}e}".split("e")
    if "." in mantissa:
        whole, fraction = mantissa.split(".")
        first, rest = fraction[0], fraction[1:].rstrip("0")
        mantissa = whole + point + first + rest
    sign = "-" if int(exponent) < 0 else "+"
    return f"{mantissa}E{sign}{abs(int(exponent)):02d}"


def conversion_text(value, source, target, digits=6, notation=False, point="."):
    result = convert(value, source, target)
    return scientific(result, digits, point) if notation else significant(result, digits, point)


# Mass moments of inertia (kg-m²) from their textbook formulas, with the
# inputs and the result held in single precision and pi as 3.141593.
PI = 3.141593


def inertia(shape, density=None, **given):
    """The five results (Ixx, Iyy, Izz, Ix'x', Iy'y') of a shape, None where the
    shape has none, and the mass used. given: L, W, H, R, OD, ID in m, m in kg."""
    v = {k: float32(x) for k, x in given.items()}
    L, W, H, R = v.get("L", 0.0), v.get("W", 0.0), v.get("H", 0.0), v.get("R", 0.0)
    ro, ri = float32(v.get("OD", 0.0) / 2), float32(v.get("ID", 0.0) / 2)
    if density is not None:
        rho = float32(density)
        m = float32({"cylinder": (ro ** 2 - ri ** 2) * rho * PI * L,
                     "parallelepiped": rho * L * W * H,
                     "sphere": R ** 3 * rho * PI * 4 / 3}[shape])
    else:
        m = v["m"]
    results = {
        "cylinder": (m * ((ro ** 2 + ri ** 2) / 4 + L ** 2 / 12), m * ((ro ** 2 + ri ** 2) / 4 + L ** 2 / 12),
                     m * (ro ** 2 + ri ** 2) / 2, m * (ro ** 2 + ri ** 2) / 4 + m * L ** 2 / 3,
                     m * (ro ** 2 + ri ** 2) / 4 + m * L ** 2 / 3),
        "parallelepiped": (m * (L ** 2 + H ** 2) / 12, m * (L ** 2 + W ** 2) / 12, m * (W ** 2 + H ** 2) / 12,
                           m * H ** 2 / 12 + m * L ** 2 / 3, m * W ** 2 / 12 + m * L ** 2 / 3),
        "spherical shell": (2 * m / 3 * R ** 2,) * 3 + (None, None),
        "sphere": (2 * m / 5 * R ** 2,) * 3 + (None, None),
        "slender rod": (m * L ** 2 / 12, m * L ** 2 / 12, 0.0, m * L ** 2 / 3, m * L ** 2 / 3),
        "tetrahedron": (m * (L ** 2 + H ** 2) / 10, m * (W ** 2 + L ** 2) / 10, m * (W ** 2 + H ** 2) / 10,
                        None, None),
    }[shape]
    return [None if r is None else float32(r) for r in results], m
