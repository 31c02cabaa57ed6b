// SPDX-License-Identifier: MIT
#include "squadron/server_schema.h"

#include <string>
#include <vector>

namespace squadron {

namespace {

// Version 1, statement by statement: the extended protocol takes one at a time. Everything
// lives in the schema public; the definer's functions name it, so that a temporary table of a
// trainee's cannot stand in for one of ours.
const std::vector<const char*> kVersion1 = {
    // A database made before PostgreSQL 15 lets everyone create in public: nobody but its
    // owner may, so that no function of a trainee's can stand in for one the setup calls.
    "REVOKE CREATE ON SCHEMA public FROM PUBLIC",
    R"(DO $$ BEGIN
        IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = 'vantrel_trainee') THEN
            CREATE ROLE vantrel_trainee NOLOGIN;
        END IF;
        IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = 'vantrel_instructor') THEN
            CREATE ROLE vantrel_instructor NOLOGIN;
        END IF;
    END $$)",
    R"(CREATE TABLE public.records (
        record_id text PRIMARY KEY,
        trainee text NOT NULL DEFAULT current_user,
        search_key text NOT NULL,
        time_utc text NOT NULL,
        elt_x smallint NOT NULL, elt_y smallint NOT NULL,
        vor_x smallint NOT NULL, vor_y smallint NOT NULL,
        airport_x smallint NOT NULL, airport_y smallint NOT NULL,
        map_scale smallint NOT NULL,
        distance_flown real NOT NULL, miss_distance real NOT NULL,
        first_signal_distance real NOT NULL,
        first_heard_x smallint, first_heard_y smallint,
        first_heard_heading smallint, first_heard_speed smallint,
        score real NOT NULL, score_text text NOT NULL, rating text NOT NULL,
        hints integer NOT NULL, bearing_used boolean NOT NULL,
        minutes double precision NOT NULL, game_version text NOT NULL,
        exercise text,
        received_at timestamptz NOT NULL DEFAULT now(),
        UNIQUE (record_id, trainee)))",
    // The instructor's views: one trainee's records in time, one exercise's class.
    "CREATE INDEX records_by_trainee ON public.records (trainee, time_utc)",
    "CREATE INDEX records_by_exercise ON public.records (exercise, trainee, time_utc) "
    "WHERE exercise IS NOT NULL",
    // Tracks apart, so that listing records never reads them. A track belongs to a record of
    // the same trainee: nobody puts a track on another's record.
    R"(CREATE TABLE public.tracks (
        record_id text PRIMARY KEY,
        trainee text NOT NULL DEFAULT current_user,
        points bytea NOT NULL,
        FOREIGN KEY (record_id, trainee) REFERENCES public.records (record_id, trainee)))",
    R"(CREATE TABLE public.exercises (
        name text PRIMARY KEY,
        airport_x smallint NOT NULL, airport_y smallint NOT NULL,
        vor_x smallint NOT NULL, vor_y smallint NOT NULL,
        elt_x smallint NOT NULL, elt_y smallint NOT NULL,
        made_by text NOT NULL DEFAULT current_user,
        made_at timestamptz NOT NULL DEFAULT now()))",
    // Kept by the trigger below, so that the class list reads a row per trainee.
    R"(CREATE TABLE public.search_firsts (
        trainee text NOT NULL, search_key text NOT NULL,
        first_time text NOT NULL, first_score real NOT NULL, first_text text NOT NULL,
        PRIMARY KEY (trainee, search_key)))",
    "CREATE INDEX search_firsts_best ON public.search_firsts (trainee, first_score, first_time)",
    R"(CREATE TABLE public.trainee_summary (
        trainee text PRIMARY KEY,
        reveals bigint NOT NULL, searches bigint NOT NULL,
        best_score real, best_text text))",
    // A search's first Reveal is its earliest: one sent late still takes its place.
    R"(CREATE FUNCTION public.squadron_count_reveal() RETURNS trigger
        LANGUAGE plpgsql SECURITY DEFINER SET search_path = public, pg_temp AS $$
    DECLARE
        counted boolean;
        best public.search_firsts;
    BEGIN
        INSERT INTO public.search_firsts AS f VALUES
            (NEW.trainee, NEW.search_key, NEW.time_utc, NEW.score, NEW.score_text)
        ON CONFLICT (trainee, search_key) DO UPDATE
            SET first_time = EXCLUDED.first_time, first_score = EXCLUDED.first_score,
                first_text = EXCLUDED.first_text
            WHERE EXCLUDED.first_time < f.first_time
        RETURNING (xmax = 0) INTO counted;
        INSERT INTO public.trainee_summary AS s VALUES (NEW.trainee, 1, 1, NULL, NULL)
        ON CONFLICT (trainee) DO UPDATE
            SET reveals = s.reveals + 1,
                searches = s.searches + CASE WHEN counted THEN 1 ELSE 0 END;
        IF counted IS NOT NULL THEN
            SELECT * INTO best FROM public.search_firsts
                WHERE trainee = NEW.trainee ORDER BY first_score, first_time LIMIT 1;
            UPDATE public.trainee_summary SET best_score = best.first_score,
                best_text = best.first_text WHERE trainee = NEW.trainee;
        END IF;
        RETURN NULL;
    END $$)",
    "REVOKE ALL ON FUNCTION public.squadron_count_reveal() FROM PUBLIC",
    "CREATE TRIGGER count_reveal AFTER INSERT ON public.records FOR EACH ROW "
    "EXECUTE FUNCTION public.squadron_count_reveal()",
    R"(CREATE VIEW public.squadron_reveals WITH (security_invoker = true) AS
        SELECT record_id, trainee, time_utc, score, score_text, rating, distance_flown,
               miss_distance, exercise, search_key, hints, bearing_used, minutes, map_scale,
               game_version, received_at
        FROM public.records)",
    // Who may do what. Only the owner, who bypasses these rules, changes or deletes a row.
    "REVOKE ALL ON public.records, public.tracks, public.exercises, public.search_firsts, "
    "public.trainee_summary, public.squadron_reveals FROM PUBLIC",
    "GRANT SELECT, INSERT ON public.records, public.tracks TO vantrel_trainee, "
    "vantrel_instructor",
    "GRANT SELECT ON public.exercises, public.trainee_summary, public.search_firsts, "
    "public.squadron_reveals TO vantrel_trainee, vantrel_instructor",
    "GRANT INSERT ON public.exercises TO vantrel_instructor",
    "ALTER TABLE public.records ENABLE ROW LEVEL SECURITY",
    "ALTER TABLE public.tracks ENABLE ROW LEVEL SECURITY",
    "ALTER TABLE public.exercises ENABLE ROW LEVEL SECURITY",
    "ALTER TABLE public.search_firsts ENABLE ROW LEVEL SECURITY",
    "ALTER TABLE public.trainee_summary ENABLE ROW LEVEL SECURITY",
    "CREATE POLICY own_read ON public.records FOR SELECT TO vantrel_trainee "
    "USING (trainee = current_user)",
    "CREATE POLICY class_read ON public.records FOR SELECT TO vantrel_instructor USING (true)",
    "CREATE POLICY own_send ON public.records FOR INSERT TO vantrel_trainee, vantrel_instructor "
    "WITH CHECK (trainee = current_user)",
    "CREATE POLICY own_read ON public.tracks FOR SELECT TO vantrel_trainee "
    "USING (trainee = current_user)",
    "CREATE POLICY class_read ON public.tracks FOR SELECT TO vantrel_instructor USING (true)",
    // A track goes in with its record, in one statement that cannot see that record yet; the
    // key keeps a second track off anyone's record.
    "CREATE POLICY own_send ON public.tracks FOR INSERT TO vantrel_trainee, vantrel_instructor "
    "WITH CHECK (trainee = current_user)",
    "CREATE POLICY all_read ON public.exercises FOR SELECT TO vantrel_trainee, "
    "vantrel_instructor USING (true)",
    "CREATE POLICY made_here ON public.exercises FOR INSERT TO vantrel_instructor "
    "WITH CHECK (made_by = current_user)",
    "CREATE POLICY own_read ON public.search_firsts FOR SELECT TO vantrel_trainee "
    "USING (trainee = current_user)",
    "CREATE POLICY class_read ON public.search_firsts FOR SELECT TO vantrel_instructor "
    "USING (true)",
    "CREATE POLICY own_read ON public.trainee_summary FOR SELECT TO vantrel_trainee "
    "USING (trainee = current_user)",
    "CREATE POLICY class_read ON public.trainee_summary FOR SELECT TO vantrel_instructor "
    "USING (true)",
    // Makes a member's role from its name and a verifier the client computed: the name goes
    // through %I, so quotes, backslashes and any letters are safe, and no clear password is
    // ever part of a statement.
    R"(CREATE FUNCTION public.squadron_member_statements(member text, verifier text,
            squad text) RETURNS SETOF text LANGUAGE sql
        SET search_path = pg_catalog, pg_temp AS $$
        SELECT CASE WHEN EXISTS (SELECT FROM pg_roles WHERE rolname = member)
                    THEN format('ALTER ROLE %I LOGIN PASSWORD %L', member, verifier)
                    ELSE format('CREATE ROLE %I LOGIN PASSWORD %L', member, verifier) END
        UNION ALL SELECT format('GRANT %I TO %I', squad, member)
    $$)",
    "REVOKE ALL ON FUNCTION public.squadron_member_statements(text, text, text) FROM PUBLIC",
};

