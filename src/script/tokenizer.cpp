// SPDX-License-Identifier: MIT
#include "tokenizer.h"

namespace script {

namespace {

char unescape(char c) {
    switch (c) {
    case 'r':
        return '\r';
    case 'n':
        return '\n';
    case 't':
        return '\t';
    case '"':
        return '"';
    case '\\':
        return '\\';
    default:
        throw ScenarioError(std::string("unknown escape \\") + c);
    }
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

} // namespace

std::vector<std::string> splitWords(std::string_view line) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < line.size() && isBlank(line[i]))
        ++i;
    if (i < line.size() && line[i] == '#') return words;
    while (i < line.size()) {
        if (isBlank(line[i])) {
            ++i;
            continue;
        }
        std::string word;
        bool quoted = false;
        while (i < line.size() && (quoted || !isBlank(line[i]))) {
            const char c = line[i++];
            if (c == '"') {
                quoted = !quoted;
            } else if (c == '\\' && quoted) {
                if (i == line.size()) throw ScenarioError("a string ends in a backslash");
                word += unescape(line[i++]);
            } else {
                word += c;
            }
        }
        if (quoted) throw ScenarioError("a string is not closed");
        words.push_back(std::move(word));
    }
    return words;
}

} // namespace script
