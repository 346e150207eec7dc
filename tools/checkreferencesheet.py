#!/usr/bin/env python3
"""Numeric second reading of every formula on the reference sheet.

Each formula of tools/makereferencesheet.py is restated here independently and
checked at many random points: identities directly, derivatives against a
numerical derivative, integrals by differentiating the antiderivative.
Needs python3-mpmath. Exits non-zero and names the formula when one fails.
"""

import random
import sys

from mpmath import (acos, acot, acsc, asec, asin, atan, cos, cot, csc, diff, e, exp, fabs, log, mp, mpf, pi,
                    sec, sin, sqrt, tan)

mp.dps = 30
random.seed(20240611)
failures = []


def close(a, b, tol=mpf('1e-15')):
    return fabs(a - b) <= tol * max(1, fabs(a), fabs(b))


def check(name, test, samples):
    for args in samples:
        if not test(*args):
            failures.append('%s at %s' % (name, args))
            return
    print('ok   %s' % name)


def angles(n=200, lo=-7, hi=7):
    # Random angles kept away from the poles of tan, cot, sec and csc.
    out = []
    while len(out) < n:
        t = mpf(random.uniform(lo, hi))
        if min(fabs(sin(t)), fabs(cos(t))) > 0.05:
            out.append((t,))
    return out


def pairs(n=200):
    return [(a[0], b[0]) for a, b in zip(angles(n), angles(n))]


# Right-triangle definitions: legs opposite and adjacent to θ, hypotenuse.
def triangle_ratios(opp, adj):
    hyp = sqrt(opp ** 2 + adj ** 2)
    t = atan(opp / adj)
    return all(close(x, y) for x, y in [
        (sin(t), opp / hyp), (cos(t), adj / hyp), (tan(t), opp / adj),
        (csc(t), hyp / opp), (sec(t), hyp / adj), (cot(t), adj / opp)])


check('right-triangle ratios', triangle_ratios,
      [(mpf(random.uniform(0.1, 10)), mpf(random.uniform(0.1, 10))) for _ in range(100)])

identities = {
    'csc = 1/sin': lambda t: close(csc(t), 1 / sin(t)),
    'sec = 1/cos': lambda t: close(sec(t), 1 / cos(t)),
    'cot = 1/tan': lambda t: close(cot(t), 1 / tan(t)),
    'tan = sin/cos': lambda t: close(tan(t), sin(t) / cos(t)),
    'cot = cos/sin': lambda t: close(cot(t), cos(t) / sin(t)),
    'sin² + cos² = 1': lambda t: close(sin(t) ** 2 + cos(t) ** 2, 1),
    '1 + tan² = sec²': lambda t: close(1 + tan(t) ** 2, sec(t) ** 2),
    '1 + cot² = csc²': lambda t: close(1 + cot(t) ** 2, csc(t) ** 2),
    'sin(-θ) = -sin θ': lambda t: close(sin(-t), -sin(t)),
    'cos(-θ) = cos θ': lambda t: close(cos(-t), cos(t)),
    'tan(-θ) = -tan θ': lambda t: close(tan(-t), -tan(t)),
    'sin 2θ': lambda t: close(sin(2 * t), 2 * sin(t) * cos(t)),
    'cos 2θ = cos² - sin²': lambda t: close(cos(2 * t), cos(t) ** 2 - sin(t) ** 2),
    'cos 2θ = 2cos² - 1': lambda t: close(cos(2 * t), 2 * cos(t) ** 2 - 1),
    'cos 2θ = 1 - 2sin²': lambda t: close(cos(2 * t), 1 - 2 * sin(t) ** 2),
    'sin(θ/2) = ±√((1 - cos θ)/2), sign of the quadrant of θ/2':
        lambda t: close(sin(t / 2), (1 if sin(t / 2) >= 0 else -1) * sqrt((1 - cos(t)) / 2)),
    'cos(θ/2) = ±√((1 + cos θ)/2), sign of the quadrant of θ/2':
        lambda t: close(cos(t / 2), (1 if cos(t / 2) >= 0 else -1) * sqrt((1 + cos(t)) / 2)),
    'tan(θ/2) = (1 - cos θ)/sin θ': lambda t: close(tan(t / 2), (1 - cos(t)) / sin(t)),
    'tan(θ/2) = sin θ/(1 + cos θ)': lambda t: close(tan(t / 2), sin(t) / (1 + cos(t))),
    'sin²θ = (1 - cos 2θ)/2': lambda t: close(sin(t) ** 2, (1 - cos(2 * t)) / 2),
    'cos²θ = (1 + cos 2θ)/2': lambda t: close(cos(t) ** 2, (1 + cos(2 * t)) / 2),
}
for name, test in identities.items():
    check(name, test, angles())
