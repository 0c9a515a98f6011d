#ifndef QUELT_COMMON_PLURAL_H
#define QUELT_COMMON_PLURAL_H

#include <string>

// A count and its noun in the number the count asks for: "1 byte", "0 bytes",
// "2 bytes". Every count the companions print with a noun goes through this.
inline std::string counted(long long count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

#endif
