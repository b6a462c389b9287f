// The updater's one argument as the launcher writes it: the package URL, a
// vertical bar, and the force flag in decimal ("http://h/p.vpk|1").
#pragma once

#include <string>

namespace vantor {

struct UpdaterArguments {
    std::string url;  // the text before the first "|"
    int force = 0;    // decimal value of the text after it; 0 when it has no leading number
};

// Splits the raw command-line tail (spaces belong to it) at the first "|".
// Returns false when the tail is empty, holds no "|", or the URL before it is
// empty: the updater then ends without doing anything.
bool SplitUpdaterArguments(const std::string& tail, UpdaterArguments& out);

}  // namespace vantor
