# SPDX-License-Identifier: MIT
"""What every real-window test does: each check prints its outcome and the failures are kept
for the exit status, a condition that may take a moment is given a bounded while to come true,
the game is started with its messages in a log and its data in the session's folder, and
main() runs the test's parts on the game named on the command line."""
import os, sys, traceback
from x11_session import Timeout, wait_for

failures = []
# Generous bounds for a busy machine: each wait ends as soon as its condition holds.
PATIENCE = 30


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


def log_tail(x, size=3000):
    """The end of the game's messages in the session `x`."""
    with open(os.path.join(x.tmp, 'game.log')) as log:
        return log.read()[-size:]


def start_game(x, game, env=None):
    """The game in the session `x` and its main window, once shown. Its messages go to
    game.log, which the session shows when the test ends in an error."""
    env = dict({'XDG_DATA_HOME': os.path.join(x.tmp, 'data')}, **(env or {}))
    proc = x.start([game], env=env, stderr=open(os.path.join(x.tmp, 'game.log'), 'a'))
    return proc, wait_for("the game's window", lambda: x.windows(proc.pid, 'Vantrel'),
                          PATIENCE)[0]


def main(usage, *parts):
    """usage: TEST GAME. Runs each part on the game; a part that waits in vain fails."""
    if len(sys.argv) != 2:
        sys.exit(usage)
    game = os.path.abspath(sys.argv[1])
    for part in parts:
        try:
            part(game)
        except Exception as error:  # a wait in vain, a tool that failed: the part fails
            traceback.print_exc()
            check(False, str(error))
    print('%d failed' % len(failures))
    sys.exit(1 if failures else 0)
