#!/usr/bin/env python3
"""Digits of real numbers against an independent model.

Generates seeded random expressions of roots, pi, e and the elementary functions, has the
console evaluate them to a fixed number of digits, and checks every digit against mpmath
at a higher precision: a truncated expansion must be a prefix of the true one, an exact
result (no "...") must equal the true value, and an error must come from a value that has
no real value (mpmath gives a complex number, an infinity or fails).

usage: digits_differential.py TAVELKO_CLI [COUNT] [SEED]
"""
import json
import random
import subprocess
import sys
from fractions import Fraction

import mpmath

DIGITS = (60, 120, 300)
GUARD = 40


class Skip(Exception):
    """A case whose value is too large to be worth expanding."""


def skip():
    raise Skip()


def real_only(fn):
    """The function on reals only: a complex argument or result has no real value."""
    def call(x):
        if isinstance(x, mpmath.mpc):
            raise ValueError("complex")
        y = fn(x)
        if isinstance(y, mpmath.mpc):
            raise ValueError("complex")
        return y
    return call


class Gen:
    """Random expressions as (calculator text, mpmath thunk)."""

    def __init__(self, rng):
        self.r = rng

    def leaf(self):
        r = self.r
        k = r.randrange(7)
        if k == 0:
            n = r.randint(1, 50)
            return str(n), lambda: mpmath.mpf(n)
        if k == 1:
            a, b = r.randint(1, 30), r.randint(2, 12)
            return f"({a}/{b})", lambda: mpmath.mpf(a) / b
        if k == 2:
            n = r.choice([2, 3, 5, 6, 7, 10, 11])
            return f"{n}^(1/2)", lambda: mpmath.sqrt(n)
        if k == 3:
            n = r.choice([2, 3, 4, 5, 9, 10])
            return f"{n}^(1/3)", lambda: mpmath.cbrt(n)
        if k == 4:
            return "pi", lambda: +mpmath.pi
        if k == 5:
            return "e", lambda: +mpmath.e
        n = r.choice([2, 3, 5])
        return f"sqrt({n})", lambda: mpmath.sqrt(n)

    def expr(self, depth):
        r = self.r
        if depth == 0 or r.random() < 0.25:
            return self.leaf()
        k = r.randrange(10)
        if k < 5:
            op = r.choice("+-*/")
            (ta, fa), (tb, fb) = self.expr(depth - 1), self.expr(depth - 1)
            f = {"+": lambda: fa() + fb(), "-": lambda: fa() - fb(),
                 "*": lambda: fa() * fb(), "/": lambda: fa() / fb()}[op]
            return f"({ta}{op}{tb})", f
        if k == 5:
            ta, fa = self.expr(depth - 1)
            n = r.choice([2, 3, -1, -2])
            return f"({ta})^({n})", lambda: fa() ** n
        name = r.choice(["sin", "cos", "atan", "exp", "ln", "log", "sqrt", "cbrt",
                         "tan", "sinh", "cosh", "tanh", "abs", "asin", "acos"])
        ta, fa = self.expr(depth - 1)
        if name in ("sin", "tan") and ta == "pi":
            ta, fa = "(pi/7)", lambda: mpmath.pi / 7  # sin(pi) is 0, which the model cannot see
        funcs = {
            "sin": mpmath.sin, "cos": mpmath.cos, "tan": mpmath.tan, "atan": mpmath.atan,
            "asin": mpmath.asin, "acos": mpmath.acos, "sinh": mpmath.sinh,
            "cosh": mpmath.cosh, "tanh": mpmath.tanh, "abs": abs,
            "exp": lambda x: mpmath.exp(x) if abs(x) < 50 else skip(),
            "ln": lambda x: mpmath.log(x) if x > 0 else mpmath.mpc(0, 1),
            "log": lambda x: mpmath.log10(x) if x > 0 else mpmath.mpc(0, 1),
            "sqrt": lambda x: mpmath.sqrt(x) if x >= 0 else mpmath.mpc(0, 1),
            "cbrt": lambda x: mpmath.cbrt(x) if x >= 0 else -mpmath.cbrt(-x),
        }
        fn = real_only(funcs[name])
        if name == "exp":
            return f"exp({ta})", lambda: fn(fa())
        return f"{name}({ta})", lambda: fn(fa())