check('tan 2θ = 2 tan θ/(1 - tan²θ)', lambda t: fabs(1 - tan(t) ** 2) < 0.05 or
      close(tan(2 * t), 2 * tan(t) / (1 - tan(t) ** 2), mpf('1e-12')), angles())

two_angles = {
    'sin(α + β)': lambda a, b: close(sin(a + b), sin(a) * cos(b) + cos(a) * sin(b)),
    'sin(α - β)': lambda a, b: close(sin(a - b), sin(a) * cos(b) - cos(a) * sin(b)),
    'cos(α + β)': lambda a, b: close(cos(a + b), cos(a) * cos(b) - sin(a) * sin(b)),
    'cos(α - β)': lambda a, b: close(cos(a - b), cos(a) * cos(b) + sin(a) * sin(b)),
    'tan(α + β)': lambda a, b: fabs(1 - tan(a) * tan(b)) < 0.05 or
        close(tan(a + b), (tan(a) + tan(b)) / (1 - tan(a) * tan(b)), mpf('1e-12')),
    'tan(α - β)': lambda a, b: fabs(1 + tan(a) * tan(b)) < 0.05 or
        close(tan(a - b), (tan(a) - tan(b)) / (1 + tan(a) * tan(b)), mpf('1e-12')),
    'sin α sin β': lambda a, b: close(sin(a) * sin(b), (cos(a - b) - cos(a + b)) / 2),
    'cos α cos β': lambda a, b: close(cos(a) * cos(b), (cos(a - b) + cos(a + b)) / 2),
    'sin α cos β': lambda a, b: close(sin(a) * cos(b), (sin(a + b) + sin(a - b)) / 2),
}
for name, test in two_angles.items():
    check(name, test, pairs())


# Laws of sines and cosines on random triangles given by their corners.
def triangle_laws(ax, ay, bx, by, cx, cy):
    a = sqrt((bx - cx) ** 2 + (by - cy) ** 2)
    b = sqrt((ax - cx) ** 2 + (ay - cy) ** 2)
    c = sqrt((ax - bx) ** 2 + (ay - by) ** 2)

    def angle(px, py, qx, qy, rx, ry):  # angle at p
        u, v = (qx - px, qy - py), (rx - px, ry - py)
        return acos((u[0] * v[0] + u[1] * v[1]) / (sqrt(u[0] ** 2 + u[1] ** 2) * sqrt(v[0] ** 2 + v[1] ** 2)))

    A, B, C = angle(ax, ay, bx, by, cx, cy), angle(bx, by, ax, ay, cx, cy), angle(cx, cy, ax, ay, bx, by)
    area = fabs((bx - ax) * (cy - ay) - (cx - ax) * (by - ay)) / 2
    tol = mpf('1e-12')
    return (close(a / sin(A), b / sin(B), tol) and close(b / sin(B), c / sin(C), tol)
            and close(a ** 2, b ** 2 + c ** 2 - 2 * b * c * cos(A), tol)
            and close(b ** 2, a ** 2 + c ** 2 - 2 * a * c * cos(B), tol)
            and close(c ** 2, a ** 2 + b ** 2 - 2 * a * b * cos(C), tol)
            and close(area, a * b * sin(C) / 2, tol))


