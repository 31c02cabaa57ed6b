#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Mutation testing: how many small faults in the product code do the tests notice?

Makes one small change at a time in a source file (a mutant), rebuilds the given targets,
runs the given ctest selection and tells whether a test failed. The file is always put back
as it was, checked by its hash, even after Ctrl+C or a failed build.

    nice -n 19 tools/mutate.py --build build --seed 1 --count 80 --json out.json
    tools/mutate.py --compare before.json after.json

The same seed over the same sources picks the same mutants, so two runs (before and after a
change to the tests) can be compared mutant by mutant.
"""

import argparse
import base64
import fcntl
import hashlib
import json
import os
import re
import signal
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent

# The Qt-free product code. The headless host is the tests' recorder, not the product.
DEFAULT_FILES = [
    "src/model/*.cpp",
    "src/game/*.cpp",
    "src/instruments/*.cpp",
    "src/logbook/*.cpp",
    "src/debrief/*.cpp",
    "src/map/*.cpp",
    "src/ui/*.cpp",
    "src/sound/sound_loop.cpp",
    "src/sound/wave_file.cpp",
    "src/script/*.cpp",
]
DEFAULT_TARGETS = ["vantrel_tests", "vantrel-script"]
# The fast tests: every case of vantrel_tests and the transcripts. Not the real windows, the
# sound, the packages or the fuzzers.
DEFAULT_TESTS = r"^([A-Z][A-Za-z]*\.[A-Za-z0-9_]+|scenarios|acceptance|logbook_scenarios)$"

JOURNAL = "mutate-pending.json"


# ---------------------------------------------------------------------------------------------
# Finding mutants


def code_mask(text):
    """The text with comments, string and character literals blanked out (same length, line
    breaks kept), so that nothing inside them is mistaken for code."""
    out = list(text)
    i, n = 0, len(text)

    def blank(a, b):
        for k in range(a, b):
            if out[k] != "\n":
                out[k] = " "

    while i < n:
        c = text[i]
        if text.startswith("//", i):
            j = text.find("\n", i)
            j = n if j < 0 else j
            blank(i, j)
            i = j
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
            blank(i, j)
            i = j
        elif c == '"' and i > 0 and text[i - 1] == "R":
            m = re.compile(r'"([^ ()\\\n]{0,16})\(').match(text, i)
            end = text.find(")" + m.group(1) + '"', m.end()) if m else -1
            j = n if end < 0 else end + len(m.group(1)) + 2
            blank(i, j)
            i = j
        elif c in "\"'":
            if c == "'" and i > 0 and text[i - 1].isalnum():
                # A digit separator (1'000) or a literal's prefix; digits are left alone.
                i += 1
                continue
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            j = min(j + 1, n)
            blank(i + 1, j - 1)
            i = j
        else:
            i += 1
    return "".join(out)


COMPARISONS = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "=="}
LOGICAL = {"&&": "||", "||": "&&"}
BOOLEANS = {"true": "false", "false": "true"}
# clang-format sets binary operators between spaces; templates, shifts, arrows and references
# never are, so only the spaced forms are operators.
COMPARISON_RE = re.compile(r"(?<= )(<=|>=|==|!=|<|>)(?= )")
LOGICAL_RE = re.compile(r"(?<= )(&&|\|\|)(?= )")
BOOLEAN_RE = re.compile(r"\b(true|false)\b")
INTEGER_RE = re.compile(r"(?<![\w.'])(\d+)(?=[uUlL]*(?![\w.']))")
CALL_RE = re.compile(r"^(?:[A-Za-z_]\w*(?:::|\.|->))*[A-Za-z_]\w*\(.*\);$")
NOT_CALLS = {"return", "static_assert", "sizeof", "decltype", "throw", "delete", "co_return"}


def balanced(s):
    depth = 0
    for ch in s:
        depth += ch == "("
        depth -= ch == ")"
        if depth < 0:
            return False
    return depth == 0


def mutants_of(path, rel):
    """Every mutant this tool can make in one file, in the order of the file."""
    text = path.read_text(encoding="utf-8")
    lines = text.split("\n")
    masked = code_mask(text).split("\n")
    found = []
    previous = ""  # the last line of code, to tell a statement from a continued expression

    def add(kind, lineno, col, original, replacement):
        found.append(
            {
                "file": rel,
                "line": lineno,
                "column": col + 1,
                "kind": kind,
                "original": original,
                "replacement": replacement,
                "source": lines[lineno - 1].strip(),
                "offset": col - (len(lines[lineno - 1]) - len(lines[lineno - 1].lstrip())),
            }
        )

    for lineno, (line, code) in enumerate(zip(lines, masked), start=1):
        stripped = code.strip()
        if not stripped:
            continue
        if stripped.startswith("#") or stripped.startswith("static_assert"):
            previous = stripped
            continue
        for m in COMPARISON_RE.finditer(code):
            add("comparison", lineno, m.start(), m.group(1), COMPARISONS[m.group(1)])
        for m in LOGICAL_RE.finditer(code):
            add("logical", lineno, m.start(), m.group(1), LOGICAL[m.group(1)])
        for m in BOOLEAN_RE.finditer(code):
            add("boolean", lineno, m.start(), m.group(1), BOOLEANS[m.group(1)])
        for m in INTEGER_RE.finditer(code):
            value = int(m.group(1), 8 if len(m.group(1)) > 1 and m.group(1)[0] == "0" else 10)
            add("constant", lineno, m.start(), m.group(1), str(value + 1))
            if value > 0:
                add("constant", lineno, m.start(), m.group(1), str(value - 1))
        if (
            CALL_RE.match(stripped)
            and balanced(stripped)
            and stripped.split("(")[0] not in NOT_CALLS
            and (previous.endswith((";", "{", "}", ")", ":")) or previous == "else")
        ):
            # An empty block stands where the call was, valid after an if or an else too.
            col = code.index(stripped)
            add("call", lineno, col, line[col : col + len(stripped)], "{}")
        previous = stripped
    return found


def mutant_id(m):
    return f"{m['file']}:{m['line']}:{m['column']}:{m['original']}>{m['replacement']}"


def stable_keys(mutants):
    """A name for each mutant that survives edits elsewhere: its own line's text, where on that
    line it lies, and the change, numbered when several lines read the same. Line numbers and
    folders are left out, so code that moves keeps its mutants."""
    seen = {}
    for m in mutants:
        base = f"{m['source']}|{m['offset']}|{m['original']}>{m['replacement']}"
        seen[base] = seen.get(base, 0) + 1
        m["key"] = f"{base}|{seen[base]}"


def pick(candidates, seed, count):
    """count mutants chosen from the seed, taking the kinds in turn so that the many integer
    constants do not crowd out the rest. Each kind is ranked by a hash of the seed and the
    mutant's key, so a mutant's rank does not depend on what else the code holds."""
    stable_keys(candidates)
    by_kind = {}
    for m in candidates:
        by_kind.setdefault(m["kind"], []).append(m)
    for kind in by_kind:
        by_kind[kind].sort(key=lambda m: sha256(f"{seed}|{m['key']}".encode()), reverse=True)
    chosen = []
    kinds = sorted(by_kind)
    while len(chosen) < count and any(by_kind.values()):
        for kind in kinds:
            if by_kind[kind] and len(chosen) < count:
                chosen.append(by_kind[kind].pop())
    chosen.sort(key=lambda m: (m["file"], m["line"], m["column"], m["replacement"]))
    return chosen


def source_files(globs):
    files = set()
    for pattern in globs:
        for p in ROOT.glob(pattern):
            if p.is_file():
                files.add(p.relative_to(ROOT).as_posix())
    return sorted(files)


# ---------------------------------------------------------------------------------------------
# Changing a file and always putting it back


def sha256(data):
    return hashlib.sha256(data).hexdigest()


def restore_pending(build):
    """Puts back a file that a killed run (kill -9, power cut) left changed."""
    journal = build / JOURNAL
    if not journal.exists():
        return
    entry = json.loads(journal.read_text())
    original = base64.b64decode(entry["original"])
    path = ROOT / entry["file"]
    if sha256(original) != entry["sha256"]:
        sys.exit(f"mutate: {journal} is damaged; put {entry['file']} back with git, then remove it")
    path.write_bytes(original)
    journal.unlink()
    print(f"mutate: put back {entry['file']}, left changed by an earlier run", file=sys.stderr)


class Mutated:
    """The file holds the mutant inside the with block and its own text again after it."""

    def __init__(self, build, mutant):
        self.build = build
        self.mutant = mutant
        self.path = ROOT / mutant["file"]

    def __enter__(self):
        self.original = self.path.read_bytes()
        self.hash = sha256(self.original)
        lines = self.original.decode("utf-8").split("\n")
        m = self.mutant
        line = lines[m["line"] - 1]
        col = m["column"] - 1
        if line[col : col + len(m["original"])] != m["original"]:
            raise RuntimeError(f"{mutant_id(m)}: the source no longer reads {m['original']!r}")
        lines[m["line"] - 1] = line[:col] + m["replacement"] + line[col + len(m["original"]) :]
        (self.build / JOURNAL).write_text(
            json.dumps(
                {
                    "file": m["file"],
                    "sha256": self.hash,
                    "original": base64.b64encode(self.original).decode(),
                }
            )
        )
        self.path.write_bytes("\n".join(lines).encode("utf-8"))
        return self

    def __exit__(self, *exc):
        # Ctrl+C during the restore itself must not leave the mutant behind.
        old = signal.signal(signal.SIGINT, signal.SIG_IGN)
        try:
            self.path.write_bytes(self.original)
            if sha256(self.path.read_bytes()) != self.hash:
                sys.exit(f"mutate: {self.mutant['file']} could not be put back; see {JOURNAL}")
            (self.build / JOURNAL).unlink(missing_ok=True)
        finally:
            signal.signal(signal.SIGINT, old)
        return False


# ---------------------------------------------------------------------------------------------
# Building and testing


def run(cmd, timeout):
    """Runs cmd in its own process group, so that a timeout ends all of it."""
    proc = subprocess.Popen(
        cmd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, start_new_session=True
    )
    try:
        out, _ = proc.communicate(timeout=timeout)
        return proc.returncode, out, False
    except subprocess.TimeoutExpired:
        os.killpg(proc.pid, signal.SIGKILL)
        out, _ = proc.communicate()
        return None, out, True
    except BaseException:
        os.killpg(proc.pid, signal.SIGKILL)
        proc.wait()
        raise


def build(args):
    cmd = ["ninja", "-C", str(args.build), f"-j{args.jobs}", *args.targets]
    return run(cmd, args.build_timeout)


FAILED_RE = re.compile(r"^\s*\d+ - (\S+) \((.*)\)\s*$", re.M)


def test(args):
    """The outcome of the ctest selection: (passed, failed tests, whether all were timeouts)."""
    cmd = ["ctest", "--test-dir", str(args.build), "-R", args.tests, "--timeout",
           str(args.timeout), f"-j{args.jobs}", "--no-tests=error"]
    if args.exclude:
        cmd += ["-E", args.exclude]
    # A test's own TIMEOUT property outranks ctest's --timeout (the transcripts allow 300 s),
    # so the whole run is bounded here too.
    code, out, timed_out = run(cmd, args.timeout)
    if timed_out:
        return False, ["(ctest)"], True, out
    failed = FAILED_RE.findall(out.split("The following tests FAILED:")[-1]) if code else []
    all_timeouts = bool(failed) and all("Timeout" in why for _, why in failed)
    return code == 0, [name for name, _ in failed], all_timeouts, out


def run_mutants(args):
    if not args.list:
        # One run per build folder: a second would build the first one's mutant, and take its
        # changed file for one that a killed run left behind. The lock ends with the process.
        lock = open(args.build / "mutate.lock", "w")
        try:
            fcntl.flock(lock, fcntl.LOCK_EX | fcntl.LOCK_NB)
        except BlockingIOError:
            sys.exit(f"mutate: another run is using {args.build}")
        restore_pending(args.build)
    files = source_files(args.files)
    if not files:
        sys.exit("mutate: no file matches --files")
    candidates = [m for f in files for m in mutants_of(ROOT / f, f)]
    chosen = pick(candidates, args.seed, args.count)
    print(f"{len(chosen)} mutants of {len(candidates)} in {len(files)} files (seed {args.seed})")
    if args.list:
        for m in chosen:
            print(f"{m['file']}:{m['line']}: {m['original']} -> {m['replacement']}"
                  f"  | {m['source']}")
        return 0

    code, out, _ = build(args)
    if code != 0:
        sys.exit(f"mutate: the unchanged code does not build:\n{out[-3000:]}")
    passed, failed, _, out = test(args)
    if not passed:
        sys.exit(f"mutate: tests fail on the unchanged code: {' '.join(failed)}\n{out[-3000:]}")

    results = []
    started = time.monotonic()
    try:
        for i, m in enumerate(chosen, start=1):
            t0 = time.monotonic()
            killers = []
            why = {}
            with Mutated(args.build, m):
                code, out, build_timed_out = build(args)
                if code != 0 or build_timed_out:
                    outcome = "did not build"
                    errors = re.findall(r"error: (.*)", out)
                    why = {"build_error": errors[0] if errors else out.strip()[-200:]}
                else:
                    passed, killers, all_timeouts, _ = test(args)
                    outcome = "survived" if passed else "timed out" if all_timeouts else "killed"
            seconds = round(time.monotonic() - t0, 1)
            results.append({**m, "id": mutant_id(m), "outcome": outcome, "seconds": seconds,
                            "failed_tests": killers, **why})
            print(f"[{i}/{len(chosen)}] {m['file']}:{m['line']}: {m['original']} -> "
                  f"{m['replacement']}: {outcome} ({seconds} s)", flush=True)
    except KeyboardInterrupt:
        print("mutate: interrupted; the file is back as it was", file=sys.stderr)
        return 130
    finally:
        # Leave the build as the unchanged code builds it.
        build(args)

    scored = [r for r in results if r["outcome"] != "did not build"]
    killed = sum(r["outcome"] in ("killed", "timed out") for r in scored)
    percent = 100.0 * killed / len(scored) if scored else 0.0
    for r in results:
        if r["outcome"] == "survived":
            print(f"survived: {r['file']}:{r['line']}: {r['original']} -> {r['replacement']}"
                  f"  | {r['source']}")
    elapsed = time.monotonic() - started
    print(f"{elapsed / max(len(results), 1):.1f} s per mutant, {elapsed / 60:.1f} min in all")
    print(f"mutation score: {killed} killed of {len(scored)} ({percent:.1f} %)")
    if args.json:
        report = {
            "seed": args.seed,
            "count": args.count,
            "files": args.files,
            "targets": args.targets,
            "tests": args.tests,
            "exclude": args.exclude,
            "commit": subprocess.run(["git", "-C", str(ROOT), "rev-parse", "HEAD"],
                                     capture_output=True, text=True).stdout.strip(),
            "killed": killed,
            "scored": len(scored),
            "score_percent": round(percent, 1),
            "seconds_per_mutant": round(elapsed / max(len(results), 1), 1),
            "mutants": results,
        }
        Path(args.json).write_text(json.dumps(report, indent=1) + "\n")
    return 0


def compare(old_file, new_file):
    """Mutants that one run killed and the other let survive, and both scores. Mutants are
    matched by their key, so code moved between the runs still matches."""
    old = json.loads(Path(old_file).read_text())
    new = json.loads(Path(new_file).read_text())
    before = {m["key"]: m for m in old["mutants"]}
    after = {m["key"]: m for m in new["mutants"]}
    dead = ("killed", "timed out")
    lost = 0
    for key in sorted(before.keys() & after.keys(), key=lambda k: after[k]["id"]):
        a, b = before[key]["outcome"], after[key]["outcome"]
        if (a in dead) != (b in dead):
            lost += a in dead and b == "survived"
            print(f"{after[key]['id']}: {a} -> {b}  | {after[key]['source']}")
    for key in sorted(before.keys() - after.keys()):
        print(f"{before[key]['id']}: only in {old_file}")
    for key in sorted(after.keys() - before.keys()):
        print(f"{after[key]['id']}: only in {new_file}")
    print(f"before: {old['killed']} killed of {old['scored']} ({old['score_percent']} %)")
    print(f"after:  {new['killed']} killed of {new['scored']} ({new['score_percent']} %)")
    return 1 if lost else 0


def main():
    p = argparse.ArgumentParser(
        description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    p.add_argument("--build", type=Path, default=ROOT / "build",
                   help="a configured Ninja build folder")
    p.add_argument("--seed", type=int, default=1)
    p.add_argument("--count", type=int, default=80)
    p.add_argument("--files", action="append", help="a glob below the source root (repeatable)")
    p.add_argument("--targets", nargs="+", default=DEFAULT_TARGETS, help="what to rebuild")
    p.add_argument("--tests", default=DEFAULT_TESTS, help="ctest -R selection")
    p.add_argument("--exclude", default="", help="ctest -E selection")
    p.add_argument("--timeout", type=int, default=60, help="seconds for the tests of one mutant")
    p.add_argument("--build-timeout", type=int, default=600, help="seconds per build")
    p.add_argument("--jobs", type=int, default=2)
    p.add_argument("--json", help="write a report here")
    p.add_argument("--list", action="store_true", help="show the mutants, change nothing")
    p.add_argument("--compare", nargs=2, metavar=("OLD", "NEW"), help="compare two reports")
    args = p.parse_args()
    if args.compare:
        return compare(*args.compare)
    args.files = args.files or DEFAULT_FILES
    args.build = args.build.resolve()
    # A terminal closing or a plain kill puts the file back just as Ctrl+C does.
    for sig in (signal.SIGTERM, signal.SIGHUP):
        signal.signal(sig, signal.default_int_handler)
    return run_mutants(args)


if __name__ == "__main__":
    sys.exit(main())
