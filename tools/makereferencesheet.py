#!/usr/bin/env python3
"""Writes the trigonometric/calculus reference sheet, resources/reference/sheet.svg.

The formulas below are the reviewed content; this script only typesets them.
Every piece of text is placed at an explicit position computed from the
advance widths of the DejaVu fonts the sheet names, so the picture lays out
the same wherever those fonts are installed (Debian: fonts-dejavu-core).

Formula markup, a small subset of TeX:
  ^{...} superscript    _{...} subscript    \\frac{num}{den}    \\sqrt{...}
  \\t{...} upright text  \\int a larger integral sign
Single Latin and Greek letters are set in italic as variables; function names
(sin, ln, arctan, ...), the digits, e and pi stay upright; "dx" is an upright d
and an italic x.

Usage: tools/makereferencesheet.py [output.svg]
"""

import os
import struct
import sys

WIDTH = 400
HEIGHT = 2052
MARGIN = 10
FONT_DIR = '/usr/share/fonts/truetype/dejavu/'

SERIF = 'DejaVu Serif'
SANS = 'DejaVu Sans'
FONT_FILES = {
    (SERIF, False, False): 'DejaVuSerif.ttf',
    (SERIF, True, False): 'DejaVuSerif-Italic.ttf',
    (SERIF, False, True): 'DejaVuSerif-Bold.ttf',
    (SANS, False, False): 'DejaVuSans.ttf',
    (SANS, True, False): 'DejaVuSans-Oblique.ttf',
    (SANS, False, True): 'DejaVuSans-Bold.ttf',
}

MATH_SIZE = 12.5
NOTE_SIZE = 10.5
HEADING_SIZE = 12.5
SCRIPT_SCALE = 0.72


# --- Font metrics ---------------------------------------------------------------

class FontFile:
    """Advance widths of a TrueType font, enough to measure a line of text."""

    def __init__(self, path):
        data = open(path, 'rb').read()
        count = struct.unpack('>H', data[4:6])[0]
        tables = {}
        for i in range(count):
            tag, _, offset, length = struct.unpack('>4sIII', data[12 + 16 * i:28 + 16 * i])
            tables[tag.decode()] = offset
        self.units = struct.unpack('>H', data[tables['head'] + 18:tables['head'] + 20])[0]
        metrics = struct.unpack('>H', data[tables['hhea'] + 34:tables['hhea'] + 36])[0]
        hmtx = tables['hmtx']
        self.advances = [struct.unpack('>H', data[hmtx + 4 * i:hmtx + 4 * i + 2])[0] for i in range(metrics)]
        self.glyphs = self._read_cmap(data, tables['cmap'])

    @staticmethod
    def _read_cmap(data, cmap):
        subtables = struct.unpack('>H', data[cmap + 2:cmap + 4])[0]
        best = None
        for i in range(subtables):
            _, _, offset = struct.unpack('>HHI', data[cmap + 4 + 8 * i:cmap + 12 + 8 * i])
            form = struct.unpack('>H', data[cmap + offset:cmap + offset + 2])[0]
            if form == 12 or (form == 4 and best is None):
                best = cmap + offset
        glyphs = {}
        form = struct.unpack('>H', data[best:best + 2])[0]
        if form == 12:
            groups = struct.unpack('>I', data[best + 12:best + 16])[0]
            for i in range(groups):
                start, end, glyph = struct.unpack('>III', data[best + 16 + 12 * i:best + 28 + 12 * i])
                for code in range(start, end + 1):
                    glyphs[code] = glyph + code - start
            return glyphs
        seg2 = struct.unpack('>H', data[best + 6:best + 8])[0]
        seg = seg2 // 2
        ends = struct.unpack('>%dH' % seg, data[best + 14:best + 14 + seg2])
        starts = struct.unpack('>%dH' % seg, data[best + 16 + seg2:best + 16 + 2 * seg2])
        deltas = struct.unpack('>%dh' % seg, data[best + 16 + 2 * seg2:best + 16 + 3 * seg2])
        ranges = best + 16 + 3 * seg2
        offsets = struct.unpack('>%dH' % seg, data[ranges:ranges + seg2])
        for s in range(seg):
            for code in range(starts[s], ends[s] + 1):
                if offsets[s] == 0:
                    glyph = (code + deltas[s]) & 0xFFFF
                else:
                    at = ranges + 2 * s + offsets[s] + 2 * (code - starts[s])
                    glyph = struct.unpack('>H', data[at:at + 2])[0]
                    glyph = (glyph + deltas[s]) & 0xFFFF if glyph else 0
                if glyph and code != 0xFFFF:
                    glyphs[code] = glyph
        return glyphs

    def width(self, text, size):
        total = 0
        for ch in text:
            glyph = self.glyphs.get(ord(ch))
            if glyph is None:
                raise SystemExit('no glyph for %r (U+%04X)' % (ch, ord(ch)))
            total += self.advances[min(glyph, len(self.advances) - 1)]
        return total * size / self.units


