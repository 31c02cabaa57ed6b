#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Under Wayland, where no program places its own windows, the coaching note still stands
where the game puts it beside the main window: a popup of the main window, moved afresh with
every note. Weston's headless backend draws the desktop; its screenshooter shows it.

usage: wayland_note_test.py GAME"""
import glob, os, subprocess, time

from checks import check, log_tail, main
from x11_session import Session, sped_up, wait_for

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


def screenshot(env, folder):
    """The whole desktop, read from a fresh screenshot."""
    for old in glob.glob(os.path.join(folder, 'wayland-screenshot*.png')):
        os.remove(old)
    subprocess.run(['weston-screenshooter'], env=env, cwd=folder, timeout=20, check=True)
    shot = glob.glob(os.path.join(folder, 'wayland-screenshot*.png'))[0]
    subprocess.run(['convert', shot, os.path.join(folder, 'shot.ppm')], check=True, timeout=20)
    return read_ppm(os.path.join(folder, 'shot.ppm'))


def note_misplaced(image):
    """What is wrong with the place of the search note on the screen; nothing when it is right.
    The search note ends 20 twips right of the DF frame's left edge, 5990 twips from the
    window's left edge, and its top is 3210 twips below the window's top. The map starts 4
    pixels right of the client area, and a title and a menu bar below the window's top."""
    note = bounding_box(image, PALE_YELLOW, 20)
    mapped = bounding_box(image, WHITE, 300)  # the map: 387 white pixels a row
    if not note or not mapped:
        return ['no note (%s) or no map (%s) on the screen' % (note, mapped)]
    right_gap = note[2] + 1 - (mapped[0] - 4)
    top_gap = note[1] - (mapped[1] - 2)
    failures = []
    if not 390 <= right_gap <= 405:
        failures.append('the note ends %d px right of the client area, not about 399' % right_gap)
    if not 130 <= top_gap <= 214:
        failures.append('the note starts %d px below the client area, not 214 px below the '
                        'window top' % top_gap)
    return failures


def the_note(game):
    with Session('vantrel-wayland-') as session:
        session.env['WAYLAND_DISPLAY'] = 'vantrel-test'
        session.start(['weston', '--backend=headless-backend.so', '--use-pixman',
                       '--socket=vantrel-test', '--width=1280', '--height=1024', '--debug',
                       '--idle-time=0'])
        wait_for('weston', lambda: os.path.exists(os.path.join(session.tmp, 'vantrel-test')), 15)
        session.start([game], env=dict(QT_QPA_PLATFORM='wayland', **sped_up(game)),
                      stderr=open(os.path.join(session.tmp, 'game.log'), 'w'))
        # The game's clock runs twenty times faster. The second note comes 26 s of game time
        # after the start; until then the screen shows the first note, or none.
        time.sleep(1.5)
        misplaced = ['no screenshot']
        for _ in range(10):
            misplaced = note_misplaced(screenshot(session.env, session.tmp))
            if not misplaced:
                break
            time.sleep(1)
        for f in misplaced:
            check(False, f)
        if misplaced:
            print(log_tail(session))
        else:
            check(True, 'the note stands beside the DF unit, where the game put it')


if __name__ == '__main__':
    main(__doc__, the_note)
