#!/usr/bin/env python3
"""Units of the user's own through tavelko-cli: a damaged units file given with --units
has its unusable lines reported as FILE:LINE on standard error while its good lines are
usable, a line failing for a spelling defined only later included; the default file is found under XDG_CONFIG_HOME or HOME; a missing default file
says nothing, a missing --units file is a usage error.

usage: user_units_test.py TAVELKO_CLI
"""
import os
import subprocess
import sys
import tempfile

CLI = sys.argv[1]
failures = []


def run(args, env_extra, home):
    env = {k: v for k, v in os.environ.items() if k not in ("XDG_CONFIG_HOME", "HOME")}
    env.update({"HOME": home, "LC_ALL": "C.UTF-8"})
    env.update(env_extra)
    p = subprocess.run([CLI] + args, capture_output=True, text=True, env=env, timeout=30)
    return p.returncode, p.stdout, p.stderr


def check(label, got, want):
    if got != want:
        failures.append(f"{label}:\n  got  {got!r}\n  want {want!r}")


DAMAGED = """\
furlong = 201.168[m]  prefixes: k
this line has no equals sign
m = 1[m]
二俵 = 2[俵]
俵 = 60[kg]
二俵 = 2[俵]
"""

with tempfile.TemporaryDirectory() as tmp:
    units = os.path.join(tmp, "units.txt")
    with open(units, "w", encoding="utf-8") as f:
        f.write(DAMAGED)
    status, out, err = run(["--units", units, "(1[kfurlong])[m]", "(1[二俵])[kg]", "1[m俵]"], {}, tmp)
    check("damaged file: status", status, 0)
    check("damaged file: results", out, "201168 [m]\n120 [kg]\n1 [???]\n")
    check("damaged file: reports", err,
          f"{units}:2: 単位定義不正\n{units}:3: 既存の単位: m\n{units}:4: 次元不明\n")

    # The default file, under XDG_CONFIG_HOME, else under HOME when it is empty or unset;
    # --units replaces it.
    for folder in (os.path.join(tmp, "xdg", "tavelko"), os.path.join(tmp, ".config", "tavelko")):
        os.makedirs(folder)
    with open(os.path.join(tmp, "xdg", "tavelko", "units.txt"), "w", encoding="utf-8") as f:
        f.write("xdgunit = 2[m]\n")
    with open(os.path.join(tmp, ".config", "tavelko", "units.txt"), "w", encoding="utf-8") as f:
        f.write("homeunit = 3[m]\n")
    line = ["(1[xdgunit])[m]", "(1[homeunit])[m]"]
    cases = [
        ("XDG_CONFIG_HOME", {"XDG_CONFIG_HOME": os.path.join(tmp, "xdg")}, [], "2 [m]\n1 [???]\n"),
        ("XDG_CONFIG_HOME empty", {"XDG_CONFIG_HOME": ""}, [], "1 [???]\n3 [m]\n"),
        ("XDG_CONFIG_HOME unset", {}, [], "1 [???]\n3 [m]\n"),
        ("--units", {"XDG_CONFIG_HOME": os.path.join(tmp, "xdg")}, ["--units", units], "1 [???]\n1 [???]\n"),
    ]
    for label, env, args, want in cases:
        status, out, _ = run(args + line, env, tmp)
        check(label + ": results", (status, out), (0, want))

    # A missing default file is silent; a missing --units file is a usage error.
    status, out, err = run(["1"], {"XDG_CONFIG_HOME": os.path.join(tmp, "none")}, tmp)
    check("missing default file", (status, out, err), (0, "1\n", ""))
    missing = os.path.join(tmp, "none.txt")
    status, out, err = run(["--units", missing, "1"], {}, tmp)
    check("missing --units file", (status, out, err),
          (2, "", f"tavelko-cli: cannot read units file {missing}: No such file or directory\n"))

if failures:
    print("\n".join(failures))
    sys.exit(1)
print("ok")