_fonts = {}


def font(family, italic, bold):
    key = (family, italic, bold)
    if key not in _fonts:
        _fonts[key] = FontFile(os.path.join(FONT_DIR, FONT_FILES[key]))
    return _fonts[key]


def esc(text):
    return text.replace('&', '&amp;').replace('<', '&lt;').replace('>', '&gt;')


def num(value):
    text = ('%.2f' % value).rstrip('0').rstrip('.')
    return '0' if text == '-0' else text


# --- Boxes ------------------------------------------------------------------------
# Every box knows its width, its height above the baseline (ascent) and below it
# (descent), and draws itself with its baseline's left end at (x, y).

SHORT = set('acemnorsuvwxzαγπ·+−-=≈<>∓±×,.:; ')
DEEP = set('gjpqyβγφ()[]|,;∫')


class Text:
    def __init__(self, text, size=MATH_SIZE, family=SERIF, italic=False, bold=False):
        self.text, self.size, self.family, self.italic, self.bold = text, size, family, italic, bold
        self.width = font(family, italic, bold).width(text, size)
        # Ink extent: short letters sit lower than capitals, and only some
        # characters reach below the baseline.
        tall = any(not (ch in SHORT or ch.isspace()) for ch in text)
        deep = any(ch in DEEP for ch in text)
        self.ascent = (0.76 if tall else 0.56) * size
        self.descent = (0.24 if deep else 0.04) * size

    def draw(self, x, y):
        # Leading spaces only move the start; each run is placed on its own.
        stripped = self.text.lstrip(' ')
        x += font(self.family, self.italic, self.bold).width(self.text[:len(self.text) - len(stripped)],
                                                               self.size)
        stripped = stripped.rstrip(' ')
        if not stripped:
            return []
        attrs = 'x="%s" y="%s"' % (num(x), num(y))
        if self.family != SERIF:
            attrs += ' font-family="%s"' % self.family
        if self.size != MATH_SIZE:
            attrs += ' font-size="%s"' % num(self.size)
        if self.italic:
            attrs += ' font-style="italic"'
        if self.bold:
            attrs += ' font-weight="bold"'
        return ['<text %s>%s</text>' % (attrs, esc(stripped))]


class Space:
    def __init__(self, width):
        self.width, self.ascent, self.descent = width, 0, 0

    def draw(self, x, y):
        return []


class Row:
    def __init__(self, items):
        self.items = items
        self.width = sum(item.width for item in items)
        self.ascent = max([item.ascent for item in items] + [0])
        self.descent = max([item.descent for item in items] + [0])

    def draw(self, x, y):
        out = []
        for item in self.items:
            out += item.draw(x, y)
            x += item.width
        return out


def bar(x, y, width, height=1.0):
    return '<rect x="%s" y="%s" width="%s" height="%s"/>' % (num(x), num(y), num(width), num(height))


class Frac:
    """A built-up fraction: numerator over a bar on the math axis over denominator."""
    GAP = 2.0
    PAD = 1.5

    def __init__(self, numerator, denominator, size):
        self.top, self.bottom, self.size = numerator, denominator, size
        self.inner = max(numerator.width, denominator.width) + 2 * self.PAD
        self.width = self.inner + 2.5
        self.axis = 0.30 * size
        # A radical's own bar under the fraction bar needs more room to read as two.
        self.gap_below = self.GAP + (1.5 if has_radical(denominator) else 0)
        self.ascent = self.axis + self.GAP + numerator.descent + numerator.ascent
        self.descent = -self.axis + self.gap_below + denominator.ascent + denominator.descent + 1

    def draw(self, x, y):
        x += 1.25
        bar_y = round(y - self.axis)
        out = [bar(x, bar_y, self.inner)]
        out += self.top.draw(x + (self.inner - self.top.width) / 2, bar_y - self.GAP - self.top.descent)
        out += self.bottom.draw(x + (self.inner - self.bottom.width) / 2,
                                bar_y + 1 + self.gap_below + self.bottom.ascent)
        return out


