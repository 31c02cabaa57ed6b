# SPDX-License-Identifier: MIT
"""The game's records reach the squadron's server through vantrel-script, as a trainee's game
sends them: the ones written before joining included, from two trainees at once, after the
server comes back, never from a blackhole, and once each however often the game is killed
in the middle of a send.
    sending_test.py VANTREL_SCRIPT VANTREL_SQUADRON"""
import os, signal, socket, sqlite3, subprocess, sys, tempfile, time
from pg_server import BIN, OWNER, OWNER_PASSWORD, Server

script, squadron_tool = sys.argv[1:3]
work = tempfile.mkdtemp(prefix="vantrel-sending-")
failures = []
CADETS = {"o'hara": "q'uote\\d", "Zoë": "pässword"}


def check(got, want, what):
    ok = got == want
    print(("ok: " if ok else "FAIL: ") + what + ("" if ok else f"\n  got  {got!r}\n  want {want!r}"))
    if not ok:
        failures.append(what)


def reveals(count):
    """Scenario lines for `count` searches, each revealed once."""
    one = ("set aircraftX=60 aircraftY=100 eltX=64 eltY=100 vorX=100 vorY=100 airportX=150 "
           "airportY=150 distanceFlown=30 firstSignalDistance=10\nclick cmdReveal\nclick mnuNewGame\n")
    return one * count


def joined(logbook, conninfo):
    """The lines that open the logbook and join the squadron; the scenario's quotes escaped."""
    quoted = conninfo.replace("\\", "\\\\").replace('"', '\\"')
    return f'logbook "{logbook}"\nsquadron "{quoted}"\nstart\n'


def play(logbook, lines, conninfo=None, timeout=120):
    head = joined(logbook, conninfo) if conninfo else f'logbook "{logbook}"\nstart\n'
    p = subprocess.run([script, "-"], input=head + lines, text=True, capture_output=True,
                       timeout=timeout, cwd=work)
    return [l for l in p.stdout.splitlines() if l.startswith(("squadron", "logbook.lblSquadron"))] + (
        [p.stderr.strip()] if p.returncode else [])


def squadron_line(stream):
    """The next line the runner printed about the squadron."""
    return next(l.strip() for l in stream if l.startswith("squadron"))


def on_server(sql):
    return s.psql(OWNER, OWNER_PASSWORD, sql)[1]


def in_logbook(name):
    with sqlite3.connect(os.path.join(work, name)) as db:
        return db.execute("SELECT count(*) FROM reveals").fetchone()[0]


def cadet(name, **extra):
    password = CADETS[name].replace("\\", "\\\\").replace("'", "\\'")
    return s.conninfo(name, **extra) + f" password='{password}'"


