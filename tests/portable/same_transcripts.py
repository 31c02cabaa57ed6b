#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Plays every scenario with two runners and checks that they print the same, byte for byte.

usage: same_transcripts.py NATIVE OTHER DIR...
       same_transcripts.py --refuses-logbook RUNNER
       same_transcripts.py --any-folder RUNNER SCENARIO

The second form checks that a runner built without the logbook's file refuses the `logbook`
line with one line on standard error and exit status 2, and goes on working without one. The
third, that a scenario in a folder named in Greek, outside most systems' ANSI code pages, plays
as it does anywhere else.
"""
import glob, os, shutil, subprocess, sys, tempfile


def play(runner, scenario, text=None):
    p = subprocess.run([runner, scenario], input=text, capture_output=True, timeout=120)
    return p.returncode, p.stdout, p.stderr


def refuses_logbook(runner):
    status, out, err = play(runner, '-', b'logbook "never-made.sqlite"\nstart\n')
    want = b'line 1: this build of vantrel-script keeps no logbook: it was built without Qt\n'
    ok = status == 2 and out == b'' and err == want and not os.path.exists('never-made.sqlite')
    print('logbook line refused' if ok else f'FAIL: exit {status}, stdout {out!r}, stderr {err!r}')
    status, out, _ = play(runner, '-', b'start\nclick cmdUp\nprint heading\n')
    played = status == 0 and out.endswith(b'heading=0\n')
    print('the game plays on without it' if played else f'FAIL: exit {status}, {out[-200:]!r}')
    return ok and played


def any_folder(runner, scenario):
    with tempfile.TemporaryDirectory() as top:
        folder = os.path.join(top, '\u0396\u03c9\u03ae')  # Ζωή
        os.mkdir(folder)
        moved = shutil.copy(scenario, folder)
        there, here = play(runner, moved), play(runner, scenario)
    ok = there == here and here[0] == 0 and here[1]
    print('plays from any folder' if ok else f'FAIL: exit {there[0]}, stderr {there[2]!r}')
    return ok


def same(native, other, dirs):
    failed = 0
    scenarios = sorted(f for d in dirs for f in glob.glob(os.path.join(d, '*.vts')))
    for scenario in scenarios:
        mine, theirs = play(native, scenario), play(other, scenario)
        if mine != theirs:
            failed += 1
            what = ['exit status', 'standard output', 'standard error']
            differ = [w for w, a, b in zip(what, mine, theirs) if a != b]
            print(f'FAIL: {os.path.basename(scenario)}: {", ".join(differ)} differ; exit '
                  f'{theirs[0]}, standard error {theirs[2][-300:]!r}')
    print(f'{len(scenarios) - failed} the same, {failed} failed')
    return failed == 0 and scenarios


if __name__ == '__main__':
    args = sys.argv[1:]
    if args[:1] == ['--refuses-logbook'] and len(args) == 2:
        sys.exit(0 if refuses_logbook(args[1]) else 1)
    if args[:1] == ['--any-folder'] and len(args) == 3:
        sys.exit(0 if any_folder(args[1], args[2]) else 1)
    if len(args) < 3:
        sys.exit(__doc__)
    sys.exit(0 if same(args[0], args[1], args[2:]) else 1)