class Sqrt:
    """A radical sign drawn as a stroke, with its bar over the whole radicand."""

    def __init__(self, body, size):
        self.body, self.size = body, size
        self.sign = 0.62 * size
        self.lead = 1.0
        self.width = self.lead + self.sign + body.width + 2
        self.ascent = body.ascent + 3.2
        self.descent = max(body.descent, 0.12 * size) + 0.5

    def draw(self, x, y):
        x += self.lead
        top = y - self.ascent + 0.6
        bottom = y + self.descent - 0.6
        knee = y - 0.42 * self.size + (bottom - y) * 0.2
        path = 'M%s,%s L%s,%s L%s,%s L%s,%s L%s,%s' % (
            num(x + 0.5), num(knee + 1.2), num(x + 0.22 * self.sign), num(knee),
            num(x + 0.5 * self.sign), num(bottom), num(x + self.sign), num(top),
            num(x + self.width - self.lead - 0.5), num(top))
        out = ['<path d="%s" fill="none" stroke="#000" stroke-width="0.9" stroke-linejoin="miter"/>' % path]
        return out + self.body.draw(x + self.sign + 1, y)


def has_radical(box):
    return isinstance(box, Sqrt) or any(isinstance(item, Sqrt) for item in getattr(box, 'items', []))


class Script:
    """A superscript or subscript: smaller, raised or lowered."""

    def __init__(self, body, size, raise_by):
        self.body, self.raise_by = body, raise_by
        self.width = body.width + 0.6
        self.ascent = max(0, body.ascent + raise_by)
        self.descent = max(0, body.descent - raise_by)

    def draw(self, x, y):
        return self.body.draw(x + 0.3, y - self.raise_by)


class Stacked:
    """A subscript and a superscript at the same place, as integration limits."""

    def __init__(self, first, second):
        self.parts = (first, second)
        self.width = max(first.width, second.width)
        self.ascent = max(first.ascent, second.ascent)
        self.descent = max(first.descent, second.descent)

    def draw(self, x, y):
        return self.parts[0].draw(x, y) + self.parts[1].draw(x, y)


# --- Formula markup ----------------------------------------------------------------

FUNCTIONS = ['arcsin', 'arccos', 'arctan', 'arccot', 'arcsec', 'arccsc', 'sin', 'cos', 'tan', 'cot', 'sec',
             'csc', 'ln', 'log', 'rad', 'lim']
VARIABLE_LETTERS = set('abcdfghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZθαβγφ')
UPRIGHT_LETTERS = set('eπ')


def parse_group(src, i):
    """The text of a {...} group starting at src[i] == '{'; returns (text, next index)."""
    assert src[i] == '{', src
    depth, j = 0, i
    while True:
        if src[j] == '{':
            depth += 1
        elif src[j] == '}':
            depth -= 1
            if depth == 0:
                return src[i + 1:j], j + 1
        j += 1


