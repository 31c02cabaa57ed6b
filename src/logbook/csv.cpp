// SPDX-License-Identifier: MIT
#include "csv.h"

#include "platform/files.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <string_view>

namespace logbook {

namespace {

// A text cell. One that begins as a formula does in a spreadsheet (=, +, -, @, or a tab or
// carriage return before one) is a record's text, never something to run: an apostrophe in
// front tells the spreadsheet so, and the cell is quoted like the cells it must be.
std::string field(const std::string& text) {
    const bool formula = !text.empty() && std::strchr("=+-@\t\r", text.front());
    if (!formula && text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = formula ? "\"'" : "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

// Two decimals with a point whatever the user's locale, as CSV readers expect. A figure that
// is no number at all (a damaged record's) is left empty rather than written as "-inf".
std::string number(double v) {
    if (!std::isfinite(v)) return "";
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
    if (digits.empty()) return "0";
    // A logbook is a file anyone may have edited: what is not a number is written as text.
    double value = 0;
    const char* end = digits.data() + digits.size();
    const auto [rest, error] = std::from_chars(digits.data(), end, value);
    const bool plain = error == std::errc{} && rest == end && std::isfinite(value);
    return plain ? digits : field(r.scoreText);
}

} // namespace

std::string csvRow(const std::vector<std::string>& cells) {
    std::string row;
    for (std::size_t i = 0; i < cells.size(); ++i)
        row += (i ? "," : "") + field(cells[i]);
    return row + "\r\n";
}

namespace {

const char* const temporaryMark = ".vantrel-tmp-";

// The process that writes a temporary named ".NAME.vantrel-tmp-PID-NUMBER", or 0 when the name
// is not one of ours.
std::int32_t writerOf(std::string_view name) {
    const auto mark = name.rfind(temporaryMark);
    if (name.size() < 2 || name.front() != '.' || mark == std::string_view::npos || mark < 2)
        return 0;
    const char* at = name.data() + mark + std::strlen(temporaryMark);
    const char* end = name.data() + name.size();
    std::int32_t pid = 0;
    std::uint32_t number = 0;
    auto [dash, error] = std::from_chars(at, end, pid);
    if (error != std::errc{} || pid <= 0 || dash == end || *dash != '-') return 0;
    const auto [rest, bad] = std::from_chars(dash + 1, end, number);
    return bad == std::errc{} && rest == end ? pid : 0;
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

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string withCsvExtension(const std::string& path) {
    const auto slash = path.rfind('/');
    const std::string name = path.substr(slash == std::string::npos ? 0 : slash + 1);
    // A name with any dot in it is kept as typed, as the save dialog keeps it: the file it
    // asked about replacing is the one written.
    if (name.empty() || name.find('.') != std::string::npos) return path;
    return path + ".csv";
}

bool writeFileWhole(const std::string& path, const std::string& text) {
    const std::string folder = folderOf(path);
    const auto slash = path.rfind('/');
    // Room for our mark within a file name's 255 bytes, however long the name asked for.
    const std::string name = path.substr(slash == std::string::npos ? 0 : slash + 1).substr(0, 200);
    static std::minstd_rand random(std::random_device{}());
    std::string temporary;
    platform::NewFile file;
    bool made = false;
    for (int attempt = 0; !made && attempt < 100; ++attempt) {
        temporary = folder + "/." + name + temporaryMark + std::to_string(platform::processId()) +
                    '-' + std::to_string(random() % 1000000);
        bool taken = false;
        made = file.create(temporary, taken);
        if (!made && !taken) return false;
    }
    if (!made) return false;
    // The temporary just made tells the time on the clock of the folder's own file system,
    // which may be another machine's: the ages of what others left are counted on it.
    if (const auto now = file.madeAt()) removeLeftoverTemporaries(folder, *now);
    // A file written over keeps who may read it: a private logbook stays private.
    bool ok = file.copyPermissionsOf(path) && file.write(text) && file.flush();
    ok = file.close() && ok;
    ok = ok && platform::replaceFile(temporary, path);
    if (!ok) platform::removeFile(temporary);
    return ok;
}

void removeLeftoverTemporaries(const std::string& folder, std::int64_t now) {
    // Only a plain file of this user's, left by a writer that is gone, or so long ago that no
    // export still writes it. A folder shared with another machine may hold that one's export
    // in the making under a number no process here has: it is a few seconds old.
    platform::removeOwnFilesWhere(
        folder, temporaryMark, [now](const std::string& name, std::int64_t writtenAt) {
            const std::int32_t writer = writerOf(name);
            if (writer <= 0) return false;
            const std::int64_t age = now - writtenAt;
            return (age > 5 && platform::processEnded(writer)) || age > 60;
        });
}

} // namespace logbook
