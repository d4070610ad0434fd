#pragma once

#include <optional>
#include <string>

// What the technician set before pressing a button, taken once as it was then: the
// session and the download read nothing of it from the window later.
struct ReaderRequest {
    // A typed port; none: the automatic search (port 7, then 1 to 100).
    std::optional<int> port;
    // As typed: a reader in its boot loader does not know its own model.
    std::string modelName;
    // A firmware file chosen by hand, sent instead of the one the lookup finds.
    std::optional<std::string> chosenFile;
};
