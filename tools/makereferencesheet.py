#!/usr/bin/env python3
"""Writes the trigonometric/calculus reference sheet, resources/reference/sheet.svg.

The formulas below are the reviewed content; this script only typesets them.
Every piece of text is placed at an explicit position computed from the
advance widths of the DejaVu faces (Debian: fonts-dejavu-core and
fonts-dejavu-extra), then set into those faces' glyph outlines by
tools/svgtexttopaths.py, each text's words in a comment beside it: the program
draws the sheet with no font at all, the same on every machine.

Formula markup, a small subset of TeX:
  ^{...} superscript    _{...} subscript    \\frac{num}{den}    \\sqrt{...}
  \\t{...} upright text  \\int, \\sum larger signs   \\binom{n}{k}
Single Latin and Greek letters are set in italic as variables; function names
(sin, ln, arctan, ...), the digits, e and pi stay upright; "dx" (dy, dt, dθ, ...)
is an upright d and an italic letter. For the check, i is the imaginary unit,
O(...) an error term, a subscript names a variable (x_{n}) or, on a function of
several variables, a partial derivative (F_{x}), and f^{(n)} is a derivative.

Beside the picture it writes sheet.txt: the sheet's text in reading order in a
linear notation, each section headed "== <its top row> <title>", which the
viewer reads for its contents list, its text view and its search. Every
formula is also recorded in CLAIMS, which tools/checkreferencesheet.py proves.

Usage: tools/makereferencesheet.py [output.svg]   (sheet.txt goes beside it)
       tools/makereferencesheet.py --compare      (fails if the committed files are stale)
"""

import os
import re
import struct
import sys

WIDTH = 400
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
CONDITION_SIZE = 10.5


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
        self.linear = text

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
        self.linear = ''

    def draw(self, x, y):
        return []


class Row:
    def __init__(self, items):
        self.items = items
        self.width = sum(item.width for item in items)
        self.ascent = max([item.ascent for item in items] + [0])
        self.descent = max([item.descent for item in items] + [0])
        # After a superscript, subscript or limits a space keeps what follows
        # apart from them: sin^2 θ, ∫_a^b f(x).
        # A fraction with more after it, or after a function name, goes in
        # parentheses: (1/2)ab, arcsin(x/a).
        self.linear = ''
        for before, item, after in zip([None] + items, items, items[1:] + [None]):
            joined = isinstance(before, (Script, Stacked)) and item.linear[:1].isalnum() or (
                isinstance(before, Stacked) and item.linear[:1] == '(')
            text = item.linear
            if isinstance(item, Frac) and not enclosed(text) and (
                    (after is not None and after.linear[:1] not in ' +−=,;)]|') or
                    any(self.linear.rstrip().endswith(name) for name in FUNCTIONS)):
                text = '(%s)' % text
            self.linear += (' ' if joined else '') + text

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
        self.linear = '%s/%s' % (grouped(numerator.linear), grouped(denominator.linear))

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
        self.linear = '√' + grouped(body.linear)

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


class Binom:
    """A binomial coefficient: two rows in tall parentheses."""

    def __init__(self, top, bottom, size):
        self.top, self.bottom, self.size = top, bottom, size
        self.inner = max(top.width, bottom.width)
        self.paren = 0.36 * size
        self.width = self.inner + 2 * self.paren + 2
        axis = 0.30 * size
        self.ascent = axis + 1 + top.descent + top.ascent
        self.descent = -axis + 1 + bottom.ascent + bottom.descent
        self.linear = 'C(%s, %s)' % (top.linear, bottom.linear)

    def draw(self, x, y):
        axis = y - 0.30 * self.size
        top, bottom = y - self.ascent + 0.5, y + self.descent - 0.5
        out = []
        for left, sign in ((x + self.paren + 0.5, -1), (x + self.width - self.paren - 0.5, 1)):
            out.append('<path d="M%s,%s Q%s,%s %s,%s" fill="none" stroke="#000" stroke-width="0.9"/>' % (
                num(left), num(top), num(left + sign * self.paren * 1.3), num((top + bottom) / 2),
                num(left), num(bottom)))
        middle = x + self.paren + 1 + self.inner / 2
        out += self.top.draw(middle - self.top.width / 2, axis - 1 - self.top.descent)
        out += self.bottom.draw(middle - self.bottom.width / 2, axis + 1 + self.bottom.ascent)
        return out


def enclosed(text):
    """Whether text is one pair of parentheses round the rest (or a root of one)."""
    body = text[1:] if text.startswith('√') else text
    if not (body.startswith('(') and body.endswith(')')):
        return False
    depth = 0
    for index, ch in enumerate(body):
        depth += {'(': 1, ')': -1}.get(ch, 0)
        if depth == 0 and index < len(body) - 1:
            return False
    return True


def grouped(text):
    """Linear notation: text as one operand, in parentheses unless it is one already."""
    # A number times a letter (2a, 2i) is a product, and grouped like one.
    product = re.search(r"\d[^\W\d_]", re.sub(r"\^(\([^()]*\)|[\w.]+)", "", text))
    if (re.fullmatch(r"[\w.′!√°]+(\^[\w.]+|\^\([^()]*\))?", text) and not product) or enclosed(text):
        return text
    return '(%s)' % text


def has_radical(box):
    return isinstance(box, Sqrt) or any(isinstance(item, Sqrt) for item in getattr(box, 'items', []))


class Script:
    """A superscript or subscript: smaller, raised or lowered."""

    def __init__(self, body, size, raise_by):
        self.body, self.raise_by = body, raise_by
        self.width = body.width + 0.6
        # One letter or a number stands bare (x^2, log_a); anything longer in
        # parentheses (e^(ax)), so the notation reads one way only.
        text = body.linear
        bare = len(text) == 1 or text.isdigit() or (text.startswith('(') and text.endswith(')'))
        self.linear = ('^' if raise_by > 0 else '_') + (text if bare else '(%s)' % text)
        self.ascent = max(0, body.ascent + raise_by)
        self.descent = max(0, body.descent - raise_by)

    def draw(self, x, y):
        return self.body.draw(x + 0.3, y - self.raise_by)


class Stacked:
    """A subscript and a superscript at the same place, as integration limits."""

    def __init__(self, first, second):
        self.parts = (first, second)
        self.width = max(first.width, second.width) + 1.5
        self.ascent = max(first.ascent, second.ascent)
        self.descent = max(first.descent, second.descent)
        self.linear = first.linear + second.linear

    def draw(self, x, y):
        return self.parts[0].draw(x, y) + self.parts[1].draw(x, y)


# --- Formula markup ----------------------------------------------------------------

# Longest names first: a run of letters is matched against them in this order.
FUNCTIONS = ['arcsinh', 'arsinh', 'arcosh', 'artanh', 'arcoth', 'arsech', 'arcsch', 'arcsin', 'arccos', 'arctan', 'arccot', 'arcsec', 'arccsc',
             'sinh', 'cosh', 'tanh', 'coth', 'sech', 'csch', 'sin', 'cos', 'tan', 'cot', 'sec', 'csc', 'exp', 'ln',
             'log', 'rad', 'lim']
VARIABLE_LETTERS = set('abcdfghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZθαβγφξ')
UPRIGHT_LETTERS = set('eπ')
GREEK = 'θαβγφξπ'
DIFFERENTIALS = ('dx', 'du', 'dv', 'dy', 'dt')


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
            if items and isinstance(items[-1], Space):
                items[-1].linear = ''  # limits follow the sign directly
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
            elif command == 'binom':
                top, j = parse_group(src, j)
                bottom, j = parse_group(src, j)
                small = size * SCRIPT_SCALE * 1.1
                items.append(Binom(math(top, small), math(bottom, small), size))
            elif command in ('int', 'sum'):
                # A larger sign with a little room after it (and its limits).
                items.append(Text('∫' if command == 'int' else '∑', size * 1.3))
                items.append(Space(0.12 * size))
                items[-1].linear = ' '
                while j < len(src) and src[j] == ' ':
                    j += 1
            else:
                raise SystemExit('unknown command \\' + command)
            i = j
            continue
        if ch.isalpha():
            j = i
            while j < len(src) and src[j].isalpha() and src[j] not in GREEK:
                j += 1
            word = src[i:j] if j > i else ch
            j = max(j, i + 1)
            if word == 'd' and j < len(src) and src[j] in GREEK:
                word, j = 'd' + src[j], j + 1  # dθ: an upright d
            if word in FUNCTIONS:
                put(word, False)
            elif word in DIFFERENTIALS or (len(word) == 2 and word[0] == 'd' and word[1] in GREEK):
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


# --- Claims -------------------------------------------------------------------------
# Every formula on the sheet is also recorded here, as written, with what the
# check needs to prove it: tools/checkreferencesheet.py reads this list.

