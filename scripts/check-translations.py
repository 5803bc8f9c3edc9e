#!/usr/bin/env python3
"""Fails when a translation of the editor is missing, unfinished or wrong in form.

Runs lupdate over the editor's sources into copies of the .ts files, so a text in the
code that the .ts files lack shows up as a new unfinished entry, then checks every
entry: translated, not marked unfinished, vanished or obsolete, the same %1..%9
placeholders as the source, a mnemonic (&) where the source has one, the tab
before an accelerator text and the line breaks between parts kept.

  check-translations.py --lupdate LUPDATE --sources LIST --work DIR TS... -- OPTIONS...
"""
import argparse
import re
import shutil
import subprocess
import sys
import xml.etree.ElementTree as ET
from pathlib import Path

REFRESH = "cmake --build build/default --target update_translations"
PLACEHOLDER = re.compile(r"%(\d)")


def mnemonic(text):
    return "&" in text.replace("&&", "")


def problems(ts_path):
    """(context, source, what is wrong) for each bad entry of one .ts file."""
    found = []
    root = ET.parse(ts_path).getroot()
    for context in root.iter("context"):
        name = context.findtext("name", "")
        for message in context.iter("message"):
            source = message.findtext("source", "")
            translation = message.find("translation")
            kind = translation.get("type", "") if translation is not None else "missing"
            forms = []
            if translation is not None:
                numerus = translation.findall("numerusform")
                forms = [f.text or "" for f in numerus] if numerus else [translation.text or ""]
            if kind in ("vanished", "obsolete"):
                found.append((name, source, "no longer in the code"))
                continue
            if kind == "unfinished" or kind == "missing":
                found.append((name, source, "not translated" if not any(forms) else "unfinished"))
                continue
            for text in forms:
                if not text.strip():
                    found.append((name, source, "empty translation"))
                elif sorted(set(PLACEHOLDER.findall(text))) != sorted(set(PLACEHOLDER.findall(source))):
                    found.append((name, source, "placeholders differ: " + text))
                elif mnemonic(source) != mnemonic(text):
                    found.append((name, source, "mnemonic (&) differs: " + text))
                elif ("\t" in source) != ("\t" in text):
                    found.append((name, source, "accelerator text (after the tab) differs: " + text))
                elif source.count("\n") != text.count("\n"):
                    found.append((name, source, "parts (lines) differ: " + text))
    return found


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--lupdate", required=True)
    parser.add_argument("--sources", required=True, help="file naming the sources, one a line")
    parser.add_argument("--work", required=True, help="folder for the refreshed copies")
    parser.add_argument("ts", nargs="+")
    argv = sys.argv[1:]
    split = argv.index("--") if "--" in argv else len(argv)
    args, options = parser.parse_args(argv[:split]), argv[split + 1:]

    work = Path(args.work)
    shutil.rmtree(work, ignore_errors=True)
    work.mkdir(parents=True)
    copies = []
    for ts in args.ts:
        copy = work / Path(ts).name
        shutil.copyfile(ts, copy)
        copies.append(str(copy))
    sources = [line for line in Path(args.sources).read_text().splitlines() if line.strip()]
    run = subprocess.run([args.lupdate, *options, *sources, "-ts", *copies],
                         stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    if run.returncode != 0:
        print(run.stdout)
        print("lupdate failed")
        return 1

    failed = False
    for ts, copy in zip(args.ts, copies):
        # The refresh adds what the code has and the file lacks, and drops what the
        # code no longer has, which the checked-in file should not carry either.
        bad = problems(copy) + [p for p in problems(ts) if p[2] == "no longer in the code"]
        for context, source, what in bad:
            print(f"{Path(ts).name}: [{context}] {source!r}: {what}")
        if not bad and Path(ts).read_bytes() != Path(copy).read_bytes():
            bad.append(None)
            print(f"{Path(ts).name}: not as lupdate writes it")
        failed = failed or bool(bad)
    if failed:
        print(f"\nRefresh the .ts files with `{REFRESH}`, then translate the entries marked "
              "unfinished (Qt Linguist, or the <translation> elements by hand).")
        return 1
    print(f"{len(args.ts)} translations complete")
    return 0


if __name__ == "__main__":
    sys.exit(main())
