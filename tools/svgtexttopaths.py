#!/usr/bin/python3
"""Turns the <text> elements of SVG artwork into outlines (<path>), in place.

A picture with text makes the program load a font face to draw it, at the
moment the picture is first drawn; the toolbar strip's faces are drawn at
start. As outlines they draw with no font at all, and look the same on every
machine. Each text is set from the DejaVu face its font-family, font-weight
and font-style name (Debian: fonts-dejavu-core and fonts-dejavu-extra), with
the faces' advance widths and text-anchor; letter-spacing is left out, as
Qt's SVG renderer, which drew the texts before, leaves it out. Each text
becomes one path with the text's fill, after a comment that keeps the words.

Only DejaVu texts are taken: other families (Times New Roman, which
fontconfig gives as an OpenType (CFF) or Type 1 face) this reader cannot set.

tools/makereferencesheet.py sets the reference sheet's texts with
convert_to_uses: each glyph outline defined once and used where it stands.

Usage: tools/svgtexttopaths.py picture.svg...
"""

import html
import os
import re
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from makereferencesheet import FONT_DIR, FontFile  # noqa: E402


class Face(FontFile):
    """A TrueType face's advances (from the sheet's reader) and glyph outlines."""

    def __init__(self, path):
        super().__init__(path)
        with open(path, "rb") as f:
            self.data = data = f.read()
        self.tables = {}
        for i in range(struct.unpack(">H", data[4:6])[0]):
            tag, _, offset, _ = struct.unpack(">4sIII", data[12 + 16 * i:28 + 16 * i])
            self.tables[tag.decode()] = offset
        head = self.tables["head"]
        self.long_loca = struct.unpack(">h", data[head + 50:head + 52])[0] == 1

    def glyph(self, char):
        return self.glyphs.get(ord(char), 0)

    def advance(self, glyph):
        return self.advances[min(glyph, len(self.advances) - 1)]

    def _glyph_data(self, glyph):
        loca, data = self.tables["loca"], self.data
        if self.long_loca:
            start, end = struct.unpack(">II", data[loca + 4 * glyph:loca + 4 * glyph + 8])
        else:
            start, end = (2 * v for v in struct.unpack(">HH", data[loca + 2 * glyph:loca + 2 * glyph + 4]))
        return data[self.tables["glyf"] + start:self.tables["glyf"] + end]

    def contours(self, glyph, dx=0, dy=0):
        """The glyph's contours, each a list of (x, y, on_curve) in font units."""
        data = self._glyph_data(glyph)
        if not data:
            return []
        count = struct.unpack(">h", data[0:2])[0]
        if count < 0:
            return self._composite(data, dx, dy)
        ends = struct.unpack(">%dH" % count, data[10:10 + 2 * count])
        at = 10 + 2 * count
        at += 2 + struct.unpack(">H", data[at:at + 2])[0]  # instructions
        points = ends[-1] + 1 if count else 0
        flags = []
        while len(flags) < points:
            flag = data[at]
            at += 1
            flags.append(flag)
            if flag & 8:
                flags.extend([flag] * data[at])
                at += 1
        coordinates = []
        for short, same in ((2, 16), (4, 32)):
            value, values = 0, []
            for flag in flags:
                if flag & short:
                    delta = data[at]
                    at += 1
                    value += delta if flag & same else -delta
                elif not flag & same:
                    value += struct.unpack(">h", data[at:at + 2])[0]
                    at += 2
                values.append(value)
            coordinates.append(values)
        result, first = [], 0
        for end in ends:
            result.append([(coordinates[0][i] + dx, coordinates[1][i] + dy, bool(flags[i] & 1))
                           for i in range(first, end + 1)])
            first = end + 1
        return result

    def _composite(self, data, dx, dy):
        result, at, more = [], 10, True
        while more:
            flags, glyph = struct.unpack(">HH", data[at:at + 4])
            at += 4
            if flags & 1:
                x, y = struct.unpack(">hh", data[at:at + 4])
                at += 4
            else:
                x, y = struct.unpack(">bb", data[at:at + 2])
                at += 2
            if flags & (8 | 64 | 128):
                raise SystemExit("scaled glyph components are not supported")
            result += self.contours(glyph, dx + x, dy + y)
            more = flags & 32
        return result


def face_file(family, weight, style):
    first = family.split(",")[0].strip()
    if not first.startswith("DejaVu"):
        raise SystemExit(f"only DejaVu texts are turned into outlines, not {first}")
    sans = "Serif" not in first
    bold = weight == "bold"
    slanted = style in ("italic", "oblique")
    name = "DejaVuSans" if sans else "DejaVuSerif"
    suffix = ("Bold" if bold else "") + (("Oblique" if sans else "Italic") if slanted else "")
    return os.path.join(FONT_DIR, name + ("-" + suffix if suffix else "") + ".ttf")


def number(value):
    text = ("%.2f" % value).rstrip("0").rstrip(".")
    return "0" if text in ("-0", "") else text


