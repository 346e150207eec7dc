#!/usr/bin/env python3
"""Proves every formula on the reference sheet with SymPy.

It reads the formulas from tools/makereferencesheet.py, as the sheet prints
them, turns the markup into SymPy expressions and checks each:
  identities       every side agrees at random points where the left side is
                   real, under the conditions printed with it (± and ∓ both ways);
  derivatives      d/dx f agrees with the printed f′;
  antiderivatives  differentiated, they give the integrand, and they are real
                   wherever the integrand is;
  series           the printed terms are the Taylor expansion, the sum gives the
                   same terms, and the printed range is where the sum converges;
  inverse ranges   the function maps the printed domain onto the printed range;
  complex forms    both sides agree as complex numbers (Euler, de Moivre);
  limits           the same from both sides, and equal to the printed value;
  error orders     f = g + O(x^k): f − g is of the order x^k at 0, no lower, no higher;
  remainders and   the true remainder of a Taylor polynomial, or the true error
  rule errors      of a trapezoid or Simpson sum, is a value the printed ξ-form
                   takes for ξ in its interval (exactly, where f″ or f⁗ is constant);
  numerical rules  the weights as printed, their pattern continued through the …;
  Newton's method  the printed step reaches the root, quadratically;
  applications     lengths, areas and volumes against answers known apart.
Parameters are also tried at 0, 1, −1 and 2, so a missing condition (a ≠ 0,
n ≠ −1, a ≠ 1, ...) fails, and a bounded range a condition states is tried to
its ends. Needs Debian's python3-sympy.
Exits non-zero and names the formula when one fails.

Usage: tools/checkreferencesheet.py [-v]
"""

import os
import random
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import makereferencesheet as sheet  # noqa: E402
import mpmath  # noqa: E402
import sympy as sp  # noqa: E402
from sympy.calculus.util import function_range  # noqa: E402
from sympy.parsing.sympy_parser import parse_expr  # noqa: E402



def real(name):
    """Every letter on the sheet stands for a real number."""
    return sp.Symbol(name, real=True)


X = real('x')
GREEK = 'θαβγφξ'
SPECIAL_VALUES = [0, 1, -1, 2]
PARAMETERS = set('abcnk')
DIGITS = 30


class Unreadable(Exception):
    pass


class Refuted(Exception):
    """A formula found false while it is read (a limit that does not exist)."""


# --- Markup to tokens ----------------------------------------------------------------

def tokens(src):
    """The markup as tokens; groups ({...}) are tokenised recursively."""
    out, i = [], 0
    while i < len(src):
        ch = src[i]
        if ch == ' ':
            i += 1
        elif ch in '^_':
            body, i = sheet.parse_group(src, i + 1)
            out.append(('sup' if ch == '^' else 'sub', tokens(body)))
        elif ch == '\\':
            j = i + 1
            while j < len(src) and src[j].isalpha():
                j += 1
            command = src[i + 1:j]
            if command in ('frac', 'binom'):
                top, j = sheet.parse_group(src, j)
                bottom, j = sheet.parse_group(src, j)
                out.append((command, tokens(top), tokens(bottom)))
            elif command == 'sqrt':
                body, j = sheet.parse_group(src, j)
                out.append(('sqrt', tokens(body)))
            elif command == 't':
                body, j = sheet.parse_group(src, j)
                out.append(('word', body))
            elif command in ('int', 'sum'):
                out.append((command,))
            else:
                raise Unreadable('unknown command \\' + command)
            i = j
        elif ch.isdigit() or (ch == '.' and i + 1 < len(src) and src[i + 1].isdigit()):
            j = i
            while j < len(src) and (src[j].isdigit() or src[j] == '.'):
                j += 1
            out.append(('num', src[i:j]))
            i = j
        elif ch.isalpha() and ch not in 'π½⅓':
            j = i
            while j < len(src) and src[j].isalpha() and src[j] not in GREEK + 'π½⅓':
                j += 1
            word = src[i:j] if j > i else ch
            i = max(j, i + 1)
            if word in sheet.FUNCTIONS:
                out.append(('func', word))
            elif word in sheet.DIFFERENTIALS or (word == 'd' and i < len(src) and src[i] in GREEK):
                if word == 'd':
                    word, i = 'd' + src[i], i + 1
                out.append(('d', word[1]))
            else:
                k = 0
                while k < len(word):
                    name = next((f for f in sheet.FUNCTIONS if word.startswith(f, k)), None)
                    if name:
                        out.append(('func', name))
                        k += len(name)
                    else:
                        out.append(('sym', word[k]))
                        k += 1
        else:
            out.append(('op', {'-': '−', '⋯': '…'}.get(ch, ch)))
            i += 1
    return out


# --- Tokens to SymPy ----------------------------------------------------------------------

def arccot(value):
    # The sheet's principal range 0 < y < π.
    return sp.pi / 2 - sp.atan(value)