def math(src, size=MATH_SIZE):
    """Typesets formula markup into a Row."""
    items = []
    run = {'text': '', 'italic': None}

    def flush():
        if run['text']:
            items.append(Text(run['text'], size, italic=run['italic']))
        run['text'], run['italic'] = '', None

    def put(text, italic):
        if run['italic'] is not None and run['italic'] != italic and run['text'].strip():
            flush()
        if run['italic'] is None or not run['text'].strip():
            run['italic'] = italic
        run['text'] += text

    i = 0
    while i < len(src):
        ch = src[i]
        if ch in '^_':
            flush()
            body, i = parse_group(src, i + 1)
            small = size * SCRIPT_SCALE
            script = Script(math(body, small), small, 0.40 * size if ch == '^' else -0.22 * size)
            if i < len(src) and src[i] in '^_' and src[i] != ch:
                # Both limits: set one above the other.
                other, i = parse_group(src, i + 1)
                second = Script(math(other, small), small, 0.40 * size if ch == '_' else -0.22 * size)
                script = Stacked(script, second)
            items.append(script)
            continue
        if ch == '\\':
            j = i + 1
            while j < len(src) and src[j].isalpha():
                j += 1
            command = src[i + 1:j]
            flush()
            if command == 'frac':
                top, j = parse_group(src, j)
                bottom, j = parse_group(src, j)
                items.append(Frac(math(top, size), math(bottom, size), size))
            elif command == 'sqrt':
                body, j = parse_group(src, j)
                items.append(Sqrt(math(body, size), size))
            elif command == 't':
                body, j = parse_group(src, j)
                items.append(Text(body, size))
            elif command == 'int':
                # A larger integral sign with a little room after it.
                items.append(Text('∫', size * 1.3))
                items.append(Space(0.12 * size))
                while j < len(src) and src[j] == ' ':
                    j += 1
            else:
                raise SystemExit('unknown command \\' + command)
            i = j
            continue
        if ch.isalpha():
            j = i
            while j < len(src) and src[j].isalpha() and src[j] not in 'θαβγφπ':
                j += 1
            word = src[i:j] if j > i else ch
            j = max(j, i + 1)
            if word in FUNCTIONS:
                put(word, False)
            elif word in ('dx', 'du', 'dv', 'dθ'):
                put('d', False)
                put(word[1], True)
            elif len(word) == 1:
                put(word, word in VARIABLE_LETTERS and word not in UPRIGHT_LETTERS)
            else:
                # A run of letters that is no function name: split into variables,
                # so "ab" is the product a·b, unless it names a function inside.
                k = 0
                while k < len(word):
                    name = next((f for f in FUNCTIONS if word.startswith(f, k)), None)
                    if name:
                        put(name, False)
                        k += len(name)
                    else:
                        put(word[k], word[k] in VARIABLE_LETTERS and word[k] not in UPRIGHT_LETTERS)
                        k += 1
            i = j
            continue
        put('−' if ch == '-' else ch, False)
        i += 1
    flush()
    return Row(items)


def seq(*boxes):
    return Row(list(boxes))


def note(text, size=NOTE_SIZE, italic=False):
    return Text(text, size, SANS, italic=italic)


# --- Page -------------------------------------------------------------------------

class Page:
    """Blocks stacked down the sheet; the height left over is shared among the gaps."""

    def __init__(self):
        self.blocks = []  # (gap before, height, elements)

    def add(self, elements, height, gap_before):
        self.blocks.append((gap_before, height, elements))

    def render(self):
        natural = sum(gap + height for gap, height, _ in self.blocks) + MARGIN
        stretchable = sum(gap for gap, _, _ in self.blocks[1:])
        spare = HEIGHT - natural
        if spare < 0:
            raise SystemExit('the sheet overflows by %.1f px' % -spare)
        factor = 1 + spare / stretchable
        y, out = 0.0, []
        for index, (gap, height, elements) in enumerate(self.blocks):
            y += gap if index == 0 else gap * factor
            shift = round(y)
            out.append('<g transform="translate(0,%d)">' % shift)
            out += ['  ' + e for e in elements]
            out.append('</g>')
            y += height
        sys.stderr.write('natural height %.1f, spare %.1f\n' % (natural, spare))
        return out


def heading(page, title):
    # A black band with the section title in white, the full width of the sheet.
    elements = [
        '<rect x="%d" y="0" width="%d" height="17"/>' % (MARGIN - 4, WIDTH - 2 * MARGIN + 8),
        '<text x="%d" y="13" font-family="%s" font-size="%s" font-weight="bold" fill="#fff">%s</text>' % (
            MARGIN, SANS, num(HEADING_SIZE), esc(title)),
    ]
    page.add(elements, 17, 7)


def lines(page, rows, leading=5, gap_before=5):
    """Rows of formulas. Each row is a list of (x, box); x < 0 right-aligns to -x."""
    elements, y = [], 0.0
    for index, row in enumerate(rows):
        ascent = max(box.ascent for _, box in row)
        descent = max(box.descent for _, box in row)
        y += ascent if index == 0 else ascent + leading
        base = round(y)
        for x, box in row:
            elements += box.draw(x if x >= 0 else -x - box.width, base)
        y = base + descent
    page.add(elements, y, gap_before)


def eq(left, right, column):
    """left = right with the equals sign at column, so a group of them lines up."""
    return [(-(column - 4), math(left)), (column, math('= ' + right))]


