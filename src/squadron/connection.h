// SPDX-License-Identifier: MIT
#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

typedef struct pg_conn PGconn;

namespace squadron {

// What a try at the server came to.
enum class Reach {
    Done,        // it did what was asked
    Unreachable, // no server, no route, or it stopped answering within the time allowed
    Refused,     // the server answered no: the login, the certificate, or a statement
};

struct Answer {
    Reach reach = Reach::Done;
    std::string words;    // for the player: what worked or what did not; never holds a password
    std::string sqlState; // the server's five-character code, when it gave one
    bool ok() const { return reach == Reach::Done; }
};

// The connection's settings as libpq's keywords and values ("host", "port", "dbname", "user",
// "password", "sslmode", "sslrootcert"...).
using Settings = std::vector<std::pair<std::string, std::string>>;

// Reads a libpq connection string or URI into its settings; nothing and `error` set when it is
// not one. `error` never quotes the string (it may hold a password).
Settings parseConninfo(const std::string& conninfo, std::string& error);

// One connection to the squadron's server through libpq. Every wait (connecting, TLS, each
// statement) is bounded by the timeout: a server that takes the connection and never answers
// costs at most that long. Every statement is prepared and its values bound, never pasted in.
class Connection {
public:
    Connection(Settings settings, int timeoutMs);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    Answer open();
    bool isOpen() const;
    // Every wait ends early, as if timed out, once `flag` is set: the program is ending.
    void abandonWhen(const std::atomic<bool>* flag) { abandon_ = flag; }
    void close();

    // Runs one statement with its values bound as text ($1, $2...; an empty optional is NULL)
    // and returns its rows as text. A statement that fails leaves the connection usable unless
    // it was lost.
    struct Rows {
        std::vector<std::vector<std::string>> rows;
    };
    Answer run(const std::string& statement, const std::vector<std::string>& values,
               Rows* rows = nullptr, const std::vector<bool>& nulls = {});

    PGconn* raw() { return conn_; }

    // The login the server knows this connection by (the settings' until it is open).
    std::string user() const;

private:
    // The player's words for a statement the server refused, by its SQLSTATE.
    std::string statementWords(const Answer& answer) const;
    // Sends with `send`, then waits for every result until the deadline.
    Answer exchange(const std::function<int()>& send, Rows* rows,
                    std::chrono::steady_clock::time_point deadline);

    Settings settings_;
    int timeoutMs_;
    PGconn* conn_ = nullptr;
    const std::atomic<bool>* abandon_ = nullptr;
    std::map<std::string, std::string> prepared_; // statement -> its name on this connection
};

} // namespace squadron