FUNCTION_MAP = {
    'sin': sp.sin, 'cos': sp.cos, 'tan': sp.tan, 'cot': sp.cot, 'sec': sp.sec, 'csc': sp.csc,
    'arcsin': sp.asin, 'arccos': sp.acos, 'arctan': sp.atan, 'arccot': arccot, 'arcsec': sp.asec,
    'arccsc': sp.acsc, 'sinh': sp.sinh, 'cosh': sp.cosh, 'tanh': sp.tanh, 'coth': sp.coth, 'sech': sp.sech,
    'csch': sp.csch, 'arsinh': sp.asinh, 'arcosh': sp.acosh, 'artanh': sp.atanh, 'arcoth': sp.acoth,
    'arsech': sp.asech, 'arcsch': sp.acsch, 'exp': sp.exp, 'ln': sp.log,
}
RELATIONS = {'=', '≈', '<', '>', '≤', '≥', '≠', '→', ',', '∈'}
# Letters that stand for a function where the sheet applies them: f(x), g(y), F(b).
APPLIED = 'fgF'
# O(x^k): the order of an error term, kept apart from the rest of its side.
BigO = sp.Function('BigO')
CONSTANTS = {'e': sp.E, 'π': sp.pi, '∞': sp.oo, '½': sp.Rational(1, 2), '⅓': sp.Rational(1, 3)}
STARTS = {'num', 'sym', 'word', 'func', 'frac', 'binom', 'sqrt', 'int', 'sum', 'd'}


