// SPDX-License-Identifier: MIT
#include "squadron/connection.h"

#include "squadron/host_lookup.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <functional>
#include <libpq-fe.h>
#include <poll.h>

namespace squadron {

namespace {

using Clock = std::chrono::steady_clock;

Answer unreachable(std::string words) {
    return {Reach::Unreachable, std::move(words), {}};
}
Answer refused(std::string words, std::string state = {}) {
    return {Reach::Refused, std::move(words), std::move(state)};
}

bool mentions(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

std::string setting(const Settings& settings, const std::string& key) {
    for (const auto& [k, v] : settings)
        if (k == key) return v;
    return {};
}

// The part of libpq's message after "FATAL:" (or the whole first line), without the
// "connection to server at ..." that names where it tried.
std::string reason(const std::string& message) {
    std::string line = message.substr(0, message.find('\n'));
    for (const char* mark : {"FATAL:  ", "failed: "})
        if (auto at = line.rfind(mark); at != std::string::npos)
            line = line.substr(at + std::char_traits<char>::length(mark));
    return line;
}

// libpq gives no SQLSTATE for a refused login, so its message is read; the server's own
// words come first and a socket's failure last.
Answer whyNotConnected(const std::string& message, const std::string& host,
                       const std::string& dbname) {
    // No keyring kept it and none was typed this run: the player is asked, not blamed.
    if (mentions(message, "no password supplied"))
        return refused("The server needs your password: type it in Game, Squadron...", "28P01");
    if (mentions(message, "password authentication failed") || mentions(message, "role \"") ||
        mentions(message, "pg_hba.conf") || mentions(message, "authentication failed"))
        return refused("The server refused the trainee name or the password.", "28P01");
    if (mentions(message, "database \"") && mentions(message, "does not exist"))
        return refused("The server has no database " + dbname + ".", "3D000");
    if (mentions(message, "certificate") || mentions(message, "SSL") ||
        mentions(message, "does not match host name"))
        return refused("The server's certificate is not trusted: " + reason(message) + ".");
    if (mentions(message, "timeout expired"))
        return unreachable("The server did not answer in time.");
    if (mentions(message, "could not connect") || mentions(message, "Connection refused") ||
        mentions(message, "No such file") || mentions(message, "could not translate") ||
        mentions(message, "unreachable") || mentions(message, "server closed the connection"))
        return unreachable("No squadron server answers at " + host + ".");
    return refused("The server refused the connection: " + reason(message) + ".");
}

// Waits until the socket is ready for what libpq asked, or the deadline passes, or the owner
// gives up (looked at every tenth of a second, so that a program ending is not held).
bool waitFor(PGconn* conn, bool writing, Clock::time_point deadline,
             const std::atomic<bool>* abandon) {
    constexpr long kLookMs = 100;
    for (;;) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0 || (abandon && *abandon)) return false;
        pollfd fd{PQsocket(conn), static_cast<short>(writing ? POLLOUT : POLLIN), 0};
        int ready = ::poll(&fd, 1, static_cast<int>(std::min<long>(left.count(), kLookMs)));
        if (ready > 0) return true;
        if (ready < 0 && errno != EINTR) return true; // libpq sees the broken socket itself
    }
}

} // namespace

Settings parseConninfo(const std::string& conninfo, std::string& error) {
    char* message = nullptr;
    PQconninfoOption* options = PQconninfoParse(conninfo.c_str(), &message);
    Settings settings;
    if (!options) {
        // libpq's message may quote a piece of the string, and that piece may be a password.
        error = "not a list of keyword=value settings nor a postgresql:// URI";
        PQfreemem(message);
        return settings;
    }
    for (PQconninfoOption* option = options; option->keyword; ++option)
        if (option->val && *option->val) settings.emplace_back(option->keyword, option->val);
    PQconninfoFree(options);
    return settings;
}

Connection::Connection(Settings settings, int timeoutMs)
    : settings_(std::move(settings)), timeoutMs_(timeoutMs) {}

Connection::~Connection() {
    close();
}

bool Connection::isOpen() const {
    return conn_ && PQstatus(conn_) == CONNECTION_OK;
}

void Connection::close() {
    if (conn_) PQfinish(conn_);
    conn_ = nullptr;
    prepared_.clear();
}

