#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The squadron's server under load, on a throwaway PostgreSQL 15 (the tests' own server):
sending 10,000 records beside bare inserts, then a squadron of 1,000 trainees x 1,000 Reveals
with their tracks, where `vantrel-squadron list`, one trainee's records and every trainee's
last 20 scores are timed beside the same on a squadron of one trainee, and the instructor's
view (the roster, a trainee's records with tracks, an exercise flown by 200 trainees) beside
the plain statements under them.
    bench/squadron_bench.py BUILD_DIR"""
import os, statistics, subprocess, sys, time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "squadron"))
from pg_server import OWNER, OWNER_PASSWORD, Server  # noqa: E402

build = sys.argv[1]
tool = os.path.join(build, "bin", "vantrel-squadron")
bench = os.path.join(build, "bin", "vantrel-bench-squadron")
TRAINEES, REVEALS, TRACK_STEPS = 1000, 1000, 100

GENERATE = f"""
ALTER TABLE records DISABLE TRIGGER count_reveal;
DO $$ BEGIN FOR t IN 1..{TRAINEES} LOOP
    EXECUTE format('CREATE ROLE %I LOGIN IN ROLE vantrel_trainee', 'trainee' || lpad(t::text, 4, '0'));
END LOOP; END $$;
INSERT INTO records (record_id, trainee, search_key, time_utc, elt_x, elt_y, vor_x, vor_y, airport_x,
    airport_y, map_scale, distance_flown, miss_distance, first_signal_distance, score, score_text, rating,
    hints, bearing_used, minutes, game_version, exercise)
SELECT 'gen-' || t || '-' || n, 'trainee' || lpad(t::text, 4, '0'), 'lb' || t || '/' || n / 2,
    to_char(timestamp '2026-01-01' + n * interval '7 minutes', 'YYYY-MM-DD"T"HH24:MI:SS"Z"'),
    120, 80, 150, 150, 20, 380, 8, 20 + n % 30, (n % 7) / 2.0, 5, s, s::text, '** Senior Pilot **', 0, false,
    12.5, 'bench', CASE WHEN n % 100 = 0 THEN 'Ridge' WHEN n = 1 AND t <= 200 THEN 'Flight200' END
FROM generate_series(1, {TRAINEES}) t, generate_series(0, {REVEALS - 1}) n,
    LATERAL (SELECT ((t * 7919 + n * 104729) % 2000 + 1)::real AS s) score;
INSERT INTO tracks (record_id, trainee, points)
SELECT record_id, trainee, decode(repeat('6400c8002d000400', {TRACK_STEPS}), 'hex') FROM records
WHERE record_id LIKE 'gen-%';
-- The summary in bulk, by the trigger's own rules: a search's first Reveal is its earliest.
INSERT INTO search_firsts SELECT DISTINCT ON (trainee, search_key) trainee, search_key, time_utc, score,
    score_text FROM records WHERE record_id LIKE 'gen-%' ORDER BY trainee, search_key, time_utc;
INSERT INTO trainee_summary SELECT r.trainee, r.reveals, r.searches, b.first_score, b.first_text
FROM (SELECT trainee, count(*) AS reveals, count(DISTINCT search_key) AS searches FROM records
      WHERE record_id LIKE 'gen-%' GROUP BY trainee) r
CROSS JOIN LATERAL (SELECT first_score, first_text FROM search_firsts f WHERE f.trainee = r.trainee
                    ORDER BY first_score, first_time LIMIT 1) b;
ALTER TABLE records ENABLE TRIGGER count_reveal;
INSERT INTO exercises (name, airport_x, airport_y, vor_x, vor_y, elt_x, elt_y)
VALUES ('Ridge', 20, 380, 150, 150, 120, 80), ('Flight200', 20, 380, 150, 150, 120, 80);
-- One more trainee's Reveals through the trigger, to hold the bulk figures against.
INSERT INTO records SELECT (jsonb_populate_record(NULL::records, to_jsonb(r) || jsonb_build_object(
    'record_id', 'trig-' || r.record_id, 'trainee', 'trainee9999'))).* FROM records r
WHERE r.trainee = 'trainee0001';
"""
SAME = """SELECT count(*) FROM trainee_summary a JOIN trainee_summary b ON b.trainee = 'trainee9999'
WHERE a.trainee = 'trainee0001' AND (a.reveals, a.searches, a.best_score, a.best_text)
    = (b.reveals, b.searches, b.best_score, b.best_text)"""


def owner_sql(server, sql):
    p = subprocess.run(["psql", "-X", "-qAt", "-v", "ON_ERROR_STOP=1", "-d", server.conninfo(OWNER), "-c", sql],
                       env=dict(os.environ, PGPASSWORD=OWNER_PASSWORD), capture_output=True, text=True,
                       timeout=3600)
    if p.returncode:
        sys.exit(p.stderr)
    return p.stdout.strip()


def timed_list(server, runs=7):
    times = []
    for _ in range(runs):
        start = time.monotonic()
        p = subprocess.run([tool, "list", server.conninfo("chief")], capture_output=True, text=True, timeout=60)
        times.append((time.monotonic() - start) * 1000)
        if p.returncode:
            sys.exit(p.stderr)
    return statistics.median(times), len(p.stdout.splitlines())


def game_sends(server):
    """A logbook of 10,000 Reveals made by the runner, then sent by it as the game sends: from
    the file, in the background, each marked sent once the server has it. Milliseconds."""
    script = os.path.join(build, "bin", "vantrel-script")
    reveal = ("set aircraftX=60 aircraftY=100 eltX=64 eltY=100 vorX=100 vorY=100 airportX=150 airportY=150 "
              "distanceFlown=30\nclick cmdReveal\nclick mnuNewGame\n")
    book = os.path.join(server.dir, "game.sqlite")
    subprocess.run([script, "-"], input=f'logbook "{book}"\nstart\n' + reveal * 10000, text=True, check=True,
                   capture_output=True)
    start = time.monotonic()
    p = subprocess.run([script, "-"], input=f'logbook "{book}"\nsquadron "{server.conninfo("bench")}"\nstart\nsync\n',
                       text=True, capture_output=True, timeout=120)
    if "pending=0 state=online" not in p.stdout:
        sys.exit(p.stdout[-300:] + p.stderr)
    return (time.monotonic() - start) * 1000


with Server() as s:
    passfile = os.path.join(s.dir, "pgpass")
    with open(passfile, "w") as f:
        f.write(f"*:*:*:{OWNER}:{OWNER_PASSWORD}\n*:*:*:bench:bench pw\n*:*:*:chief:chief pw\n")
    os.chmod(passfile, 0o600)
    os.environ["PGPASSFILE"] = passfile
    for args, stdin in ((["init"], ""), (["add-trainee", "bench"], "bench pw\n"),
                        (["add-instructor", "chief"], "chief pw\n")):
        subprocess.run([tool, args[0], s.conninfo(OWNER), *args[1:]], input=stdin, text=True, check=True,
                       capture_output=True)
    subprocess.run([bench, "upload", s.conninfo(OWNER), s.conninfo("bench")], check=True)
    print(f"the game's own way, a logbook of 10,000 Reveals sent by vantrel-script's sync: {game_sends(s):.0f} ms")
    owner_sql(s, "ANALYZE")
    small = timed_list(s)
    print("\nas the instructor, on a squadron of one trainee (baseline):")
    print(f"  vantrel-squadron list (the whole program)  {small[0]:8.1f} ms  {small[1]} lines")
    subprocess.run([bench, "read", s.conninfo("chief"), "bench"], check=True)

    start = time.monotonic()
    owner_sql(s, GENERATE)
    owner_sql(s, "VACUUM ANALYZE")
    print(f"\ngenerated {TRAINEES} trainees x {REVEALS} Reveals with {TRACK_STEPS}-step tracks in "
          f"{time.monotonic() - start:.0f} s; the summary in bulk matches the trigger's: "
          f"{owner_sql(s, SAME) == '1'}; database {owner_sql(s, 'SELECT pg_size_pretty(pg_database_size(current_database()))')}")
    big = timed_list(s)
    print(f"as the instructor, on {TRAINEES} trainees:")
    print(f"  vantrel-squadron list (the whole program)  {big[0]:8.1f} ms  {big[1]} lines")
    subprocess.run([bench, "read", s.conninfo("chief"), "trainee0500", "Flight200"], check=True)