class Reader:
    """Reads one side of a formula. subs maps a letter to what stands for it
    (an expression in x; used with an argument, f(…), it is applied to that)."""

    def __init__(self, toks, subs, sign=1, var=X):
        self.toks, self.pos, self.subs, self.sign, self.var = toks, 0, subs, sign, var
        self.in_abs = 0
        self.decimals = None

    def peek(self, offset=0):
        at = self.pos + offset
        return self.toks[at] if at < len(self.toks) else ('end',)

    def take(self):
        tok = self.peek()
        self.pos += 1
        return tok

    def expect(self, value):
        tok = self.take()
        if tok != ('op', value):
            raise Unreadable('expected %s, found %s' % (value, tok))

    def sub(self, toks):
        reader = Reader(toks, self.subs, self.sign, self.var)
        value = reader.expression()
        if reader.pos != len(toks):
            raise Unreadable('left over: %s' % (toks[reader.pos:],))
        return value

    def expression(self):
        value = self.term_with_sign()
        while self.peek()[0] == 'op' and self.peek()[1] in '+−±∓':
            op = self.take()[1]
            factor = {'+': 1, '−': -1, '±': self.sign, '∓': -self.sign}[op]
            value = value + factor * self.term()
        return value

    def term_with_sign(self):
        tok = self.peek()
        if tok[0] == 'op' and tok[1] in '+−±∓':
            self.take()
            factor = {'+': 1, '−': -1, '±': self.sign, '∓': -self.sign}[tok[1]]
            return factor * self.term()
        return self.term()

    def starts_factor(self):
        tok = self.peek()
        if tok[0] in STARTS:
            return True
        if tok[0] == 'op':
            if tok[1] == '|':
                return not self.in_abs
            return tok[1] in '([√eπ∞½⅓…'
        return False

    def term(self):
        value = self.power()
        while True:
            tok = self.peek()
            if tok == ('op', '/'):
                self.take()
                value = value / self.power()
            elif tok[0] == 'op' and tok[1] in '·×':
                self.take()
                value = value * self.power()
            elif self.starts_factor():
                value = value * self.power()
            else:
                return value

    def power(self):
        tok = self.peek()
        if tok[0] == 'op' and tok[1] in '−':
            self.take()
            return -self.power()
        value = self.postfix(self.atom())
        while self.peek()[0] == 'sup':
            value = value ** self.sub(self.take()[1])
            value = self.postfix(value)
        return value

    def postfix(self, value):
        while True:
            tok = self.peek()
            if tok == ('op', '!'):
                self.take()
                value = sp.factorial(value)
            elif tok == ('op', '°'):
                self.take()
                value = value * sp.pi / 180
            elif tok == ('op', '′') or tok == ('op', '″') or tok == ('op', '‴'):
                self.take()
                value = sp.diff(value, self.var, {'′': 1, '″': 2, '‴': 3}[tok[1]])
            else:
                return value

    def letter(self, name):
        """A letter: a variable, or what stands for it, applied to an argument if one follows.
        A subscript names another variable (x_n, θ_1) or, on a letter standing for a
        function of several variables, its partial derivative (F_x)."""
        if self.peek()[0] == 'sub':
            index = self.peek()[1]
            key = name + '_' + ''.join(str(t[1]) for t in index)
            if key in self.subs:
                self.take()
                return self.subs[key]
            if name in self.subs and len(index) == 1 and index[0][0] == 'sym':
                self.take()
                others = {real(k): v for k, v in self.subs.items() if len(k) == 1 and k != name}
                return sp.diff(self.subs[name], real(index[0][1])).subs(others)
            if name not in self.subs:
                self.take()
                return real(key)
        if name in self.subs:
            standing = sp.sympify(self.subs[name])
            variable = own_variable(standing)
            primes = 0
            while self.peek()[0] == 'op' and self.peek()[1] in '′″‴':
                primes += {'′': 1, '″': 2, '‴': 3}[self.take()[1]]
            # f^{(n)}: the n-th derivative.
            if self.peek()[0] == 'sup' and self.peek()[1][:1] == [('op', '(')] and name in APPLIED:
                primes += int(self.sub(self.take()[1]))
            standing = sp.diff(standing, variable, primes) if primes else standing
            if self.peek() == ('op', '(') and name in APPLIED:
                self.take()
                argument = self.expression()
                self.expect(')')
                return standing.subs(variable, argument)
            return standing
        if name == 'e':
            return sp.E
        if name == 'i':
            return sp.I
        if name == 'O' and self.peek() == ('op', '('):
            self.take()
            argument = self.expression()
            self.expect(')')
            return BigO(argument)
        return real(name)

    def atom(self):
        tok = self.take()
        kind = tok[0]
        if kind == 'num':
            self.decimals = len(tok[1].split('.')[1]) if '.' in tok[1] else 0
            return sp.Rational(tok[1])
        if kind == 'sym':
            return self.letter(tok[1])
        if kind == 'word':
            if tok[1] in self.subs:
                return self.subs[tok[1]]
            return real(tok[1])
        if kind == 'd':
            # A differential: dx counts 1; du, with u standing for an expression, its derivative.
            name = tok[1]
            if name in self.subs:
                return sp.diff(self.subs[name], self.var)
            return sp.Integer(1)
        if kind == 'frac':
            if tok[1] == [('sym', 'd')] and len(tok[2]) == 1 and tok[2][0][0] == 'd':
                variable = real(tok[2][0][1])
                return sp.diff(self.power(), variable)
            if len(tok[1]) == 1 and tok[1][0][0] == 'd' and len(tok[2]) == 1 and tok[2][0][0] == 'd':
                # dy/dx: the derivative of what stands for y.
                name = tok[1][0][1]
                return sp.diff(self.subs.get(name, real(name)), real(tok[2][0][1]))
            return self.sub(tok[1]) / self.sub(tok[2])
        if kind == 'binom':
            return sp.binomial(self.sub(tok[1]), self.sub(tok[2]))
        if kind == 'sqrt':
            return sp.sqrt(self.sub(tok[1]))
        if kind == 'func':
            return self.function(tok[1])
        if kind == 'int':
            return self.integral()
        if kind == 'sum':
            return self.total()
        if kind == 'op':
            op = tok[1]
            if op in CONSTANTS:
                return CONSTANTS[op]
            if op == '(':
                value = self.expression()
                self.expect(')')
                return value
            if op == '[':
                value = self.expression()
                self.expect(']')
                if self.peek()[0] == 'sub' and self.peek(1)[0] == 'sup':
                    low, high = self.sub(self.take()[1]), self.sub(self.take()[1])
                    return value.subs(X, high) - value.subs(X, low)
                return value
            if op == '|':
                self.in_abs += 1
                value = self.expression()
                self.in_abs -= 1
                self.expect('|')
                return sp.Abs(value)
            if op == '√':
                return sp.sqrt(self.power())
            if op == '…':
                return sp.Integer(0)
        raise Unreadable('unexpected %s' % (tok,))

    def argument(self):
        """What a function name applies to: a parenthesised group, |…|, or a run of plain factors."""
        tok = self.peek()
        if tok == ('op', '('):
            self.take()
            value = self.expression()
            self.expect(')')
            return value
        if tok == ('op', '|'):
            return self.atom()
        value = self.postfix(self.atom())
        while self.peek()[0] == 'sup':
            value = value ** self.sub(self.take()[1])
        while self.peek()[0] in ('num', 'sym', 'frac', 'sqrt', 'word') or self.peek() in (('op', 'π'), ('op', '½')):
            factor = self.postfix(self.atom())
            while self.peek()[0] == 'sup':
                factor = factor ** self.sub(self.take()[1])
            value = value * factor
        return value

    def function(self, name):
        exponent = None
        if self.peek()[0] == 'sup':
            exponent = self.sub(self.take()[1])
        if name == 'lim':
            below = self.take()
            if below[0] != 'sub':
                raise Unreadable('lim without a subscript')
            arrow = below[1].index(('op', '→'))
            variable = self.sub(below[1][:arrow])
            point = self.sub(below[1][arrow + 1:])
            body = self.term()
            if point.is_finite:
                right, left = sp.limit(body, variable, point, '+'), sp.limit(body, variable, point, '-')
                if right != left:
                    raise Refuted('no limit at %s: %s from the left, %s from the right' % (point, left, right))
                return right
            return sp.limit(body, variable, point)
        if name == 'log':
            base = self.sub(self.take()[1]) if self.peek()[0] == 'sub' else sp.E
            value = sp.log(self.argument(), base)
        elif name == 'rad':
            return sp.Integer(1)  # the unit: an angle in radians is a plain number
        else:
            value = FUNCTION_MAP[name](self.argument())
        return value ** exponent if exponent is not None else value

    def limits(self):
        if self.peek()[0] == 'sub' and self.peek(1)[0] == 'sup':
            return self.sub(self.take()[1]), self.sub(self.take()[1])
        return None

    def integral(self):
        bounds = self.limits()
        start = self.pos
        integrand = self.term()
        differentials = [tok[1] for tok in self.toks[start:self.pos] if tok[0] == 'd']
        differentials += [t[1] for tok in self.toks[start:self.pos] if tok[0] == 'frac' for t in tok[1]
                          if t[0] == 'd']
        if len(differentials) != 1:
            raise Unreadable('an integral needs one differential')
        name = differentials[0]
        variable = X if name in self.subs or name == 'x' else real(name)
        if bounds:
            return sp.Integral(integrand, (variable, bounds[0], bounds[1]))
        return sp.Integral(integrand, variable)

    def total(self):
        below = self.take()
        above = self.take()
        if below[0] != 'sub' or above[0] != 'sup':
            raise Unreadable('a sum needs its limits')
        equals = below[1].index(('op', '='))
        index = self.sub(below[1][:equals])
        low = self.sub(below[1][equals + 1:])
        return sp.Sum(self.term(), (index, low, self.sub(above[1])))