check('laws of sines and cosines, area', triangle_laws,
      [tuple(mpf(random.uniform(-10, 10)) for _ in range(6)) for _ in range(200)])

check('1 rad ≈ 57.2958°', lambda: ('%.4f' % (180 / pi)) == '57.2958', [()])
check('1° ≈ 0.0174533 rad', lambda: ('%.7f' % (pi / 180)) == '0.0174533', [()])
check('arc length s = rθ (a full turn is 2πr)', lambda: close(1 * 2 * pi, 2 * pi * 1), [()])

exact = [(0, 0, 1, 0), (30, mpf(1) / 2, sqrt(3) / 2, sqrt(3) / 3), (45, sqrt(2) / 2, sqrt(2) / 2, 1),
         (60, sqrt(3) / 2, mpf(1) / 2, sqrt(3))]
rad = {0: 0, 30: pi / 6, 45: pi / 4, 60: pi / 3, 90: pi / 2}
check('exact values 0° to 60°', lambda d, s, c, t: close(sin(rad[d]), s) and close(cos(rad[d]), c)
      and close(tan(rad[d]), t) and close(rad[d], d * pi / 180), exact)
check('exact values 90°', lambda: close(sin(pi / 2), 1) and fabs(cos(pi / 2)) < 1e-25, [()])

# Derivatives: f, f', and where to sample x.
inside = [(mpf(random.uniform(-0.95, 0.95)),) for _ in range(50)]
outside = [(mpf(random.choice([-1, 1]) * random.uniform(1.05, 8)),) for _ in range(50)]
positive = [(mpf(random.uniform(0.05, 8)),) for _ in range(50)]
anywhere = [(mpf(random.uniform(-8, 8)),) for _ in range(50)]
a, n = mpf('2.7'), mpf('3.4')
derivatives = [
    ('xⁿ', lambda x: x ** n, lambda x: n * x ** (n - 1), positive),
    ('eˣ', exp, exp, anywhere),
    ('aˣ', lambda x: a ** x, lambda x: a ** x * log(a), anywhere),
    ('ln x', log, lambda x: 1 / x, positive),
    ('logₐ x', lambda x: log(x) / log(a), lambda x: 1 / (x * log(a)), positive),
    ('sin x', sin, cos, anywhere),
    ('cos x', cos, lambda x: -sin(x), anywhere),
    ('tan x', tan, lambda x: sec(x) ** 2, angles(50)),
    ('cot x', cot, lambda x: -csc(x) ** 2, angles(50)),
    ('sec x', sec, lambda x: sec(x) * tan(x), angles(50)),
    ('csc x', csc, lambda x: -csc(x) * cot(x), angles(50)),
    ('arcsin x', asin, lambda x: 1 / sqrt(1 - x ** 2), inside),
    ('arccos x', acos, lambda x: -1 / sqrt(1 - x ** 2), inside),
    ('arctan x', atan, lambda x: 1 / (1 + x ** 2), anywhere),
    ('arccot x', acot, lambda x: -1 / (1 + x ** 2), [s for s in anywhere if fabs(s[0]) > 0.05]),
    ('arcsec x', asec, lambda x: 1 / (fabs(x) * sqrt(x ** 2 - 1)), outside),
    ('arccsc x', acsc, lambda x: -1 / (fabs(x) * sqrt(x ** 2 - 1)), outside),
]
for name, f, df, samples in derivatives:
    check('d/dx ' + name, lambda x, f=f, df=df: close(diff(f, x), df(x), mpf('1e-12')), samples)

