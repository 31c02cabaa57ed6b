#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The coaching note belongs to the game, under a real window manager: it stands above the main
window but below the game's message boxes and any other program, hides while the game is
minimised and comes back with it, and a click on it brings the game forward. (That it moves
with the main window is seen in the zoom test.) The game's clock runs twenty times faster, so
the long-search box comes soon.

usage: note_window_test.py GAME"""
import time

from checks import check, main, settles, start_game
from x11_session import X11Session, sped_up, wait_for


def notes_of(x, pid, main_window):
    """The game's visible windows other than the main window and its boxes: its notes."""
    boxes = set(x.windows(pid, 'Search Help'))
    return [w for w in x.windows(pid) if w != main_window and w not in boxes]


def the_note(game):
    with X11Session() as x:
        pid = start_game(x, game, sped_up(game))[0].pid
        # The main window is the largest of the game's windows.
        main_window = max(x.windows(pid), key=lambda w: x.geometry(w)[0][3])
        # The arrows prompt comes eleven seconds of game time after the start.
        note = wait_for('the first note', lambda: notes_of(x, pid, main_window))[0]
        check(x.above(note, main_window), 'the note stands above the main window')
        check(x.active() == main_window, 'the note leaves the focus in the main window')

        # Another program covers the note, as it covers the game.
        other = x.start(['xmessage', '-geometry', '600x400+0+0', 'another program'])
        other_window = wait_for('the other program', lambda: x.windows(None, 'xmessage'))[0]
        x.activate(other_window)
        check(settles(lambda: x.above(other_window, note)),
              'another program stands above the note')
        other.terminate()

        # The search prompt has come by now (26 s of game time), and no other note comes for a
        # while.
        time.sleep(1.5)
        x.activate(main_window)
        note = notes_of(x, pid, main_window)[0]

        # Minimised, the game shows no note; restored, the note is back.
        x.run(['xdotool', 'windowminimize', '--sync', str(main_window)], check=False)
        check(settles(lambda: not x.geometry(note)[1]),
              'the note hides while the game is minimised')
        x.activate(main_window)
        wait_for('the game to come back', lambda: x.geometry(main_window)[1], 5)
        note = wait_for('the note to come back', lambda: notes_of(x, pid, main_window), 5)[0]
        check(x.above(note, main_window), 'the note is back above the main window')

        # Three game minutes on, the long-search box stands above the note.
        box = wait_for('the long-search box', lambda: x.windows(pid, 'Search Help'), 30)[0]
        check(settles(lambda: any(x.above(box, n) for n in notes_of(x, pid, main_window))),
              'the message box stands above the note')
        (bx, by, bw, bh), _ = x.geometry(box)
        covered = [p for p in ((bx + bw // 2, by + bh // 2), (bx + bw - 20, by + bh - 15))
                   if x.pixel(*p) == (255, 255, 192)]
        check(not covered, 'no part of the box is hidden by the note')
        x.run(['xdotool', 'key', '--window', str(box), 'Return'], check=False)
        wait_for('the box to close', lambda: not x.windows(pid, 'Search Help'), 10)

        # A click on a note closes it and brings the game forward, over another program.
        note = wait_for('a note', lambda: notes_of(x, pid, main_window), 20)[0]
        other = x.start(['xmessage', '-geometry', '300x200+0+0', 'another program'])
        other_window = wait_for('the other program', lambda: x.windows(None, 'xmessage'))[0]
        x.activate(other_window)
        (nx, ny, nw, nh), _ = x.geometry(note)
        x.run(['xdotool', 'mousemove', '--sync', str(nx + nw // 2), str(ny + nh // 2), 'click', '1'])
        wait_for('the note to close', lambda: not x.geometry(note)[1], 5)
        check(settles(lambda: x.above(main_window, other_window)),
              'a click on the note brings the game forward')
        other.terminate()

        # A note that comes while the About window is open stays below it.
        x.activate(main_window)
        x.run(['xdotool', 'key', '--delay', '100', 'alt+h', 'a'])
        about = wait_for('the About window', lambda: x.windows(pid, 'About'), 10)[0]
        x.activate(main_window)
        x.run(['xdotool', 'key', '--delay', '100', 'alt+g', 'n'])
        note = wait_for('the note of the new search', lambda: [
            w for w in notes_of(x, pid, main_window) if w != about], 10)[0]
        check(settles(lambda: x.above(about, note)) and
              not settles(lambda: x.above(note, about), 1),
              'the About window stands above a new note')


if __name__ == '__main__':
    main(__doc__, the_note)