def split(toks):
    """Top-level sides and the relations between them."""
    sides, relations, current = [], [], []
    for tok in toks:
        if tok[0] == 'op' and tok[1] in RELATIONS:
            sides.append(current)
            relations.append(tok[1])
            current = []
        else:
            current.append(tok)
    sides.append(current)
    return sides, relations


def own_variable(expression):
    """The variable a stand-in is written in: x, or its one other symbol (θ for r(θ))."""
    free = sp.sympify(expression).free_symbols
    if X in free or len(free) != 1:
        return X
    return next(iter(free))


def read(markup, subs, sign=1, var=X):
    """The sides of a statement as SymPy expressions, its relations, and the decimals of each side."""
    sides, relations = split(tokens(markup))
    values, decimals = [], []
    for side in sides:
        reader = Reader(side, subs, sign, var)
        values.append(reader.expression())
        if reader.pos != len(side):
            raise Unreadable('left over: %s' % (side[reader.pos:],))
        decimals.append(reader.decimals)
    return values, relations, decimals


def conditions(where, subs):
    """Printed conditions as SymPy relations ('all x' is none)."""
    if not where or where.replace('\\t{all}', 'all').strip().startswith('all'):
        return []
    sides, relations = split(tokens(where))
    values = [Reader(side, subs).expression() if side else None for side in sides]
    out = []
    for left, relation, right in zip(values, relations, values[1:]):
        if relation == ',':
            continue
        if relation == '∈':
            if right != real('ℤ'):
                raise Unreadable('membership of %s' % right)
            out.append(sp.Eq(sp.floor(left), left))
            continue
        out.append({'<': sp.Lt, '>': sp.Gt, '≤': sp.Le, '≥': sp.Ge, '≠': sp.Ne, '=': sp.Eq}[relation](left, right))
    return out


# --- Checks -------------------------------------------------------------------------------

def instance_subs(claim):
    names = {}
    for name, text in claim.get('subs', {}).items():
        names[name] = parse_expr(text, local_dict=symbols_for(text))
    return names


def symbols_for(text):
    return {name: real(name) for name in 'xyabcnkpqrstuvθαβξ' if name in text} | {
        'opposite': real('opposite'), 'adjacent': real('adjacent')}


def given(claim):
    text = claim.get('given')
    if not text:
        return []
    return [parse_expr(part, local_dict=symbols_for(part)) for part in text.split(',')]


def number(value, complex_values=False):
    """A finite real number, or None (complex, infinite or undefined); with
    complex_values, any finite complex number."""
    try:
        if isinstance(value, sp.Basic):
            value = complex(value.evalf(DIGITS))
        value = mpmath.mpc(mpmath.mpmathify(value))
    except (TypeError, ValueError, ZeroDivisionError):
        return None
    if not mpmath.isfinite(value):
        return None
    if complex_values:
        return value
    if abs(value.imag) > mpmath.mpf('1e-20') * max(1, abs(value.real)):
        return None
    return value.real


def compiled(symbols, expression, complex_values=False):
    """expression as a fast numeric function of the symbols (None where it fails)."""
    # SymPy 1.11 prints coth(x)**2 for mpmath without the parentheses it needs.
    for name, plain in ((sp.coth, sp.tanh), (sp.sech, sp.cosh), (sp.csch, sp.sinh)):
        expression = expression.replace(name, lambda argument, plain=plain: 1 / sp.UnevaluatedExpr(plain(argument)))
    function = sp.lambdify(symbols, expression, modules='mpmath')

    def evaluate(point):
        try:
            return number(function(*point), complex_values)
        except (ZeroDivisionError, ValueError, TypeError, OverflowError):
            return None
    return evaluate


