#ifndef QUELT_NAMES_QUOTED_TEXT_H
#define QUELT_NAMES_QUOTED_TEXT_H

#include <cstddef>
#include <cstdint>
#include <string>

// Bytes of a name on the disk, up to the first NUL or `maxLength`, in double
// quotes. Printable ASCII stays as it is; every other byte, and the quote and
// backslash themselves, become \xNN, so the listing stays plain ASCII and a
// name's every byte can be told from the output.
std::string quotedText(const uint8_t* bytes, std::size_t maxLength);

// One byte as quotedText writes it: the byte itself or its \xNN escape.
std::string quotedByte(uint8_t byte);

// The bytes a name written that way stands for (without the quotes): each \xNN,
// its hex digits in either case, is that byte; every other character, a
// backslash that begins no such escape included, stands for itself.
std::string bytesOfQuotedName(const char* text);

#endif
