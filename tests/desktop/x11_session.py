# SPDX-License-Identifier: MIT
"""Private sessions for tests of the real window. Session is what every one of them needs: a
temporary folder of its own for home and runtime, the processes started in it, one bounded
wait, Xvfb on a display of its own choosing, and a teardown that ends everything it started.
X11Session adds the openbox window manager and the X tools to drive and read the desktop."""
import os, re, select, shutil, subprocess, tempfile, time

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


class Timeout(TimeoutError):
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


def read_line(fd, what, seconds=30):
    """The first line a starting program writes to the pipe `fd`, which is then closed."""
    with os.fdopen(fd) as pipe:
        if not select.select([pipe], [], [], seconds)[0]:
            raise Timeout('waited %.0f s for %s' % (seconds, what))
        line = pipe.readline().strip()
    if not line:
        raise RuntimeError(what + ': the program ended before saying it')
    return line


class Session:
    def __init__(self, prefix, base=None):
        self.tmp = tempfile.mkdtemp(prefix=prefix, dir=base)
        os.chmod(self.tmp, 0o700)
        self.procs = []
        self.env = {k: v for k, v in os.environ.items()
                    if not k.startswith(('DBUS_', 'AT_SPI', 'QT_', 'DISPLAY', 'WAYLAND'))}
        self.env.update(XDG_RUNTIME_DIR=self.tmp, HOME=self.tmp)
        # No session bus: looking for one through X can hang a program whose clock is sped up.
        self.env['DBUS_SESSION_BUS_ADDRESS'] = 'disabled:'

    def __enter__(self):
        return self

    def __exit__(self, kind, error, trace):
        # A test that ends in an error shows what the programs it started had to say.
        for name in os.listdir(self.tmp) if error else []:
            if name.endswith('.log'):
                with open(os.path.join(self.tmp, name), errors='replace') as log:
                    print('%s ends:\n%s' % (name, log.read()[-3000:]))
        self.close()
        return False

    def start(self, argv, env=None, **kwargs):
        for stream in ('stdin', 'stdout', 'stderr'):
            kwargs.setdefault(stream, subprocess.DEVNULL)
        proc = subprocess.Popen(argv, env=dict(self.env, **(env or {})), **kwargs)
        self.procs.append(proc)
        return proc

    def xvfb(self, width, height):
        """Xvfb on the first free display, which this session's programs then use."""
        read_fd, write_fd = os.pipe()
        try:
            # -noreset: a server that resets when its last client leaves refuses whoever
            # connects in that moment, such as a game starting as a helper program lets go.
            self.start(['Xvfb', '-displayfd', str(write_fd), '-screen', '0',
                        '%dx%dx24' % (width, height), '-nolisten', 'tcp', '-noreset',
                        '-auth', '/dev/null'], pass_fds=[write_fd])
        finally:
            os.close(write_fd)
        self.env['DISPLAY'] = ':' + read_line(read_fd, 'the display number from Xvfb')

    def close(self):
        # The last started first: the game before the display it draws on.
        for proc in reversed(self.procs):
            if proc.poll() is None:
                proc.terminate()
        for proc in reversed(self.procs):
            try:
                proc.wait(timeout=10)
            except subprocess.TimeoutExpired:
                proc.kill()
                proc.wait(timeout=10)
        self.reap()
        shutil.rmtree(self.tmp, ignore_errors=True)

    def reap(self):
        """Ends what the started programs left behind; they leave nothing here."""


class X11Session(Session):
    def __init__(self, width=1280, height=1024):
        super().__init__('vantrel-x11-')
        try:
            self.xvfb(width, height)
            self.start(['openbox', '--sm-disable'])
            wait_for('the window manager', lambda: '_NET_SUPPORTING_WM_CHECK(WINDOW)' in self.run(
                ['xprop', '-root', '_NET_SUPPORTING_WM_CHECK'], check=False))
        except BaseException:
            self.close()
            raise

    def run(self, argv, check=True):
        out = subprocess.run(argv, env=self.env, capture_output=True, text=True, timeout=20)
        if check and out.returncode != 0:
            raise RuntimeError('%s failed: %s' % (' '.join(argv), out.stderr.strip()))
        return out.stdout

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

    def stacking(self):
        """The managed windows from bottom to top, as the window manager stacks them."""
        out = self.run(['xprop', '-root', '_NET_CLIENT_LIST_STACKING'], check=False)
        return [int(w, 16) for w in re.findall(r'0x[0-9a-f]+', out)]

    def above(self, upper, lower):
        order = self.stacking()
        return upper in order and lower in order and order.index(upper) > order.index(lower)

    def active(self):
        out = self.run(['xdotool', 'getactivewindow'], check=False).strip()
        return int(out) if out else None

    def pixel(self, x, y):
        """The colour of one screen pixel, as (r, g, b)."""
        out = self.run(['import', '-window', 'root', '-depth', '8', '-crop',
                        '1x1+%d+%d' % (x, y), 'txt:-'])
        m = re.search(r'\((\d+),(\d+),(\d+)', out.splitlines()[-1])
        return tuple(int(v) for v in m.groups())

    def keep_screenshot(self, name):
        """The whole screen, kept in $VANTREL_SAVE_GRABS for a person to look at."""
        if os.environ.get('VANTREL_SAVE_GRABS'):
            self.run(['import', '-window', 'root', '-depth', '8',
                      os.path.join(os.environ['VANTREL_SAVE_GRABS'], name)])

    # Driving it.

    def activate(self, window):
        self.run(['wmctrl', '-i', '-a', hex(window)])

    def click(self, window, dx=60, dy=60):
        """A click at that place of the window; the default lands on the map."""
        (left, top, _, _), _ = self.geometry(window)
        self.run(['xdotool', 'mousemove', str(left + dx), str(top + dy), 'click', '1'])