def close(a, b, decimals=None):
    if decimals is not None:
        return abs(a - b) <= 0.5 * mpmath.mpf(10) ** -decimals
    return abs(a - b) <= mpmath.mpf('1e-20') * max(1, abs(a), abs(b))


def bounds_of(symbol, rules):
    """An interval to draw the symbol from: the whole of a bounded range that rules naming
    it alone state (so a range stated too wide is tried to its ends), else [-4, 4]
    narrowed by them."""
    low, high = -mpmath.inf, mpmath.inf
    for rule in rules:
        if rule.free_symbols != {symbol} or isinstance(rule, sp.Ne) or rule.has(sp.floor):
            continue
        try:
            interval = sp.solveset(rule, symbol, sp.S.Reals)
            hull = sp.Interval(interval.inf, interval.sup)
        except Exception:
            continue
        if hull.inf.is_finite:
            low = max(low, float(hull.inf))
        if hull.sup.is_finite:
            high = min(high, float(hull.sup))
    if low == -mpmath.inf and high == mpmath.inf:
        return -4.0, 4.0
    if low == -mpmath.inf:
        return min(-4.0, high - 4), min(4.0, high)
    if high == mpmath.inf:
        return max(-4.0, low), max(4.0, low + 4)
    return float(low), float(high)


def samples(symbols, rules, special, count=40, tries=3000):
    """Points (values in the order of symbols) meeting every rule: random ones,
    and with special, a few with each parameter at each special value."""
    ranges = [bounds_of(s, rules) for s in symbols]
    tests = [sp.lambdify(symbols, rule, modules='mpmath') for rule in rules]
    # Whole numbers (n ∈ ℤ) are drawn whole.
    whole = {i for i, s in enumerate(symbols) if any(rule == sp.Eq(sp.floor(s), s) for rule in rules)}

    def meets(point):
        try:
            return all(bool(test(*point)) for test in tests)
        except (ZeroDivisionError, ValueError, TypeError):
            return False

    def pick(i, low, high):
        if i in whole:
            return mpmath.mpf(random.randint(int(mpmath.ceil(low)), int(mpmath.floor(high))))
        return mpmath.mpf(random.uniform(low, high))

    def draw(fixed):
        return [fixed.get(i, pick(i, low, high)) for i, (low, high) in enumerate(ranges)]

    out = []
    if special:
        for i, s in enumerate(symbols):
            if str(s) not in PARAMETERS:
                continue
            for value in SPECIAL_VALUES:
                found = [p for p in (draw({i: mpmath.mpf(value)}) for _ in range(200)) if meets(p)]
                out += found[:4]
    for attempt in range(tries):
        if len(out) >= count:
            break
        point = draw({})
        if meets(point):
            out.append(point)
    return out


def sides_agree(functions, relations, decimals, point):
    """At a point: the left side real (else the point is outside the formula's domain), then
    every relation holds between real sides."""
    numbers = [f(point) for f in functions]
    if numbers[0] is None:
        return True
    for index, relation in enumerate(relations):
        a, b = numbers[index], numbers[index + 1]
        if a is None or b is None:
            return False
        ok = {'=': lambda: close(a, b), '≈': lambda: close(a, b, decimals[index + 1]), '<': lambda: a < b,
              '>': lambda: a > b, '≤': lambda: a <= b, '≥': lambda: a >= b, '≠': lambda: not close(a, b)}[relation]()
        if not ok:
            return False
    return True


def statement_variants(claim, subs):
    """The statement read once, or with the upper and the lower sign of ± and ∓."""
    markup = claim['statement']
    signs = [1, -1] if ('±' in markup or '∓' in markup) else [1]
    var = real(claim['var']) if 'var' in claim else X
    return [read(markup, subs, sign, var) for sign in signs]


def integrate_through(values, claim):
    """Sides with indefinite integrals: each replaced by its derivative in x, the
    constant C dropped; integrals in another variable are done first and that
    variable put back as the claim's 'then' says."""
    then = {real(k): parse_expr(v, local_dict=symbols_for(v)) for k, v in claim.get('then', {}).items()}
    out = []
    for value in values:
        value = value.subs(real('C'), 0)
        value = value.replace(lambda e: isinstance(e, sp.Integral) and tuple(e.variables) != (X,), lambda e: e.doit())
        out.append(value.subs(then))
    return out


def derivative(value):
    """d/dx of a side, an indefinite integral in x giving back its integrand as it
    stands (SymPy would first try to integrate it)."""
    integrals = [i for i in value.atoms(sp.Integral) if i.limits[0] == (X,)]
    stand_ins = [sp.Function('F%d' % k)(X) for k in range(len(integrals))]
    value = value.xreplace(dict(zip(integrals, stand_ins)))
    value = sp.diff(value, X)
    return value.xreplace({sp.Derivative(f, X): i.function for f, i in zip(stand_ins, integrals)})