CLAIMS = []
_section = ['']


def check(statement, where=None, **options):
    """Records a statement the sheet makes, without drawing it.

    where: the conditions the sheet states with it (markup, comma-separated).
    Options the check reads: subs (symbol -> expression standing in for it,
    Python/SymPy syntax), given (conditions of that instance, same syntax),
    then (substitutions made after integrating), sign='either' (± means one of
    the two signs), kind ('range', 'undefined', 'series', 'order', 'remainder',
    'rule', 'newton'), range, instances (stand-ins with a known answer),
    complex (the sides are compared as complex numbers), var (the variable of
    the differentials); a rule's error, strips (h and f_k) and the ending of
    its sum when printed on a second line.
    """
    CLAIMS.append(dict(section=_section[0], statement=statement, where=where, **options))


def claim(statement, where=None, aside=False, **options):
    """A formula drawn on the sheet and recorded for the check, with its condition
    after it (aside: the condition is drawn elsewhere in its row)."""
    check(statement, where, **options)
    box = math(statement)
    if where and not aside:
        box = seq(box, spaced(10), math('(%s)' % where))
    return box


def spaced(width):
    space = Space(width)
    space.linear = '  '
    return space


def eq(left, right, column, where=None, **options):
    """left = right with the equals sign at column, so a group of them lines up."""
    check(left + ' = ' + right, where, **options)
    box = seq(math(left), spaced(4), math('= ' + right))
    box.linear = math(left).linear + ' = ' + math(right).linear
    if where:
        box = seq(box, spaced(10), math('(%s)' % where))
    return [(column - 4 - math(left).width, box)]


# --- Page -------------------------------------------------------------------------

class Page:
    """Blocks stacked down the sheet, each with its text in linear notation."""

    def __init__(self):
        self.blocks = []  # (gap before, height, elements, text lines, section title or None)

    def add(self, elements, height, gap_before, text=(), section=None):
        self.blocks.append((gap_before, height, elements, list(text), section))

    def height(self):
        # A multiple of 4 rows, so the sheet is a whole number of device pixels
        # at the usual screen scales (1.25, 1.5, 2).
        natural = math_ceil(sum(gap + height for gap, height, _, _, _ in self.blocks) + MARGIN)
        return int(math_ceil(natural / 4) * 4)

    def render(self):
        """The SVG elements, and the outline: (section top or None, text line)."""
        y, out, outline = 0.0, [], []
        for index, (gap, height, elements, text, section) in enumerate(self.blocks):
            y += gap
            shift = round(y)
            # Each block is named, so a viewer can draw only the blocks in view.
            out.append('<g id="block%d" transform="translate(0,%d)">' % (index, shift))
            out += ['  ' + e for e in elements]
            out.append('</g>')
            if section:
                outline.append((shift, section))
            outline += [(None, line) for line in text]
            y += height
        return out, outline


def put(page, made, gap_before):
    """Adds a figure or table made as (elements, height, text lines)."""
    elements, height, text = made
    page.add(elements, height, gap_before, text)


