// quelt-ls --json's output read back, one object a line, with the library that
// wrote it.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace d88build {

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

}  // namespace d88build
