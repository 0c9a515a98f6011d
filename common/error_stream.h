#ifndef QUELT_COMMON_ERROR_STREAM_H
#define QUELT_COMMON_ERROR_STREAM_H

// Standard error, for every program. Standard output is buffered and standard
// error is not, so every message to standard error first flushes standard
// output: one log of both streams keeps the lines in the order they were printed.

// Lets g++ and clang++ check the arguments of a printf-style function against its
// format (the format is argument `formatAt`, the values begin at argument
// `valuesAt`); MSVC has no such check.
#if defined(__GNUC__) || defined(__clang__)
#define QUELT_PRINTF_FORMAT(formatAt, valuesAt) __attribute__((format(printf, formatAt, valuesAt)))
#else
#define QUELT_PRINTF_FORMAT(formatAt, valuesAt)
#endif

// Writes `text` to standard error.
void printError(const char* text);
// Writes `format`, filled as printf does, to standard error.
void printErrorFormatted(const char* format, ...) QUELT_PRINTF_FORMAT(1, 2);

#endif