# --- Figures ------------------------------------------------------------------------

def right_triangle():
    # Angle θ at the lower left, the right angle at the lower right.
    ax, ay, bx, by, cx, cy = 12, 84, 106, 84, 106, 10
    stroke = 'fill="none" stroke="#000" stroke-width="1.3" stroke-linejoin="round"'
    out = [
        '<path d="M%d,%d L%d,%d L%d,%d Z" %s/>' % (ax, ay, bx, by, cx, cy, stroke),
        '<path d="M%d,%d L%d,%d L%d,%d" fill="none" stroke="#000" stroke-width="0.9"/>' % (
            bx - 9, by, bx - 9, by - 9, bx, by - 9),
        # Arc for θ, radius 22, from the base up to the hypotenuse.
        '<path d="M%d,%d A22,22 0 0,0 %s,%s" fill="none" stroke="#000" stroke-width="0.9"/>' % (
            ax + 22, ay, num(ax + 22 * 0.786), num(ay - 22 * 0.618)),
    ]
    out += Text('θ', 12.5, italic=True).draw(ax + 25, ay - 3)
    # Side labels: the hypotenuse along its slope, the others beside their sides.
    label = 'font-family="%s" font-size="10.5" text-anchor="middle"' % SANS
    out.append('<text x="0" y="0" %s transform="translate(%s,%s) rotate(-38.2)">hypotenuse</text>' % (
        label, num((ax + cx) / 2 - 4), num((ay + cy) / 2 - 5)))
    out.append('<text x="%s" y="%d" %s>adjacent</text>' % (num((ax + bx) / 2), by + 13, label))
    out.append('<text x="0" y="0" %s transform="translate(%d,%s) rotate(90)">opposite</text>' % (
        label, bx + 4, num((by + cy) / 2)))
    return out


def oblique_triangle(x0, y0):
    # Vertices A (lower left), B (lower right), C (top); side a faces A, and so on.
    a = (x0 + 8, y0 + 92)
    b = (x0 + 150, y0 + 92)
    c = (x0 + 102, y0 + 12)
    stroke = 'fill="none" stroke="#000" stroke-width="1.4" stroke-linejoin="round"'
    out = ['<path d="M%d,%d L%d,%d L%d,%d Z" %s/>' % (a + b + c + (stroke,))]
    out += Text('A', 13, italic=True).draw(a[0] - 12, a[1] + 4)
    out += Text('B', 13, italic=True).draw(b[0] + 3, b[1] + 4)
    out += Text('C', 13, italic=True).draw(c[0] - 4, c[1] - 4)
    out += Text('a', 13, italic=True).draw((b[0] + c[0]) / 2 + 5, (b[1] + c[1]) / 2 + 2)
    out += Text('b', 13, italic=True).draw((a[0] + c[0]) / 2 - 11, (a[1] + c[1]) / 2 + 2)
    out += Text('c', 13, italic=True).draw((a[0] + b[0]) / 2 - 3, a[1] + 14)
    return out


# --- The sheet ------------------------------------------------------------------------