def exact_value(text):
    """The rational value of an exact decimal result ("0.5", "3.1`42857`", "0.3`", "-2"):
    a cycle runs from the digit before the first mark to the digit before the second."""
    neg = text.startswith("-")
    whole, _, frac = text.lstrip("-").partition(".")
    digits, marks = "", []
    for c in frac:
        if c == "`":
            marks.append(len(digits))
        else:
            digits += c
    value = Fraction(int(whole + digits), 10 ** len(digits))
    if marks:
        start, end = marks[0] - 1, marks[1] if len(marks) > 1 else len(digits)
        head = Fraction(int(whole + digits[:start] or "0"), 10 ** start)
        cycle = digits[start:end]
        value = head + Fraction(int(cycle), (10 ** len(cycle) - 1) * 10 ** start)
    return -value if neg else value


def truncated(x, digits):
    """sign and digits of floor(|x| * 10^digits) / 10^digits, as the console writes it."""
    n = int(mpmath.floor(abs(x) * mpmath.mpf(10) ** digits))
    s = str(n).rjust(digits + 1, "0")
    text = s[:-digits] + "." + s[-digits:]
    return ("-" if x < 0 else "") + text


def model(thunk, dps):
    """The model's value at dps digits: a finite real, or None when it has none."""
    mpmath.mp.dps = dps
    try:
        x = thunk()
    except (ZeroDivisionError, ValueError, OverflowError, TypeError):
        return None
    return x if isinstance(x, mpmath.mpf) and mpmath.isfinite(x) else None


def check(cli, cases, digits):
    lines = "".join(text + "\n" for text, _ in cases)
    run = subprocess.run([cli, "--json", "--timeout", "20", "--digits", str(digits)], input=lines,
                         capture_output=True, text=True, timeout=1800)
    outs = [json.loads(line) for line in run.stdout.splitlines()]
    if len(outs) != len(cases):
        return [f"{len(outs)} results for {len(cases)} lines; stderr: {run.stderr[:500]}"]
    faults = []
    for (text, thunk), out in zip(cases, outs):
        # Two precisions: where they disagree the value is ill-conditioned (a cancellation,
        # a boundary of a domain) and a third, much higher one decides.
        low, high = model(thunk, digits + GUARD), model(thunk, 2 * (digits + GUARD))
        stable = (low is None) == (high is None) and (
            low is None or truncated(low, digits) == truncated(high, digits))
        x = high if stable else model(thunk, 8 * (digits + GUARD))
        if out["error"]:
            if x is not None and stable and out["error"] != "実数が大きすぎる":
                faults.append(f"{text}: error {out['error']!r}, model {mpmath.nstr(x, 20)}")
            continue
        result = out["result"]
        if x is None:
            if stable:
                faults.append(f"{text}: {result[:40]}, but the model has no real value")
            continue
        if result.endswith("..."):
            got, want = result[:-3], truncated(x, digits)
            scaled = x * mpmath.mpf(10) ** digits
            if got != want and abs(scaled - mpmath.nint(scaled)) > mpmath.mpf(10) ** (-GUARD // 4):
                faults.append(f"{text}: got {got[:90]}, want {want[:90]}")
        else:
            value = exact_value(result)
            if stable and abs(x - mpmath.mpf(value.numerator) / value.denominator) > mpmath.mpf(10) ** (-digits):
                faults.append(f"{text}: exact {result[:60]}, model {mpmath.nstr(x, 30)}")
    return faults


def main():
    if hasattr(sys, "set_int_max_str_digits"):
        sys.set_int_max_str_digits(0)
    cli = sys.argv[1]
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 3000
    seed = int(sys.argv[3]) if len(sys.argv) > 3 else 20261210
    rng = random.Random(seed)
    gen = Gen(rng)
    faults = []
    per = count // len(DIGITS)
    for digits in DIGITS:
        cases = []
        while len(cases) < per:
            case = gen.expr(rng.randint(1, 4))
            mpmath.mp.dps = 20
            try:
                if abs(case[1]()) > 1e50:
                    continue  # digits of little interest: another expression instead
            except Skip:
                continue  # too large to expand: another expression instead
            except Exception:
                pass
            cases.append(case)
        faults += check(cli, cases, digits)
    for fault in faults[:40]:
        print(fault)
    print(f"{count} expressions, {len(faults)} faults")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
