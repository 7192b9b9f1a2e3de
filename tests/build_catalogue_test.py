#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Sanoria developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""scripts/build-catalogue on small catalogues in a temporary folder, and on the real one."""

import os
import plistlib
import shutil
import subprocess
import sys
import tempfile
import unittest

REPO = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
TOOL = os.path.join(REPO, "scripts", "build-catalogue")
CRITICAL = ["Difficulty speaking", "One-sided paralysis", "Vertigo", "Double vision",
            "Difficulty breathing", "Wheezing", "Coughing up blood", "Chest pain", "Palpitations",
            "Fainting", "Vomiting blood", "Jaundice", "Black stool", "Blood in urine",
            "Joint swelling", "Thoughts of self-harm or suicide"]
FILES = ["brain", "throat", "lungs", "heart", "stomach", "liver", "intestines", "kidneys",
         "uterus", "bladder", "muscles-and-bones"]

BRAIN = """# two conditions
== Migraine
frequency: 140
gravity: 40
figure: about 1 in 7 people
source: a survey
estimate: no
description: Headache attacks.
  100 Headache
   60 Nausea

== Stroke
frequency: 1.5
gravity: 100
ages: older, adult
source: own estimate
estimate: yes
description: Call an ambulance.
  100 One-sided paralysis
   80 Difficulty speaking
"""


class BuildCatalogue(unittest.TestCase):
    def setUp(self):
        self.root = tempfile.mkdtemp()
        os.makedirs(os.path.join(self.root, "catalogue"))
        os.makedirs(os.path.join(self.root, "resources"))
        names = CRITICAL + ["Headache", "Nausea"]
        self.write("vocabulary.tsv", "".join(f"{n}\tmeaning of {n}\n" for n in names))
        for f in FILES:
            self.write(f + ".txt", "")
        self.write("brain.txt", BRAIN)

    def tearDown(self):
        shutil.rmtree(self.root)

    def write(self, name, text):
        with open(os.path.join(self.root, "catalogue", name), "w", encoding="utf-8") as f:
            f.write(text)

    def run_tool(self, *args):
        r = subprocess.run([sys.executable, TOOL, "--root", self.root, "--draft", *args],
                           capture_output=True, text=True)
        return r.returncode, r.stderr

    def plist(self):
        with open(os.path.join(self.root, "resources", "Database.plist"), "rb") as f:
            return f.read()

    def test_writes_the_loader_format_in_file_order(self):
        self.assertEqual(self.run_tool()[0], 0)
        root = plistlib.loads(self.plist())
        self.assertEqual(list(root), ["Migraine", "Stroke"])
        stroke = root["Stroke"]
        self.assertEqual(stroke["Organ"], "Brain")
        self.assertEqual(stroke["Ages"], ["adult", "older"])  # canonical order
        self.assertNotIn("Sex", stroke)
        self.assertEqual(list(stroke["Symptoms"].items()),
                         [("One-sided paralysis", 100), ("Difficulty speaking", 80)])
        text = self.plist().decode()
        self.assertIn("<real>1.5</real>", text)
        self.assertIn("<integer>140</integer>", text)

    def test_output_is_byte_stable_and_check_sees_staleness(self):
        self.run_tool()
        first = self.plist()
        self.assertEqual(self.run_tool()[0], 0)
        self.assertEqual(self.plist(), first)
        self.assertEqual(self.run_tool("--check")[0], 0)
        self.write("brain.txt", BRAIN.replace("frequency: 140", "frequency: 150"))
        code, err = self.run_tool("--check")
        self.assertEqual(code, 1)
        self.assertIn("out of date", err)
        self.assertEqual(self.plist(), first)  # --check writes nothing

    def test_each_kind_of_fault_is_reported_with_its_line(self):
        faults = [
            ("   60 Belly ache", "not in the vocabulary"),
            ("   60 Nausea\n   20 Headache", "listed twice"),
            ("   50 Nausea", "intensity 50"),
        ]
        for lines, message in faults:
            with self.subTest(lines=lines):
                self.write("brain.txt", BRAIN.replace("   60 Nausea", lines))
                code, err = self.run_tool()
                self.assertEqual(code, 1)
                self.assertIn(message, err)
                self.assertIn("brain.txt:", err)
        fields = [
            ("gravity: 40", "gravity: 50", "gravity"),
            ("frequency: 140", "frequency: 1001", "frequency"),
            ("frequency: 140", "frequency: 1,5", "frequency"),
            ("estimate: no", "estimate: maybe", "estimate"),
            ("ages: older, adult", "ages: teen", "ages"),
            ("ages: older, adult", "sex: women", "sex"),
            ("estimate: no", "estimate: no\nsource: twice", "given twice"),
            ("== Stroke", "== migraine", "already defined"),
        ]
        for old, new, message in fields:
            with self.subTest(new=new):
                self.write("brain.txt", BRAIN.replace(old, new))
                code, err = self.run_tool()
                self.assertEqual(code, 1)
                self.assertIn(message, err)

    def test_vocabulary_rules(self):
        with open(os.path.join(self.root, "catalogue", "vocabulary.tsv"), encoding="utf-8") as f:
            vocab = f.read()
        self.write("vocabulary.tsv", vocab.replace("Vertigo\t", "Dizzy spells\t"))
        code, err = self.run_tool()
        self.assertEqual(code, 1)
        self.assertIn('"Vertigo"', err)
        self.write("vocabulary.tsv", vocab + "headache\tsame in small letters\n")
        code, err = self.run_tool()
        self.assertEqual(code, 1)
        self.assertIn("letter case", err)

    def test_draft_shortfalls_are_errors_without_draft(self):
        code, err = self.run_tool()
        self.assertEqual(code, 0)
        self.assertIn("used by no condition", err)
        r = subprocess.run([sys.executable, TOOL, "--root", self.root, "--check"],
                           capture_output=True, text=True)
        self.assertEqual(r.returncode, 1)
        self.assertIn("fewer than 30", r.stderr)

    def test_plan_must_agree(self):
        header = "name\torgan\tsex\tages\tgravity\tstatus\n"
        self.write("plan.tsv", header + "Migraine\tBrain\t-\t-\t40\texisting\n"
                   "Stroke\tBrain\t-\tadult,older\t80\texisting\n"
                   "Febrile seizure\tBrain\t-\tbaby,child\t100\tnew\n")
        code, err = self.run_tool()
        self.assertEqual(code, 1)
        self.assertIn('"Stroke" is built as', err)
        self.assertIn("1 planned conditions not written yet", err)


class ShippedSources(unittest.TestCase):
    def test_shipped_plist_and_docs_are_built_from_the_sources(self):
        r = subprocess.run([sys.executable, TOOL, "--check", "--draft"], capture_output=True, text=True)
        self.assertEqual(r.returncode, 0, r.stderr)


if __name__ == "__main__":
    unittest.main()