def math_ceil(value):
    return -int(-value // 1)


def heading(page, title):
    # A black band with the section title in white, the full width of the sheet.
    _section[0] = title
    elements = [
        '<rect x="%d" y="0" width="%d" height="17"/>' % (MARGIN - 4, WIDTH - 2 * MARGIN + 8),
        '<text x="%d" y="13" font-family="%s" font-size="%s" font-weight="bold" fill="#fff">%s</text>' % (
            MARGIN, SANS, num(HEADING_SIZE), esc(title)),
    ]
    if font(SANS, False, True).width(title, HEADING_SIZE) > WIDTH - 2 * MARGIN:
        raise SystemExit('heading too wide: ' + title)
    page.add(elements, 17, 9, section=title)


def fits(row, what):
    """Refuses a row whose boxes overlap or run past the margins."""
    spans = sorted((x if x >= 0 else -x - box.width, box) for x, box in row)
    right = MARGIN - 0.5
    for x, box in spans:
        if x < right:
            raise SystemExit('%s: "%s" overlaps what is left of it' % (what, box.linear))
        right = x + box.width + 8
    if right - 8 > WIDTH - MARGIN + 0.5:
        raise SystemExit('%s: "%s" runs past the right margin by %.1f px' % (
            what, spans[-1][1].linear, right - 8 - (WIDTH - MARGIN)))


def lines(page, rows, leading=5, gap_before=5):
    """Rows of formulas. Each row is a list of (x, box); x < 0 right-aligns to -x."""
    elements, text, y = [], [], 0.0
    for index, row in enumerate(rows):
        fits(row, _section[0])
        # Plain rows share one line height; taller formulas make their row taller.
        ascent = max([box.ascent for _, box in row] + [0.76 * MATH_SIZE])
        descent = max([box.descent for _, box in row] + [0.24 * MATH_SIZE])
        y += ascent if index == 0 else ascent + leading
        base = round(y)
        for x, box in row:
            elements += box.draw(x if x >= 0 else -x - box.width, base)
        y = base + descent
        text.append('; '.join(box.linear.strip() for _, box in sorted(row, key=lambda r: abs(r[0]))))
    page.add(elements, y, gap_before, text)


def columns3(*formulas, where=None):
    """Up to three short formulas in the three columns of an identities row."""
    return [(x, claim(f, where)) for x, f in zip((MARGIN, 137, 264), formulas)]


def columns2(*formulas):
    """Two formulas (with their conditions) in two columns."""
    return [(x, claim(f, w) if isinstance(f, str) else f) for x, (f, w) in zip((MARGIN, 200), formulas)]


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


# Which functions are positive in each quadrant, and the quadrant's angles.
QUADRANTS = [
    ('I', 0, 90, ['sin', 'cos', 'tan', 'csc', 'sec', 'cot'], 'all six'),
    ('II', 90, 180, ['sin', 'csc'], 'sin, csc'),
    ('III', 180, 270, ['tan', 'cot'], 'tan, cot'),
    ('IV', 270, 360, ['cos', 'sec'], 'cos, sec'),
]
CIRCLE_ANGLES = [0, 30, 45, 60, 90, 120, 135, 150, 180, 210, 225, 240, 270, 300, 315, 330]


def unit_circle():
    """The unit circle with its axes, the angles of the table marked, and the quadrant signs."""
    cx, cy, r = 112, 100, 70
    out = [
        '<circle cx="%d" cy="%d" r="%d" fill="none" stroke="#000" stroke-width="1.2"/>' % (cx, cy, r),
        bar(cx - r - 12, cy - 0.4, 2 * r + 24, 0.8), bar(cx - 0.4, cy - r - 12, 0.8, 2 * r + 24),
    ]
    import math as pymath
    label = 'font-family="%s" font-size="9.5" text-anchor="middle"' % SANS
    for degrees in CIRCLE_ANGLES:
        t = pymath.radians(degrees)
        px, py = cx + r * pymath.cos(t), cy - r * pymath.sin(t)
        out.append('<circle cx="%s" cy="%s" r="1.8"/>' % (num(px), num(py)))
        # Labels outside the circle, a little further where they sit beside an axis.
        reach = r + (15 if degrees % 90 else 19)
        lx, ly = cx + reach * pymath.cos(t), cy - reach * pymath.sin(t) + 3.5
        if degrees % 90 == 0:
            lx += {0: 6, 180: -6}.get(degrees, 9)
            ly += {90: -1, 270: 3}.get(degrees, -5)
        out.append('<text x="%s" y="%s" %s>%d°</text>' % (num(lx), num(ly), label, degrees))
    for name, lo, hi, positive, words in QUADRANTS:
        mid = pymath.radians((lo + hi) / 2)
        qx, qy = cx + 0.48 * r * pymath.cos(mid), cy - 0.48 * r * pymath.sin(mid)
        out.append('<text x="%s" y="%s" %s font-weight="bold">%s</text>' % (num(qx), num(qy - 2), label, name))
        out.append('<text x="%s" y="%s" %s>%s</text>' % (num(qx), num(qy + 9), label, words))
        for fn in ['sin', 'cos', 'tan', 'csc', 'sec', 'cot']:
            check('%s θ %s 0' % (fn, '>' if fn in positive else '<'), given='%d*pi/180 < θ, θ < %d*pi/180' % (lo, hi))
    notes = [
        'The point at angle θ on the',
        'unit circle is (cos θ, sin θ).',
        '',
        'Positive in each quadrant:',
    ] + ['%s (%d° to %d°): %s' % (name, lo, hi, words) for name, lo, hi, _, words in QUADRANTS]
    for index, text in enumerate(notes):
        out += note(text, 10).draw(215, 50 + 15 * index)
    text = ['Unit circle: the point at angle θ is (cos θ, sin θ); marked at ' +
            ', '.join('%d°' % d for d in CIRCLE_ANGLES) + '.', 'Positive in each quadrant: ' +
            '; '.join('%s (%d° to %d°): %s' % (name, lo, hi, words) for name, lo, hi, _, words in QUADRANTS) + '.']
    return out, cy + r + 30, text


# The exact values, as reviewed: degrees, radians, sin, cos, tan.
EXACT_VALUES = [
    ('0°', '0', '0', '1', '0'),
    ('30°', 'π/6', '½', '½√3', '⅓√3'),
    ('45°', 'π/4', '½√2', '½√2', '1'),
    ('60°', 'π/3', '½√3', '½', '√3'),
    ('90°', 'π/2', '1', '0', '—'),
    ('120°', '2π/3', '½√3', '−½', '−√3'),
    ('135°', '3π/4', '½√2', '−½√2', '−1'),
    ('150°', '5π/6', '½', '−½√3', '−⅓√3'),
    ('180°', 'π', '0', '−1', '0'),
    ('210°', '7π/6', '−½', '−½√3', '⅓√3'),
    ('225°', '5π/4', '−½√2', '−½√2', '1'),
    ('240°', '4π/3', '−½√3', '−½', '√3'),
    ('270°', '3π/2', '−1', '0', '—'),
    ('300°', '5π/3', '−½√3', '½', '−√3'),
    ('315°', '7π/4', '−½√2', '½√2', '−1'),
    ('330°', '11π/6', '−½', '½√3', '−⅓√3'),
]


def exact_table():
    """One row per angle: degrees, radians, sin, cos and tan; '—' where tan is undefined."""
    heads = ['θ', 'θ (rad)', 'sin θ', 'cos θ', 'tan θ']
    centres = [MARGIN + 26, 100, 172, 244, 316]
    out = [bar(MARGIN, 0, WIDTH - 2 * MARGIN)]
    y = 15.0
    for centre, head in zip(centres, heads):
        box = math(head)
        out += box.draw(centre - box.width / 2, y)
    y += 5
    out.append(bar(MARGIN, y, WIDTH - 2 * MARGIN))
    text = []
    for index, row in enumerate(EXACT_VALUES):
        degrees = row[0]
        check('%s = %s' % (degrees, row[1]))
        for fn, value in zip(('sin', 'cos', 'tan'), row[2:]):
            if value == '—':
                check('%s(%s)' % (fn, degrees), kind='undefined')
            else:
                check('%s(%s) = %s' % (fn, degrees, value))
        y += 17
        if index % 4 == 0 and index:
            out.append(bar(MARGIN, y - 13.5, WIDTH - 2 * MARGIN, 0.5))
        cells = [math(cell) for cell in row]
        for centre, box in zip(centres, cells):
            out += box.draw(centre - box.width / 2, y)
        text.append('%s = %s: sin θ = %s, cos θ = %s, tan θ = %s' % tuple(
            box.linear.replace('—', 'undefined') for box in cells))
    y += 6
    out.append(bar(MARGIN, y, WIDTH - 2 * MARGIN))
    return out, y + 1, text


def function_table(left, right, headers=('f(x)', 'f′(x)'), columns=(62, 66), **options):
    """Two tables side by side: function | derivative. Each row is checked as d/dx f = f′."""
    out, text, heights = [], [], []
    for x0, col, entries, width in ((MARGIN, columns[0], left, 175), (200, columns[1], right, 190)):
        out.append(bar(x0, 0, width))
        y = 0.0
        header = [(x0 + 2, math(headers[0])), (x0 + col, math(headers[1]))]
        ascent = max(b.ascent for _, b in header)
        base = round(y + 3 + ascent)
        for x, box in header:
            out += box.draw(x, base)
        y = base + 5
        out.append(bar(x0, y, width))
        y += 1
        for entry in entries:
            f, d = entry[:2]
            where = entry[2] if len(entry) > 2 else None
            check(r'\frac{d}{dx}[%s] = %s' % (f, d), where, **options)
            fb, db = math(f), math(d)
            # A condition the heading does not state is set small at the row's right end.
            shown = len(entry) > 3 and entry[3]
            cb = math('(%s)' % where, CONDITION_SIZE) if shown else Space(0)
            if fb.width > col - 4 or col + db.width + (cb.width + 4 if shown else 0) > width:
                raise SystemExit('derivative table: "%s" is too wide' % d)
            # Plain rows share one height and baseline; fractions make a row taller.
            ascent = max(fb.ascent, db.ascent, 0.96 * MATH_SIZE)
            descent = max(fb.descent, db.descent, 0.24 * MATH_SIZE)
            height = float(int(ascent + descent + 4))
            base = round(y + (height - ascent - descent) / 2 + ascent)
            out += fb.draw(x0 + 2, base)
            out += db.draw(x0 + col, base)
            out += cb.draw(x0 + width - cb.width, base)
            y += height
            text.append('d/dx %s = %s%s' % (fb.linear, db.linear, '  (%s)' % math(where).linear if where else ''))
        out.append(bar(x0, y, width))
        heights.append(y + 1)
    return out, max(heights), text


def range_table(rows):
    """Inverse functions: function, the x it takes, and its principal range (y = the function)."""
    heads = [(MARGIN + 2, 'function'), (100, 'domain'), (210, 'principal range')]
    out, text = [bar(MARGIN, 0, WIDTH - 2 * MARGIN)], []
    for x, head in heads:
        out += note(head).draw(x, 14)
    out.append(bar(MARGIN, 19, WIDTH - 2 * MARGIN))
    y = 19.0
    for fn, domain, values in rows:
        check(fn, domain, kind='range', range=values)
        boxes = [math('y = ' + fn), math(domain), math(values)]
        fits([(x, box) for (x, _), box in zip(heads, boxes)], 'range table')
        y += 18
        for (x, _), box in zip(heads, boxes):
            out += box.draw(x, y)
        text.append('%s: %s; range %s' % tuple(box.linear for box in boxes))
    y += 6
    out.append(bar(MARGIN, y, WIDTH - 2 * MARGIN))
    return out, y + 1, text


# --- The sheet ------------------------------------------------------------------------

# Stand-ins for f, g, u and v where the sheet states a rule for any function.
F_G = dict(f='sin(x)**2 + exp(x/3)', g='log(x**2 + 2) + x**3')


def build():
    del CLAIMS[:]
    _section[0] = ''
    page = Page()

    title = Text('Trigonometric / Calculus Reference', 15, SANS, bold=True)
    page.add(title.draw((WIDTH - title.width) / 2, 17), 21, 8, [title.linear])

    # Right triangle: the figure, then the six ratios in two columns beside it.
    heading(page, 'Right-triangle definitions')
    figure = right_triangle()
    triangle = dict(subs={'θ': 'atan(opposite/adjacent)', 'hypotenuse': 'sqrt(opposite**2 + adjacent**2)'},
                    given='opposite > 0, adjacent > 0')
    ratio_columns = [
        (160, [('sin θ', r'\frac{\t{opposite}}{\t{hypotenuse}}'),
               ('cos θ', r'\frac{\t{adjacent}}{\t{hypotenuse}}'),
               ('tan θ', r'\frac{\t{opposite}}{\t{adjacent}}')]),
        (297, [('csc θ', r'\frac{\t{hypotenuse}}{\t{opposite}}'),
               ('sec θ', r'\frac{\t{hypotenuse}}{\t{adjacent}}'),
               ('cot θ', r'\frac{\t{adjacent}}{\t{opposite}}')]),
    ]
    text = ['A right triangle with the acute angle θ; its sides are opposite, adjacent and hypotenuse.']
    for column, defs in ratio_columns:
        for index, (left, right) in enumerate(defs):
            for x, box in eq(left, right, column, **triangle):
                figure += box.draw(x, 20 + 35 * index)
                text.append(box.linear)
    explanation = note('θ is an acute angle; the sides are named as seen from θ.')
    figure += explanation.draw(MARGIN, 118)
    page.add(figure, 121, 5, text + [explanation.linear])

    heading(page, 'Unit circle and exact values')
    put(page, unit_circle(), 2)
    put(page, exact_table(), 2)

    heading(page, 'Reciprocal and Pythagorean identities')
    lines(page, [
        columns3(r'csc θ = \frac{1}{sin θ}', r'sec θ = \frac{1}{cos θ}', r'cot θ = \frac{1}{tan θ}'),
        columns3(r'tan θ = \frac{sin θ}{cos θ}', r'cot θ = \frac{cos θ}{sin θ}'),
        columns3('sin^{2}θ + cos^{2}θ = 1', '1 + tan^{2}θ = sec^{2}θ', '1 + cot^{2}θ = csc^{2}θ'),
        columns3('sin(-θ) = -sin θ', 'cos(-θ) = cos θ', 'tan(-θ) = -tan θ'),
    ], leading=6)

    heading(page, 'Cofunction, supplementary angle, period')
    lines(page, [
        columns2(('sin(π/2 - θ) = cos θ', None), ('csc(π/2 - θ) = sec θ', None)),
        columns2(('cos(π/2 - θ) = sin θ', None), ('sec(π/2 - θ) = csc θ', None)),
        columns2(('tan(π/2 - θ) = cot θ', None), ('cot(π/2 - θ) = tan θ', None)),
        columns2(('sin(π - θ) = sin θ', None), ('sin(π + θ) = -sin θ', None)),
        columns2(('cos(π - θ) = -cos θ', None), ('cos(π + θ) = -cos θ', None)),
        columns2(('tan(π - θ) = -tan θ', None), ('tan(π + θ) = tan θ', None)),
        columns2(('sin(θ + 2π) = sin θ', None), ('cos(θ + 2π) = cos θ', None)),
        columns2(('tan(θ + π) = tan θ', None), ('cot(θ + π) = cot θ', None)),
        [(MARGIN, note('In degrees π/2 is 90° and π is 180°: sin(180° − θ) = sin θ.'))],
    ], leading=6)
    check('sin(180° - θ) = sin θ')

    heading(page, 'Sum and difference')
    lines(page, [
        eq('sin(α ± β)', 'sin α cos β ± cos α sin β', 82),
        eq('cos(α ± β)', 'cos α cos β ∓ sin α sin β', 82),
        eq('tan(α ± β)', r'\frac{tan α ± tan β}{1 ∓ tan α tan β}', 82),
    ])
    # One sinusoid: the amplitude and the phase angle φ.
    harmonic = dict(subs={'φ': 'atan2(b, a)'})
    lines(page, [
        [(MARGIN, claim(r'a sin x + b cos x = \sqrt{a^{2} + b^{2}} sin(x + φ)', 'a^{2} + b^{2} > 0', **harmonic))],
        [(MARGIN + 12, seq(note('with  '), claim(r'cos φ = \frac{a}{\sqrt{a^{2} + b^{2}}}', **harmonic), note(',  '),
                           claim(r'sin φ = \frac{b}{\sqrt{a^{2} + b^{2}}}', **harmonic)))],
    ], gap_before=3)

    heading(page, 'Double and triple angle, half angle, power reduction')
    lines(page, [
        eq('sin 2θ', '2 sin θ cos θ', 82),
        eq('cos 2θ', 'cos^{2}θ - sin^{2}θ = 2 cos^{2}θ - 1 = 1 - 2 sin^{2}θ', 82),
        eq('tan 2θ', r'\frac{2 tan θ}{1 - tan^{2}θ}', 82),
        eq('sin 3θ', '3 sin θ - 4 sin^{3}θ', 82),
        eq('cos 3θ', '4 cos^{3}θ - 3 cos θ', 82),
        eq('tan 3θ', r'\frac{3 tan θ - tan^{3}θ}{1 - 3 tan^{2}θ}', 82),
        eq('sin(θ/2)', r'±\sqrt{\frac{1 - cos θ}{2}}', 82, sign='either'),
        eq('cos(θ/2)', r'±\sqrt{\frac{1 + cos θ}{2}}', 82, sign='either'),
        eq('tan(θ/2)', r'\frac{1 - cos θ}{sin θ} = \frac{sin θ}{1 + cos θ}', 82),
        [(MARGIN, note('Half angle: take the sign of the function in the quadrant of θ/2.'))],
        columns2((r'sin^{2}θ = \frac{1 - cos 2θ}{2}', None), (r'cos^{2}θ = \frac{1 + cos 2θ}{2}', None)),
        [(MARGIN, claim(r'tan^{2}θ = \frac{1 - cos 2θ}{1 + cos 2θ}'))],
    ])
    # The half-angle tangent turns a rational function of sin and cos into one of t.
    half = dict(subs={'t': 'tan(θ/2)'}, given='-pi < θ, θ < pi')
    lines(page, [
        [(MARGIN, seq(note('With '), math('t = tan(θ/2)'), note(' (−π < θ < π), as for integrals:')))],
        [(MARGIN, claim(r'sin θ = \frac{2t}{1 + t^{2}}', **half)), (137, claim(r'cos θ = \frac{1 - t^{2}}{1 + t^{2}}', **half)),
         (264, claim(r'tan θ = \frac{2t}{1 - t^{2}}', **half))],
        [(MARGIN, claim('θ = 2 arctan t', **half)),
         (137, claim(r'dθ = \frac{2 dt}{1 + t^{2}}', subs={'θ': '2*atan(t)'}, var='t'))],
    ], gap_before=4)

    heading(page, 'Product to sum and sum to product')
    lines(page, [
        eq('sin α sin β', r'½[cos(α - β) - cos(α + β)]', 98),
        eq('cos α cos β', r'½[cos(α - β) + cos(α + β)]', 98),
        eq('sin α cos β', r'½[sin(α + β) + sin(α - β)]', 98),
        eq('sin α + sin β', r'2 sin \frac{α + β}{2} cos \frac{α - β}{2}', 98),
        eq('sin α - sin β', r'2 cos \frac{α + β}{2} sin \frac{α - β}{2}', 98),
        eq('cos α + cos β', r'2 cos \frac{α + β}{2} cos \frac{α - β}{2}', 98),
        eq('cos α - cos β', r'-2 sin \frac{α + β}{2} sin \frac{α - β}{2}', 98),
    ])

    heading(page, 'Any triangle: sines, cosines, tangents, area')
    # A triangle with A at the origin, B on the x axis and C above it.
    corners = dict(subs={'a': 'sqrt((c - p)**2 + q**2)', 'b': 'sqrt(p**2 + q**2)', 'A': 'atan2(q, p)',
                         'B': 'atan2(q, c - p)', 'C': 'pi - atan2(q, p) - atan2(q, c - p)'},
                   given='c > 0, q > 0')
    laws = oblique_triangle(MARGIN + 2, 0)
    rows = [
        (28, claim(r'\frac{a}{sin A} = \frac{b}{sin B} = \frac{c}{sin C}', **corners)),
        (57, claim('a^{2} = b^{2} + c^{2} - 2bc cos A', **corners)),
        (78, claim('b^{2} = a^{2} + c^{2} - 2ac cos B', **corners)),
        (99, claim('c^{2} = a^{2} + b^{2} - 2ab cos C', **corners)),
        (125, claim(r'\t{Area} = \frac{1}{2}ab sin C',
                    subs=dict(corners['subs'], Area='c*q/2'), given=corners['given'])),
    ]
    text = ['A triangle with the angles A, B, C; side a faces angle A, and so on.']
    for y, box in rows:
        laws += box.draw(190, y)
        text.append(box.linear)
    laws += note('Side a faces angle A, and so on.').draw(MARGIN, 125)
    page.add(laws, 131, 5, text)
    heron = dict(subs=dict(corners['subs'], Area='c*q/2', s='(sqrt((c - p)**2 + q**2) + sqrt(p**2 + q**2) + c)/2'),
                 given=corners['given'])
    lines(page, [
        [(MARGIN, seq(note('tangents  '),
                      claim(r'\frac{a - b}{a + b} = \frac{tan \frac{A - B}{2}}{tan \frac{A + B}{2}}', **corners)))],
        [(MARGIN, seq(note('Heron  '), claim(r'\t{Area} = \sqrt{s(s - a)(s - b)(s - c)}', **heron),
                      note(',  '), claim(r's = \frac{a + b + c}{2}', **heron)))],
    ], gap_before=4)

    heading(page, 'Radians and small angles')
    lines(page, [
        [(MARGIN, claim('π rad = 180°')),
         (186, seq(note('arc length '),
                   claim('s = rθ', subs={'s': 'Integral(sqrt((r*sin(t))**2 + (r*cos(t))**2), (t, 0, θ))'},
                         given='r > 0, θ > 0'),
                   note('  (θ in rad)')))],
        [(MARGIN, claim(r'1 rad = \frac{180°}{π} ≈ 57.2958°')),
         (186, claim(r'1° = \frac{π}{180} rad ≈ 0.0174533 rad'))],
        [(MARGIN, note('For small x in radians; the error is of the order O( ) shows:'))],
        [(MARGIN, claim('sin x = x + O(x^{3})', kind='order')), (200, claim('tan x = x + O(x^{3})', kind='order'))],
        [(MARGIN, claim(r'cos x = 1 - \frac{x^{2}}{2} + O(x^{4})', kind='order')),
         (-(WIDTH - MARGIN), claim('sin x < x < tan x', '0 < x < π/2'))],
        [(MARGIN, claim(r'cos x < \frac{sin x}{x} < 1', '0 < |x| < π/2'))],
    ])

    heading(page, 'Inverse trigonometric functions')
    put(page, range_table([
        ('arcsin x', '-1 ≤ x ≤ 1', '-π/2 ≤ y ≤ π/2'),
        ('arccos x', '-1 ≤ x ≤ 1', '0 ≤ y ≤ π'),
        ('arctan x', r'\t{all} x', '-π/2 < y < π/2'),
        ('arccot x', r'\t{all} x', '0 < y < π'),
        ('arcsec x', '|x| ≥ 1', '0 ≤ y ≤ π, y ≠ π/2'),
        ('arccsc x', '|x| ≥ 1', '-π/2 ≤ y ≤ π/2, y ≠ 0'),
    ]), 4)
    lines(page, [
        [(MARGIN, note('y = arcsin x means sin y = x with y in the principal range.'))],
        columns2(('arcsin x + arccos x = π/2', None), ('arctan x + arccot x = π/2', None)),
        columns2(('arcsin(-x) = -arcsin x', None), ('arccos(-x) = π - arccos x', None)),
        columns2(('arctan(-x) = -arctan x', None), ('arccot(-x) = π - arccot x', None)),
        columns2((r'arcsec x = arccos \frac{1}{x}', None), (r'arccsc x = arcsin \frac{1}{x}', None)),
        [(MARGIN, claim(r'arccot x = arctan \frac{1}{x}', 'x > 0')),
         (200, claim(r'sin(arccos x) = \sqrt{1 - x^{2}}'))],
        [(MARGIN, claim(r'arctan x + arctan y = arctan \frac{x + y}{1 - xy}', 'xy < 1'))],
        [(MARGIN, note('Their derivatives are in the derivative table below.'))],
    ])

    heading(page, "Complex form: Euler's formula, de Moivre")
    polar_form = dict(subs={'x': 'r*cos(θ)', 'y': 'r*sin(θ)'}, given='r > 0')
    lines(page, [
        [(MARGIN, claim('e^{iθ} = cos θ + i sin θ', complex=True)), (200, claim('e^{iπ} + 1 = 0', complex=True))],
        [(MARGIN, claim(r'cos θ = \frac{e^{iθ} + e^{-iθ}}{2}', complex=True)),
         (200, claim(r'sin θ = \frac{e^{iθ} - e^{-iθ}}{2i}', complex=True))],
        [(MARGIN, seq(note('de Moivre  '), claim('(cos θ + i sin θ)^{n} = cos nθ + i sin nθ', 'n ∈ ℤ', complex=True)))],
        [(MARGIN, seq(note('polar form  '), claim('x + iy = re^{iθ}', complex=True, **polar_form),
                      note(',  '), math('x = r cos θ, y = r sin θ')))],
        [(MARGIN + 12, claim(r'r = |x + iy| = \sqrt{x^{2} + y^{2}}', complex=True, **polar_form)),
         (200, claim('r_{1}e^{iθ_{1}} r_{2}e^{iθ_{2}} = r_{1}r_{2}e^{i(θ_{1} + θ_{2})}', complex=True))],
        [(MARGIN, seq(note('i² = −1, θ in radians. The n roots of '), math('re^{iθ}'),
                      note(' are these, k = 0, …, n − 1:')))],
        [(MARGIN + 12, claim(r'(r^{1/n}e^{i(θ + 2kπ)/n})^{n} = re^{iθ}', 'r > 0, n ≥ 1, n ∈ ℤ, k ∈ ℤ', complex=True))],
    ])

    heading(page, 'Hyperbolic functions')
    lines(page, [
        columns2((r'sinh x = \frac{e^{x} - e^{-x}}{2}', None), (r'cosh x = \frac{e^{x} + e^{-x}}{2}', None)),
        columns2((r'tanh x = \frac{sinh x}{cosh x}', None), (r'coth x = \frac{cosh x}{sinh x}', None)),
        columns2((r'sech x = \frac{1}{cosh x}', None), (r'csch x = \frac{1}{sinh x}', None)),
        columns2(('cosh^{2}x - sinh^{2}x = 1', None), ('1 - tanh^{2}x = sech^{2}x', None)),
        columns2(('coth^{2}x - 1 = csch^{2}x', None), ('cosh x + sinh x = e^{x}', None)),
        columns2(('sinh(-x) = -sinh x', None), ('cosh(-x) = cosh x', None)),
        [(MARGIN, claim('sinh(x ± y) = sinh x cosh y ± cosh x sinh y'))],
        [(MARGIN, claim('cosh(x ± y) = cosh x cosh y ± sinh x sinh y'))],
        columns2(('sinh 2x = 2 sinh x cosh x', None), ('cosh 2x = cosh^{2}x + sinh^{2}x', None)),
    ])
    put(page, function_table(
        [('sinh x', 'cosh x'), ('cosh x', 'sinh x'), ('tanh x', 'sech^{2}x')],
        [('coth x', '-csch^{2}x'), ('sech x', '-sech x tanh x'), ('csch x', '-csch x coth x')],
        columns=(62, 62)), 9)
    lines(page, [
        [(MARGIN, claim(r'arsinh x = ln(x + \sqrt{x^{2} + 1})')), (-(WIDTH - MARGIN), math(r'(\t{all} x)'))],
        [(MARGIN, claim(r'arcosh x = ln(x + \sqrt{x^{2} - 1})', 'x ≥ 1', aside=True)),
         (-(WIDTH - MARGIN), math('(x ≥ 1)'))],
        [(MARGIN, claim(r'artanh x = \frac{1}{2} ln \frac{1 + x}{1 - x}', '|x| < 1', aside=True)),
         (-(WIDTH - MARGIN), math('(|x| < 1)'))],
        [(MARGIN, claim(r'arcoth x = \frac{1}{2} ln \frac{x + 1}{x - 1}', '|x| > 1', aside=True)),
         (-(WIDTH - MARGIN), math('(|x| > 1)'))],
        [(MARGIN, claim(r'arsech x = ln \frac{1 + \sqrt{1 - x^{2}}}{x}', '0 < x ≤ 1', aside=True)),
         (-(WIDTH - MARGIN), math('(0 < x ≤ 1)'))],
        [(MARGIN, claim(r'arcsch x = ln(\frac{1}{x} + \sqrt{\frac{1}{x^{2}} + 1})', 'x ≠ 0', aside=True)),
         (-(WIDTH - MARGIN), math('(x ≠ 0)'))],
        [(MARGIN, claim(r'\frac{d}{dx} arsinh x = \frac{1}{\sqrt{x^{2} + 1}}')),
         (218, claim(r'\frac{d}{dx} arcosh x = \frac{1}{\sqrt{x^{2} - 1}}', 'x > 1', aside=True))],
        [(MARGIN, claim(r'\frac{d}{dx} artanh x = \frac{1}{1 - x^{2}}', '|x| < 1', aside=True)),
         (218, claim(r'\frac{d}{dx} arcoth x = \frac{1}{1 - x^{2}}', '|x| > 1', aside=True))],
        [(MARGIN, claim(r'\frac{d}{dx} arsech x = \frac{-1}{x\sqrt{1 - x^{2}}}', '0 < x < 1', aside=True)),
         (218, claim(r'\frac{d}{dx} arcsch x = \frac{-1}{|x|\sqrt{1 + x^{2}}}', 'x ≠ 0', aside=True))],
        [(MARGIN, note('for x > 1 (arcosh), |x| < 1 (artanh), |x| > 1 (arcoth),'))],
        [(MARGIN, note('0 < x < 1 (arsech), x ≠ 0 (arcsch).'))],
    ])

    heading(page, 'Limits (x in radians)')
    lines(page, [
        [(MARGIN, claim(r'lim_{x→0}\frac{sin x}{x} = 1')), (200, claim(r'lim_{x→0}\frac{tan x}{x} = 1'))],
        [(MARGIN, claim(r'lim_{x→0}\frac{1 - cos x}{x^{2}} = \frac{1}{2}')),
         (200, claim(r'lim_{x→0}\frac{e^{x} - 1}{x} = 1'))],
        [(MARGIN, claim(r'lim_{x→0}\frac{ln(1 + x)}{x} = 1')), (200, claim(r'lim_{x→∞}\frac{x^{a}}{e^{x}} = 0'))],
        [(MARGIN, claim(r'lim_{n→∞}(1 + \frac{1}{n})^{n} = e')), (200, claim(r'lim_{n→∞}(1 + \frac{x}{n})^{n} = e^{x}'))],
        [(MARGIN, claim(r'lim_{x→0}\frac{a^{x} - 1}{x} = ln a', 'a > 0'))],
    ], leading=6)

    heading(page, 'Derivatives (x in radians; a > 0, a ≠ 1)')
    rules = dict(subs=dict(F_G, c='7/3'))
    # x² + xy + y² = 7 near its upper branch, which y(x) follows.
    implicit = dict(subs={'F': 'x**2 + x*y + y**2 - 7', 'y': '(sqrt(28 - 3*x**2) - x)/2'}, given='x**2 < 9')
    lines(page, [
        [(MARGIN, note('f and g are functions of x, c a constant:'))],
        [(MARGIN, claim('(cf)′ = cf′', **rules)), (137, claim('(f ± g)′ = f′ ± g′', **rules))],
        [(MARGIN, seq(note('product  '), claim('(fg)′ = f′g + fg′', **rules))),
         (200, seq(note('quotient  '), claim(r'(\frac{f}{g})′ = \frac{f′g - fg′}{g^{2}}', **rules)))],
        [(MARGIN, seq(note('chain  '), claim(r'\frac{d}{dx} f(g(x)) = f′(g(x)) g′(x)', **rules)))],
        [(MARGIN, note("L'Hôpital: if f(a) = g(a) = 0, or both tend to ±∞, and g′(x) ≠ 0"))],
        [(MARGIN, note('for x near a (x ≠ a):'))],
        [(MARGIN + 12, claim(r'lim_{x→a}\frac{f(x)}{g(x)} = lim_{x→a}\frac{f′(x)}{g′(x)}', instances=[
            {'f': 'sin(x)', 'g': 'exp(x) - 1', 'a': '0'},
            {'f': 'log(x)', 'g': 'x**2 - 1', 'a': '1'},
            {'f': 'x**2 + x', 'g': 'exp(x)', 'a': 'oo'},
            {'f': '1 - cos(x)', 'g': 'x**2', 'a': '0'}])),
         (-(WIDTH - MARGIN), note('if the right limit exists'))],
        [(MARGIN, seq(note('inverse  '), claim(r'\frac{d}{dy} g(y) = \frac{1}{f′(g(y))}', 'f′(g(y)) ≠ 0',
                                                subs={'f': 'sinh(x)', 'g': 'asinh(x)'})))],
        [(MARGIN + 12, note('where g is the inverse of f: f(g(y)) = y.'))],
        [(MARGIN, seq(note('implicit  '), note('if F(x, y) = 0 defines y(x):  '),
                      claim(r'\frac{dy}{dx} = -\frac{F_{x}}{F_{y}}', 'F_{y} ≠ 0', **implicit)))],
        [(MARGIN, seq(note('logarithmic  '), claim('f′ = f · (ln|f|)′', 'f ≠ 0', subs={'f': 'x**3 - 2*x + 1/(x**2 + 1)'}),
                      note(', e.g. ')))],
        [(MARGIN + 12, claim('(x^{x})′ = x^{x}(ln x + 1)', 'x > 0'))],
    ])
    put(page, function_table([
        ('x^{n}', 'nx^{n-1}', 'x > 0', True),
        ('e^{x}', 'e^{x}'),
        ('a^{x}', 'a^{x} ln a', 'a > 0'),
        ('ln x', r'\frac{1}{x}'),
        ('log_{a} x', r'\frac{1}{x ln a}', 'a > 0, a ≠ 1'),
        ('sin x', 'cos x'),
        ('cos x', '-sin x'),
        ('tan x', 'sec^{2}x'),
        ('cot x', '-csc^{2}x'),
        ('sec x', 'sec x tan x'),
        ('csc x', '-csc x cot x'),
    ], [
        ('arcsin x', r'\frac{1}{\sqrt{1 - x^{2}}}', '|x| < 1', True),
        ('arccos x', r'\frac{-1}{\sqrt{1 - x^{2}}}', '|x| < 1', True),
        ('arctan x', r'\frac{1}{1 + x^{2}}'),
        ('arccot x', r'\frac{-1}{1 + x^{2}}'),
        ('arcsec x', r'\frac{1}{|x|\sqrt{x^{2} - 1}}', '|x| > 1', True),
        ('arccsc x', r'\frac{-1}{|x|\sqrt{x^{2} - 1}}', '|x| > 1', True),
    ]), 5)
    lines(page, [[(MARGIN, note('xⁿ: x > 0 for any real n; for a whole n, x ≠ 0 is enough.'))]])

    heading(page, 'Taylor and Maclaurin series (x in radians)')
    taylor = dict(subs={'f': 'exp(x/2)*cos(x) + x**5'})
    rows = [
        [(MARGIN, note('Taylor series of f about x = a (Maclaurin: a = 0):'))],
        [(MARGIN, claim(r"f(x) = f(a) + f′(a)(x - a) + \frac{f″(a)}{2!}(x - a)^{2} + …", **taylor))],
    ]
    # Each series: its sum with the range where it converges, then its first terms.
    for function, total, expansion, where in [
        ('e^{x}', r'\sum_{n=0}^{∞}\frac{x^{n}}{n!}', r'1 + x + \frac{x^{2}}{2!} + \frac{x^{3}}{3!} + …',
         r'\t{all} x'),
        ('sin x', r'\sum_{n=0}^{∞}\frac{(-1)^{n}x^{2n+1}}{(2n + 1)!}', r'x - \frac{x^{3}}{3!} + \frac{x^{5}}{5!} - …',
         r'\t{all} x'),
        ('cos x', r'\sum_{n=0}^{∞}\frac{(-1)^{n}x^{2n}}{(2n)!}', r'1 - \frac{x^{2}}{2!} + \frac{x^{4}}{4!} - …',
         r'\t{all} x'),
        ('ln(1 + x)', r'\sum_{n=1}^{∞}\frac{(-1)^{n+1}x^{n}}{n}', r'x - \frac{x^{2}}{2} + \frac{x^{3}}{3} - …',
         '-1 < x ≤ 1'),
        ('sinh x', r'\sum_{n=0}^{∞}\frac{x^{2n+1}}{(2n + 1)!}', r'x + \frac{x^{3}}{3!} + \frac{x^{5}}{5!} + …',
         r'\t{all} x'),
        ('cosh x', r'\sum_{n=0}^{∞}\frac{x^{2n}}{(2n)!}', r'1 + \frac{x^{2}}{2!} + \frac{x^{4}}{4!} + …',
         r'\t{all} x'),
        ('arctan x', r'\sum_{n=0}^{∞}\frac{(-1)^{n}x^{2n+1}}{2n + 1}', r'x - \frac{x^{3}}{3} + \frac{x^{5}}{5} - …',
         '|x| ≤ 1'),
        (r'\frac{1}{1 - x}', r'\sum_{n=0}^{∞}x^{n}', '1 + x + x^{2} + x^{3} + …', '|x| < 1'),
        ('(1 + x)^{n}', r'\sum_{k=0}^{∞}\binom{n}{k}x^{k}', r'1 + nx + \frac{n(n - 1)}{2!}x^{2} + …', '|x| < 1'),
    ]:
        rows.append([(MARGIN, claim('%s = %s' % (function, total), where, aside=True, kind='series')),
                     (-(WIDTH - MARGIN), math('(%s)' % where))])
        rows.append([(MARGIN + 22, math('= ' + expansion))])
        check('%s = %s' % (function, expansion))
    rows.append([(MARGIN, note('for any real n; a whole n ≥ 0 ends the series at xⁿ.'))])
    # Lagrange's remainder: what the series stopped after the n-th power leaves out.
    rows.append([(MARGIN, note('Stopped after the term in (x − a)ⁿ, the series leaves out'))])
    rows.append([(MARGIN + 12, claim(r'R_{n}(x) = \frac{f^{(n+1)}(ξ)}{(n + 1)!}(x - a)^{n+1}', kind='remainder')),
                 (-(WIDTH - MARGIN), note('for some ξ between a and x.'))])
    lines(page, rows, leading=4)

    heading(page, 'Integrals (x in radians; C: constant of integration)')
    lines(page, [
        [(MARGIN, claim(r'\int x^{n} dx = \frac{x^{n+1}}{n + 1} + C', 'n ≠ -1'))],
        columns2((r'\int \frac{1}{x} dx = ln|x| + C', None), (r'\int ln x dx = x ln x - x + C', None)),
        [(MARGIN, claim(r'\int \frac{dx}{ax + b} = \frac{1}{a} ln|ax + b| + C', 'a ≠ 0'))],
        [(MARGIN, claim(r'\int x^{n} ln x dx = \frac{x^{n+1}}{n + 1}(ln x - \frac{1}{n + 1}) + C',
                        'n ≠ -1, x > 0'))],
        [(MARGIN, claim(r'\int e^{x} dx = e^{x} + C')),
         (-(WIDTH - MARGIN), claim(r'\int a^{x} dx = \frac{a^{x}}{ln a} + C', 'a > 0, a ≠ 1'))],
        columns2((r'\int sin x dx = -cos x + C', None), (r'\int cos x dx = sin x + C', None)),
        columns2((r'\int tan x dx = -ln|cos x| + C', None), (r'\int cot x dx = ln|sin x| + C', None)),
        [(MARGIN, claim(r'\int sec x dx = ln|sec x + tan x| + C'))],
        [(MARGIN, claim(r'\int csc x dx = -ln|csc x + cot x| + C'))],
        columns2((r'\int sec^{2}x dx = tan x + C', None), (r'\int csc^{2}x dx = -cot x + C', None)),
        columns2((r'\int sec x tan x dx = sec x + C', None), (r'\int csc x cot x dx = -csc x + C', None)),
        [(MARGIN, claim(r'\int sin^{2}x dx = \frac{x}{2} - \frac{sin 2x}{4} + C'))],
        [(MARGIN, claim(r'\int cos^{2}x dx = \frac{x}{2} + \frac{sin 2x}{4} + C'))],
        [(MARGIN, claim(r'\int \frac{dx}{\sqrt{a^{2} - x^{2}}} = arcsin \frac{x}{a} + C', '|x| < a'))],
        [(MARGIN, claim(r'\int \sqrt{a^{2} - x^{2}} dx = \frac{x}{2}\sqrt{a^{2} - x^{2}} + \frac{a^{2}}{2} arcsin \frac{x}{a} + C',
                        '|x| < a'))],
        [(MARGIN, claim(r'\int \frac{dx}{\sqrt{x^{2} + a^{2}}} = ln(x + \sqrt{x^{2} + a^{2}}) + C', 'a ≠ 0'))],
        [(MARGIN, claim(r'\int \frac{dx}{\sqrt{x^{2} - a^{2}}} = ln|x + \sqrt{x^{2} - a^{2}}| + C', '|x| > |a| > 0'))],
        [(MARGIN, claim(r'\int \frac{dx}{a^{2} + x^{2}} = \frac{1}{a} arctan \frac{x}{a} + C', 'a ≠ 0'))],
        [(MARGIN, claim(r'\int \frac{dx}{x^{2} - a^{2}} = \frac{1}{2a} ln|\frac{x - a}{x + a}| + C', 'a ≠ 0'))],
        [(MARGIN, claim(r'\int \frac{dx}{x\sqrt{x^{2} - a^{2}}} = \frac{1}{a} arcsec \frac{|x|}{a} + C',
                        '|x| > a > 0'))],
        [(MARGIN, claim(r'\int e^{ax} sin bx dx = \frac{e^{ax}(a sin bx - b cos bx)}{a^{2} + b^{2}} + C'))],
        [(MARGIN, claim(r'\int e^{ax} cos bx dx = \frac{e^{ax}(a cos bx + b sin bx)}{a^{2} + b^{2}} + C'))],
        [(-(WIDTH - MARGIN), seq(note('the last two for '), math('a^{2} + b^{2} ≠ 0')))],
        [(MARGIN, claim(r'\int arcsin x dx = x arcsin x + \sqrt{1 - x^{2}} + C'))],
        [(MARGIN, claim(r'\int arccos x dx = x arccos x - \sqrt{1 - x^{2}} + C'))],
        [(MARGIN, claim(r'\int arctan x dx = x arctan x - \frac{1}{2} ln(1 + x^{2}) + C'))],
        [(MARGIN, claim(r'\int arccot x dx = x arccot x + \frac{1}{2} ln(1 + x^{2}) + C'))],
        [(MARGIN, claim(r'\int arcsec x dx = x arcsec x - ln(|x| + \sqrt{x^{2} - 1}) + C'))],
        [(MARGIN, claim(r'\int arccsc x dx = x arccsc x + ln(|x| + \sqrt{x^{2} - 1}) + C'))],
        [(MARGIN, note('Hyperbolic:'))],
        columns2((r'\int sinh x dx = cosh x + C', None), (r'\int cosh x dx = sinh x + C', None)),
        columns2((r'\int tanh x dx = ln(cosh x) + C', None), (r'\int coth x dx = ln|sinh x| + C', None)),
        columns2((r'\int sech^{2}x dx = tanh x + C', None), (r'\int csch^{2}x dx = -coth x + C', None)),
        [(MARGIN, claim(r'\int sech x dx = arctan(sinh x) + C'))],
        [(MARGIN, claim(r'\int csch x dx = ln|tanh \frac{x}{2}| + C'))],
    ], leading=4)
    for form in ('sin', 'cos'):
        for claimed in CLAIMS:
            if claimed['statement'].startswith(r'\int e^{ax} %s bx' % form):
                claimed['where'] = 'a^{2} + b^{2} ≠ 0'

    heading(page, 'Definite integrals')
    definite = dict(subs={'f': 'x**2 + cos(x)', 'g': 'exp(x/2)', 'F': 'x**3/3 + sin(x)'})
    lines(page, [
        [(MARGIN, note('f continuous on the interval, F an antiderivative of f (F′ = f):'))],
        [(MARGIN, claim(r'\frac{d}{dx}\int _{a}^{x}f(t) dt = f(x)', **definite)),
         (200, claim(r'\int _{a}^{b}f(x) dx = F(b) - F(a)', **definite))],
        [(MARGIN, claim(r'\int _{a}^{a}f(x) dx = 0', **definite)),
         (200, claim(r'\int _{b}^{a}f(x) dx = -\int _{a}^{b}f(x) dx', **definite))],
        [(MARGIN, claim(r'\int _{a}^{b}f(x) dx + \int _{b}^{c}f(x) dx = \int _{a}^{c}f(x) dx', **definite))],
        [(MARGIN, claim(r'\int _{a}^{b}(cf(x) + g(x)) dx = c\int _{a}^{b}f(x) dx + \int _{a}^{b}g(x) dx', **definite))],
        [(MARGIN, seq(note('f odd  '), claim(r'\int _{-a}^{a}f(x) dx = 0', subs={'f': 'x**3 - sin(2*x)'}))),
         (200, seq(note('f even  '), claim(r'\int _{-a}^{a}f(x) dx = 2\int _{0}^{a}f(x) dx',
                                           subs={'f': 'x**2 + cos(x)'})))],
    ])

    heading(page, 'Integration by parts and substitution')
    parts = dict(subs={'u': 'x**2 + 1', 'v': 'sin(x)'})
    substitution = dict(subs={'f': 'cos(x)', 'g': 'x**3 + x'}, then={'u': 'x**3 + x'})
    lines(page, [
        [(MARGIN, claim(r'\int u dv = uv - \int v du', **parts))],
        [(MARGIN, claim(r'\int _{a}^{b}u dv = [uv]_{a}^{b} - \int _{a}^{b}v du', **parts))],
        [(MARGIN, note('Rule of thumb: let u be the factor that comes first in'))],
        [(MARGIN, note('logarithm, inverse trig, power, trig, exponential.'))],
        [(MARGIN, seq(note('Example, with '), math('u = x, dv = e^{x} dx'), note(':')))],
        [(MARGIN, claim(r'\int x e^{x} dx = x e^{x} - \int e^{x} dx = (x - 1) e^{x} + C'))],
        [(MARGIN, seq(note('Substitution, '), math('u = g(x), du = g′(x) dx'), note(':')))],
        [(MARGIN, claim(r'\int f(g(x)) g′(x) dx = \int f(u) du', **substitution))],
        [(MARGIN, claim(r'\int _{a}^{b}f(g(x)) g′(x) dx = \int _{g(a)}^{g(b)}f(u) du', **substitution))],
    ])

    heading(page, 'Trigonometric substitutions')
    lines(page, [
        [(MARGIN, seq(math('x = a sin θ:'), spaced(8), claim(r'\sqrt{a^{2} - x^{2}} = a cos θ', 'a > 0, |θ| ≤ π/2',
                                                            subs={'x': 'a*sin(θ)'})))],
        [(MARGIN, seq(math('x = a tan θ:'), spaced(8), claim(r'\sqrt{a^{2} + x^{2}} = a sec θ', 'a > 0, |θ| < π/2',
                                                            subs={'x': 'a*tan(θ)'})))],
        [(MARGIN, seq(math('x = a sec θ:'), spaced(8), claim(r'\sqrt{x^{2} - a^{2}} = a tan θ', 'a > 0, 0 ≤ θ < π/2',
                                                            subs={'x': 'a/cos(θ)'})))],
        [(MARGIN, note('then dx = a cos θ dθ, a sec²θ dθ, a sec θ tan θ dθ in turn.'))],
    ])
    check(r'\frac{d}{dθ}(a sin θ) = a cos θ')
    check(r'\frac{d}{dθ}(a tan θ) = a sec^{2}θ')
    check(r'\frac{d}{dθ}(a sec θ) = a sec θ tan θ')

    heading(page, 'Partial fractions and reduction formulas')
    lines(page, [
        [(MARGIN, note('Divide first if the numerator’s degree is not below the denominator’s.'))],
        [(MARGIN, claim(r'\frac{px + q}{(x - a)(x - b)} = \frac{pa + q}{(a - b)(x - a)} + \frac{pb + q}{(b - a)(x - b)}', 'a ≠ b'))],
        [(MARGIN, claim(r'\frac{px + q}{(x - a)^{2}} = \frac{p}{x - a} + \frac{pa + q}{(x - a)^{2}}'))],
        [(MARGIN, claim(r'\frac{1}{x^{2} - a^{2}} = \frac{1}{2a}(\frac{1}{x - a} - \frac{1}{x + a})', 'a ≠ 0'))],
        [(MARGIN, claim(r'\int sin^{n}x dx = -\frac{sin^{n-1}x cos x}{n} + \frac{n - 1}{n}\int sin^{n-2}x dx', 'n ≥ 2'))],
        [(MARGIN, claim(r'\int cos^{n}x dx = \frac{cos^{n-1}x sin x}{n} + \frac{n - 1}{n}\int cos^{n-2}x dx', 'n ≥ 2'))],
        [(MARGIN, claim(r'\int tan^{n}x dx = \frac{tan^{n-1}x}{n - 1} - \int tan^{n-2}x dx', 'n ≥ 2'))],
        [(MARGIN, claim(r'\int x^{n}e^{x} dx = x^{n}e^{x} - n\int x^{n-1}e^{x} dx', 'n ≥ 1'))],
    ], leading=4)

    heading(page, 'Length, area and volume')
    shapes = [
        # (what, formula, instances: the curve, the interval and the known answer)
        ('arc length', r'L = \int _{a}^{b}\sqrt{1 + f′(x)^{2}} dx',
         [{'f': 'cosh(x)', 'a': '0', 'b': '1', 'L': 'sinh(1)'}, {'f': '2*x + 1', 'a': '-1', 'b': '2', 'L': '3*sqrt(5)'}]),
        ('area between, f ≥ g', r'A = \int _{a}^{b}(f(x) - g(x)) dx',
         [{'f': 'x', 'g': 'x**2', 'a': '0', 'b': '1', 'A': '1/6'}]),
        ('volume about the x axis', r'V = π\int _{a}^{b}f(x)^{2} dx',
         [{'f': 'sqrt(4 - x**2)', 'a': '-2', 'b': '2', 'V': '32*pi/3'}, {'f': 'x/2', 'a': '0', 'b': '3', 'V': 'pi*9/4'}]),
        ('volume about the y axis, 0 ≤ a', r'V = 2π\int _{a}^{b}x f(x) dx',
         [{'f': '1 - x**2', 'a': '0', 'b': '1', 'V': 'pi/2'}, {'f': '3', 'a': '1', 'b': '2', 'V': '9*pi'}]),
        ('surface about the x axis, f ≥ 0', r'S = 2π\int _{a}^{b}f(x)\sqrt{1 + f′(x)^{2}} dx',
         [{'f': 'x', 'a': '0', 'b': '1', 'S': 'pi*sqrt(2)'}, {'f': 'cosh(x)', 'a': '0', 'b': '1', 'S': 'pi*(1 + sinh(2)/2)'}]),
    ]
    rows = [[(MARGIN, note('For the curve y = f(x), a ≤ x ≤ b, turned about the axis named:'))]]
    for what, formula, instances in shapes:
        rows.append([(MARGIN, note(what)), (190, claim(formula, instances=instances))])
    lines(page, rows)

    heading(page, 'Polar coordinates')
    polar = dict(subs={'x': 'r*cos(θ)', 'y': 'r*sin(θ)'}, given='r > 0')
    cardioid = [{'r': '1 + cos(θ)', 'α': '0', 'β': '2*pi', 'A': '3*pi/2', 'L': '8'},
                {'r': '2', 'α': '0', 'β': 'pi', 'A': '2*pi', 'L': '2*pi'}]
    lines(page, [
        [(MARGIN, math('x = r cos θ')), (137, math('y = r sin θ')), (264, claim('r^{2} = x^{2} + y^{2}', **polar))],
        [(MARGIN, claim(r'tan θ = \frac{y}{x}', 'x ≠ 0', **polar)),
         (200, note('θ from the quadrant of (x, y)'))],
        [(MARGIN, seq(note('A curve r = r(θ), α ≤ θ ≤ β, with r′ = dr/dθ:')))],
        [(MARGIN, seq(note('area  '), claim(r'A = \frac{1}{2}\int _{α}^{β}r^{2} dθ', instances=cardioid))),
         (200, seq(note('length  '), claim(r'L = \int _{α}^{β}\sqrt{r^{2} + r′^{2}} dθ', instances=cardioid)))],
    ])

    heading(page, 'Numerical methods')
    strips = (r'h = \frac{b - a}{n}', 'f_{k} = f(a + kh)')
    trapezoid_error = r'-\frac{(b - a)h^{2}}{12} f″(ξ)'
    simpson_error = r'-\frac{(b - a)h^{4}}{180} f^{(4)}(ξ)'
    lines(page, [
        [(MARGIN, seq(note('n strips of width '), math(strips[0]), note(' over [a, b];  '), math(strips[1]), note(':')))],
        [(MARGIN, seq(note('trapezoid  '),
                      claim(r'\int _{a}^{b}f(x) dx ≈ \frac{h}{2}(f_{0} + 2f_{1} + 2f_{2} + … + 2f_{n-1} + f_{n})',
                            kind='rule', error=trapezoid_error, strips=strips)))],
        [(MARGIN + 12, seq(note('error  '), math(trapezoid_error), note('  for some ξ in [a, b]')))],
        [(MARGIN, seq(note('Simpson, n even  '),
                      claim(r'\int _{a}^{b}f(x) dx ≈ \frac{h}{3}(f_{0} + 4f_{1} + 2f_{2} + 4f_{3} + …', kind='rule',
                            error=simpson_error, strips=strips, ending=r'+ 2f_{n-2} + 4f_{n-1} + f_{n})')))],
        [(-(WIDTH - MARGIN), math(r'+ 2f_{n-2} + 4f_{n-1} + f_{n})'))],
        [(MARGIN + 12, seq(note('error  '), math(simpson_error), note('  for some ξ in [a, b]')))],
        [(MARGIN, seq(note('Newton, for a root of f(x) = 0:  '),
                      claim(r'x_{n+1} = x_{n} - \frac{f(x_{n})}{f′(x_{n})}', kind='newton')))],
        [(MARGIN + 12, note('f′(xₙ) ≠ 0; near a simple root the error squares at each step.'))],
    ])
    return page


def write(path, text):
    os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
    with open(path, 'w', encoding='utf-8', newline='\n') as f:
        f.write(text)


def main():
    here = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'resources', 'reference')
    arguments = [a for a in sys.argv[1:] if a != '--compare']
    target = arguments[0] if arguments else os.path.join(here, 'sheet.svg')
    if '--compare' in sys.argv:
        # Whether the files in resources/reference are what the formulas here make.
        import tempfile
        with tempfile.TemporaryDirectory() as folder:
            sys.argv = [sys.argv[0], os.path.join(folder, 'sheet.svg')]
            main()
            stale = [name for name in ('sheet.svg', 'sheet.txt')
                     if open(os.path.join(folder, name), 'rb').read() != open(os.path.join(here, name), 'rb').read()]
        if stale:
            raise SystemExit('out of date, run tools/makereferencesheet.py: ' + ', '.join(stale))
        return
    page = build()
    height = page.height()
    body, outline = page.render()
    # The texts set into outlines: the program draws the sheet with no font.
    from svgtexttopaths import convert_to_uses
    glyphs, body = convert_to_uses('\n'.join(body), SERIF, num(MATH_SIZE))
    svg = ['<?xml version="1.0" encoding="UTF-8"?>',
           '<!-- Generated by tools/makereferencesheet.py from the formulas listed there; edit those. -->',
           '<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" version="1.1" '
           'width="%d" height="%d" viewBox="0 0 %d %d">' % (WIDTH, height, WIDTH, height),
           '<title>Trigonometric / Calculus Reference</title>',
           '<rect width="%d" height="%d" fill="#fff"/>' % (WIDTH, height),
           '<defs>'] + glyphs + ['</defs>', '<g fill="#000">']
    svg += ['  ' + line for line in body.split('\n')]
    svg += ['</g>', '</svg>', '']
    write(target, '\n'.join(svg))
    # The text beside it: each section as "== <its top row> <title>", then its
    # lines in reading order.
    text = ['# The reference sheet as text, in reading order (linear notation). Generated with sheet.svg.']
    for top, line in outline:
        text.append('== %d %s' % (top, line) if top is not None else line)
    write(os.path.splitext(target)[0] + '.txt', '\n'.join(text) + '\n')
    sys.stderr.write('%d formulas, sheet %d px high\n' % (len(CLAIMS), height))


if __name__ == '__main__':
    main()
