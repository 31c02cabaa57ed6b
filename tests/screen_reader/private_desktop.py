# SPDX-License-Identifier: MIT
"""A desktop of our own for one test: a virtual display, a D-Bus session bus and the
accessibility bus, and the game on them, so that a test reads the game as a screen reader does
without touching anyone else's session. Every process started here is ended on the way out."""

import ctypes
import os
import signal
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "desktop"))
from x11_session import Session, read_line, wait_for  # noqa: E402

PR_SET_CHILD_SUBREAPER = 36


def children_of(pid):
    try:
        with open(f"/proc/{pid}/task/{pid}/children") as f:
            return [int(p) for p in f.read().split()]
    except OSError:
        return []


class PrivateDesktop(Session):
    def __init__(self, game):
        super().__init__("vantrel-a11y-", os.environ.get("XDG_RUNTIME_DIR") or None)
        self.game = game

    def __enter__(self):
        # Orphans of what we start (daemons that fork) come back to us, so none is left behind.
        ctypes.CDLL(None, use_errno=True).prctl(PR_SET_CHILD_SUBREAPER, 1, 0, 0, 0)
        try:
            self._start()
        except BaseException:
            self.close()
            raise
        return self

    def _start(self):
        self.xvfb(1024, 768)
        r, w = os.pipe()
        try:
            self.start(["dbus-daemon", "--session", "--nofork", "--nopidfile",
                        "--address=unix:dir=" + self.tmp, f"--print-address={w}"],
                       pass_fds=(w,))
        finally:
            os.close(w)
        self.env["DBUS_SESSION_BUS_ADDRESS"] = read_line(r, "the session bus address")

        self.start(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
        wait_for("the accessibility bus", self._accessibility_bus_up, 30, 0.05)

        # This process reads the game through the same buses.
        for key in ("DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "XDG_RUNTIME_DIR"):
            os.environ[key] = self.env[key]
        self.game_process = self.start(
            [self.game], stderr=None, env=dict(QT_QPA_PLATFORM="xcb", QT_ACCESSIBILITY="1",
                                               QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1"))

    def _accessibility_bus_up(self):
        reply = subprocess.run(
            ["dbus-send", "--session", "--print-reply", "--reply-timeout=2000",
             "--dest=org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus.GetAddress"],
            env=self.env, capture_output=True, text=True, timeout=10)
        return reply.returncode == 0 and "unix:" in reply.stdout

    def game_running(self):
        return self.game_process.poll() is None

    def reap(self):
        for _ in range(50):
            orphans = [p for p in children_of(os.getpid())
                       if p not in (s.pid for s in self.procs)]
            if not orphans:
                break
            for pid in orphans:
                try:
                    os.kill(pid, signal.SIGTERM)
                except ProcessLookupError:
                    pass
            try:
                while os.waitpid(-1, os.WNOHANG)[0] > 0:
                    pass
            except ChildProcessError:
                pass
            time.sleep(0.1)