def build():
    page = Page()

    title = Text('Trigonometric / Calculus Reference', 15, SANS, bold=True)
    page.add(title.draw((WIDTH - title.width) / 2, 17), 21, 8)

    # Right triangle: the figure, then the six ratios in two columns beside it.
    heading(page, 'Right-triangle definitions')
    figure = right_triangle()
    columns = [
        (160, [('sin θ', r'\frac{\t{opposite}}{\t{hypotenuse}}'),
               ('cos θ', r'\frac{\t{adjacent}}{\t{hypotenuse}}'),
               ('tan θ', r'\frac{\t{opposite}}{\t{adjacent}}')]),
        (297, [('csc θ', r'\frac{\t{hypotenuse}}{\t{opposite}}'),
               ('sec θ', r'\frac{\t{hypotenuse}}{\t{adjacent}}'),
               ('cot θ', r'\frac{\t{adjacent}}{\t{opposite}}')]),
    ]
    for column, defs in columns:
        for index, (left, right) in enumerate(defs):
            for x, box in eq(left, right, column):
                figure += box.draw(x if x >= 0 else -x - box.width, 20 + 35 * index)
    figure += note('θ is an acute angle; the sides are named as seen from θ.').draw(MARGIN, 118)
    page.add(figure, 121, 5)

    heading(page, 'Reciprocal and Pythagorean identities')
    lines(page, [
        [(MARGIN, math(r'csc θ = \frac{1}{sin θ}')), (137, math(r'sec θ = \frac{1}{cos θ}')),
         (264, math(r'cot θ = \frac{1}{tan θ}'))],
        [(MARGIN, math(r'tan θ = \frac{sin θ}{cos θ}')), (137, math(r'cot θ = \frac{cos θ}{sin θ}'))],
        [(MARGIN, math('sin^{2}θ + cos^{2}θ = 1')), (137, math('1 + tan^{2}θ = sec^{2}θ')),
         (264, math('1 + cot^{2}θ = csc^{2}θ'))],
        [(MARGIN, math('sin(-θ) = -sin θ')), (137, math('cos(-θ) = cos θ')), (264, math('tan(-θ) = -tan θ'))],
    ], leading=6)

    heading(page, 'Sum and difference')
    lines(page, [
        eq('sin(α ± β)', 'sin α cos β ± cos α sin β', 82),
        eq('cos(α ± β)', 'cos α cos β ∓ sin α sin β', 82),
        eq('tan(α ± β)', r'\frac{tan α ± tan β}{1 ∓ tan α tan β}', 82),
    ])

    heading(page, 'Double angle, half angle and power reduction')
    lines(page, [
        eq('sin 2θ', '2 sin θ cos θ', 82),
        eq('cos 2θ', 'cos^{2}θ - sin^{2}θ = 2 cos^{2}θ - 1 = 1 - 2 sin^{2}θ', 82),
        eq('tan 2θ', r'\frac{2 tan θ}{1 - tan^{2}θ}', 82),
        eq('sin(θ/2)', r'±\sqrt{\frac{1 - cos θ}{2}}', 82),
        eq('cos(θ/2)', r'±\sqrt{\frac{1 + cos θ}{2}}', 82),
        eq('tan(θ/2)', r'\frac{1 - cos θ}{sin θ} = \frac{sin θ}{1 + cos θ}', 82),
        [(MARGIN, note('Half angle: take the sign of the function in the quadrant of θ/2.'))],
        [(MARGIN, math(r'sin^{2}θ = \frac{1 - cos 2θ}{2}')), (200, math(r'cos^{2}θ = \frac{1 + cos 2θ}{2}'))],
    ])

    heading(page, 'Product to sum')
    lines(page, [
        eq('sin α sin β', r'½[cos(α - β) - cos(α + β)]', 98),
        eq('cos α cos β', r'½[cos(α - β) + cos(α + β)]', 98),
        eq('sin α cos β', r'½[sin(α + β) + sin(α - β)]', 98),
    ])

    heading(page, 'Laws of sines and cosines (any triangle)')
    laws = oblique_triangle(MARGIN + 2, 0)
    rows = [
        (28, math(r'\frac{a}{sin A} = \frac{b}{sin B} = \frac{c}{sin C}')),
        (57, math('a^{2} = b^{2} + c^{2} - 2bc cos A')),
        (78, math('b^{2} = a^{2} + c^{2} - 2ac cos B')),
        (99, math('c^{2} = a^{2} + b^{2} - 2ab cos C')),
        (125, math(r'\t{Area} = \frac{1}{2}ab sin C')),
    ]
    for y, box in rows:
        laws += box.draw(190, y)
    laws += note('Side a faces angle A, and so on.').draw(MARGIN, 125)
    page.add(laws, 131, 5)

    heading(page, 'Degrees and radians')
    lines(page, [
        [(MARGIN, math('π rad = 180°')),
         (192, seq(note('arc length '), math('s = rθ'), note('  (θ in rad)')))],
        [(MARGIN, math(r'1 rad = \frac{180°}{π} ≈ 57.2958°')),
         (192, math(r'1° = \frac{π}{180} rad ≈ 0.0174533 rad'))],
    ])

    heading(page, 'Exact values')
    page.add(*exact_table(), 5)

    heading(page, 'Derivatives (x in radians; a > 0, a ≠ 1)')
    page.add(*derivative_table(), 5)

    heading(page, 'Integrals (C: constant of integration; a > 0)')
    integrals = [
        [(MARGIN, math(r'\int x^{n} dx = \frac{x^{n+1}}{n + 1} + C')), (250, math('(n ≠ -1)'))],
        [(MARGIN, math(r'\int \frac{1}{x} dx = ln|x| + C')), (200, math(r'\int ln x dx = x ln x - x + C'))],
        [(MARGIN, math(r'\int e^{x} dx = e^{x} + C')), (200, math(r'\int a^{x} dx = \frac{a^{x}}{ln a} + C'))],
        [(MARGIN, math(r'\int sin x dx = -cos x + C')), (200, math(r'\int cos x dx = sin x + C'))],
        [(MARGIN, math(r'\int tan x dx = -ln|cos x| + C')), (200, math(r'\int cot x dx = ln|sin x| + C'))],
        [(MARGIN, math(r'\int sec x dx = ln|sec x + tan x| + C'))],
        [(MARGIN, math(r'\int csc x dx = -ln|csc x + cot x| + C'))],
        [(MARGIN, math(r'\int sec^{2}x dx = tan x + C')), (200, math(r'\int csc^{2}x dx = -cot x + C'))],
        [(MARGIN, math(r'\int sec x tan x dx = sec x + C')),
         (200, math(r'\int csc x cot x dx = -csc x + C'))],
        [(MARGIN, math(r'\int \frac{dx}{\sqrt{a^{2} - x^{2}}} = arcsin \frac{x}{a} + C')),
         (250, math('(|x| < a)'))],
        [(MARGIN, math(r'\int \frac{dx}{a^{2} + x^{2}} = \frac{1}{a} arctan \frac{x}{a} + C'))],
        [(MARGIN, math(r'\int \frac{dx}{x\sqrt{x^{2} - a^{2}}} = \frac{1}{a} arcsec \frac{|x|}{a} + C')),
         (250, math('(|x| > a)'))],
        [(MARGIN, math(r'\int arcsin x dx = x arcsin x + \sqrt{1 - x^{2}} + C'))],
        [(MARGIN, math(r'\int arccos x dx = x arccos x - \sqrt{1 - x^{2}} + C'))],
        [(MARGIN, math(r'\int arctan x dx = x arctan x - \frac{1}{2} ln(1 + x^{2}) + C'))],
        [(MARGIN, math(r'\int arccot x dx = x arccot x + \frac{1}{2} ln(1 + x^{2}) + C'))],
        [(MARGIN, math(r'\int arcsec x dx = x arcsec x - ln(|x| + \sqrt{x^{2} - 1}) + C'))],
        [(MARGIN, math(r'\int arccsc x dx = x arccsc x + ln(|x| + \sqrt{x^{2} - 1}) + C'))],
    ]
    lines(page, integrals, leading=4)

    heading(page, 'Integration by parts')
    lines(page, [
        [(MARGIN, math(r'\int u dv = uv - \int v du'))],
        [(MARGIN, math(r'\int _{a}^{b}u dv = [uv]_{a}^{b} - \int _{a}^{b}v du'))],
        [(MARGIN, note('Rule of thumb: let u be the factor that comes first in'))],
        [(MARGIN, note('logarithm, inverse trig, power, trig, exponential.'))],
        [(MARGIN, seq(note('Example, with '), math('u = x, dv = e^{x} dx'), note(':')))],
        [(MARGIN, math(r'\int x e^{x} dx = x e^{x} - \int e^{x} dx = (x - 1) e^{x} + C'))],
    ])
    return page


