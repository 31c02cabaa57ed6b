#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The Logbook and the Debrief in the real game, as windows of their own under a real window
manager: a Reveal writes the search to the player's logbook file; Game, Logbook... and Game,
Debrief open beside the main window where there is room, a click brings either window to the
front, the zoom's keys work in them, Escape closes them, and at the levels the View menu offers
they fit the screen. The debrief draws the track flown, replays it, and in a new run shows the
last search.

usage: companion_windows_test.py GAME"""
import os, sqlite3, tempfile, time

from checks import PATIENCE, check, main, settles, start_game
from x11_session import X11Session, sped_up, wait_for
from zoom_window_test import remember

TRACK_BLUE = (0, 0, 255)
BLACK = (0, 0, 0)


def picture(x, window):
    """The window's pixels as (width, height, rgb bytes)."""
    (left, top, width, height), _ = x.geometry(window)
    with tempfile.NamedTemporaryFile(suffix='.rgb', dir=x.tmp) as f:
        x.run(['import', '-window', 'root', '-crop', '%dx%d+%d+%d' % (width, height, left, top),
               '-depth', '8', 'rgb:' + f.name])
        return width, height, f.read()


def count_of(image, colour):
    """Pixels of about that colour, as an antialiased line leaves them."""
    _, _, data = image
    near = lambda i: all(abs(data[i + k] - colour[k]) < 60 for k in range(3))
    return sum(1 for i in range(0, len(data), 3) if near(i))


def drawn(x, window, colour, least):
    """The window's pixels once more than `least` of them are about that colour, or as they
    are when the wait runs out."""
    def probe():
        image = picture(x, window)
        return count_of(image, colour) > least and image
    return settles(probe, PATIENCE, 0.5) or picture(x, window)


def colourful(image):
    """Pixels that are no shade of grey."""
    _, _, d = image
    return sum(1 for i in range(0, len(d), 3)
               if max(d[i:i + 3]) - min(d[i:i + 3]) > 16)


def menu(x, pid, letter, title):
    """Game, then the item with that access key, until the window it opens is shown: a menu
    slow to open on a busy machine may miss the letter, and is then closed and tried again."""
    for attempt in range(1, 4):
        x.run(['xdotool', 'key', 'alt+g'])
        time.sleep(0.5 * attempt)
        x.run(['xdotool', 'key', letter])
        windows = settles(lambda: x.windows(pid, title), 10 * attempt)
        if windows:
            return windows[0]
        x.run(['xdotool', 'key', 'Escape'])
    return None


def take_up(x, window):
    """The window made active, or False when it will not be."""
    x.activate(window)
    return settles(lambda: x.active() == window, PATIENCE)


def focused(x, window):
    """A click on the map gives the game the focus without a move: Cruise steps need it."""
    x.click(window)
    wait_for('the game to have the focus', lambda: x.active() == window, PATIENCE)


def fly_and_reveal(x, pid, main_window):
    focused(x, main_window)
    time.sleep(0.2)
    for key in ('Up', 'Up', 'Right', 'Up'):
        x.run(['xdotool', 'key', key])
        time.sleep(0.15)
    return menu(x, pid, 'r', 'Vantrel Results')


def close_box(x, pid, title):
    x.run(['xdotool', 'key', 'Return'])
    wait_for(title + ' to close', lambda: not x.windows(pid, title), PATIENCE)


def reveals_in(path):
    with sqlite3.connect(path) as db:
        rows = db.execute('SELECT track_points FROM reveals').fetchall()
    return [r[0] for r in rows]


def start(x, game, zoom, env=None):
    """The game as a player left it at that zoom, its window's corner at the screen's."""
    remember(x, zoom, (0, 0))
    return start_game(x, game, env)


def fits(x, window, screen):
    """The window's client area, and so every button on it, lies on the screen."""
    (left, top, width, height), shown = x.geometry(window)
    return shown and left >= 0 and top >= 0 and left + width <= screen[0] and \
        top + height <= screen[1]