def glyph_path(face, glyph, x, y, scale):
    """The glyph's outline as path data, its origin at (x, y), scale pixels a font unit."""
    path = []
    for contour in face.contours(glyph):
        def point(p):
            return number(x + p[0] * scale) + " " + number(y - p[1] * scale)
        # Start on a point on the curve; between two control points lies one implied.
        start = next((i for i, p in enumerate(contour) if p[2]), None)
        if start is None:
            a, b = contour[-1], contour[0]
            contour = [((a[0] + b[0]) / 2, (a[1] + b[1]) / 2, True)] + contour
            start = 0
        contour = contour[start:] + contour[:start]
        path.append("M" + point(contour[0]))
        control = None
        for p in contour[1:] + [contour[0]]:
            if p[2]:
                path.append(("Q" + point(control) + " " if control else "L") + point(p))
                control = None
            elif control:
                middle = ((control[0] + p[0]) / 2, (control[1] + p[1]) / 2)
                path.append("Q" + point(control) + " " + point(middle))
                control = p
            else:
                control = p
        path.append("Z")
    return "".join(path)


def placed(face, text, x, size, spacing, anchor):
    """Each glyph of the text with its pen position, the text aligned to x by its anchor."""
    scale = size / face.units
    glyphs = [face.glyph(c) for c in text]
    width = sum(face.advance(g) * scale for g in glyphs) + spacing * (len(glyphs) - 1)
    pen = x - {"middle": width / 2, "end": width}.get(anchor, 0)
    for glyph in glyphs:
        yield glyph, pen
        pen += face.advance(glyph) * scale + spacing


def outline(face, text, x, y, size, spacing, anchor):
    scale = size / face.units
    return "".join(glyph_path(face, glyph, pen, y, scale) for glyph, pen in placed(face, text, x, size, spacing, anchor))


TEXT = re.compile(r"<text\b([^>]*)>([^<]*)</text>")
ATTRIBUTE = re.compile(r'([\w-]+)="([^"]*)"')


class Texts:
    """Reads <text> elements: their attributes, words and face, with the sizes and
    family the document gives its texts when they name none."""

    def __init__(self, family="DejaVu Sans", size=None):
        self.family, self.size, self.faces = family, size, {}

    def read(self, match):
        attributes = dict(ATTRIBUTE.findall(match.group(1)))
        words = html.unescape(match.group(2))
        path = face_file(attributes.get("font-family", self.family), attributes.get("font-weight"),
                         attributes.get("font-style"))
        face = self.faces.setdefault(path, Face(path) if os.path.exists(path) else None)
        if face is None:
            raise SystemExit(f"no font {path} for {words!r}")
        size = attributes.get("font-size", self.size)
        return attributes, words, face, os.path.basename(path)[:-4], size


def comment(words):
    # Two hyphens in a row would end an XML comment.
    return words.replace("--", "-\u2010")


def convert(svg):
    """Each text as one path with the text's fill, after a comment with its words."""
    texts = Texts()

    def replace(match):
        attributes, words, face, name, size = texts.read(match)
        d = outline(face, words, float(attributes.get("x", 0)), float(attributes.get("y", 0)), float(size), 0,
                    attributes.get("text-anchor", "start"))
        fill = attributes.get("fill", "#000000")
        return f'<!-- "{comment(words)}", {name} {size} -->' f'<path fill="{fill}" d="{d}"/>'

    return TEXT.sub(replace, svg)


def convert_to_uses(svg, family, size):
    """Each text as a comment with its words and one <use> a glyph, of outlines
    defined once for each face, size and glyph; for a document of many texts
    in few faces (the reference sheet), a tenth the size of a path a text.
    Gives the definitions (<path> lines, for a <defs> before the first use)
    and the document with its texts replaced; the document's root must declare
    the xlink namespace."""
    texts = Texts(family, size)
    ids, defs = {}, []

    def replace(match):
        attributes, words, face, name, size = texts.read(match)
        scale = float(size) / face.units
        y = number(float(attributes.get("y", 0)))
        # A fill or transform of the text's own goes to each of its glyphs.
        own = "".join(f' {key}="{attributes[key]}"' for key in ("fill", "transform") if key in attributes)
        uses = []
        for (glyph, pen), char in zip(placed(face, words, float(attributes.get("x", 0)), float(size), 0,
                                             attributes.get("text-anchor", "start")), words):
            key = (name, size, glyph)
            if key not in ids:
                d = glyph_path(face, glyph, 0, 0, scale)
                ids[key] = f"g{len(defs)}" if d else None  # a space has no outline
                if d:
                    defs.append(f'<path id="{ids[key]}" d="{d}"/><!-- {comment(char)} {name} {size} -->')
            if ids[key]:
                uses.append(f'<use xlink:href="#{ids[key]}" x="{number(pen)}" y="{y}"{own}/>')
        return f'<!-- "{comment(words)}" -->' + "".join(uses)

    return defs, TEXT.sub(replace, svg)


def main():
    if len(sys.argv) < 2:
        raise SystemExit(__doc__)
    for name in sys.argv[1:]:
        with open(name, encoding="utf-8") as f:
            svg = f.read()
        with open(name, "w", encoding="utf-8") as f:
            f.write(convert(svg))


if __name__ == "__main__":
    main()
