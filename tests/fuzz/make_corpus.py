#!/usr/bin/env python3
"""Writes the seed corpus of the fuzz targets from the whole-line tables in tests/e2e.

session:  the input lines of each table block, a few consecutive cases per seed (so
          variables and display modes carry over), with "#template TEXT" first when the
          cases have a template.
notation: the unit notations of the inputs ("[...]" and a word after a number) and
          their decimal numbers.
number:   the digits of "(...)n" radix inputs, after one byte that selects the radix; and
          a few saved forms of values.
cli:      a few command lines, arguments separated by NUL bytes.

Each seed is named by the SHA-1 of its bytes, as libFuzzer names its files; running the
script again rewrites the same files. Usage: make_corpus.py [OUTPUT_DIR] (default: corpus/
beside this script).
"""
import hashlib
import pathlib
import re
import sys

HERE = pathlib.Path(__file__).resolve().parent
TABLES = HERE.parent / "e2e"
CASES_PER_SEED = 4
MAX_LINE = 300  # longer lines (a repeated text) make slow seeds and teach nothing new

ESCAPES = {"t": "\t", "r": "\r", "n": "\n", "s": " ", "\\": "\\", "-": "-", "~": "~"}


def unescape(field):
    """A table field as its text: "-" is empty, escapes and \\{N:text} repeats expanded."""
    if field == "-":
        return ""
    out, i = [], 0
    while i < len(field):
        c = field[i]
        if c != "\\" or i + 1 == len(field):
            out.append(c)
            i += 1
        elif field[i + 1] == "u":
            out.append(chr(int(field[i + 2:i + 6], 16)))
            i += 6
        elif field[i + 1] == "{":
            end = field.index("}", i)
            count, text = field[i + 2:end].split(":", 1)
            out.append(unescape(text) * int(count))
            i = end + 1
        else:
            out.append(ESCAPES.get(field[i + 1], field[i + 1]))
            i += 2
    return "".join(out)


def blocks():
    """Each table block as a list of (template, input) pairs."""
    for table in sorted(TABLES.glob("*.txt")):
        block = []
        for line in table.read_text(encoding="utf-8").splitlines():
            if line.startswith("==="):
                if block:
                    yield block
                block = []
            elif line and not line.startswith("#"):
                fields = re.split(r"\t+", line)
                if len(fields) >= 2:
                    block.append((unescape(fields[0]), unescape(fields[1])))
        if block:
            yield block


def session_seeds():
    for block in blocks():
        for start in range(0, len(block), CASES_PER_SEED):
            chunk = block[start:start + CASES_PER_SEED]
            templ = chunk[0][0]
            lines = [text for t, text in chunk if t == templ and len(text) <= MAX_LINE and "\n" not in text]
            if lines:
                head = ["#template " + templ] if templ else []
                yield "\n".join(head + lines).encode("utf-8")


def notation_seeds():
    for block in blocks():
        for _, text in block:
            if len(text) > MAX_LINE:
                continue
            for bracketed in re.findall(r"\[([^\]]*)\]", text):
                if bracketed and not bracketed.isdigit():
                    yield bracketed.encode("utf-8")
            for word in re.findall(r"[0-9)]([^\W\d_][\w*/^]*)", text):
                yield word.encode("utf-8")
            for number in re.findall(r"[0-9]*\.?[0-9]+(?:`[0-9]*`?)?", text):
                yield number.encode("utf-8")


# Saved forms of values as f単位数保存文字列 writes them: 20[°C], 5[km/h], 1:30 and 0*(-1).
SAVED_FORM_SEEDS = [
    "v1 1 1 1 k 1 1 1 1 1 0 1 1 0 2 ' 0 '!11931 1 2 0 ' 2 ' 0 '!11931 1 '+273.15 '%00B0C ' 2 0 ' 2 ' 0 "
    "'!11931 1 '%00B0C ' 0 0 .",
    "v1 1 1 1 5 1 1 1 1 1 0 1 1 0 3 ' 0 '!1192 1 '!119621 -1 0 'km/h '*1000*1/3600 3 0 ' 2 ' 0 '!1192 1 "
    "'km 2 ' 0 '!119621 1 'h ' 0 0 .",
    "v1 1 1 1 58o 1 1 0 0 0 0 0 0 0 2 ' 0 '!119621 1 0 '!time '*1 2 0 ' 2 ' 0 '!119621 1 '!time ' 0 0 .",
    "v1 1 1 1 -0 1 0 0 0 0 0 0 0 0 2 ' 0 '!11950 1 0 ' ' 0 '0 0 0 .",
]


def number_seeds():
    for form in SAVED_FORM_SEEDS:
        yield form.encode("ascii")
    for block in blocks():
        for _, text in block:
            for digits, radix in re.findall(r"\(\$?([0-9A-Za-z.`]+)\)([0-9]+)", text):
                if 2 <= int(radix) <= 36:
                    yield bytes([int(radix) - 2]) + digits.encode("ascii")


CLI_SEEDS = [
    ["--json", "1+1"], ["--template", "@*2", "3"], ["--template=@*2"], ["--timeout", "0.5", "2^(1/2)"],
    ["--digits=50", "1/7"], ["-2^2", "--1", "--(2)"], ["--", "--json", "-h"], ["--help"], ["--version"],
    ["--bogus"], ["--json=1"], ["--timeout", "1e3"], ["--digits", "2147483648"], ["--template"],
    ["x\u00e9\u3042", "\U0001F600"],
]


def cli_seeds():
    for args in CLI_SEEDS:
        yield b"\0".join(a.encode("utf-8") for a in args)


def write(directory, seeds):
    directory.mkdir(parents=True, exist_ok=True)
    names = set()
    for seed in seeds:
        name = hashlib.sha1(seed).hexdigest()
        if name not in names:
            (directory / name).write_bytes(seed)
            names.add(name)
    return len(names)


def main():
    out = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else HERE / "corpus"
    for target, seeds in [("session", session_seeds()), ("notation", notation_seeds()),
                          ("number", number_seeds()), ("cli", cli_seeds())]:
        print(f"{target}: {write(out / target, seeds)} seeds")


if __name__ == "__main__":
    main()
