# SPDX-License-Identifier: MIT
"""The instructor's view of the class on a real PostgreSQL 15: a version 1 squadron upgraded with
its data; three trainees fly an exercise through the runner, read back by the report, by the
instructor's Class window and by ClassReader; the server itself refuses a trainee; a stopped
server is a plain answer at once, and the open window keeps what it showed.
    class_test.py VANTREL_SCRIPT VANTREL_SQUADRON READ_CLASS"""
import os, subprocess, sys, tempfile, time
from pg_server import BIN, OWNER, OWNER_PASSWORD, Server

script, squadron_tool, read_class = sys.argv[1:4]
work = tempfile.mkdtemp(prefix="vantrel-class-")
failures = []
PASSWORDS = {"amy": "amy's", "bo": "bo pw", "cy": "c\\y", "dee": "d", "chief": "chief pw"}
RIDGE = ["airportX=40", "airportY=300", "vorX=200", "vorY=100", "eltX=52", "eltY=250"]


def check(got, want, what):
    ok = got == want
    print(("ok: " if ok else "FAIL: ") + what + ("" if ok else f"\n  got  {got!r}\n  want {want!r}"))
    if not ok:
        failures.append(what)


def tool(*args, user=OWNER, stdin=""):
    password = OWNER_PASSWORD if user == OWNER else PASSWORDS[user]
    p = subprocess.run([squadron_tool, args[0], s.conninfo(user), *args[1:]], input=stdin, text=True,
                       capture_output=True, timeout=60, env=dict(os.environ, PGPASSWORD=password))
    return p.returncode, (p.stdout if p.returncode == 0 else p.stderr).strip()


def owner_sql(sql):
    return s.psql(OWNER, OWNER_PASSWORD, sql)[1]


def with_password(user):
    return s.conninfo(user) + " password='" + PASSWORDS[user].replace("\\", "\\\\").replace("'", "\\'") + "'"


def play(user, lines):
    """Runs a scenario as user; gives its printed lines, and its error line when it failed."""
    quoted = with_password(user).replace("\\", "\\\\").replace('"', '\\"')
    p = subprocess.run([script, "-"], input=f'logbook "{user}.sqlite"\nsquadron "{quoted}"\n' + lines, text=True,
                       capture_output=True, timeout=60, cwd=work)
    return p.stdout.splitlines() + ([f"exit {p.returncode} {p.stderr.strip()}"] if p.returncode else [])


def read(user, *request, mode="thread"):
    return subprocess.run([read_class, with_password(user), mode, *request], capture_output=True, text=True,
                          timeout=60).stdout.splitlines()


