# SPDX-License-Identifier: MIT
"""A private X session for tests of the real window: Xvfb on a display of its own choosing,
the openbox window manager, and the X tools to drive and read it. Everything started here is
ended by close(), and every wait is bounded."""
import os, re, signal, subprocess, tempfile, time

FAKETIME_LIB = '/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1'


def sped_up(game, speed='x20'):
    """The environment that runs the game's clock and timers `speed` times faster. A sanitized
    game needs its sanitizer's runtime loaded before libfaketime."""
    preload = [FAKETIME_LIB]
    linked = subprocess.run(['ldd', game], capture_output=True, text=True).stdout
    match = re.search(r'(/\S*lib[at]san\S*\.so\S*)', linked)
    if match:
        preload.insert(0, match.group(1))
    return {'LD_PRELOAD': ' '.join(preload), 'FAKETIME': '+0 ' + speed,
            'FAKETIME_DONT_RESET': '1'}


class Timeout(Exception):
    pass


def wait_for(what, probe, seconds=15.0, step=0.1):
    """Calls probe until it returns something true, at most `seconds` long."""
    end = time.monotonic() + seconds
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() > end:
            raise Timeout('waited %.0f s for %s' % (seconds, what))
        time.sleep(step)


class X11Session:
    def __init__(self, width=1280, height=1024):
        self.tmp = tempfile.mkdtemp(prefix='vantrel-x11-')
        os.chmod(self.tmp, 0o700)
        self.procs = []
        read_fd, write_fd = os.pipe()
        xvfb = subprocess.Popen(
            ['Xvfb', '-displayfd', str(write_fd), '-screen', '0', '%dx%dx24' % (width, height),
             '-nolisten', 'tcp', '-auth', '/dev/null'],
            pass_fds=[write_fd], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.procs.append(xvfb)
        os.close(write_fd)
        with os.fdopen(read_fd) as pipe:
            number = pipe.readline().strip()
        if not number:
            self.close()
            raise RuntimeError('Xvfb did not start')
        self.env = dict(os.environ, DISPLAY=':' + number, XDG_RUNTIME_DIR=self.tmp,
                        HOME=self.tmp)
        for name in ('WAYLAND_DISPLAY', 'QT_QPA_PLATFORM'):
            self.env.pop(name, None)
        # No session bus: looking for one through X can hang a program whose clock is sped up.
        self.env['DBUS_SESSION_BUS_ADDRESS'] = 'disabled:'
        self.start(['openbox', '--sm-disable'])
        wait_for('the window manager', lambda: '_NET_SUPPORTING_WM_CHECK(WINDOW)' in self.run(
            ['xprop', '-root', '_NET_SUPPORTING_WM_CHECK'], check=False))

    def start(self, argv, env=None, **kwargs):
        kwargs.setdefault('stdout', subprocess.DEVNULL)
        kwargs.setdefault('stderr', subprocess.DEVNULL)
        proc = subprocess.Popen(argv, env=dict(self.env, **(env or {})), **kwargs)
        self.procs.append(proc)
        return proc

    def run(self, argv, check=True):
        out = subprocess.run(argv, env=self.env, capture_output=True, text=True, timeout=20)
        if check and out.returncode != 0:
            raise RuntimeError('%s failed: %s' % (' '.join(argv), out.stderr.strip()))
        return out.stdout

    def close(self):
        for proc in reversed(self.procs):
            if proc.poll() is None:
                proc.send_signal(signal.SIGTERM)
                try:
                    proc.wait(timeout=5)
                except subprocess.TimeoutExpired:
                    proc.kill()
                    proc.wait(timeout=5)
        subprocess.run(['rm', '-rf', self.tmp])

    # Reading the desktop.

    def windows(self, pid, name=None):
        """The shown windows that the window manager keeps for a process (any process for
        None), bottom to top, optionally only those with the given title."""
        found = []
        for window in self.stacking():
            props = self.run(['xprop', '-id', str(window), '_NET_WM_PID', 'WM_NAME'], check=False)
            owner = re.search(r'_NET_WM_PID\(CARDINAL\) = (\d+)', props)
            title = re.search(r'WM_NAME\(\w+\) = "(.*)"', props)
            if pid is not None and (not owner or int(owner.group(1)) != pid):
                continue
            if not self.geometry(window)[1]:
                continue
            if name is None or (title and title.group(1) == name):
                found.append(window)
        return found

    def geometry(self, window):
        """Absolute client geometry (x, y, width, height) and whether it is shown."""
        info = self.run(['xwininfo', '-id', str(window)], check=False)
        if 'Absolute upper-left X' not in info:
            return (0, 0, 0, 0), False  # gone
        get = lambda key: int(re.search(key + r':\s+(-?\d+)', info).group(1))
        mapped = 'IsViewable' in info
        return (get('Absolute upper-left X'), get('Absolute upper-left Y'), get('Width'),
                get('Height')), mapped

    def title(self, window):
        return self.run(['xdotool', 'getwindowname', str(window)], check=False).strip()

    def stacking(self):
        """The managed windows from bottom to top, as the window manager stacks them."""
        out = self.run(['xprop', '-root', '_NET_CLIENT_LIST_STACKING'], check=False)
        return [int(w, 16) for w in re.findall(r'0x[0-9a-f]+', out)]

    def active(self):
        out = self.run(['xdotool', 'getactivewindow'], check=False).strip()
        return int(out) if out else None

    def pixel(self, x, y):
        """The colour of one screen pixel, as (r, g, b)."""
        out = self.run(['import', '-window', 'root', '-depth', '8', '-crop',
                        '1x1+%d+%d' % (x, y), 'txt:-'])
        m = re.search(r'\((\d+),(\d+),(\d+)', out.splitlines()[-1])
        return tuple(int(v) for v in m.groups())

    def screenshot(self, path):
        self.run(['import', '-window', 'root', '-depth', '8', path])
