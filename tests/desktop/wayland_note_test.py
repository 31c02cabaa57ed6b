#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Under Wayland, where no program places its own windows, the coaching note still stands
where the game puts it beside the main window: a popup of the main window, moved afresh with
every note. Weston's headless backend draws the desktop; its screenshooter shows it.

usage: wayland_note_test.py GAME"""
import glob, os, subprocess, sys, tempfile, time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from x11_session import FAKETIME_LIB, Timeout, wait_for

PALE_YELLOW, WHITE = (255, 255, 192), (255, 255, 255)


def read_ppm(path):
    with open(path, 'rb') as f:
        data = f.read()
    parts = data.split(maxsplit=4)  # P6, width, height, maxval, pixels
    return int(parts[1]), int(parts[2]), parts[4]


def bounding_box(image, colour, min_run=1):
    """The box around the rows holding at least min_run pixels of the colour."""
    width, height, pixels = image
    want = bytes(colour)
    xs, ys = [], []
    for y in range(height):
        row = pixels[y * width * 3:(y + 1) * width * 3]
        hits = [x for x in range(width) if row[x * 3:x * 3 + 3] == want]
        if len(hits) >= min_run:
            xs += [hits[0], hits[-1]]
            ys.append(y)
    return (min(xs), min(ys), max(xs), max(ys)) if ys else None


def main(game):
    tmp = tempfile.mkdtemp(prefix='vantrel-wayland-')
    os.chmod(tmp, 0o700)
    env = dict(os.environ, XDG_RUNTIME_DIR=tmp, WAYLAND_DISPLAY='vantrel-test', HOME=tmp)
    env.pop('DISPLAY', None)
    procs = []
    try:
        procs.append(subprocess.Popen(
            ['weston', '--backend=headless-backend.so', '--use-pixman', '--socket=vantrel-test',
             '--width=1280', '--height=1024', '--debug', '--idle-time=0'],
            env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        wait_for('weston', lambda: os.path.exists(os.path.join(tmp, 'vantrel-test')), 15)
        # The game's clock runs twenty times faster: the second note comes after 26 s of it.
        procs.append(subprocess.Popen(
            [game], env=dict(env, QT_QPA_PLATFORM='wayland', LD_PRELOAD=FAKETIME_LIB,
                             FAKETIME='+0 x20'),
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        time.sleep(3)
        subprocess.run(['weston-screenshooter'], env=env, cwd=tmp, timeout=20, check=True)
        shot = glob.glob(os.path.join(tmp, 'wayland-screenshot*.png'))[0]
        subprocess.run(['convert', shot, os.path.join(tmp, 'shot.ppm')], check=True, timeout=20)
        image = read_ppm(os.path.join(tmp, 'shot.ppm'))
        note = bounding_box(image, PALE_YELLOW, 20)
        mapped = bounding_box(image, WHITE, 300)  # the map: 387 white pixels a row
        failures = []
        if not note or not mapped:
            failures.append('no note (%s) or no map (%s) on the screen' % (note, mapped))
        else:
            # The search note ends 20 twips right of the DF frame's left edge, 5990 twips from
            # the window's left edge, and its top is 3210 twips below the window's top. The map
            # starts 4 pixels right of the client area and a menu bar and title below the top.
            client_left = mapped[0] - 4
            right_gap = note[2] + 1 - client_left
            top_gap = note[1] - (mapped[1] - 2)
            if not 390 <= right_gap <= 405:
                failures.append('the note ends %d px right of the client area, not about 399'
                                % right_gap)
            if not 130 <= top_gap <= 214:
                failures.append('the note starts %d px below the client area, not 214 px below '
                                'the window top' % top_gap)
        for f in failures:
            print('FAIL: ' + f)
        if failures:
            subprocess.run(['cp', shot, os.path.join(os.getcwd(), 'wayland-note-failure.png')])
        else:
            print('ok: the note stands beside the DF unit, where the game put it (%d, %d)'
                  % (right_gap, top_gap))
        print('%d passed, %d failed' % (0 if failures else 1, 1 if failures else 0))
        return 1 if failures else 0
    except (Timeout, subprocess.SubprocessError, IndexError) as error:
        print('FAIL: %s' % error)
        print('0 passed, 1 failed')
        return 1
    finally:
        for proc in reversed(procs):
            proc.terminate()
            try:
                proc.wait(timeout=5)
            except subprocess.TimeoutExpired:
                proc.kill()
        subprocess.run(['rm', '-rf', tmp])


if __name__ == '__main__':
    sys.exit(main(sys.argv[1]))
