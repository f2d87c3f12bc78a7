"""Writes the comparison database: one table `items` with N records of five columns.

Usage: make_db.py FILE N. The values are deterministic, so every engine sees the
same rows; names carry characters that RTF must escape (backslash, braces, accents,
the euro sign, a character outside code page 1252).
"""
import sqlite3
import sys

NAMES = [
    "Müller {Söhne} \\ Partner",
    "Café Ångström & Co.",
    "Price: 10 € — net",
    "Plain\tTrading\x07 Ltd",
    "Ωmega {labs}",
    "Ørsted \\ Nørrebro",
]


def rows(count):
    for i in range(1, count + 1):
        cents = (i * 7919) % 100000000
        if i % 7 == 0:
            cents = -cents
        yield (
            i,
            f"{NAMES[i % len(NAMES)]} #{i}",
            cents / 100,
            f"{1950 + i % 70:04d}-{1 + i % 12:02d}-{1 + i % 28:02d}",
            f"https://example.org/item/{i}?ref={{x}}|Item {i}",
        )


def main():
    path, count = sys.argv[1], int(sys.argv[2])
    db = sqlite3.connect(path)
    db.execute("DROP TABLE IF EXISTS items")
    db.execute(
        "CREATE TABLE items (id INTEGER PRIMARY KEY, name TEXT, amount REAL,"
        " born DATE, link TEXT)"
    )
    db.executemany("INSERT INTO items VALUES (?, ?, ?, ?, ?)", rows(count))
    db.commit()
    db.close()


if __name__ == "__main__":
    main()
