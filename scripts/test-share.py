#!/usr/bin/env python3
"""Prints how much of the C/C++ code is tests: non-blank lines that are not
only comments, in tests/ and fuzz/ against src/, peers/, resources/*.h and
bench/. The expected texts and files that tests compare against (tables and
golden files under tests/, *.tsv and *.xml) count as test lines too, so that
moving a table out of C++ does not make the suite look smaller.

    scripts/test-share.py [--by-folder]
"""
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
SUFFIXES = {".c", ".cc", ".cpp", ".h", ".hpp"}
TEST_DATA_SUFFIXES = {".tsv", ".xml"}
TEST_PARTS = ["tests", "fuzz"]
CODE_PARTS = ["src", "peers", "bench"]


def code_lines(path):
    """Lines with code on them; comments (// and /* */) and blank lines do not count."""
    count = 0
    in_block = False
    for line in path.read_text(encoding="utf-8", errors="replace").splitlines():
        text = line
        code = ""
        while text:
            if in_block:
                end = text.find("*/")
                if end < 0:
                    text = ""
                    break
                text = text[end + 2:]
                in_block = False
                continue
            # The first comment opener outside a string literal.
            match = re.search(r'"(?:\\.|[^"\\])*"|\'(?:\\.|[^\'\\])*\'|//|/\*', text)
            if not match:
                code += text
                break
            if match.group(0) == "//":
                code += text[:match.start()]
                break
            if match.group(0) == "/*":
                code += text[:match.start()]
                text = text[match.end():]
                in_block = True
                continue
            code += text[:match.end()]
            text = text[match.end():]
        if code.strip():
            count += 1
    return count


def data_lines(path):
    """Non-blank lines of a table or golden file."""
    return sum(1 for line in path.read_text(encoding="utf-8", errors="replace").splitlines()
               if line.strip())


def files(part):
    base = ROOT / part
    return sorted(p for p in base.rglob("*") if p.suffix in SUFFIXES and p.is_file())


def main():
    by_folder = "--by-folder" in sys.argv[1:]
    totals = {}
    for group, parts in (("tests", TEST_PARTS), ("code", CODE_PARTS)):
        for part in parts:
            for path in files(part):
                folder = "/".join(path.relative_to(ROOT).parts[:2])
                totals.setdefault(group, {}).setdefault(folder, 0)
                totals[group][folder] += code_lines(path)
    tables = 0
    for path in sorted((ROOT / "tests").rglob("*")):
        if path.suffix in TEST_DATA_SUFFIXES and path.is_file():
            folder = "/".join(path.relative_to(ROOT).parts[:2])
            totals["tests"].setdefault(folder, 0)
            lines = data_lines(path)
            totals["tests"][folder] += lines
            tables += lines
    for path in sorted((ROOT / "resources").glob("*.h")):
        totals["code"].setdefault("resources", 0)
        totals["code"]["resources"] += code_lines(path)
    tests = sum(totals["tests"].values())
    code = sum(totals["code"].values())
    if by_folder:
        for group in ("code", "tests"):
            for folder, lines in sorted(totals[group].items()):
                print(f"{group:5} {folder:32} {lines:6}")
    share = tests / (tests + code)
    print(f"test code {tests} lines, product and peers {code} lines: "
          f"tests are {share:.1%} of all, {tests / code:.0%} of the rest")
    cpp = tests - tables
    print(f"C/C++ alone (without the {tables} lines of tables): {cpp} test lines, "
          f"{cpp / (cpp + code):.1%} of all")
    return 0


if __name__ == "__main__":
    sys.exit(main())
