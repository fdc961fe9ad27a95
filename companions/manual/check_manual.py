#!/usr/bin/env python3
"""Checks that the shipped manual is Windows-1252 text with CR LF line ends,
not UTF-8 that slipped in, and that it covers the buttons and the files."""
import re
import sys

path = sys.argv[1]
data = open(path, "rb").read()
problems = []

if re.search(rb"(?<!\r)\n", data):
    problems.append("a line ends in a bare LF")
if re.search(rb"\r(?!\n)", data):
    problems.append("a bare CR")
if not data.endswith(b"\r\n"):
    problems.append("the last line has no line end")
if re.search(rb"[\xc2-\xf4][\x80-\xbf]", data):
    problems.append("UTF-8 sequences (the file must be Windows-1252)")
try:
    text = data.decode("cp1252")
except UnicodeDecodeError as error:
    problems.append(f"not Windows-1252: {error}")
    text = ""
if not any(letter in text for letter in "åäö"):
    problems.append("no Swedish letters")
for word in ["Tidlista", "Statistik", "Config", "Manual", "Om", "OK",
             "ysave.dab", "ytime.dab", "yhist.dab", "uvreader.exe", "uvstat.lib",
             "aboutuv.exe", "uvreport.exe", "uvdolt.txt", "(dolt)", "FILFEL",
             "FELMEDDELANDE", "COM7", "4000000", "Lågtaxa", "Högtaxa", "AUTO"]:
    if word not in text:
        problems.append(f"does not mention {word}")
long_lines = [n + 1 for n, line in enumerate(text.split("\r\n")) if len(line) > 78]
if long_lines:
    problems.append(f"lines longer than 78 characters: {long_lines[:5]}")

for problem in problems:
    print(f"{path}: {problem}")
sys.exit(1 if problems else 0)
