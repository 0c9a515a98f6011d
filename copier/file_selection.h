#ifndef QUELT_COPIER_FILE_SELECTION_H
#define QUELT_COPIER_FILE_SELECTION_H

#include <cstddef>
#include <vector>

#include "copier/copy_request.h"

// Which entries of the loaded directory a copy takes: every used one without
// NAME; those a pattern matches (listed or written, escaped or decoded, see
// names/typed_names.h); or for NAME the one DiskNames::fileNamed finds: the one
// quelt's own lookup finds, tried as typed and with its UTF-8 characters as
// Shift_JIS, else the one a copy of every file writes as NAME. Returns false,
// with the reason on standard error, when NAME finds nothing.
bool selectEntries(const CopyRequest& request, std::vector<std::size_t>& entries);

// Whether the request may give several files (no NAME, or a pattern): each is
// then said on standard output as it is copied.
bool mayCopySeveral(const CopyRequest& request);

#endif
