# SPDX-License-Identifier: MIT
"""Prints the usage part of a README in Markdown, the lines between
"<!-- usage" and "<!-- /usage -->" (there may be several), as the plain text of a Windows read-me:
lines filled to 76 columns (a Japanese character counts two), headings,
lists and tables as indented lines, pictures left out. The Windows
read-mes take their usage part from the READMEs this way, so they say
what the manuals say.

    python3 readme_usage.py README.ja.md ja
"""
import re
import sys
import unicodedata

WIDTH = 76
# Never at the start of a line / never at its end (Japanese line breaking).
NOT_FIRST = set("、。，．）」』】〕・ー：；？！,.;:)]%°")
NOT_LAST = set("（「『【〔([")


def width(text):
    return sum(2 if unicodedata.east_asian_width(c) in "WF" else 1 for c in text)


def inline(text):
    text = re.sub(r"!\[[^]]*\]\([^)]*\)", "", text)
    text = re.sub(r"\[([^]]*)\]\([^)]*\)", r"\1", text)
    text = text.replace("**", "").replace("`", "")
    return re.sub(r"[ \t\n]+", " ", text).strip(" ")


def units(text):
    """The text cut where a line may break: before a space, or between
    two characters at least one of which is wide. A space between two wide
    characters (「計 算」) holds them together."""
    pieces = []
    for i, c in enumerate(text):
        if c == " " and 0 < i < len(text) - 1 and width(text[i - 1]) == 2 and width(text[i + 1]) == 2:
            pieces[-1] += c
            continue
        wide = unicodedata.east_asian_width(c) in "WF"
        if pieces and c != " " and not wide and pieces[-1][-1] != " " \
                and unicodedata.east_asian_width(pieces[-1][-1]) not in "WF":
            pieces[-1] += c  # an ASCII word stays whole
        elif pieces and (c in NOT_FIRST or pieces[-1][-1] in NOT_LAST or pieces[-1][-1] == " " and len(pieces[-1]) > 1 and width(pieces[-1][-2]) == 2 and width(c) == 2):
            pieces[-1] += c
        else:
            pieces.append(c)
    return pieces


def fill(text, first, rest):
    lines = []
    line = first
    for piece in units(text):
        if width(line + piece.rstrip()) > WIDTH and line.strip():
            lines.append(line.rstrip())
            line = rest + piece.lstrip()
        else:
            line += piece
    lines.append(line.rstrip())
    return lines


def table_row(cells):
    seen = []
    for cell in cells[1:]:
        if cell and cell not in seen:
            seen.append(cell)
    return cells[0] + (": " + " / ".join(seen) if seen else "")


def convert(markdown, language):
    bullet = " ・" if language == "ja" else " - "
    heading = "◇ " if language == "ja" else "* "
    inside = False
    blocks = []  # (first prefix, continuation prefix, text) or None for a blank line
    paragraph = None
    code = False
    for raw in markdown.splitlines():
        if raw.startswith("<!-- usage"):
            inside = True
            continue
        if raw.startswith("<!-- /usage"):
            inside = False
            paragraph = None
            if blocks and blocks[-1] is not None:
                blocks.append(None)
            continue
        if not inside:
            continue
        if raw.startswith("```"):
            code = not code
            paragraph = None
            continue
        if code:
            blocks.append(("     ", "     ", raw, True))
            continue
        line = raw.strip()
        if not line or line.startswith("<!--") or re.fullmatch(r"!\[[^]]*\]\([^)]*\)", line):
            if paragraph is not None or (blocks and blocks[-1] is not None):
                blocks.append(None)
            paragraph = None
            continue
        if line.startswith("## "):
            paragraph = None
            continue
        if line.startswith("### "):
            blocks.append((" " + heading, "   ", inline(line[4:]), False))
            paragraph = None
            continue
        if line.startswith("|"):
            cells = [inline(c) for c in line.strip("|").split("|")]
            if all(re.fullmatch(r":?-+:?", c) for c in cells):
                blocks.pop()  # the header row above it
                continue
            blocks.append((bullet, "   ", table_row(cells), False))
            paragraph = None
            continue
        item = re.match(r"(- |\d+\. )(.*)", line)
        if item:
            marker = bullet if item.group(1) == "- " else " " + item.group(1)
            paragraph = [marker, " " * width(marker), inline(item.group(2)), False]
            blocks.append(paragraph)
            continue
        if paragraph is not None:
            paragraph[2] = inline(paragraph[2] + " " + line)
            continue
        paragraph = [" ", " ", inline(line), False]
        blocks.append(paragraph)
    out = []
    for block in blocks:
        if block is None:
            if out and out[-1] != "":
                out.append("")
            continue
        first, rest, text, verbatim = block
        out.extend([(first + text).rstrip()] if verbatim else fill(text, first, rest))
    while out and out[-1] == "":
        out.pop()
    return "\n".join(out)


def main():
    path, language = sys.argv[1], sys.argv[2]
    with open(path, encoding="utf-8") as f:
        text = convert(f.read(), language)
    if not text:
        sys.exit(f"{path} has no usage part between <!-- usage --> and <!-- /usage -->")
    sys.stdout.write(text + "\n")


if __name__ == "__main__":
    main()
