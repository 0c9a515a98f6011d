#ifndef QUELT_COMPANION_RUN_TEXT_H
#define QUELT_COMPANION_RUN_TEXT_H

// Where a run's text goes, held by the run and handed down with it: to the
// streams at once, or held back in a HeldText for a thread that prints it
// later, in the order of its files (companion/console.h).

#include <string>

#include "companion/console.h"

class RunText {
public:
    // Writes to the streams as it is given.
    RunText() = default;
    // Appends every piece to `held` instead, which must outlive this channel.
    explicit RunText(HeldText& held) : held_(&held) {}

    // `text` for standard output.
    void put(const std::string& text);
    // "PROGRAM: FILE: REASON\n" for standard error, as companion/diagnostics.h's
    // fail writes it.
    void fail(const std::string& file, const std::string& reason);

private:
    void hold(bool forError, const std::string& text);

    HeldText* held_ = nullptr;
};

#endif