def table_rule(x, y, width):
    return bar(x, y, width, 1.0)


def exact_table():
    """θ in degrees and radians across the top, sin, cos and tan below."""
    label_w = 54
    col_w = (WIDTH - 2 * MARGIN - label_w) / 5
    rows = [
        ('θ (degrees)', ['0°', '30°', '45°', '60°', '90°']),
        ('θ (radians)', ['0', r'\frac{π}{6}', r'\frac{π}{4}', r'\frac{π}{3}', r'\frac{π}{2}']),
        ('sin θ', ['0', r'\frac{1}{2}', r'\frac{\sqrt{2}}{2}', r'\frac{\sqrt{3}}{2}', '1']),
        ('cos θ', ['1', r'\frac{\sqrt{3}}{2}', r'\frac{\sqrt{2}}{2}', r'\frac{1}{2}', '0']),
        ('tan θ', ['0', r'\frac{\sqrt{3}}{3}', '1', r'\sqrt{3}', r'\t{undefined}']),
    ]
    out = [table_rule(MARGIN, 0, WIDTH - 2 * MARGIN)]
    y = 0.0
    for index, (label, cells) in enumerate(rows):
        boxes = [math(cell) for cell in cells]
        ascent = max(b.ascent for b in boxes)
        descent = max(b.descent for b in boxes)
        height = max(ascent + descent + 5, 20)
        base = round(y + (height - ascent - descent) / 2 + ascent)
        lbl = note(label, 10.5) if index < 2 else math(label)
        out += lbl.draw(MARGIN + 2, base)
        for col, box in enumerate(boxes):
            cx = MARGIN + label_w + col_w * (col + 0.5)
            out += box.draw(cx - box.width / 2, base)
        y += height
        if index == 1 or index == len(rows) - 1:
            out.append(table_rule(MARGIN, y, WIDTH - 2 * MARGIN))
    return out, y + 1


