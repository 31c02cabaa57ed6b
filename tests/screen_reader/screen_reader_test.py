# SPDX-License-Identifier: MIT
"""What a screen reader hears of one search: the game is read and played only through the
desktop's accessibility bus (AT-SPI), on a private desktop, as a listener would: the roles of
the controls, the readings of the readouts, the events a step raises, the signal indicator,
the DF needle, the coaching note and the message boxes.

usage: screen_reader_test.py PATH/TO/vantrel"""

import math
import os
import sys
import time
import unittest
import warnings

from private_desktop import PrivateDesktop, wait_for

GAME = None
# pyatspi's own use of older calls is not ours to fix.
warnings.simplefilter("ignore", (DeprecationWarning, ImportWarning))
# Generous bounds for a busy machine: a wait ends as soon as its condition holds.
PATIENCE = 20
LIGHT = ("ELT heard", "No signal")


def walk(node):
    yield node
    for child in node:
        if child is not None:
            yield from walk(child)


def text_of(node):
    try:
        return node.queryText().getText(0, -1)
    except NotImplementedError:
        return None


def value_of(node):
    return node.queryValue().currentValue


def actions_of(node):
    try:
        action = node.queryAction()
    except NotImplementedError:
        return []
    return [action.getName(i) for i in range(action.nActions)]


class Listener:
    """Records the events a screen reader following the window would be told of."""

    TYPES = ("object:text-changed:insert", "object:property-change:accessible-value",
             "object:property-change:accessible-name")

    def __init__(self, registry):
        from gi.repository import GLib
        self.context = GLib.MainContext.default()
        self.events = []
        registry.registerEventListener(self._heard, *self.TYPES)

    def _heard(self, event):
        source = event.source
        if event.type.startswith("object:text-changed"):
            said = str(event.any_data)
        elif event.type.endswith("accessible-value"):
            said = value_of(source)
        else:
            said = source.name
        self.events.append((str(event.type), source.name, said))

    def pump(self, seconds):
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            while self.context.pending():
                self.context.iteration(False)
            time.sleep(0.01)

    def until(self, condition, what, seconds=PATIENCE):
        wait_for(what, lambda: self.pump(0.05) or condition(), seconds, 0)

    def take(self):
        taken, self.events = self.events, []
        return taken


class ScreenReaderTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.desktop = PrivateDesktop(GAME).__enter__()
        try:
            import pyatspi
            cls.pyatspi = pyatspi
            desktop = pyatspi.Registry.getDesktop(0)
            cls.app = wait_for(
                "the game on the accessibility bus",
                lambda: next((a for a in desktop if a is not None and a.name == "Vantrel"),
                             None), 60)
            cls.listener = Listener(pyatspi.Registry)
            cls.listener.pump(1)  # the game learns that someone listens
        except BaseException:
            cls.desktop.__exit__(None, None, None)
            raise

    @classmethod
    def tearDownClass(cls):
        cls.desktop.__exit__(None, None, None)

    # ---- helpers -------------------------------------------------------------------------

    def find(self, name, role=None, within=None):
        for node in walk(within or self.app):
            if node.name == name and (role is None or node.getRoleName() == role):
                return node
        self.fail(f"nothing named {name!r} ({role}) on the bus")

    def press(self, node, action=None):
        names = actions_of(node)
        chosen = action or names[0]
        self.assertIn(chosen, names, node.name)
        self.assertTrue(node.queryAction().doAction(names.index(chosen)), node.name)

    def readout(self, name):
        """The label that shows a reading, not the legend beside it of the same name."""
        for node in walk(self.app):
            if node.name == name and node.getRoleName() == "label" and text_of(node) is not None:
                return node
        self.fail(f"no readout named {name!r} on the bus")

    def reading(self, name):
        return text_of(self.readout(name))

    def indicator(self):
        panel = self.find("DF Unit", "panel")
        return next(c.name for c in panel if c.description.startswith("The signal"))

    def step(self, arrow):
        """One click of an arrow, by its press action; returns the events it raised."""
        self.listener.pump(0.2)
        self.listener.take()
        before = self.reading("Distance flown")
        self.press(self.find(arrow, "push button"))
        self.listener.until(lambda: self.reading("Distance flown") != before, arrow + " flew")
        self.listener.until(
            lambda: any(e[1] == "Distance flown" for e in self.listener.events),
            "the distance flown announced")
        self.listener.pump(0.5)  # anything said twice arrives by now
        return self.listener.take()

    def new_search_out_of_reach(self):
        """New Searches until the ELT lies out of reach of the aircraft, so that the first
        signal is heard in flight."""
        for _ in range(40):
            if self.indicator() == "No signal":
                return
            self.press(self.find("New Search", "push button"))
            self.listener.until(lambda: self.reading("Distance flown") == "0", "a new search")
            self.listener.pump(0.3)

    def close_message_box(self, expected):
        """Reads the message box that holds `expected` and closes it with its OK button."""
        def box():
            for window in self.app:
                for node in walk(window):
                    if expected in (node.name or "") or expected in (text_of(node) or ""):
                        return window
            return None
        window = wait_for("a message box saying " + expected, box, PATIENCE)
        text = " ".join(n.name for n in walk(window) if n.getRoleName() == "label")
        self.press(self.find("OK", "push button", within=window))
        wait_for("the box to close", lambda: window not in list(self.app), PATIENCE)
        return text

    # ---- the search, in the order a player meets it ----------------------------------------

    def test_1_controls_say_what_they_are(self):
        aircraft = self.find("Aircraft", "panel")
        df_unit = self.find("DF Unit", "panel")
        for name, panel in (("Cruise", aircraft), ("Search", aircraft), ("DF", df_unit),
                            ("Signal", df_unit)):
            option = self.find(name, "radio button", within=panel)
            self.assertIn("Press", actions_of(option))
        states = self.find("Cruise", "radio button").getState()
        self.assertTrue(states.contains(self.pyatspi.STATE_CHECKED))
        self.assertFalse(self.find("Search", "radio button").getState().contains(
            self.pyatspi.STATE_CHECKED))
        self.find("Show Bearing", "check box")
        for arrow in ("Forward", "Turn left", "Turn right"):
            self.assertEqual(actions_of(self.find(arrow, "push button", within=aircraft))[0],
                             "Press")
        picture = self.find("Aircraft", "image", within=aircraft)
        self.assertEqual(actions_of(picture), [])

    def test_2_a_new_search_starts_silent_with_its_readings(self):
        self.new_search_out_of_reach()
        self.assertEqual(self.indicator(), "No signal")
        self.assertEqual(self.reading("Heading"), "0")
        self.assertEqual(self.reading("Distance flown"), "0")
        self.assertRegex(self.reading("Radial"), r"^\d{3}$")
        self.assertRegex(self.reading("DME"), r"^\d+\.\d$")
        self.assertEqual(self.find("Compass").childCount, 1, "the heading is the compass' child")

    def test_3_the_coaching_note_is_read(self):
        note = wait_for("the coaching note", lambda: next(
            (n for n in walk(self.app) if n.name == "Coaching note"
             and "Click the three arrows" in n.description), None), PATIENCE)
        self.assertIn("to move the aircraft on the map", note.description)

    def test_4_a_step_announces_each_changed_reading_once(self):
        radial, dme = self.reading("Radial"), self.reading("DME")
        events = self.step("Forward")
        said = [(e[1], e[2]) for e in events if e[0].startswith("object:text-changed")]
        distance = self.reading("Distance flown")
        self.assertEqual(float(distance.rstrip(".")), 1.0, "one step at cruise is 1 nm")
        self.assertEqual(said.count(("Distance flown", distance)), 1, events)
        for name, before in (("Radial", radial), ("DME", dme)):
            now = self.reading(name)
            self.assertEqual(said.count((name, now)), 1 if now != before else 0, (name, events))
        self.assertNotIn("Heading", [e[1] for e in events], "flying on does not turn")

        events = self.step("Turn right")
        self.assertEqual(self.reading("Heading"), "45")
        said = [(e[1], e[2]) for e in events if e[0].startswith("object:text-changed")]
        self.assertEqual(said.count(("Heading", "45")), 1, events)
        for kind, name, _ in events:
            same = [e for e in events if e[0] == kind and e[1] == name]
            self.assertEqual(len(same), 1, f"{name} told twice: {events}")

    def test_5_show_bearing_reads_out_bearing_and_distance(self):
        self.listener.take()
        self.press(self.find("Show Bearing", "check box"))
        self.listener.until(lambda: self.reading("Bearing to the ELT"), "the bearing shown")
        self.listener.pump(0.5)
        bearing = self.reading("Bearing to the ELT")
        distance = self.reading("Distance to the ELT")
        self.assertRegex(bearing, r"^(Left \d+|Right \d+|Forward or Aft )$")
        self.assertRegex(distance, r"^\d+\.\d$")
        said = [(e[1], e[2]) for e in self.listener.take() if "text-changed" in e[0]]
        self.assertIn(("Bearing to the ELT", bearing), said)
        self.assertIn(("Distance to the ELT", distance), said)
        for name in ("Bearing to the ELT", "Distance to the ELT"):
            states = self.readout(name).getState()
            self.assertTrue(states.contains(self.pyatspi.STATE_SHOWING), name)

    def test_6_the_first_signal_is_announced_by_the_indicator(self):
        # The steps before may have brought the ELT within reach: start a search out of it,
        # with the bearing shown again, since a New Search clears it.
        if self.indicator() != "No signal":
            self.new_search_out_of_reach()
            self.assertEqual(self.indicator(), "No signal")
            self.press(self.find("Show Bearing", "check box"))
            self.listener.until(lambda: self.reading("Bearing to the ELT"), "the bearing shown")
        self.listener.pump(0.3)
        self.listener.take()
        # Flown by ear: turn towards the bearing the readout gives until the ELT is heard.
        # "Forward or Aft" means dead ahead or dead astern: fly on while the distance shrinks,
        # otherwise turn away from the tail. Every event of the flight is kept, so that news
        # arriving late is still counted.
        last = None
        for _ in range(120):
            bearing = self.reading("Bearing to the ELT")
            distance = float(self.reading("Distance to the ELT"))
            side, _, degrees = bearing.partition(" ")
            if side in ("Left", "Right"):
                off = int(degrees)
            else:
                off = 0 if last is None or distance < last else 180
            last = distance
            arrow = "Forward" if off < 23 else ("Turn left" if side == "Left" else "Turn right")
            before = self.reading("Distance flown")
            self.press(self.find(arrow, "push button"))
            self.listener.until(lambda: self.reading("Distance flown") != before, arrow + " flew")
            if self.indicator() == "ELT heard":
                self.listener.until(lambda: any(e[2] in LIGHT for e in self.listener.events),
                                    "the indicator's news")
                self.listener.pump(0.5)
                said = [e[2] for e in self.listener.take()
                        if e[0].startswith("object:text-changed") and e[2] in LIGHT]
                self.assertEqual(said, ["ELT heard"])
                return
        self.fail("the ELT was never heard")

    def test_7_the_needle_tells_its_deflection(self):
        needle = self.find("DF needle", "dial")
        distance = float(self.reading("Distance to the ELT"))
        side, _, degrees = self.reading("Bearing to the ELT").partition(" ")
        rel = (int(degrees) if degrees.strip() else 0) * (-1 if side == "Left" else 1)
        strength = math.exp(-distance / 10)
        # DF mode: left to right, a hundred at full deflection.
        expected = 100 * strength * math.sin(math.radians(rel)) * 0.95
        self.assertAlmostEqual(value_of(needle), expected, delta=2)
        self.assertEqual(needle.queryValue().minimumValue, -100)
        self.assertEqual(needle.queryValue().maximumValue, 100)
        self.listener.take()
        self.press(self.find("Signal", "radio button"))
        self.listener.until(lambda: needle.queryValue().minimumValue == 0, "Signal mode")
        self.listener.pump(0.5)
        self.assertAlmostEqual(value_of(needle), 100 * strength, delta=1.5)
        told = [e for e in self.listener.take() if e[1] == "DF needle"]
        self.assertEqual(told, [("object:property-change:accessible-value", "DF needle",
                                 value_of(needle))])
        self.assertTrue(self.find("Signal", "radio button").getState().contains(
            self.pyatspi.STATE_CHECKED))

    def test_8_hints_and_results_are_read(self):
        self.press(self.find("Hint", "push button"))
        hint = self.close_message_box("The ELT is")
        self.assertRegex(hint, r"The ELT is .*VOR")
        self.press(self.find("Reveal", "push button"))
        results = self.close_message_box("You travelled")
        self.assertRegex(results, r"You travelled \d+")
        self.assertTrue(self.desktop.game_running())


if __name__ == "__main__":
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    GAME = os.path.abspath(sys.argv.pop(1))
    unittest.main(verbosity=2, failfast=True, warnings=False)
