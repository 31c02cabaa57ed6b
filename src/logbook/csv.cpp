// SPDX-License-Identifier: MIT
#include "csv.h"

#include <charconv>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace logbook {

namespace {

std::string field(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

// Two decimals with a point whatever the user's locale, as CSV readers expect.
std::string number(double v) {
    char text[64];
    const auto [end, error] =
        std::to_chars(text, text + sizeof text, v, std::chars_format::fixed, 2);
    return error == std::errc{} ? std::string(text, end) : "0.00";
}

// The score as a number: the results box writes thousands with commas, and a perfect score as
// nothing at all, which a spreadsheet would leave out of an average.
std::string score(const SearchRecord& r) {
    std::string digits;
    for (char c : r.scoreText)
        if (c != ',') digits += c;
    return digits.empty() ? "0" : digits;
}

} // namespace

std::string csvOf(const std::vector<SearchRecord>& records) {
    std::string out = "Time (UTC),Search,Score,Rating,Distance flown (nm),Miss (nm),"
                      "Heard after (nm),Hints,Show Bearing,Minutes\r\n";
    for (const auto& r : records) {
        out += field(r.timeUtc) + ',' + std::to_string(r.search) + ',' + score(r) + ',' +
               field(r.rating) + ',' + number(r.distanceFlown) + ',' + number(r.missDistance) +
               ',' + number(r.firstSignalDistance) + ',' + std::to_string(r.hints) + ',' +
               (r.bearingUsed ? "Yes" : "No") + ',' + number(r.minutes) + "\r\n";
    }
    return out;
}

bool writeFileWhole(const std::string& path, const std::string& text) {
    std::string temporary = path + ".XXXXXX";
    const int fd = mkstemp(temporary.data()); // a new name of its own, never someone's file
    if (fd < 0) return false;
    bool ok = fchmod(fd, 0644) == 0;
    for (std::size_t done = 0; ok && done < text.size();) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        ok = n > 0;
        if (ok) done += static_cast<std::size_t>(n);
    }
    ok = ok && fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && std::rename(temporary.c_str(), path.c_str()) == 0;
    if (!ok) std::remove(temporary.c_str());
    return ok;
}

} // namespace logbook