// Version 2: what the instructor's view of the class reads. Each is granted to the instructors
// alone, so that the server itself says no to a trainee who asks.
const std::vector<const char*> kVersion2 = {
    // A trainee's latest searches without reading all of them.
    "CREATE INDEX search_firsts_recent ON public.search_firsts (trainee, first_time)",
    // Every trainee, with or without a Reveal, instructors left out: they fly to try an
    // exercise, not to be marked. The averages are of each search's first Reveal. A role's
    // name compares in "C"; as text in the tables' own collation, it finds their indexes.
    R"(CREATE VIEW public.class_roster WITH (security_invoker = true) AS
        SELECT m.trainee, coalesce(s.searches, 0) AS searches, coalesce(s.reveals, 0) AS reveals,
               s.best_score, s.best_text, recent.last_ten, recent.ten_before, last.time_utc
        FROM (SELECT r.rolname::text COLLATE "default" AS trainee
              FROM pg_catalog.pg_auth_members a
              JOIN pg_catalog.pg_roles g ON g.oid = a.roleid
              JOIN pg_catalog.pg_roles r ON r.oid = a.member
              WHERE g.rolname = 'vantrel_trainee'
              UNION SELECT trainee FROM public.trainee_summary) m
        LEFT JOIN public.trainee_summary s ON s.trainee = m.trainee
        LEFT JOIN LATERAL (
            SELECT avg(first_score) FILTER (WHERE n <= 10) AS last_ten,
                   avg(first_score) FILTER (WHERE n > 10) AS ten_before
            FROM (SELECT f.first_score, row_number() OVER (ORDER BY f.first_time DESC) AS n
                  FROM public.search_firsts f WHERE f.trainee = m.trainee
                  ORDER BY f.first_time DESC LIMIT 20) latest) recent ON true
        LEFT JOIN LATERAL (
            SELECT r.time_utc FROM public.records r WHERE r.trainee = m.trainee
            ORDER BY r.time_utc DESC LIMIT 1) last ON true
        WHERE m.trainee NOT IN (SELECT r.rolname::text FROM pg_catalog.pg_auth_members a
              JOIN pg_catalog.pg_roles g ON g.oid = a.roleid
              JOIN pg_catalog.pg_roles r ON r.oid = a.member
              WHERE g.rolname = 'vantrel_instructor'))",
    // One exercise's ranking: each trainee's first Reveal of it, best score first. The report
    // and the class's map both read it, so that they can never disagree.
    R"(CREATE FUNCTION public.exercise_ranking(wanted text)
        RETURNS TABLE (place bigint, rank bigint, record_id text)
        LANGUAGE sql STABLE SET search_path = public, pg_temp AS $$
        SELECT row_number() OVER (ORDER BY score, trainee COLLATE "C"),
               rank() OVER (ORDER BY score), record_id
        FROM (SELECT DISTINCT ON (trainee) trainee, score, record_id FROM public.records
              WHERE exercise = wanted
                AND trainee NOT IN (SELECT r.rolname::text FROM pg_catalog.pg_auth_members a
                    JOIN pg_catalog.pg_roles g ON g.oid = a.roleid
                    JOIN pg_catalog.pg_roles r ON r.oid = a.member
                    WHERE g.rolname = 'vantrel_instructor')
              ORDER BY trainee, time_utc, received_at) firsts
    $$)",
    // Every trainee's records with their tracks, for the instructor's look at one of them.
    R"(CREATE VIEW public.class_records WITH (security_invoker = true) AS
        SELECT r.*, t.points FROM public.records r
        LEFT JOIN public.tracks t ON t.record_id = r.record_id)",
    "REVOKE ALL ON public.class_roster, public.class_records FROM PUBLIC",
    "REVOKE ALL ON FUNCTION public.exercise_ranking(text) FROM PUBLIC",
    "GRANT SELECT ON public.class_roster, public.class_records TO vantrel_instructor",
    "GRANT EXECUTE ON FUNCTION public.exercise_ranking(text) TO vantrel_instructor",
};

} // namespace

