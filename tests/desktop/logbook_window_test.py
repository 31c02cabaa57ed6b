#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The logbook and the debrief in the real game, under a real window manager: a Reveal writes
the search to the player's logbook file, Game, Debrief draws the track flown and replays it,
and Game, Logbook... opens the logbook.

usage: logbook_window_test.py GAME"""
import os, sqlite3, tempfile, time

from checks import PATIENCE, check, log_tail, main, settles, start_game
from x11_session import X11Session, wait_for

TRACK_BLUE = (0, 0, 255)
BLACK = (0, 0, 0)


def shown(x, pid, title, seconds=PATIENCE):
    return (settles(lambda: x.windows(pid, title), seconds) or [None])[0]


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
        window = shown(x, pid, title, 10 * attempt)
        if window:
            return window
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


def logbook_and_debrief(game):
    with X11Session() as x:
        logbook = os.path.join(x.tmp, 'data', 'Vantrel', 'logbook.sqlite')
        proc, main_window = start_game(x, game)
        pid = proc.pid
        results = fly_and_reveal(x, pid, main_window)
        check(results is not None, 'Reveal shows the results box')
        if results:
            box = drawn(x, results, BLACK, 200)
            check(count_of(box, BLACK) > 200, 'the results box draws its words')
            coloured = colourful(box)
            check(coloured == 0, 'the results box is words on grey, with no icon on its button: '
                  '%d coloured pixels' % coloured)
        close_box(x, pid, 'Vantrel Results')
        track = reveals_in(logbook)
        check(track == [5], 'the Reveal is in the logbook with its five positions: %s' % track)

        debrief = menu(x, pid, 'd', 'Vantrel Debrief')
        check(debrief is not None, 'Game, Debrief opens the debrief')
        if debrief:
            before = drawn(x, debrief, TRACK_BLUE, 15)
            check(count_of(before, TRACK_BLUE) > 15, 'the debrief draws the track flown: %d'
                  % count_of(before, TRACK_BLUE))
            x.keep_screenshot('debrief.png')
            x.run(['xdotool', 'key', 'space'])  # Play has the focus
            time.sleep(0.7)
            check(picture(x, debrief)[2] != before[2], 'Play moves the aircraft along the track')
            x.run(['xdotool', 'key', 'Escape'])
            check(wait_for('the debrief to close',
                           lambda: not x.windows(pid, 'Vantrel Debrief'), PATIENCE) is True,
                  'Escape closes the debrief')

        x.activate(main_window)
        wait_for('the game to have the focus', lambda: x.active() == main_window, PATIENCE)
        check(menu(x, pid, 'l', 'Vantrel Logbook') is not None,
              'Game, Logbook... opens the logbook: ' + log_tail(x, 9000))
        proc.terminate()

        # A new run: Game, Debrief shows the newest search in the logbook before any Reveal.
        proc, main_window = start_game(x, game)
        focused(x, main_window)
        debrief = menu(x, proc.pid, 'd', 'Vantrel Debrief')
        blue = count_of(drawn(x, debrief, TRACK_BLUE, 15), TRACK_BLUE) if debrief else 0
        check(blue > 15, 'in a new run Game, Debrief draws the last search: %d' % blue)
        x.keep_screenshot('new-run.png')
        proc.terminate()

if __name__ == '__main__':
    main(__doc__, logbook_and_debrief)
