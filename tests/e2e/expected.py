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
