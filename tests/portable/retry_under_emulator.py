#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Runs the scenario runner under an emulator, trying again when the emulator fails it.

usage: retry_under_emulator.py COMMAND... -- ARGUMENT...

Wine now and then hangs, or fails, while it starts or ends a program: about one run in five
hundred here, whatever the program. A run that has not ended within 15 s (a scenario takes well
under one), or that ends with a status the runner never gives (0 and 2 are its own), is tried
again, twice at most, and only the last try's output is passed on. A fault of the runner itself
comes back every time, and is passed on as it is.
"""
import subprocess, sys

TRIES, SECONDS = 3, 15


def main():
    args = sys.argv[1:]
    if '--' not in args:
        sys.exit(__doc__)
    split = args.index('--')
    command = args[:split] + args[split + 1:]
    given = sys.stdin.buffer.read() if '-' in args[split + 1:] else b''
    for attempt in range(1, TRIES + 1):
        try:
            run = subprocess.run(command, input=given, capture_output=True, timeout=SECONDS)
        except subprocess.TimeoutExpired:
            if attempt == TRIES:
                sys.exit(f'{command[-1]}: no end after {TRIES} tries of {SECONDS} s each')
            continue
        if run.returncode in (0, 2) or attempt == TRIES:
            sys.stdout.buffer.write(run.stdout)
            sys.stderr.buffer.write(run.stderr)
            sys.exit(run.returncode)


if __name__ == '__main__':
    main()
