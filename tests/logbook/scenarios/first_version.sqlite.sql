-- A logbook of the game's first version, written by hand: the track inside each reveal.
CREATE TABLE searches(id INTEGER PRIMARY KEY AUTOINCREMENT, elt_x INTEGER NOT NULL,
  elt_y INTEGER NOT NULL, vor_x INTEGER NOT NULL, vor_y INTEGER NOT NULL,
  airport_x INTEGER NOT NULL, airport_y INTEGER NOT NULL, map_scale INTEGER NOT NULL);
CREATE TABLE reveals(id INTEGER PRIMARY KEY AUTOINCREMENT,
  search_id INTEGER NOT NULL REFERENCES searches(id), time_utc TEXT NOT NULL,
  distance_flown REAL NOT NULL, miss_distance REAL NOT NULL, first_signal_distance REAL NOT NULL,
  first_heard_x INTEGER, first_heard_y INTEGER, first_heard_heading INTEGER,
  first_heard_speed INTEGER, score REAL NOT NULL, score_text TEXT NOT NULL, rating TEXT NOT NULL,
  hints INTEGER NOT NULL, bearing_used INTEGER NOT NULL, minutes REAL NOT NULL, track BLOB);
INSERT INTO searches VALUES(1, 120, 80, 150, 150, 20, 180, 4);
INSERT INTO searches VALUES(2, 100, 40, 150, 150, 20, 180, 4);
-- Two points: (20, 180) heading 0 at cruise, then (24, 176) heading 45 searching.
INSERT INTO reveals VALUES(1, 1, '2026-12-07T14:03:59Z', 41.5, 0.25, 12.5, 60, 100, 45, 4, 3.5,
  '3.5', 'Excellent', 2, 1, 17.25, x'1400b400000004001800b0002d000100');
INSERT INTO reveals VALUES(2, 1, '2026-12-07T14:10:00Z', 45, 0, 12.5, 60, 100, 45, 4, 0, '',
  'Perfect', 2, 1, 24, NULL);
INSERT INTO reveals VALUES(3, 2, '2026-12-08T09:00:00Z', 80, 3, 0, NULL, NULL, NULL, NULL, 9, '9',
  'Fair', 0, 0, 40, x'');
-- Search 1 again: the start of the first track, and one branching off it to (16, 176).
INSERT INTO reveals VALUES(4, 1, '2026-12-07T14:11:00Z', 45, 0, 12.5, 60, 100, 45, 4, 0, '',
  'Perfect', 1, 1, 25, x'1400b40000000400');
INSERT INTO reveals VALUES(5, 1, '2026-12-07T14:12:00Z', 45, 0, 12.5, 60, 100, 45, 4, 0, '',
  'Perfect', 2, 1, 26, x'1400b400000004001000b0003b010400');
PRAGMA user_version = 1;