Answer Connection::open() {
    close();
    Settings given = settings_;
    auto add = [&](const char* key, std::string value) {
        if (setting(given, key).empty()) given.emplace_back(key, std::move(value));
    };
    add("application_name", "vantrel");
    // libpq's own bound on each address tried; ours below bounds the whole.
    add("connect_timeout", std::to_string(std::max(2, (timeoutMs_ + 999) / 1000)));
    auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs_);
    // libpq looks a host name up without a bound of its own: the lookup is ours, and libpq is
    // handed the addresses, each beside the name, which it still uses for the certificate's
    // check and tries in turn as it would have.
    const std::string named = setting(given, "host");
    if (setting(given, "hostaddr").empty() && needsLookUp(named)) {
        bool timedOut = false;
        const auto addresses = lookUpHost(named, deadline, abandon_, timedOut);
        if (addresses.empty())
            return unreachable(timedOut ? "The server's name could not be looked up in time."
                                        : "No squadron server answers at " + named + ".");
        std::string hosts, hostaddrs;
        for (const auto& address : addresses) {
            hosts += (hosts.empty() ? "" : ",") + named;
            hostaddrs += (hostaddrs.empty() ? "" : ",") + address;
        }
        for (auto& [key, value] : given)
            if (key == "host") value = hosts;
        given.emplace_back("hostaddr", hostaddrs);
    }
    std::vector<const char*> keys, values;
    for (const auto& [k, v] : given) {
        keys.push_back(k.c_str());
        values.push_back(v.c_str());
    }
    keys.push_back(nullptr);
    values.push_back(nullptr);

    std::string host = named;
    if (host.empty()) host = setting(given, "hostaddr");
    if (host.empty()) host = "the default socket";
    std::string dbname = setting(given, "dbname");
    if (dbname.empty()) dbname = setting(given, "user");

    conn_ = PQconnectStartParams(keys.data(), values.data(), 0);
    if (!conn_) return unreachable("No memory to reach the server.");
    // The server's notices ("...does not exist, skipping") are for its own log, not the
    // player's terminal.
    PQsetNoticeProcessor(
        conn_, [](void*, const char*) {}, nullptr);
    if (PQstatus(conn_) == CONNECTION_BAD) {
        Answer answer = whyNotConnected(PQerrorMessage(conn_), host, dbname);
        close();
        return answer;
    }
    PostgresPollingStatusType status = PGRES_POLLING_WRITING;
    while (status != PGRES_POLLING_OK) {
        if (status == PGRES_POLLING_FAILED) {
            Answer answer = whyNotConnected(PQerrorMessage(conn_), host, dbname);
            close();
            return answer;
        }
        if (!waitFor(conn_, status == PGRES_POLLING_WRITING, deadline, abandon_)) {
            close();
            return unreachable("The server did not answer in time.");
        }
        status = PQconnectPoll(conn_);
    }
    PQsetnonblocking(conn_, 1);
    return {Reach::Done, "Connected to the squadron server at " + host + ".", {}};
}

Answer Connection::run(const std::string& statement, const std::vector<std::string>& values,
                       Rows* rows, const std::vector<bool>& nulls) {
    if (!isOpen()) {
        Answer answer = open();
        if (!answer.ok()) return answer;
    }
    auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs_);
    std::vector<const char*> params;
    for (std::size_t i = 0; i < values.size(); ++i)
        params.push_back(i < nulls.size() && nulls[i] ? nullptr : values[i].c_str());
    const int count = static_cast<int>(params.size());
    // Parsed and planned once per connection: the sender repeats a few statements many times.
    auto known = prepared_.find(statement);
    if (known == prepared_.end()) {
        std::string name = "vantrel_" + std::to_string(prepared_.size() + 1);
        Answer answer = exchange(
            [&] { return PQsendPrepare(conn_, name.c_str(), statement.c_str(), count, nullptr); },
            nullptr, deadline);
        if (!answer.ok()) return answer;
        known = prepared_.emplace(statement, std::move(name)).first;
    }
    return exchange(
        [&] {
            return PQsendQueryPrepared(conn_, known->second.c_str(), count, params.data(), nullptr,
                                       nullptr, 0);
        },
        rows, deadline);
}

Answer Connection::exchange(const std::function<int()>& send, Rows* rows,
                            std::chrono::steady_clock::time_point deadline) {
    auto lost = [&](const char* words) {
        close();
        return unreachable(words);
    };
    if (!send()) return lost("The connection to the server was lost.");
    for (int flushed; (flushed = PQflush(conn_)) != 0;) {
        if (flushed < 0) return lost("The connection to the server was lost.");
        if (!waitFor(conn_, true, deadline, abandon_))
            return lost("The server did not answer in time.");
    }
    Answer answer;
    if (rows) rows->rows.clear();
    for (;;) {
        while (PQisBusy(conn_)) {
            if (!waitFor(conn_, false, deadline, abandon_))
                return lost("The server did not answer in time.");
            if (!PQconsumeInput(conn_)) return lost("The connection to the server was lost.");
        }
        PGresult* result = PQgetResult(conn_);
        if (!result) break;
        ExecStatusType status = PQresultStatus(result);
        if (status == PGRES_TUPLES_OK && rows) {
            for (int r = 0; r < PQntuples(result); ++r) {
                auto& row = rows->rows.emplace_back();
                for (int c = 0; c < PQnfields(result); ++c)
                    row.emplace_back(PQgetvalue(result, r, c));
            }
        } else if (status == PGRES_FATAL_ERROR && answer.ok()) {
            const char* state = PQresultErrorField(result, PG_DIAG_SQLSTATE);
            const char* primary = PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY);
            answer.sqlState = state ? state : "";
            answer.reach = Reach::Refused;
            answer.words = primary ? primary : reason(PQerrorMessage(conn_));
        }
        PQclear(result);
    }
    if (PQstatus(conn_) == CONNECTION_BAD) return lost("The connection to the server was lost.");
    if (!answer.ok()) answer.words = statementWords(answer);
    return answer;
}

std::string Connection::user() const {
    return conn_ ? PQuser(conn_) : setting(settings_, "user");
}

std::string Connection::statementWords(const Answer& answer) const {
    const std::string& state = answer.sqlState;
    if (state == "42P01" || state == "42883" || state == "3F000")
        return "The server has no squadron set up: run vantrel-squadron init.";
    if (state == "42501") return "The server does not allow " + user() + " to do that.";
    if (state.rfind("28", 0) == 0) return "The server refused the trainee name or the password.";
    return "The server refused it: " + answer.words;
}

} // namespace squadron
