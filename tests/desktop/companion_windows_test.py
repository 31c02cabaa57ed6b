#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The Logbook and the Debrief as windows of their own, under a real window manager: they open
beside the main window where there is room, a click brings either window to the front, the
zoom's keys work in them, and at the levels the View menu offers they fit the screen.

usage: companion_windows_test.py GAME"""
from checks import PATIENCE, check, main, settles, start_game
from logbook_window_test import close_box, fly_and_reveal, menu, take_up
from x11_session import X11Session, sped_up
from zoom_window_test import remember


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
        fly_and_reveal(x, proc.pid, main)
        close_box(x, proc.pid, 'Vantrel Results')
        for letter, title in (('l', 'Vantrel Logbook'), ('d', 'Vantrel Debrief')):
            take_up(x, main)
            window = menu(x, proc.pid, letter, title)
            check(window is not None, 'Game opens the ' + title)
            if window is None:
                continue
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
            settles(lambda: not x.windows(proc.pid, title), PATIENCE)


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
