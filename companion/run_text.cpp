// A run's text channel: the streams, or a HeldText (see the header).
#include "companion/run_text.h"

#include "companion/diagnostics.h"

void RunText::put(const std::string& text) {
    if (held_ != nullptr) {
        hold(false, text);
        return;
    }
    putOutput(text);
}

void RunText::fail(const std::string& file, const std::string& reason) {
    const std::string line = failureLine(file, reason);
    if (held_ != nullptr) {
        hold(true, line);
        return;
    }
    putDiagnostic(line);
}

// Held text kept as few pieces as the streams' turns make.
void RunText::hold(bool forError, const std::string& text) {
    std::vector<std::pair<bool, std::string>>& pieces = held_->pieces;
    if (pieces.empty() || pieces.back().first != forError) {
        pieces.emplace_back(forError, std::string());
    }
    pieces.back().second += text;
}