def beside_in_front_and_keys(game):
    with X11Session(1920, 1080) as x:
        proc, main = start(x, game, 100)
        results = fly_and_reveal(x, proc.pid, main)
        check(results is not None, 'Reveal shows the results box')
        if results:
            box = drawn(x, results, BLACK, 200)
            check(count_of(box, BLACK) > 200, 'the results box draws its words')
            coloured = colourful(box)
            check(coloured == 0, 'the results box is words on grey, with no icon on its button: '
                  '%d coloured pixels' % coloured)
        close_box(x, proc.pid, 'Vantrel Results')
        track = reveals_in(os.path.join(x.tmp, 'data', 'Vantrel', 'logbook.sqlite'))
        check(track == [5], 'the Reveal is in the logbook with its five positions: %s' % track)
        for letter, title in (('l', 'Vantrel Logbook'), ('d', 'Vantrel Debrief')):
            take_up(x, main)
            window = menu(x, proc.pid, letter, title)
            check(window is not None, 'Game opens the ' + title)
            if window is None:
                continue
            if title == 'Vantrel Debrief':
                before = drawn(x, window, TRACK_BLUE, 15)
                check(count_of(before, TRACK_BLUE) > 15, 'the debrief draws the track flown: %d'
                      % count_of(before, TRACK_BLUE))
                x.keep_screenshot('debrief.png')
                x.run(['xdotool', 'key', 'space'])  # Play has the focus
                time.sleep(0.7)
                check(picture(x, window)[2] != before[2], 'Play moves the aircraft along the track')
            (ml, mt, mw, _), _ = x.geometry(main)
            (left, top, _, _), _ = x.geometry(window)
            check(left >= ml + mw and abs(top - mt) <= 30,
                  'the %s opens beside the main window, not over it: %d,%d beside %d,%d %d wide'
                  % (title, left, top, ml, mt, mw))
            x.click(main)
            check(settles(lambda: x.above(main, window), PATIENCE),
                  'a click on the main window brings it above the ' + title)
            x.click(window, 30, 30)
            check(settles(lambda: x.above(window, main), PATIENCE),
                  'a click on the %s brings it above the main window' % title)
            width = x.geometry(window)[0][2]
            for key, grown, main_width in (('ctrl+plus', 1.5, 768), ('ctrl+minus', 1, 512),
                                            ('ctrl+plus', 1.5, 768), ('ctrl+0', 1, 512)):
                take_up(x, window)
                x.run(['xdotool', 'key', key])
                check(settles(lambda: abs(x.geometry(window)[0][2] - width * grown) <= 3 and
                              x.geometry(main)[0][2] == main_width, PATIENCE),
                      '%s in the %s zooms every window: %d wide, the main window %d' %
                      (key, title, x.geometry(window)[0][2], x.geometry(main)[0][2]))
            take_up(x, window)
            x.run(['xdotool', 'key', 'Escape'])
            check(settles(lambda: not x.windows(proc.pid, title), PATIENCE) is True,
                  'Escape closes the ' + title)
        proc.terminate()
        proc.wait(timeout=PATIENCE)

        # A new run: Game, Debrief shows the newest search in the logbook before any Reveal.
        proc, main = start(x, game, 100)
        focused(x, main)
        debrief = menu(x, proc.pid, 'd', 'Vantrel Debrief')
        blue = count_of(drawn(x, debrief, TRACK_BLUE, 15), TRACK_BLUE) if debrief else 0
        check(blue > 15, 'in a new run Game, Debrief draws the last search: %d' % blue)
        x.keep_screenshot('new-run.png')


def fit_at_every_level(game):
    """1280 by 800 at 150 %, and 1920 by 1080 at the 200 % Fit to Screen picks."""
    for screen, zoom in (((1280, 800), 150), ((1920, 1080), 200)):
        with X11Session(*screen) as x:
            proc, main = start(x, game, zoom)
            fly_and_reveal(x, proc.pid, main)
            close_box(x, proc.pid, 'Vantrel Results')
            for letter, title in (('l', 'Vantrel Logbook'), ('d', 'Vantrel Debrief')):
                take_up(x, main)
                window = menu(x, proc.pid, letter, title)
                check(window is not None and settles(lambda: fits(x, window, screen), PATIENCE),
                      'at %d %% on %dx%d the whole %s is on the screen: %s' %
                      (zoom, screen[0], screen[1], title, window and x.geometry(window)[0]))
            x.keep_screenshot('fit-%d.png' % zoom)


def coaching_waits_in_the_logbook(game):
    """With the clock twenty times as fast, the long-search advice is due 9 s after the start;
    the player has turned to the logbook by then."""
    with X11Session(1920, 1080) as x:
        proc, main = start(x, game, 100, sped_up(game))
        take_up(x, main)
        logbook = menu(x, proc.pid, 'l', 'Vantrel Logbook')
        check(logbook is not None and take_up(x, logbook), 'the logbook is the active window')
        advice = lambda: x.windows(proc.pid, 'Search Help')
        check(not settles(advice, 15), 'no long-search advice comes while the logbook is active')
        take_up(x, main)
        check(settles(advice, PATIENCE), 'it comes once the main window is active again')


if __name__ == '__main__':
    main(__doc__, coaching_waits_in_the_logbook, beside_in_front_and_keys, fit_at_every_level)
