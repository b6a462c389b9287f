#include "UpdaterCommandLine.h"

#include "text/DecimalText.h"

namespace vantor {

bool SplitUpdaterArguments(const std::string& tail, UpdaterArguments& out) {
    const size_t bar = tail.find('|');
    if (bar == std::string::npos || bar == 0) return false;
    out.url = tail.substr(0, bar);
    out.force = DecimalPrefixValue(tail.substr(bar + 1));
    return true;
}

}  // namespace vantor
