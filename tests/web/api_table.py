"""The table of cases that the command line (--check, --explain, --format) and the
JavaScript module (check, hints, explain, format) must answer alike.

    api_table.py check RENDER     runs every case through molvex2-render and compares
    api_table.py refresh RENDER   rewrites the answers from molvex2-render, after a
                                  deliberate change of its output; review the difference

The module's side is tests/web/api_table.test.mjs, run by node over the same file."""
import json
import os
import subprocess
import sys
import tempfile

here = os.path.dirname(os.path.abspath(__file__))
table = os.path.join(here, "api_table.json")


def run(render, case, env):
    done = subprocess.run([render] + case["args"], input=case.get("stdin", "").encode(), capture_output=True,
                          env=env, timeout=60)
    return done.returncode, done.stdout.decode("utf-8")


def main():
    mode, render = sys.argv[1], sys.argv[2]
    cases = json.load(open(table, encoding="utf-8"))
    # The user's MLV2.ini would change the answers: a fresh configuration folder.
    env = dict(os.environ, XDG_CONFIG_HOME=tempfile.mkdtemp(), QT_QPA_PLATFORM="offscreen")
    failures = 0
    for case in cases:
        status, stdout = run(render, case, env)
        if mode == "refresh":
            case["status"], case["stdout"] = status, stdout
        elif (status, stdout) != (case["status"], case["stdout"]):
            failures += 1
            print("%s: expected status %d and %r, got %d and %r" % (case["name"], case["status"], case["stdout"],
                                                                   status, stdout))
    if mode == "refresh":
        with open(table, "w", encoding="utf-8") as out:
            json.dump(cases, out, ensure_ascii=False, indent=1)
            out.write("\n")
    else:
        print("%d of %d cases agree" % (len(cases) - failures, len(cases)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
