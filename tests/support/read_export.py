#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads a word export with Python's own csv or json module and prints what it holds, one item a line:
   row RANK FREQUENCY WORD-AS-HEX PERCENT CUMULATIVE
   stat NAME VALUE                      (JSON)
   setting NAME TYPE VALUE-OR-HEX       (JSON)
Exits 1 with a message on standard error when the file breaks a rule of its format."""
import csv
import io
import json
import sys

COLUMNS = ["rank", "frequency", "word", "percent", "cumulative_percent"]


def fail(message):
    print(message, file=sys.stderr)
    sys.exit(1)


def row(rank, frequency, word, percent, cumulative):
    print("row", int(rank), int(frequency), word.encode("utf-8").hex() or "-", percent, cumulative)


def read_table(text, fmt):
    if fmt == "csv":
        if not text.endswith("\r\n"):
            fail("a CSV record does not end with CR LF")
        rows = list(csv.reader(io.StringIO(text, newline=""), strict=True))
    else:
        if "\r" in text or not text.endswith("\n"):
            fail("a TSV line does not end with a bare LF")
        rows = [line.split("\t") for line in text[:-1].split("\n")]
    if rows[0] != COLUMNS:
        fail("header %r" % rows[0])
    for r in rows[1:]:
        if len(r) != 5:
            fail("record of %d fields" % len(r))
        row(*r)


def read_json(text):
    document = json.loads(text, parse_float=str)
    if document["format"] != "vesk-words" or document["version"] != 1:
        fail("format or version")
    for w in document["words"]:
        if any(not isinstance(w[k], int) for k in ("rank", "frequency")):
            fail("rank or frequency not an integer")
        row(w["rank"], w["frequency"], w["word"], w["percent"], w["cumulative_percent"])
    for name, value in document["statistics"].items():
        print("stat", name, value)
    for name, value in document["settings"].items():
        if isinstance(value, bool):
            print("setting", name, "bool", str(value).lower())
        elif isinstance(value, int):
            print("setting", name, "number", value)
        else:
            print("setting", name, "text", value.encode("utf-8").hex() or "-")


def main():
    fmt, path = sys.argv[1], sys.argv[2]
    data = open(path, "rb").read()
    if data.startswith(b"\xef\xbb\xbf"):
        fail("byte-order mark")
    text = data.decode("utf-8")
    read_json(text) if fmt == "json" else read_table(text, fmt)


main()
