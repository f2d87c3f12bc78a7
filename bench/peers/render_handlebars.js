// Renders the comparison table with Handlebars: render_handlebars.js TEMPLATE DB OUT.
// The helpers write text exactly as the Vitacraft engine does: "\lang" prefix, RTF
// escaping (code page 1252 bytes as \'hh, other characters as \uN\'3F: the data's only
// such character, a Greek letter, has no nearer code page 1252 letter), numbers with two
// decimals and thousands separators, a date's year, and a hyperlink field.
'use strict';
const fs = require('fs');
const Database = require('better-sqlite3');
const Handlebars = require('handlebars');

const LANG = '\\lang1033 ';
const SIMPLE = { '\t': '\\tab ', '\x0b': '\\line ', '\x0c': '\\page ', '\n': '\\par ',
                 '\\': '\\\\', '{': '\\{', '}': '\\}' };
// Code page 1252 bytes 0x80 to 0x9F by the character they stand for.
const HIGH = [0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030,
              0x0160, 0x2039, 0x0152, 0, 0x017D, 0, 0, 0x2018, 0x2019, 0x201C, 0x201D,
              0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E,
              0x0178];
const CP1252 = new Map(HIGH.map((c, i) => [c, 0x80 + i]).filter(([c]) => c !== 0));

const hex = (b) => "\\'" + b.toString(16).toUpperCase().padStart(2, '0');
const unit = (u) => '\\u' + (u >= 0x8000 ? u - 0x10000 : u) + "\\'3F";

function escape(text) {
  let out = '';
  for (const ch of text.replace(/\r\n?/g, '\n')) {
    const code = ch.codePointAt(0);
    if (code < 0x80) {
      // Other control characters are invisible and left out.
      if (SIMPLE[ch] || (code >= 0x20 && code < 0x7F)) out += SIMPLE[ch] || ch;
    } else if (code < 0xA0) {
      // C1 control characters too.
    } else if (code <= 0xFF) {
      out += hex(code);
    } else if (CP1252.has(code)) {
      out += hex(CP1252.get(code));
    } else if (code > 0xFFFF) {
      const v = code - 0x10000;
      out += unit(0xD800 + (v >> 10)) + unit(0xDC00 + (v & 0x3FF));
    } else {
      out += unit(code);
    }
  }
  return out;
}

function money(value) {
  if (value === null || value === undefined) return LANG;
  const fixed = Math.abs(value).toFixed(2);
  const [whole, cents] = fixed.split('.');
  const grouped = whole.replace(/\B(?=(\d{3})+(?!\d))/g, ',');
  return LANG + (value < 0 && Number(fixed) !== 0 ? '-' : '') + grouped + '.' + cents;
}

Handlebars.registerHelper({
  text: (v) => LANG + escape(v === null || v === undefined ? '' : String(v).replace(/ +$/, '')),
  money,
  year: (v) => LANG + (v ? String(v).slice(0, 4) : ''),
  link: (v) => {
    const s = v || '';
    const bar = s.indexOf('|');
    const address = bar < 0 ? s : s.slice(0, bar);
    const shown = (bar < 0 ? '' : s.slice(bar + 1)) || address;
    return '{\\field{\\*\\fldinst {' + LANG.trimEnd() + ' HYPERLINK "' + escape(address) +
           '" }}{\\fldrslt ' + LANG + escape(shown) + '}}';
  },
});

const [templatePath, dbPath, outPath] = process.argv.slice(2);
const template = Handlebars.compile(fs.readFileSync(templatePath, 'latin1'), { noEscape: true });
const db = new Database(dbPath, { readonly: true });
const rows = db.prepare('SELECT id, name, amount, born, link FROM items ORDER BY id').all();
fs.writeFileSync(outPath, template({ rows }), 'latin1');
db.close();
