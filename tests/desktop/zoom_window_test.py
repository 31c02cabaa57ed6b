#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The zoom in the real window, under a real window manager: a desktop scaled twice on a small
screen still shows the whole window, the View menu's keys and Fit to Screen size the window,
and the zoom and the window's place are kept for the next run, a place off every screen being
brought back onto it, frame and all, with the coaching note in its place beside the window.

usage: zoom_window_test.py GAME"""
import os, re, subprocess, time

from checks import PATIENCE, check, main, settles, start_game as start
from x11_session import X11Session, sped_up, wait_for


def width_becomes(x, window, width):
    return settles(lambda: x.geometry(window)[0][2] == width, PATIENCE)


def stays_on_screen(x, window, screen):
    """The window manager may take a moment to move a window that grew over the edge."""
    def on_screen():
        (left, top, width, height), shown = x.geometry(window)
        return shown and left >= 0 and top > 0 and left + width <= screen[0] and \
            top + height <= screen[1]
    return settles(on_screen, PATIENCE)


def settings_file(x):
    return os.path.join(x.tmp, '.config', 'Vantrel', 'Vantrel.conf')


def remember(x, zoom, place=None):
    os.makedirs(os.path.dirname(settings_file(x)), exist_ok=True)
    with open(settings_file(x), 'w') as f:
        f.write('[view]\nzoom=%d\n' % zoom)
        if place:
            f.write('\n[window]\nposition=@Point(%d %d)\n' % place)


def frame(x, window):
    """The window with the frame the window manager draws around it: (left, top, right, bottom)."""
    (left, top, width, height), _ = x.geometry(window)
    extents = x.run(['xprop', '-id', str(window), '_NET_FRAME_EXTENTS'], check=False)
    found = re.search(r'= (\d+), (\d+), (\d+), (\d+)', extents)
    l, r, t, b = (int(v) for v in found.groups()) if found else (0, 0, 0, 0)
    return left - l, top - t, left + width + r, top + height + b


def note_beside(x, game, place):
    """Starts the game at 150 % from a remembered place, waits for the first coaching note and
    tells where the note stands from the main window's corner, then after the window is moved
    by (-300, +80), and whether the window came up whole on the screen."""
    remember(x, 150, place)
    proc, main = start(x, game, sped_up(game, 'x5'))
    whole = settles(lambda: all(0 <= v for v in frame(x, main)[:2]) and
                    frame(x, main)[2] <= 1280 and frame(x, main)[3] <= 800, PATIENCE)
    note = wait_for('the arrows note', lambda: [w for w in x.windows(proc.pid) if w != main],
                    PATIENCE)[0]

    def offset():
        (mx, my, _, _), _ = x.geometry(main)
        (nx, ny, _, _), shown = x.geometry(note)
        return (nx - mx, ny - my) if shown else None
    before = offset()
    (mx, my, _, _), _ = x.geometry(main)
    x.run(['xdotool', 'windowmove', str(main), str(mx - 300), str(my + 80)])
    wait_for('the window to move', lambda: x.geometry(main)[0][0] != mx, PATIENCE)
    time.sleep(1)
    after = offset()
    proc.terminate()
    proc.wait(timeout=PATIENCE)
    return whole, before, after


def pulled_back_places_and_the_note(game):
    """A 1280 by 800 screen at 150 %: a window remembered half off the right edge, or with its
    title bar just above the screen, comes up whole, and the note stands where it stands beside
    a window that needed no pulling back, before and after the window is moved."""
    with X11Session(1280, 800) as x:
        _, designed, _ = note_beside(x, game, (200, 40))
        for place in [(896, 100), (-1, -20)]:
            whole, before, after = note_beside(x, game, place)
            check(whole, 'a window remembered at %s comes up whole on the screen' % (place,))
            check(before == designed and after == designed,
                  'the note stands at %s from the window remembered at %s, then at %s after a '
                  'move, as at %s' % (before, place, after, designed))


def scaled_desktop_on_a_small_screen(game):
    """Twice the desktop's scale on 1280 by 900: at 100 % the window would be cut off."""
    with X11Session(1280, 900) as x:
        proc, main = start(x, game, {'QT_SCALE_FACTOR': '2'})
        on = stays_on_screen(x, main, (1280, 900))
        (left, top, width, height), _ = x.geometry(main)
        check(on,
              'the whole window, title bar to the bottom row of buttons, is on the screen: '
              '%dx%d at %d,%d' % (width, height, left, top))
        check(width < 1024, 'it is drawn smaller than 100 %% of the scaled desktop: %d' % width)
        proc.terminate()


def keys_menu_and_remembered_settings(game):
    screen = (2560, 1600)
    with X11Session(*screen) as x:
        proc, main = start(x, game)
        check(x.geometry(main)[0][2] == 512, 'a new player starts at 100 %')
        x.click(main)
        wait_for('the game to have the focus', lambda: x.active() == main, PATIENCE)
        for key, width in (('ctrl+plus', 768), ('ctrl+plus', 1024), ('ctrl+minus', 768),
                           ('ctrl+0', 512)):
            x.run(['xdotool', 'key', key])
            check(width_becomes(x, main, width), '%s makes the window %d wide' % (key, width))
        x.run(['xdotool', 'key', 'alt+v'])
        time.sleep(0.5)
        x.run(['xdotool', 'key', 'f'])
        check(width_becomes(x, main, 1536), 'View, Fit to Screen takes 300 % on a large screen')
        check(stays_on_screen(x, main, screen), 'and the window stays on the screen')
        x.run(['xdotool', 'key', 'ctrl+minus'])
        width_becomes(x, main, 1024)
        x.run(['xdotool', 'windowmove', str(main), '300', '200'])
        time.sleep(0.5)
        placed = x.geometry(main)[0][:2]
        x.run(['xdotool', 'key', 'alt+g'])
        time.sleep(0.5)
        x.run(['xdotool', 'key', 'e'])
        try:
            proc.wait(timeout=PATIENCE)
        except subprocess.TimeoutExpired:
            check(False, 'Game, Exit ends the game')
        saved = open(settings_file(x)).read() if os.path.exists(settings_file(x)) else ''
        check('zoom=200' in saved, 'the zoom is kept: ' + saved.replace('\n', ' '))

        proc, main = start(x, game)
        check(width_becomes(x, main, 1024), 'the next run starts at 200 %')
        check(abs(x.geometry(main)[0][0] - placed[0]) <= 2 and
              abs(x.geometry(main)[0][1] - placed[1]) <= 2,
              'where the window was left: %s, then %s' % (placed, x.geometry(main)[0][:2]))
        proc.terminate()

if __name__ == '__main__':
    main(__doc__, scaled_desktop_on_a_small_screen, pulled_back_places_and_the_note,
         keys_menu_and_remembered_settings)