PRINT = "print airportX airportY vorX vorY eltX eltY\n"
FLY = "click cmdUp\n"
with Server() as s:
    check(tool("init"), (0, "The squadron is set up (version 2)."), "init sets up")
    # What version 1 had: the class's views and the ranking are version 2's alone.
    owner_sql("DROP VIEW class_roster, class_records; DROP FUNCTION exercise_ranking; "
              "DROP INDEX search_firsts_recent; UPDATE squadron_meta SET value = '1'")
    for name in PASSWORDS:
        kind = "instructor" if name == "chief" else "trainee"
        tool("add-" + kind, name, stdin=PASSWORDS[name] + "\n")
    check(tool("add-exercise", "Ridge", "40", "300", "200", "100", "52", "250", user="chief"),
          (0, "Exercise Ridge added."), "an instructor publishes")
    check(tool("add-exercise", "Mine", "1", "2", "3", "4", "5", "6", user="amy"),
          (1, "vantrel-squadron: Only instructors may publish exercises."), "a trainee may not publish")

    # Before start the exercise is the first search's; after it, the next New Search's.
    flown = [play(name, lines + PRINT + FLY * steps + "click cmdReveal\nsync\n") for name, lines, steps in (
        ("amy", 'exercise "Ridge"\nstart\n', 12), ("bo", 'exercise "Ridge"\nstart\n', 4),
        ("cy", 'start\nclick cmdReveal\nexercise "Ridge"\nclick mnuNewGame\n', 8))]
    check([out[-1] for out in flown], [f"squadron sent={n} pending=0 state=online" for n in (1, 1, 2)],
          "three trainees fly Ridge, cy after a random search")
    check([[l for l in out if l.startswith(("airport", "vor", "elt"))] for out in flown], [RIDGE] * 3,
          "the search laid out is the exercise's")
    check(play("bo", 'exercise "Nope"\n')[-1:], ["exit 2 line 3: exercise Nope: the squadron has no exercise Nope"],
          "an exercise the squadron has not")

    check(tool("init"), (0, "The squadron was upgraded from version 1 to version 2."), "init upgrades")
    check(tool("init"), (0, "The squadron is already up to date (version 2)."), "init again: up to date")
    report = tool("report", "Ridge", user="chief")
    check([l.split(" score=")[0] for l in report[1].splitlines()], ["1 amy", "2 cy", "3 bo"],
          "report: the three trainees, best first, their data kept through the upgrade")
    check(owner_sql("SELECT trainee, exercise FROM squadron_reveals WHERE exercise IS NOT NULL ORDER BY 1"),
          "amy|Ridge\nbo|Ridge\ncy|Ridge", "the server's Reveals carry the exercise's name")

    # The instructor's Class window as the runner plays it: the map, the ranking, a trainee hidden;
    # then the server stops while the window is open.
    chief = subprocess.Popen([script, "-"], stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True, cwd=work)
    quoted = with_password("chief").replace("\\", "\\\\").replace('"', '\\"')
    chief.stdin.write(f'logbook "chief.sqlite"\nsquadron "{quoted}"\nstart\nclick mnuClass\n'
                      "select class.grdExercises 0\nprint class.count class.picLegend.drawing class.picMap.drawing\n"
                      "select class.grdRanking 1\nclick class.cmdShowHide\nprint class.count class.picMap.drawing\nsync\n")
    chief.stdin.flush()
    shown = []
    while not (shown and shown[-1].startswith(("squadron ", "EOF"))):
        shown.append(chief.stdout.readline().rstrip("\n") or "EOF")
    legs = lambda lines: {c: sum(1 for l in lines if l.startswith("class.picMap line 40 ") and l.endswith(c))
                          for c in ("rgb(0,90,230)", "rgb(220,20,60)", "rgb(0,150,70)")}
    legend = [l for l in shown if l.startswith("class.picLegend")]
    names = [text.split('"')[1] + " " + box.split()[-2] for box, text in zip(legend[::2], legend[1::2])]
    check((shown[2], names), ("class.count=3", ["amy rgb(0,90,230)", "cy rgb(220,20,60)", "bo rgb(0,150,70)"]),
          "the class window: three trainees, ranked, each in a colour of their own")
    hidden = shown.index("class.count=2")
    check((legs(shown[:hidden]), legs(shown[hidden:])),
          ({"rgb(0,90,230)": 12, "rgb(220,20,60)": 8, "rgb(0,150,70)": 4},
           {"rgb(0,90,230)": 12, "rgb(220,20,60)": 0, "rgb(0,150,70)": 4}),
          "each trainee's legs in their colour; cy hidden, her track is gone")
    # ClassReader on a thread of its own and synchronously: the same answers.
    flights = read("chief", "flights", "Ridge")
    check(read("chief", "flights", "Ridge", mode="sync"), flights, "flights: synchronous and threaded agree")
    check([" ".join(f.split()[:2]) for f in flights], ["ok", "1 amy", "2 cy", "3 bo"], "flights ranked as the report")
    check([f.split()[2] for f in flights[1:]], [l.split("score=")[1].split()[0] for l in report[1].splitlines()],
          "flights' scores are the report's")
    on_server = dict(l.split("|") for l in owner_sql("SELECT record_id, encode(points, 'hex') FROM tracks").splitlines())
    check([f.split()[-1] == on_server[f.split()[3]] for f in flights[1:]], [True] * 3, "the tracks as flown")
    # 12, 8 and 4 steps north from the exercise's airport (40, 300).
    check([(len(f.split()[-1]) // 16, f.split()[-1][:8]) for f in flights[1:]], [(13, "28002c01"), (9, "28002c01"),
          (5, "28002c01")], "each track: the airport and every step")
    records = read("chief", "records", "cy")
    check([r.split()[2:4] for r in records[1:]], [["search=1", "-"], ["search=2", "Ridge"]],
          "a trainee's records, oldest first, each search numbered")
    check(records[2].split()[-1] == on_server[records[2].split()[1]], True, "their tracks as flown")
    # 25 searches scored 1 to 25, the last revealed again better: each search counts by its first Reveal.
    owner_sql("INSERT INTO records SELECT (jsonb_populate_record(NULL::records, to_jsonb(r) || jsonb_build_object("
              "'record_id', 'dee-' || i, 'trainee', 'dee', 'search_key', 'dee/' || least(i, 25), 'time_utc', "
              "CASE WHEN i = 26 THEN '2026-02-01T11:00:00Z' ELSE '2026-02-01T10:' || lpad(i::text, 2, '0') || ':00Z' END, "
              "'score', CASE WHEN i = 26 THEN 0.5 ELSE i END, 'score_text', CASE WHEN i = 26 THEN '0.5' ELSE i::text END"
              "))).* FROM (SELECT * FROM records LIMIT 1) r, generate_series(1, 26) i")
    roster = read("chief", "roster")
    check([l.split()[:2] for l in roster], [["ok"], ["amy", "1/1"], ["bo", "1/1"], ["cy", "2/2"], ["dee", "25/26"]],
          "the roster: every trainee, no instructor")
    check(roster[4], "dee 25/26 best=1 20.5 10.5 2026-02-01T11:00:00Z", "the roster's best, averages and last Reveal")
    check(read("chief", "role"), ["ok", "1"], "chief is an instructor")
    check(read("chief", "publish", "Bay 1 2 3 4 5 6"), ["ok"], "an instructor publishes through the class")
    check(read("amy", "exercises"), ["ok", "Ridge 40 250", "Bay 1 6"], "a trainee reads the exercises")
    check(read("amy", "role"), ["ok", "0"], "amy is not")

    CLASS_ONLY = "no Only the squadron's instructors may read the class."
    for request, want in ((["roster"], CLASS_ONLY), (["flights", "Ridge"], CLASS_ONLY),
                          (["records", "bo"], CLASS_ONLY),
                          (["publish", "Mine 1 2 3 4 5 6"], "no Only instructors may publish exercises.")):
        check(read("amy", *request), [want], f"a trainee is refused by the server: {request[0]}")
    check(read("chief", "flights", "Nope"), ["no The squadron has no exercise Nope."], "no such exercise")
    for sql in ("SELECT * FROM class_roster", "SELECT * FROM class_records", "SELECT * FROM exercise_ranking('Ridge')"):
        check("permission denied" in s.psql("amy", PASSWORDS["amy"], sql)[1], True, f"amy: {sql} -> denied")
    check(tool("list", user="amy"), (1, "vantrel-squadron: amy is not an instructor of this squadron."),
          "a trainee may not list")
    check(tool("list", user="chief")[1].splitlines()[0].split(" best=")[0], "amy reveals=1 searches=1", "list")

    s.run(f"{BIN}/pg_ctl", "-D", os.path.join(s.dir, "data"), "-m", "fast", "-t", "30", "stop")
    out, _ = chief.communicate("select class.grdExercises 0\nprint class.count class.lblStatus.Caption\n", timeout=60)
    check(out.splitlines()[-2:], ["class.count=2", f'class.lblStatus.Caption="Could not read the flights of Ridge: No squadron server answers at {s.dir}."'],
          "the server stopped while the window is open: it says so and keeps what it showed")
    for mode in ("thread", "sync"):
        began = time.monotonic()
        check(read("chief", "roster", mode=mode), [f"no No squadron server answers at {s.dir}."],
              f"a stopped server ({mode}): plain words")
        check(time.monotonic() - began < 5, True, "  ... at once")
    s.run(f"{BIN}/pg_ctl", "-D", os.path.join(s.dir, "data"), "-l", os.path.join(s.dir, "log"), "-w", "-t", "30",
          "start")

print(f"{len(failures)} failed")
sys.exit(1 if failures else 0)