Answer initSchema(Connection& connection) {
    Answer answer = connection.run("BEGIN", {});
    if (!answer.ok()) return answer;
    auto fail = [&](Answer failed) {
        if (connection.isOpen()) connection.run("ROLLBACK", {});
        return failed;
    };
    // Two inits at once would both find no squadron; the second waits for the first.
    answer = connection.run("SELECT pg_advisory_xact_lock(7325001)", {});
    if (!answer.ok()) return fail(answer);
    answer = connection.run("CREATE TABLE IF NOT EXISTS public.squadron_meta ("
                            "key text PRIMARY KEY, value text NOT NULL)",
                            {});
    if (!answer.ok()) return fail(answer);
    Connection::Rows rows;
    answer =
        connection.run("SELECT value FROM public.squadron_meta WHERE key = 'version'", {}, &rows);
    if (!answer.ok()) return fail(answer);
    const int found = rows.rows.empty() ? 0 : std::stoi(rows.rows[0][0]);
    if (found > kServerSchemaVersion)
        return fail({Reach::Refused,
                     "The squadron is at version " + std::to_string(found) +
                         ", newer than this program knows; it was left as it is.",
                     {}});
    if (found == kServerSchemaVersion) {
        connection.run("ROLLBACK", {});
        return {Reach::Done,
                "The squadron is already up to date (version " + std::to_string(found) + ").",
                {}};
    }
    // Each version's steps, run from the one after the squadron's own.
    const std::vector<const std::vector<const char*>*> steps = {&kVersion1, &kVersion2};
    for (std::size_t v = found; v < steps.size(); ++v)
        for (const char* statement : *steps[v]) {
            answer = connection.run(statement, {});
            if (!answer.ok()) return fail(answer);
        }
    for (const char* statement :
         {"REVOKE ALL ON public.squadron_meta FROM PUBLIC",
          "GRANT SELECT ON public.squadron_meta TO vantrel_trainee, vantrel_instructor",
          "ALTER TABLE public.squadron_meta ENABLE ROW LEVEL SECURITY",
          "DROP POLICY IF EXISTS all_read ON public.squadron_meta",
          "CREATE POLICY all_read ON public.squadron_meta FOR SELECT USING (true)"}) {
        answer = connection.run(statement, {});
        if (!answer.ok()) return fail(answer);
    }
    answer = connection.run("INSERT INTO public.squadron_meta VALUES ('version', $1) "
                            "ON CONFLICT (key) DO UPDATE SET value = EXCLUDED.value",
                            {std::to_string(kServerSchemaVersion)});
    if (!answer.ok()) return fail(answer);
    answer = connection.run("COMMIT", {});
    if (!answer.ok()) return answer;
    const std::string version = std::to_string(kServerSchemaVersion);
    return {Reach::Done,
            found == 0 ? "The squadron is set up (version " + version + ")."
                       : "The squadron was upgraded from version " + std::to_string(found) +
                             " to version " + version + ".",
            {}};
}

} // namespace squadron