def check_identity(claim, subs, special):
    rules = conditions(claim.get('where'), subs) + given(claim)
    variants = statement_variants(claim, subs)
    indefinite = any(len(i.limits[0]) == 1 for v in variants[0][0] for i in v.atoms(sp.Integral))
    # (sides, relations, decimals, and whether the later sides only need to be real)
    prepared = []
    for values, relations, decimals in variants:
        if indefinite:
            antiderivatives = integrate_through(values, claim)
            derivatives = [derivative(v) for v in antiderivatives]
            # Each side's derivative is the integrand, and the antiderivatives are real where it is.
            prepared.append((derivatives, relations, decimals, False))
            prepared.append(([derivatives[0]] + [v for v in antiderivatives[1:] if not v.has(sp.Integral)],
                             relations, decimals, True))
        else:
            values = [v.doit() if v.has(sp.Integral) else v for v in values]
            prepared.append((values, relations, decimals, False))
    symbols = set().union(*(v.free_symbols for entry in prepared for v in entry[0])) - {real('C')}
    for rule in rules:
        symbols |= rule.free_symbols
    symbols = sorted(symbols, key=str)
    points = samples(symbols, rules, special) if symbols else [[]]
    if not points:
        return 'no point meets its conditions'
    prepared = [([compiled(symbols, v, claim.get('complex', False)) for v in values], relations, decimals, real_only)
                for values, relations, decimals, real_only in prepared]

    def named(point):
        return ', '.join('%s = %s' % (s, mpmath.nstr(v, 6)) for s, v in zip(symbols, point))
    for point in points:
        if claim.get('sign') == 'either':
            if not any(sides_agree(functions, relations, decimals, point)
                       for functions, relations, decimals, _ in prepared):
                return 'fails at %s' % named(point)
            continue
        for functions, relations, decimals, real_only in prepared:
            if real_only:
                if functions[0](point) is not None and any(f(point) is None for f in functions[1:]):
                    return 'the antiderivative is not real at %s' % named(point)
            elif not sides_agree(functions, relations, decimals, point):
                return 'fails at %s' % named(point)
    return None


def check_undefined(claim, subs):
    value = read(claim['statement'], subs)[0][0]
    return None if number(value) is None else 'has the value %s' % value


def solved(rules, symbol):
    """The real numbers that meet every rule."""
    out = sp.S.Reals
    for rule in rules:
        out = sp.Intersection(out, sp.solveset(rule, symbol, sp.S.Reals))
    return sp.simplify(out)


def check_range(claim, subs):
    function = read(claim['statement'], subs)[0][0]
    y = real('y')
    domain_rules = conditions(claim['where'], subs)
    domain = solved(domain_rules, X)
    range_rules = conditions(claim['range'], subs)
    stated = solved(range_rules, y)
    actual = function_range(function, X, domain)
    if actual != stated:
        return 'maps %s onto %s, not %s' % (domain, actual, stated)
    # Outside its domain the function is not real.
    outside = sp.Complement(sp.Interval(-6, 6), domain)
    for point in [1.5, -1.5, 0.5, -0.5, 3, -3]:
        if sp.Float(point) in outside and number(function.subs(X, point)) is not None:
            return 'is real at %s, outside its domain' % point
    return None


def check_series(claim, subs):
    """Sum form: its terms are the Taylor terms, and it converges exactly on the printed range."""
    values, _, _ = read(claim['statement'], subs)
    function, total = values
    term, (index, low, high) = total.function, total.limits[0]
    whole = sp.Symbol(str(index), integer=True, nonnegative=True)
    term = term.subs(index, whole)
    index = whole
    partial = sum(term.subs(index, low + k) for k in range(10))
    difference = sp.expand(sp.series(function, X, 0, 9).removeO() - sp.series(partial, X, 0, 9).removeO())
    if sp.simplify(difference) != 0:
        return 'its terms are not the Taylor terms: %s' % difference
    # Ratio test for where it converges inside, then each end point on its own.
    ratio = sp.simplify(sp.combsimp(sp.Abs(term.subs(index, index + 1) / term)))
    limit = sp.limit(ratio, index, sp.oo)
    inside = sp.solveset(limit < 1, X, sp.S.Reals)
    converges = inside
    for end in (inside.inf, inside.sup):
        if end.is_finite:
            try:
                at_end = sp.Sum(sp.simplify(term.subs(X, end)), (index, low, high)).is_convergent()
            except Exception:
                at_end = None  # undecided: the range must leave the end out
            if at_end:
                converges = sp.Union(converges, sp.FiniteSet(end))
    rules = conditions(claim['where'], subs)
    stated = solved(rules, X)
    if stated != converges:
        return 'converges on %s, not on %s' % (converges, stated)
    return None


def check_taylor(claim, subs):
    """A finite expansion ending in …: the difference vanishes at the point of
    expansion to the order printed (about x = a, a is tried at 3/7)."""
    values, _, _ = read(claim['statement'], subs)
    a = real('a')
    point = sp.Rational(3, 7) if a in values[1].free_symbols else 0
    function, expansion = (v.subs(a, point) for v in values)
    if not expansion.is_polynomial(X):
        return 'the expansion is not a polynomial in x'
    difference = function - expansion
    for order in range(sp.degree(expansion, X) + 1):
        if sp.simplify(sp.diff(difference, X, order).subs(X, point)) != 0:
            return 'differs at order %d' % order
    return None


