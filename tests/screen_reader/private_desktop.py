# SPDX-License-Identifier: MIT
"""A desktop of our own for one test: a virtual display, a D-Bus session bus and the
accessibility bus, and the game on them, so that a test reads the game as a screen reader does
without touching anyone else's session. Every process started here is ended on the way out."""

import ctypes
import os
import signal
import subprocess
import tempfile
import time

PR_SET_CHILD_SUBREAPER = 36


def wait_for(condition, seconds, what):
    """Polls `condition` until it gives a true value, for at most `seconds`."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        value = condition()
        if value:
            return value
        time.sleep(0.05)
    raise TimeoutError("gave up waiting for " + what)


def read_line(fd, seconds, what):
    """One line a starting program writes to the pipe `fd`, read within `seconds`."""
    os.set_blocking(fd, False)
    data = b""
    deadline = time.monotonic() + seconds
    while b"\n" not in data:
        if time.monotonic() > deadline:
            raise TimeoutError("no " + what)
        try:
            chunk = os.read(fd, 256)
        except BlockingIOError:
            time.sleep(0.02)
            continue
        if not chunk:
            raise RuntimeError(what + ": the program ended before saying it")
        data += chunk
    return data.split(b"\n")[0].decode().strip()


def children_of(pid):
    try:
        with open(f"/proc/{pid}/task/{pid}/children") as f:
            return [int(p) for p in f.read().split()]
    except OSError:
        return []


class PrivateDesktop:
    def __init__(self, game):
        self.game = game
        self.started = []

    def __enter__(self):
        # Orphans of what we start (daemons that fork) come back to us, so none is left behind.
        ctypes.CDLL(None, use_errno=True).prctl(PR_SET_CHILD_SUBREAPER, 1, 0, 0, 0)
        base = os.environ.get("XDG_RUNTIME_DIR") or None
        self.folder = tempfile.TemporaryDirectory(prefix="vantrel-a11y-", dir=base)
        try:
            self._start()
        except BaseException:
            self.__exit__(None, None, None)
            raise
        return self

    def _spawn(self, argv, pass_fds=(), env=None):
        process = subprocess.Popen(argv, pass_fds=pass_fds, env=env or self.env,
                                   stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL if env is None else None)
        self.started.append(process)
        return process

    def _start(self):
        runtime = os.path.join(self.folder.name, "runtime")
        os.mkdir(runtime, 0o700)
        self.env = {k: v for k, v in os.environ.items()
                    if not k.startswith(("DBUS_", "AT_SPI", "QT_", "DISPLAY", "WAYLAND"))}
        self.env["XDG_RUNTIME_DIR"] = runtime
        self.env["HOME"] = self.folder.name

        r, w = os.pipe()
        self._spawn(["Xvfb", "-displayfd", str(w), "-nolisten", "tcp", "-screen", "0",
                     "1024x768x24"], pass_fds=(w,))
        os.close(w)
        self.env["DISPLAY"] = ":" + read_line(r, 30, "display number from Xvfb")
        os.close(r)

        r, w = os.pipe()
        self._spawn(["dbus-daemon", "--session", "--nofork", "--nopidfile",
                     "--address=unix:dir=" + self.folder.name, f"--print-address={w}"],
                    pass_fds=(w,))
        os.close(w)
        self.env["DBUS_SESSION_BUS_ADDRESS"] = read_line(r, 30, "session bus address")
        os.close(r)

        launcher = "/usr/libexec/at-spi-bus-launcher"
        self._spawn([launcher, "--launch-immediately"])
        wait_for(self._accessibility_bus_up, 30, "the accessibility bus")

        # This process reads the game through the same buses.
        for key in ("DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "XDG_RUNTIME_DIR"):
            os.environ[key] = self.env[key]
        game_env = dict(self.env, QT_QPA_PLATFORM="xcb", QT_ACCESSIBILITY="1",
                        QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        self.game_process = self._spawn([self.game], env=game_env)

    def _accessibility_bus_up(self):
        reply = subprocess.run(
            ["dbus-send", "--session", "--print-reply", "--reply-timeout=2000",
             "--dest=org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus.GetAddress"],
            env=self.env, capture_output=True, text=True, timeout=10)
        return reply.returncode == 0 and "unix:" in reply.stdout

    def game_running(self):
        return self.game_process.poll() is None

    def __exit__(self, *exc):
        # The game first, then the buses and the display, then whatever they left behind.
        for process in reversed(self.started):
            if process.poll() is None:
                process.terminate()
        for process in reversed(self.started):
            try:
                process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait(timeout=10)
        for _ in range(50):
            orphans = [p for p in children_of(os.getpid())
                       if p not in (s.pid for s in self.started)]
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
        self.folder.cleanup()
        return False
