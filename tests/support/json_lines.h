// quelt-ls --json's output read back, one object a line, with the library that
// wrote it.
#pragma once

#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace queltests {

// Each line of `out` as its JSON value (a discarded value for a line that is
// not JSON, so that a test sees it as wrong, not as missing).
inline std::vector<nlohmann::json> jsonLines(const std::string& out) {
    std::vector<nlohmann::json> lines;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(nlohmann::json::parse(line, nullptr, false));
    }
    return lines;
}

// `object` without `fields`: what two listings of one image under two names share.
inline nlohmann::json without(nlohmann::json object, std::initializer_list<const char*> fields) {
    for (const char* field : fields) {
        object.erase(field);
    }
    return object;
}

}  // namespace queltests
