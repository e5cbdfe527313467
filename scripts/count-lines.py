#!/usr/bin/python3
"""Counts the lines of code that the tests are weighed against: non-blank lines that are not comments, in the
C, C++ and Python sources of the library, the tool and the Python package, and in tests/ (fuzz/ and bench/
are counted apart). With --files, the largest test files too.

    ./scripts/count-lines.py [--files]
"""
import os
import sys

SOURCES = {".cpp", ".h", ".hpp", ".c", ".py", ".pyi"}
SHELL = {".sh", ".bash", ".zsh"}


def count(path):
    lines = 0
    in_block = False
    hash_comments = os.path.splitext(path)[1] in SHELL | {".py", ".pyi"}
    for line in open(path, errors="replace"):
        text = line.strip()
        if not text:
            continue
        if hash_comments:
            lines += not text.startswith("#")
            continue
        if in_block:
            in_block = "*/" not in text
            continue
        if text.startswith("//"):
            continue
        if text.startswith("/*"):
            in_block = "*/" not in text
            continue
        lines += 1
    return lines


def tree(roots, endings):
    found = {}
    for root in roots:
        for folder, _, names in os.walk(root):
            if "__pycache__" in folder or "/build" in folder:
                continue
            for name in names:
                if os.path.splitext(name)[1] in endings:
                    path = os.path.join(folder, name)
                    found[path] = count(path)
    return found


os.chdir(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
code = sum(tree(["platform", "ini", "hoop", "module", "include", "tools", "python"], SOURCES).values())
tests = tree(["tests"], SOURCES)
shell = tree(["tests"], SHELL)
print(f"code (library, tool, Python package): {code}")
print(f"tests in C, C++ and Python: {sum(tests.values())} ({100 * sum(tests.values()) / code:.1f} %)")
print(f"tests with the shell tests: {sum(tests.values()) + sum(shell.values())} "
      f"({100 * (sum(tests.values()) + sum(shell.values())) / code:.1f} %)")
print(f"fuzz/ and bench/: {sum(tree(['fuzz', 'bench'], SOURCES).values())}")
if "--files" in sys.argv:
    for path, lines in sorted({**tests, **shell}.items(), key=lambda item: -item[1])[:20]:
        print(f"{lines:6} {path}")
