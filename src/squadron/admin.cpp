// SPDX-License-Identifier: MIT
#include "squadron/admin.h"

#include <libpq-fe.h>

namespace squadron {

namespace {

const char* const kNoSquadron = "The server has no squadron set up: run vantrel-squadron init.";

// A group role missing, or a function of the schema, means init never ran here.
Answer squadronMissing(Answer answer) {
    if (answer.sqlState == "42704" || answer.sqlState == "42883") answer.words = kNoSquadron;
    return answer;
}

// The owner (or a superuser) may do whatever an instructor may; a trainee may not.
Answer asInstructor(Connection& connection) {
    Connection::Rows rows;
    Answer answer = connection.run(
        "SELECT coalesce(pg_has_role(current_user, 'vantrel_instructor', 'member') OR "
        "current_user = (SELECT tableowner FROM pg_tables WHERE schemaname = 'public' AND "
        "tablename = 'records'), false)",
        {}, &rows);
    if (!answer.ok()) return squadronMissing(answer);
    if (rows.rows.empty() || rows.rows[0][0] != "t")
        return {Reach::Refused, connection.user() + " is not an instructor of this squadron.", {}};
    return answer;
}

// The results box writes no digits for a score of 0; a line needs one.
const char* const kScoreText = "CASE WHEN r.score_text = '' THEN '0' ELSE r.score_text END";

} // namespace

Answer addMember(Connection& connection, Group group, const std::string& name,
                 const std::string& password) {
    const bool trainee = group == Group::Trainee;
    const std::string what = trainee ? "Trainee " : "Instructor ";
    if (name.size() > 63) // the server would cut the name short
        return {Reach::Refused, "A name has at most 63 bytes.", {}};
    Answer answer = connection.isOpen() ? Answer{} : connection.open();
    if (!answer.ok()) return answer;
    char* made =
        PQencryptPasswordConn(connection.raw(), password.c_str(), name.c_str(), "scram-sha-256");
    if (!made) return {Reach::Refused, "The password could not be prepared for the server.", {}};
    const std::string verifier = made;
    PQfreemem(made);

    Connection::Rows rows;
    answer =
        connection.run("SELECT public.squadron_member_statements($1, $2, $3)",
                       {name, verifier, trainee ? "vantrel_trainee" : "vantrel_instructor"}, &rows);
    if (!answer.ok()) return squadronMissing(answer);
    answer = connection.run("BEGIN", {});
    for (std::size_t i = 0; answer.ok() && i < rows.rows.size(); ++i)
        answer = connection.run(rows.rows[i][0], {});
    if (answer.ok())
        answer = connection.run("COMMIT", {});
    else if (connection.isOpen())
        connection.run("ROLLBACK", {});
    if (!answer.ok()) return answer;
    const bool existed = !rows.rows.empty() && rows.rows[0][0].rfind("ALTER", 0) == 0;
    answer.words = what + name + (existed ? " has a new password." : " added.");
    return answer;
}

Answer listTrainees(Connection& connection, std::vector<std::string>& lines) {
    Answer answer = asInstructor(connection);
    if (!answer.ok()) return answer;
    Connection::Rows rows;
    answer = connection.run(
        std::string("SELECT trainee, reveals, searches, CASE WHEN best_score IS NULL THEN '-' "
                    "WHEN best_text = '' THEN '0' ELSE best_text END FROM public.class_roster "
                    "ORDER BY trainee COLLATE \"C\""),
        {}, &rows);
    if (!answer.ok()) return squadronMissing(answer);
    for (const auto& row : rows.rows)
        lines.push_back(row[0] + " reveals=" + row[1] + " searches=" + row[2] + " best=" + row[3]);
    answer.words = std::to_string(rows.rows.size()) + " trainees.";
    return answer;
}

Answer addExercise(Connection& connection, const std::string& name,
                   const std::array<int, 6>& layout) {
    // The server alone decides who publishes: its rules refuse a trainee's insert.
    std::vector<std::string> values{name};
    for (int value : layout)
        values.push_back(std::to_string(value));
    Answer answer =
        connection.run("INSERT INTO public.exercises (name, airport_x, airport_y, vor_x, "
                       "vor_y, elt_x, elt_y) VALUES ($1, $2, $3, $4, $5, $6, $7)",
                       values);
    if (answer.sqlState == "42501") answer.words = "Only instructors may publish exercises.";
    if (answer.sqlState == "23505")
        answer.words = "The squadron already has an exercise " + name + ".";
    if (answer.ok()) answer.words = "Exercise " + name + " added.";
    return answer;
}

Answer reportExercise(Connection& connection, const std::string& exercise,
                      std::vector<std::string>& lines) {
    Answer answer = asInstructor(connection);
    if (!answer.ok()) return answer;
    Connection::Rows rows;
    answer = connection.run("SELECT 1 FROM public.exercises WHERE name = $1", {exercise}, &rows);
    if (!answer.ok()) return answer;
    if (rows.rows.empty())
        return {Reach::Refused, "The squadron has no exercise " + exercise + ".", {}};
    answer = connection.run(std::string("SELECT k.rank, r.trainee, ") + kScoreText +
                                ", r.rating, round(r.miss_distance::numeric, 1), "
                                "round(r.distance_flown::numeric, 1) FROM "
                                "public.exercise_ranking($1) k JOIN public.records r USING "
                                "(record_id) ORDER BY k.place",
                            {exercise}, &rows);
    if (!answer.ok()) return answer;
    for (const auto& row : rows.rows)
        lines.push_back(row[0] + " " + row[1] + " score=" + row[2] + " rating=\"" + row[3] +
                        "\" miss=" + row[4] + " flown=" + row[5]);
    answer.words = std::to_string(rows.rows.size()) + " trainees revealed " + exercise + ".";
    return answer;
}

} // namespace squadron
