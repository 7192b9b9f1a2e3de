#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Sanoria developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""A straightforward diagnosis in Python, for comparing whole-process times
with sanoria-cli: plistlib reads the catalogue, then the scoring loop runs as
plainly as it can be written. Usage: python_diagnose.py CATALOGUE NAME=INTENSITY...
"""
import plistlib
import sys


def main():
    with open(sys.argv[1], "rb") as f:
        catalogue = plistlib.load(f)
    user = []
    for arg in sys.argv[2:]:
        name, _, value = arg.rpartition("=")
        user.append((name, float(value)))
    u = len(user)
    results = []
    for name, disease in catalogue.items():
        symptoms = list(disease["Symptoms"].items())
        n = len(symptoms)
        if n == 0:
            continue
        s = 0.0
        m = 0
        for symptom, intensity in symptoms:
            v = next((i for nm, i in user if nm == symptom), None)
            if v is None:
                continue
            t = sum(i for _, i in symptoms)
            w = intensity * 100 / t
            s += w if v == intensity else w * (abs(v - intensity) / -100 + 1)
            m += 1
        score = s * ((m / n) * 0.2 + (m / u) * 0.1 + 0.7)
        if score <= 0:
            continue
        p = score * 80 / 100 + disease["Frequency"] / 10 * 20 / 100
        if p > 0:
            results.append((p, name))
    results.sort(key=lambda r: -r[0])
    for p, name in results:
        print(f"{p:.1f}%\t{name}")


main()
