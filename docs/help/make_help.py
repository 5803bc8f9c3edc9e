#!/usr/bin/env python3
"""Builds the manual (HTML and PDF) and the quick-reference card (PDF).

Every equation picture is drawn by molvex2-render, so the documents show exactly what
the program draws. In the sources, <eq>TEXT</eq> becomes the picture of TEXT and
<ex>TEXT</ex> a table row pair "you type" / "you get"; an options="Key=Value;..."
attribute draws with those equation options instead of the defaults. Lines of a
multi-line equation are separated by " | ".
"""
import argparse
import html
import os
import re
import shutil
import subprocess
import sys
import tempfile

TAG = re.compile(r'<(eq|ex)(?:\s+options="([^"]*)")?>(.*?)</\1>', re.S)


def collect(sources):
    """All distinct (options, text) pairs in order of appearance."""
    seen = {}
    for src in sources:
        for m in TAG.finditer(src):
            key = (m.group(2) or "", html.unescape(m.group(3)))
            if key not in seen:
                seen[key] = "eq%03d" % len(seen)
    return seen


def render(pictures, renderer, out_dir):
    """One renderer run per option set, all its equations in one batch."""
    groups = {}
    for (options, text), name in pictures.items():
        groups.setdefault(options, []).append((name, text))
    os.makedirs(out_dir, exist_ok=True)
    for options, items in groups.items():
        with tempfile.TemporaryDirectory() as work:
            config = os.path.join(work, "config")
            os.makedirs(os.path.join(config, "Tamrel"))
            if options:
                with open(os.path.join(config, "Tamrel", "MLV2.ini"), "w") as f:
                    f.write("[Options]\n")
                    for pair in options.split(";"):
                        f.write(pair.strip() + "\n")
            args = [renderer]
            for name, text in items:
                path = os.path.join(work, name + ".txt")
                with open(path, "w", encoding="cp1252") as f:
                    f.write("\n".join(line.strip() for line in text.split(" | ")) + "\n")
                args += ["-f", path]
            args += ["--out-dir", out_dir, "--format", "svg", "--margin", "2", "--font-height", "17"]
            env = dict(os.environ, XDG_CONFIG_HOME=config, XDG_CONFIG_DIRS=config)
            subprocess.run(args, check=True, env=env, stderr=subprocess.DEVNULL)


def expand(src, pictures, prefix):
    def picture(options, text):
        plain = html.unescape(text)
        name = pictures[(options or "", plain)]
        return '<img class="eq" src="%s%s.svg" alt="%s">' % (prefix, name, html.escape(plain))

    def one(m):
        kind, options, text = m.groups()
        if kind == "eq":
            return picture(options, text)
        typed = "<br>".join("<code>%s</code>" % t.strip() for t in text.split(" | "))
        return '<td class="typed">%s</td><td class="got">%s</td>' % (typed, picture(options, text))

    return TAG.sub(one, src)


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--renderer", required=True)
    p.add_argument("--weasyprint", required=True)
    p.add_argument("--source", required=True)
    p.add_argument("--out", required=True)
    p.add_argument("--version", required=True)
    a = p.parse_args()

    def read(name):
        with open(os.path.join(a.source, name), encoding="utf-8") as f:
            return f.read().replace("@VERSION@", a.version)

    manual, card = read("manual.html"), read("card.html")
    pictures = collect([manual, card])
    pic_dir = os.path.join(a.out, "pictures")
    shutil.rmtree(pic_dir, ignore_errors=True)
    render(pictures, a.renderer, pic_dir)
    shutil.copy(os.path.join(a.source, "help.css"), a.out)

    with open(os.path.join(a.out, "molvex2.html"), "w", encoding="utf-8") as f:
        f.write(expand(manual, pictures, "pictures/"))
    with tempfile.TemporaryDirectory(dir=a.out) as work:
        card_html = os.path.join(work, "card.html")
        with open(card_html, "w", encoding="utf-8") as f:
            f.write(expand(card, pictures, "../pictures/").replace('href="help.css"', 'href="../help.css"'))
        for src, pdf in ((os.path.join(a.out, "molvex2.html"), "mv2_manl.pdf"), (card_html, "mv2_card.pdf")):
            subprocess.run([a.weasyprint, "-q", src, os.path.join(a.out, pdf)], check=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