def derivative_table():
    """Two tables side by side: function | derivative."""
    left = [
        ('x^{n}', 'nx^{n-1}'),
        ('e^{x}', 'e^{x}'),
        ('a^{x}', 'a^{x} ln a'),
        ('ln x', r'\frac{1}{x}'),
        ('log_{a} x', r'\frac{1}{x ln a}'),
        ('sin x', 'cos x'),
        ('cos x', '-sin x'),
        ('tan x', 'sec^{2}x'),
        ('cot x', '-csc^{2}x'),
        ('sec x', 'sec x tan x'),
        ('csc x', '-csc x cot x'),
    ]
    right = [
        ('arcsin x', r'\frac{1}{\sqrt{1 - x^{2}}}'),
        ('arccos x', r'\frac{-1}{\sqrt{1 - x^{2}}}'),
        ('arctan x', r'\frac{1}{1 + x^{2}}'),
        ('arccot x', r'\frac{-1}{1 + x^{2}}'),
        ('arcsec x', r'\frac{1}{|x|\sqrt{x^{2} - 1}}'),
        ('arccsc x', r'\frac{-1}{|x|\sqrt{x^{2} - 1}}'),
    ]
    out = []
    heights = []
    for x0, col, entries, width in ((MARGIN, 62, left, 175), (200, 66, right, 190)):
        out.append(table_rule(x0, 0, width))
        y = 0.0
        header = [(x0 + 2, math('f(x)')), (x0 + col, math('f′(x)'))]
        ascent = max(b.ascent for _, b in header)
        base = round(y + 3 + ascent)
        for x, box in header:
            out += box.draw(x, base)
        y = base + 5
        out.append(table_rule(x0, y, width))
        y += 1
        for f, d in entries:
            fb, db = math(f), math(d)
            # Plain rows share one height and baseline; fractions make a row taller.
            ascent = max(fb.ascent, db.ascent, 0.96 * MATH_SIZE)
            descent = max(fb.descent, db.descent, 0.24 * MATH_SIZE)
            height = float(int(ascent + descent + 4))
            base = round(y + (height - ascent - descent) / 2 + ascent)
            out += fb.draw(x0 + 2, base)
            out += db.draw(x0 + col, base)
            y += height
        out.append(table_rule(x0, y, width))
        heights.append(y + 1)
    return out, max(heights)


def main():
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), '..', 'resources', 'reference', 'sheet.svg')
    page = build()
    body = page.render()
    svg = ['<?xml version="1.0" encoding="UTF-8"?>',
           '<!-- Generated by tools/makereferencesheet.py from the formulas listed there; edit those. -->',
           '<svg xmlns="http://www.w3.org/2000/svg" version="1.1" width="%d" height="%d" viewBox="0 0 %d %d">'
           % (WIDTH, HEIGHT, WIDTH, HEIGHT),
           '<title>Trigonometric / Calculus Reference</title>',
           '<rect width="%d" height="%d" fill="#fff"/>' % (WIDTH, HEIGHT),
           '<g font-family="%s" font-size="%s" fill="#000">' % (SERIF, num(MATH_SIZE))]
    svg += ['  ' + line for line in body]
    svg += ['</g>', '</svg>', '']
    os.makedirs(os.path.dirname(os.path.abspath(target)), exist_ok=True)
    with open(target, 'w', encoding='utf-8') as f:
        f.write('\n'.join(svg))


if __name__ == '__main__':
    main()
