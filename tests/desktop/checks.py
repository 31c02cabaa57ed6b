# SPDX-License-Identifier: MIT
"""Checks for the real-window tests: each prints its outcome and the failures are kept for the
test's exit status; a condition that may take a moment is given a bounded while to come true."""
from x11_session import Timeout, wait_for

failures = []


def check(ok, what):
    print(('ok: ' if ok else 'FAIL: ') + what)
    if not ok:
        failures.append(what)


def settles(probe, seconds=5, step=0.1):
    """What probe returns once it is true, or None if `seconds` pass first."""
    try:
        return wait_for('a check', probe, seconds, step)
    except Timeout:
        return None
