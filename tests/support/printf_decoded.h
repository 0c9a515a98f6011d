// What bash's printf '%b' makes of a --short path column: \\ and \xNN back to
// their bytes, everything else as it is.
#pragma once

#include <cstdint>
#include <string>

#include "names/escapes.h"

namespace queltests {

inline std::string printfDecoded(const std::string& column) {
    std::string bytes;
    for (std::size_t at = 0; at < column.size();) {
        uint8_t byte = 0;
        if (column.compare(at, 2, "\\\\") == 0) {
            bytes += '\\';
            at += 2;
        } else if (hexEscapeAt(column, at, "\\x", byte)) {
            bytes += static_cast<char>(byte);
            at += 4;
        } else {
            bytes += column[at++];
        }
    }
    return bytes;
}

}  // namespace queltests