# Integrals: integrand, antiderivative (C = 0), samples.
negative_or_positive = [s for s in anywhere if fabs(s[0]) > 0.05]
A = mpf('1.7')
within_a = [(mpf(random.uniform(-0.95, 0.95)) * A,) for _ in range(50)]
beyond_a = [(mpf(random.choice([-1, 1]) * random.uniform(1.05, 5)) * A,) for _ in range(50)]
integrals = [
    ('xⁿ (n ≠ -1)', lambda x: x ** n, lambda x: x ** (n + 1) / (n + 1), positive),
    ('xⁿ, whole n, negative x', lambda x: x ** 3, lambda x: x ** 4 / 4, anywhere),
    ('1/x', lambda x: 1 / x, lambda x: log(fabs(x)), negative_or_positive),
    ('ln x', log, lambda x: x * log(x) - x, positive),
    ('eˣ', exp, exp, anywhere),
    ('aˣ', lambda x: a ** x, lambda x: a ** x / log(a), anywhere),
    ('sin x', sin, lambda x: -cos(x), anywhere),
    ('cos x', cos, sin, anywhere),
    ('tan x', tan, lambda x: -log(fabs(cos(x))), angles(50)),
    ('cot x', cot, lambda x: log(fabs(sin(x))), angles(50)),
    ('sec x', sec, lambda x: log(fabs(sec(x) + tan(x))), angles(50)),
    ('csc x', csc, lambda x: -log(fabs(csc(x) + cot(x))), angles(50)),
    ('sec²x', lambda x: sec(x) ** 2, tan, angles(50)),
    ('csc²x', lambda x: csc(x) ** 2, lambda x: -cot(x), angles(50)),
    ('sec x tan x', lambda x: sec(x) * tan(x), sec, angles(50)),
    ('csc x cot x', lambda x: csc(x) * cot(x), lambda x: -csc(x), angles(50)),
    ('1/√(a² - x²)', lambda x: 1 / sqrt(A ** 2 - x ** 2), lambda x: asin(x / A), within_a),
    ('1/(a² + x²)', lambda x: 1 / (A ** 2 + x ** 2), lambda x: atan(x / A) / A, anywhere),
    ('1/(x√(x² - a²))', lambda x: 1 / (x * sqrt(x ** 2 - A ** 2)), lambda x: asec(fabs(x) / A) / A, beyond_a),
    ('arcsin x', asin, lambda x: x * asin(x) + sqrt(1 - x ** 2), inside),
    ('arccos x', acos, lambda x: x * acos(x) - sqrt(1 - x ** 2), inside),
    ('arctan x', atan, lambda x: x * atan(x) - log(1 + x ** 2) / 2, anywhere),
    ('arccot x', acot, lambda x: x * acot(x) + log(1 + x ** 2) / 2, [s for s in anywhere if fabs(s[0]) > 0.05]),
    ('arcsec x', asec, lambda x: x * asec(x) - log(fabs(x) + sqrt(x ** 2 - 1)), outside),
    ('arccsc x', acsc, lambda x: x * acsc(x) + log(fabs(x) + sqrt(x ** 2 - 1)), outside),
    ('x eˣ (by parts)', lambda x: x * exp(x), lambda x: (x - 1) * exp(x), anywhere),
]
for name, f, F, samples in integrals:
    check('∫ ' + name, lambda x, f=f, F=F: close(diff(F, x), f(x), mpf('1e-12')), samples)


# Integration by parts, definite form, on u = x², v = sin x over [a, b].
def parts(lo, hi):
    from mpmath import quad
    lhs = quad(lambda x: x ** 2 * cos(x), [lo, hi])          # ∫ u dv, dv = cos x dx
    rhs = (hi ** 2 * sin(hi) - lo ** 2 * sin(lo)) - quad(lambda x: sin(x) * 2 * x, [lo, hi])
    return close(lhs, rhs, mpf('1e-20'))


check('integration by parts, definite', parts,
      [(mpf(random.uniform(-3, 0)), mpf(random.uniform(0, 3))) for _ in range(10)])

if failures:
    print('\n'.join('FAIL ' + f for f in failures))
    sys.exit(1)
print('all formulas agree')