with Server() as s:
    env = dict(os.environ, PGPASSWORD=OWNER_PASSWORD)
    subprocess.run([squadron_tool, "init", s.conninfo(OWNER)], env=env, check=True, capture_output=True)
    for name, password in CADETS.items():
        subprocess.run([squadron_tool, "add-trainee", s.conninfo(OWNER), name], input=password + "\n",
                       text=True, env=env, check=True, capture_output=True)

    # Joining with a logbook of searches flown before: every one goes, and each once.
    play("hara.sqlite", reveals(3))
    check(play("hara.sqlite", reveals(1) + "sync\nsync\n", cadet("o'hara")),
          ["squadron sent=4 pending=0 state=online"] * 2, "joining sends the old records and the new")
    check(on_server("SELECT trainee, count(*) FROM squadron_reveals GROUP BY 1"), "o'hara|4",
          "the server names the trainee from the login")

    # Two trainees at once, each with records the other never sees.
    both = [subprocess.Popen([script, "-"], stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True, cwd=work)
            for _ in CADETS]
    for p, (name, book) in zip(both, (("o'hara", "hara.sqlite"), ("Zoë", "zoe.sqlite"))):
        p.stdin.write(joined(book, cadet(name)) + reveals(5) + "sync\n")
        p.stdin.close()
    check([p.stdout.read().splitlines()[-1] for p in both],
          ["squadron sent=9 pending=0 state=online", "squadron sent=5 pending=0 state=online"], "two trainees at once")
    for p in both:
        p.wait(timeout=30)  # a game holds its logbook while it ends: the next run would find it busy
    check(s.psql("Zoë", CADETS["Zoë"], "SELECT count(*), min(trainee) FROM squadron_reveals"), (0, "5|Zoë"),
          "a trainee reads only their own")

    # The server stopped: the records wait; started again, the same run sends them.
    data = os.path.join(s.dir, "data")
    s.run(f"{BIN}/pg_ctl", "-D", data, "-m", "fast", "-t", "30", "stop")
    game = subprocess.Popen([script, "-"], stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True, cwd=work)
    game.stdin.write(joined("zoe.sqlite", cadet("Zoë")) + reveals(2) + "sync\n")
    game.stdin.flush()
    check(squadron_line(game.stdout), "squadron sent=5 pending=2 state=offline", "a stopped server: the records wait")
    s.run(f"{BIN}/pg_ctl", "-D", data, "-l", os.path.join(s.dir, "log"), "-w", "-t", "30", "start")
    game.stdin.write("sync\n")
    game.stdin.close()
    check(squadron_line(game.stdout), "squadron sent=7 pending=0 state=online", "started again: sent")
    game.wait(timeout=30)  # it still holds zoe.sqlite while it ends: the next run would find the file busy

    # A listener that takes the connection and never answers costs the game nothing but time
    # on the sending thread.
    with socket.socket() as hole:
        hole.bind(("127.0.0.1", 0))
        hole.listen()
        began = time.monotonic()
        check(play("zoe.sqlite", reveals(1) + "sync\n", f"host=127.0.0.1 port={hole.getsockname()[1]} "
                   "dbname=squadron user=x sslmode=disable"), ["squadron sent=0 pending=8 state=offline"],
              "a blackhole: offline")
        check(time.monotonic() - began < 30, True, "a blackhole is given up within the time allowed")
    check(play("zoe.sqlite", "sync\n", s.conninfo("Zoë") + " password=wrong"),
          ["squadron sent=7 pending=1 state=refused"], "a wrong password: refused")
    check(play("zoe.sqlite", "sync\nclick mnuLogbook\nprint logbook.lblSquadron.Caption\n", s.conninfo("Zoë")),
          ["squadron sent=7 pending=1 state=refused", 'logbook.lblSquadron.Caption="Squadron: 7 sent, 1 waiting '
           '(the server refuses them). Last problem: The server needs your password: type it in Game, Squadron..."'],
          "no password known: the Logbook asks for it")

    # Killed in the middle of sending, again and again: nothing lost, nothing twice.
    play("many.sqlite", reveals(5000), timeout=300)
    # Sending all takes about a second: the kills come ever later, most of them mid-send.
    for attempt in range(12):
        game = subprocess.Popen([script, "-"], stdin=subprocess.PIPE, stdout=subprocess.DEVNULL, text=True, cwd=work)
        game.stdin.write(joined("many.sqlite", cadet("o'hara")) + "sync\n")
        game.stdin.flush()
        time.sleep(0.05 + 0.05 * attempt)
        game.send_signal(signal.SIGKILL)
        game.wait()
    check(play("many.sqlite", "sync\n", cadet("o'hara")), ["squadron sent=5000 pending=0 state=online"],
          "killed mid-send: the rest goes next time")
    check(on_server("SELECT count(*), count(DISTINCT record_id) FROM squadron_reveals WHERE trainee = 'o''hara'"),
          "5009|5009", "no record lost, none twice")
    check(in_logbook("many.sqlite"), 5000, "the logbook keeps every record")

sys.exit(1 if failures else 0)