def check_order(claim, subs):
    """f = g + O(x^k) as x → 0: f − g is of the order x^k, neither larger nor smaller
    (a stated order too low hides a better approximation, too high is false)."""
    values, _, _ = read(claim['statement'], subs)
    left, right = values
    orders = list(right.atoms(BigO))
    if len(orders) != 1:
        return 'needs one O( ) term on the right'
    term = orders[0].args[0]
    difference = left - right.subs(orders[0], 0)
    ratio = sp.limit(difference / term, X, 0, '+-')
    if ratio == 0:
        return 'the error is smaller than O(%s)' % term
    if not ratio.is_finite:
        return 'the error is larger than O(%s)' % term
    return None


def precise(value):
    """An exact real value to the checker's working precision (number() goes through a double)."""
    value = sp.N(value, DIGITS)
    if value.is_real is not True or not value.is_finite:
        return None
    return mpmath.mpf(str(value))


def near(a, b, scale=1):
    return abs(a - b) <= mpmath.mpf('1e-15') * max(1, abs(a), abs(b), scale)


def numeric(value):
    """A side's value as a number, integrals done by quadrature where SymPy cannot."""
    return number(sp.N(value, DIGITS))


def check_instances(claim):
    """The formula with stand-ins whose answer is known apart from it (a curve's
    length, a solid's volume, a limit by another route): every side agrees."""
    for instance in claim['instances']:
        named = {k: parse_expr(v, local_dict=symbols_for(v)) for k, v in instance.items()}
        values, _, _ = read(claim['statement'], named)
        numbers = [numeric(v) for v in values]
        if any(n is None for n in numbers) or not all(near(numbers[0], n) for n in numbers[1:]):
            return 'sides differ for %s: %s' % (instance, [mpmath.nstr(n, 12) if n is not None else v
                                                           for n, v in zip(numbers, values)])
    return None


def spread(expression, low, high, count=400):
    """The least and the greatest value of an expression in ξ over [low, high]."""
    xi = real('ξ')
    function = sp.lambdify(xi, expression, modules='mpmath')
    values = [function(low + (high - low) * mpmath.mpf(k) / count) for k in range(count + 1)]
    return min(values), max(values)


def within(value, bounds):
    low, high = bounds
    slack = mpmath.mpf('1e-18') * max(1, abs(low), abs(high))
    return low - slack <= value <= high + slack


# Functions with remainders and errors to check a stated ξ-form against: smooth,
# and for the numerical rules also ones whose error is exactly the stated term.
REMAINDER_CASES = ['exp(x)', 'sin(x) + x**2', 'log(x + 3)']


def check_remainder(claim, subs):
    """Lagrange's remainder: the true remainder of the Taylor polynomial lies between the
    least and greatest value the printed form takes for ξ between a and x."""
    right = split(tokens(claim['statement']))[0][1]
    for text in REMAINDER_CASES:
        f = parse_expr(text, local_dict={'x': X})
        for n in range(4):
            for a, x in ((0, sp.Rational(13, 10)), (sp.Rational(1, 2), sp.Rational(-7, 10)), (sp.Rational(1, 5), 2)):
                taylor = sum(sp.diff(f, X, k).subs(X, a) * (x - a) ** k / sp.factorial(k) for k in range(n + 1))
                remainder = precise(f.subs(X, x) - taylor)
                form = Reader(right, {'f': f, 'n': sp.Integer(n), 'a': a, 'x': x}).expression()
                if not within(remainder, spread(form, *sorted((a, x)))):
                    return 'the remainder of %s after n = %d about %s, at x = %s, is no value of it' % (text, n, a, x)
    return None


# Numerical integration cases: (f, a, b, n). x² and x⁴ have a constant f″ and f⁗,
# so the error term must be exact for them.
RULE_CASES = [('exp(x)', 0, 1, 8), ('sin(x)', 0, 2, 4), ('x**2', -1, 2, 6), ('x**4 - x', 0, 3, 6), ('1/(1 + x)', 0, 1, 12)]


