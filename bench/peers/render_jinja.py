"""Renders the comparison table with Jinja2: render_jinja.py TEMPLATE DB OUT.

Rows are streamed from the database cursor into the template and the output is
streamed to the file. The filters write text exactly as the Vitacraft engine does:
"\\lang" prefix, RTF escaping (code page 1252 bytes as \\'hh, other characters as
\\uN\\'3F: the data's only such character, a Greek letter, has no nearer code page
1252 letter), numbers with two decimals and thousands separators, a date's year, and a
hyperlink field.
"""
import sqlite3
import sys

import jinja2

LANG = "\\lang1033 "
SIMPLE = {
    "\t": "\\tab ",
    "\x0b": "\\line ",
    "\x0c": "\\page ",
    "\n": "\\par ",
    "\\": "\\\\",
    "{": "\\{",
    "}": "\\}",
}


def unicode_unit(unit):
    return "\\u%d\\'3F" % (unit - 0x10000 if unit >= 0x8000 else unit)


def escape(text):
    text = text.replace("\r\n", "\r").replace("\r", "\n")
    out = []
    for ch in text:
        code = ord(ch)
        if code < 0x80:
            # Other control characters are invisible and left out.
            if ch in SIMPLE or 0x20 <= code < 0x7F:
                out.append(SIMPLE.get(ch, ch))
            continue
        if code < 0xA0:
            continue
        try:
            out.append("\\'%02X" % ch.encode("cp1252")[0])
        except UnicodeEncodeError:
            if code > 0xFFFF:
                v = code - 0x10000
                out.append(unicode_unit(0xD800 + (v >> 10)) + unicode_unit(0xDC00 + (v & 0x3FF)))
            else:
                out.append(unicode_unit(code))
    return "".join(out)


def text(value):
    return LANG + escape("" if value is None else str(value).rstrip(" "))


def money(value):
    return LANG + ("" if value is None else f"{value:,.2f}")


def year(value):
    return LANG + ("" if not value else value[:4])


def link(value):
    address, _, shown = (value or "").partition("|")
    shown = shown or address
    return (
        '{\\field{\\*\\fldinst {' + LANG.rstrip(" ") + ' HYPERLINK "' + escape(address)
        + '" }}{\\fldrslt ' + LANG + escape(shown) + "}}"
    )


def main():
    template_path, db_path, out_path = sys.argv[1:4]
    env = jinja2.Environment(
        variable_start_string="<<",
        variable_end_string=">>",
        block_start_string="<%",
        block_end_string="%>",
        comment_start_string="<#",
        comment_end_string="#>",
        autoescape=False,
        keep_trailing_newline=True,
    )
    env.filters.update(text=text, money=money, year=year, link=link)
    with open(template_path, encoding="cp1252", newline="") as f:
        template = env.from_string(f.read())
    db = sqlite3.connect(db_path)
    rows = db.execute("SELECT id, name, amount, born, link FROM items ORDER BY id")
    with open(out_path, "w", encoding="cp1252", newline="") as out:
        template.stream(rows=rows).dump(out)
    db.close()


if __name__ == "__main__":
    main()
