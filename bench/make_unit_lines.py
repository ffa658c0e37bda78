#!/usr/bin/env python3
"""Writes the batch input of the "units" row of speed_table.sh: lines a user would type
into the console (unit conversions, everyday units, derived units, temperatures, times, radixes,
variables, plain fractions), their numbers drawn from a seeded generator so the file is
the same on every run. Every line must evaluate without an error message:

    build-release/bin/tavelko-cli --digits 40 < bench/units_lines.txt >/dev/null && echo ok

Usage: make_unit_lines.py [--count N] [--seed S] [OUTPUT]   (default bench/units_lines.txt)
"""
import argparse
import os
import random


def conversion(r):
    n = r.randint(1, 999)
    return r.choice([
        f"{r.randint(1, 500)}km/{r.randint(1, 50)}[m/h]",
        f"{r.randint(1, 900)}m/{r.randint(1, 90)}h",
        f"({n}[km/h])[m/s]",
        f"({n}[m/s])[km/h]",
        f"({n}km)[m]",
        f"({n}mm)[m]",
        f"({n}cm)[km]",
        f"({n}l)[cm3]",
        f"({n}dl)[l]",
        f"({n}mL)[L]",
        f"({n}ha)[m2]",
        f"({n}atm)[kPa]",
        f"({n}mmHg)[Pa]",
        f"({n}kcal)[J]",
        f"({n}oz)[g]",
        f"({n}ct)[g]",
        f"({n}M)[m]",
        f"({n}kt)[m/s]",
        f"({n}t)[kg]",
        f"({n}min)[s]",
        f"({r.randint(1, 99)}kW*{r.randint(1, 24)}h)[J]",
        f"({r.randint(1, 99)}km/0:{r.randint(1, 59)})[km/h]",
        f"{r.randint(1, 99)}km/0:0:{r.randint(1, 59)}",
        f"{r.randint(1, 99)}mm+{r.randint(1, 99)}cm+{r.randint(1, 99)}mm",
    ])


def everyday(r):
    """Units of everyday life: imperial and US units, kWh, °F, shaku-kan units, ratios, bytes."""
    n = r.randint(1, 999)
    return r.choice([
        f"({n}ft)[m]",
        f"({n}lb)[kg]",
        f"({n}gal)[L]",
        f"({n}mi)[km]",
        f"({n}[mph])[km/h]",
        f"({r.randint(-40, 212)}[°F])[°C]",
        f"({r.randint(-40, 100)}[°C])[°F]",
        f"({n}kWh)[MJ]",
        f"({n}psi)[kPa]",
        f"({n}[inHg])[hPa]",
        f"{r.randint(1, 20)}畳",
        f"({n}升)[L]",
        f"({n}坪)[m2]",
        f"{r.randint(1, 99)}[%]*{n}",
        f"({n}[GiB])[MB]",
        f"({n}yr)[d]",
        f"({n}[eV])[J]",
        f"{r.randint(1, 99)}[°C]+{r.randint(1, 99)}[K]",
    ])


def derived(r):
    a, b = r.randint(1, 99), r.randint(1, 99)
    return r.choice([
        f"{a}N*{b}m",
        f"{a}[N]*{b}[m]",
        f"{a}kg*{b}[m/s2]",
        f"{a}g*{b}[m/s2]",
        f"{a}V/{b}mA",
        f"{a}J/{b}kg",
        f"{a}W/{b}A+{r.randint(1, 99)}J/{r.randint(1, 99)}C",
        f"{a}MPa*{b}m2",
        f"{a}V*{b}s",
        f"{a}Wb/{b}m2",
        f"{a}C/{b}000V",
        f"({a}cm+{b}cm)*{r.randint(1, 9)}cm/2",
        f"{a}.{r.randint(0, 9)}[m/s]/{b}.{r.randint(1, 9)}[s]",
        f"({a}[m/s]^2+{b}[m/s]^2)^0.5",
        f"{a}km^{r.randint(2, 3)}",
        f"{a}J/({b}kg*{r.randint(1, 9)}s)",
    ])


def temperature(r):
    c = r.randint(-273, 999)
    k = r.randint(0, 2000)
    return r.choice([
        f"({c}[℃])[K]",
        f"({c}[°C])[K]",
        f"({k}K)[°C]",
        f"({k}[K])[°C]",
        f"({c}.{r.randint(0, 9)}[°C])[K]",
    ])


def time_literal(r):
    h, m, s = r.randint(0, 99), r.randint(0, 59), r.randint(0, 59)
    return r.choice([
        f"{h}:{m:02d}:{s:02d}",
        f"{h}:{m:02d}",
        f"{h}:{m}:{s}.{r.randint(1, 9)}[s]",
        f"{h}:{m:02d}*{r.randint(2, 9)}",
        f"{h}:{m:02d}:{s:02d}+{r.randint(0, 9)}:{r.randint(0, 59):02d}:{r.randint(0, 59):02d}",
        f"({h}.{r.randint(1, 9)}h)[min]",
        f"({h}:{m:02d})[min]",
        f"({r.randint(1, 999999)}s)[!time]",
        f"{r.randint(1, 9999)}.{r.randint(1, 9)}[!time]",
        f"({r.randint(1, 999)}km/{r.randint(1, 99)}[km/h])[!time]",
    ])


def radix(r):
    n = r.randint(0, 1 << 32)
    return r.choice([
        f"(${n:X})16",
        f"(${n:x})16",
        f"({r.randint(0, 1 << 20):b})2",
        f"({r.randint(0, 1 << 20):o})8",
        f"{n}[16]",
        f"{r.randint(0, 1 << 16)}[2]",
        f"{n}[36]",
        f"(${r.randint(0, 1 << 16):X})16[2]",
        f"({r.randint(0, 1 << 16):b})2[16]",
        f"({r.choice('abcdef')}{r.choice('abcdef')})16",
        f"({r.randint(1, 999)}km)[16]",
    ])


def variables(r):
    """A few lines of one session: an assignment, then uses of the name."""
    name = r.choice(["a", "b", "x", "y", "dist", "v1"])
    n = r.randint(1, 9999)
    unit, other = r.choice([("m", "km"), ("km", "m"), ("g", "kg"), ("[km/h]", "[m/s]"),
                            ("s", "min"), ("l", "cm3")])
    return [f"{name}:={n}{unit}", f"{name}*{r.randint(2, 99)}", f"{name}[{other.strip('[]')}]",
            f"{name}+{name}/{r.randint(2, 9)}"]


def fraction(r):
    a, b, c, d = (r.randint(1, 30) for _ in range(4))
    op = r.choice("+-*/")
    return r.choice([f"{a}/{b}{op}{c}/{d}", f"{a}/{b}", f"({a}/{b}){op}{c}"])


KINDS = [conversion, everyday, derived, temperature, time_literal, radix, fraction]


def generate(count, seed):
    r = random.Random(seed)
    lines = []
    while len(lines) < count:
        if r.random() < 1 / (len(KINDS) + 1):
            lines.extend(variables(r))
        else:
            lines.append(r.choice(KINDS)(r))
    return lines[:count]


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--count", type=int, default=10000)
    ap.add_argument("--seed", type=int, default=1)
    ap.add_argument("output", nargs="?", default=os.path.join(here, "units_lines.txt"))
    args = ap.parse_args()
    with open(args.output, "w", encoding="utf-8", newline="\n") as f:
        f.write("".join(line + "\n" for line in generate(args.count, args.seed)))


if __name__ == "__main__":
    main()