def check_rule(claim, subs):
    """A composite rule: its weights (the pattern its first terms set, continued
    through the …, with its printed last terms), the strip width and the sample
    points as printed; the error, exact minus rule, is a value of the printed error
    term for some ξ in [a, b]."""
    sides, relations = split(tokens(claim['statement']))
    integral, rule = sides
    ending = tokens(claim['ending']) if claim.get('ending') else []
    width = split(tokens(claim['strips'][0]))[0][1]
    point = split(tokens(claim['strips'][1]))[0][1]
    error = split(tokens(claim['error']))[0][0]
    # The rule: a factor, then (…) holding terms c·f_k.
    opening = rule.index(('op', '('))
    body = rule[opening + 1:] + ending
    if body[-1] != ('op', ')'):
        raise Unreadable('a rule ends in )')
    body = body[:-1]
    terms, current = [], []
    for tok in body:
        if tok == ('op', '+'):
            terms.append(current)
            current = []
        else:
            current.append(tok)
    terms.append(current)
    n = real('n')
    low, high = {}, {}
    for term in terms:
        if term == [('op', '…')]:
            continue
        weight = sp.Rational(term[0][1]) if term[0][0] == 'num' else 1
        name, index = term[-2:]
        if name != ('sym', 'f') or index[0] != 'sub':
            raise Unreadable('a rule term is c f_k: %s' % (term,))
        at = Reader(index[1], {}).expression()
        if at.has(n):
            high[int(n - at)] = weight
        else:
            low[int(at)] = weight
    inner = [low[k] for k in sorted(low) if k >= 1]
    period = next(p for p in range(1, len(inner) + 1)
                  if all(inner[k] == inner[k % p] for k in range(len(inner))))
    for text, a, b, count in RULE_CASES:
        f = parse_expr(text, local_dict={'x': X})
        names = {'a': sp.Integer(a), 'b': sp.Integer(b), 'n': sp.Integer(count), 'f': f}
        h = Reader(width, names).expression()
        weights = [inner[(k - 1) % period] for k in range(count + 1)]
        for k, w in low.items():
            weights[k] = w
        for j, w in high.items():
            weights[count - j] = w
        values = [Reader(point, dict(names, k=sp.Integer(k), h=h)).expression() for k in range(count + 1)]
        factor = Reader(rule[:opening], dict(names, h=h)).expression()
        approximation = factor * sum(w * v for w, v in zip(weights, values))
        exact = Reader(integral, names).expression().doit()
        form = Reader(error, dict(names, h=h)).expression()
        if not within(precise(exact - approximation), spread(form, mpmath.mpf(a), mpmath.mpf(b))):
            return 'for %s on [%s, %s], n = %d: the error %s is no value of %s' % (
                text, a, b, count, mpmath.nstr(precise(exact - approximation), 8), form)
    return None


NEWTON_CASES = [('x**3 - 2*x - 5', 2), ('cos(x) - x', 1), ('exp(x) - 3', 1), ('x**2 - 2', 3)]


def check_newton(claim, subs):
    """The printed step, iterated from a start near a simple root, reaches the root and
    at least doubles the correct digits at each step near it."""
    right = split(tokens(claim['statement']))[0][1]
    current = real('x_n')
    for text, start in NEWTON_CASES:
        f = parse_expr(text, local_dict={'x': X})
        step = sp.lambdify(current, Reader(right, {'f': f}).expression(), modules='mpmath')
        points = [mpmath.mpf(start)]
        for _ in range(12):
            points.append(step(points[-1]))
        root = points[-1]
        if number(f.subs(X, root)) is None or abs(number(f.subs(X, root))) > mpmath.mpf('1e-25'):
            return 'from %s it does not reach a root of %s' % (start, text)
        errors = [abs(p - root) for p in points]
        for before, after in zip(errors, errors[1:]):
            if mpmath.mpf('1e-12') < before < mpmath.mpf('1e-2') and after > 10 * before ** 2:
                return 'for %s it converges only linearly (%s after %s)' % (text, mpmath.nstr(after, 3),
                                                                             mpmath.nstr(before, 3))
    return None


def check(claim):
    try:
        return check_kind(claim)
    except Refuted as error:
        return str(error)


def check_kind(claim):
    subs = instance_subs(claim)
    markup = claim['statement']
    if claim.get('kind') == 'range':
        return check_range(claim, subs)
    if claim.get('kind') == 'undefined':
        return check_undefined(claim, subs)
    if claim.get('kind') == 'series':
        return check_series(claim, subs)
    kinds = {'order': check_order, 'remainder': check_remainder, 'rule': check_rule, 'newton': check_newton}
    if claim.get('kind') in kinds:
        return kinds[claim['kind']](claim, subs)
    if '…' in markup:
        return check_taylor(claim, subs)
    if claim.get('instances'):
        return check_instances(claim)
    special = '\\int' in markup or '\\frac{d}' in markup
    return check_identity(claim, subs, special)


def main():
    verbose = '-v' in sys.argv
    random.seed(20240611)
    mpmath.mp.dps = DIGITS
    sheet.build()
    failures = 0
    for claim in sheet.CLAIMS:
        began = time.time()
        try:
            problem = check(claim)
        except Unreadable as error:
            problem = 'cannot be read: %s' % error
        label = claim['statement'] + ('  (%s)' % claim['where'] if claim.get('where') else '')
        if problem:
            failures += 1
            print('FAIL [%s] %s: %s' % (claim['section'], label, problem))
        elif verbose:
            print('ok   [%s] %s %.2fs' % (claim['section'], label, time.time() - began), flush=True)
    print('%d of %d formulas proved' % (len(sheet.CLAIMS) - failures, len(sheet.CLAIMS)))
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
