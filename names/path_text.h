#ifndef QUELT_NAMES_PATH_TEXT_H
#define QUELT_NAMES_PATH_TEXT_H

#include <string>

// Paths in the companions' output. A path is any bytes (UTF-8 on Windows); each
// rendering has one function here, so that every line that shows a path shows
// it the same way.

// For text people read (the listing's headings, diagnostics, "copying" lines):
// one line whatever the path holds. A byte below 0x20, 0x7F and a byte that is
// no part of a UTF-8 character are \xNN; everything else stands as it is.
std::string pathForLine(const std::string& path);

// For --short's path column: reversible, every path one text and no two paths
// the same. As pathForLine, and a backslash is \\ besides; printf '%b' gives the
// bytes back.
std::string pathForColumn(const std::string& path);

// For JSON's text field: valid UTF-8 as it is, each byte that is no part of a
// UTF-8 character as U+FFFD. Not reversible: JSON's *_hex field beside it is.
std::string pathAsUnicode(const std::string& path);

#endif
