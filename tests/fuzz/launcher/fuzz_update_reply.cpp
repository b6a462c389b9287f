// Reads arbitrary bytes as the update-info service's reply body: the line
// rewriting, the reading of the document, the force flag and the updater's
// command line. An update is answered only with a non-empty address and a
// force text after a vertical bar; otherwise the argument is untouched.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "logic/UpdateInfo.h"

namespace {

// Every line of the body becomes CR LF and the line, so the document is the
// body's length plus one CR per line (its line feed moves in front of it).
void CheckDocument(const std::string& body, const std::string& document) {
    size_t lines = 0, start = 0;
    while (start < body.size()) {
        size_t end = body.find('\n', start);
        if (end == std::string::npos) end = body.size();
        ++lines;
        start = end + 1;
    }
    const size_t feeds = static_cast<size_t>(std::count(body.begin(), body.end(), '\n'));
    if (document.size() != body.size() - feeds + 2 * lines) __builtin_trap();
    if (!body.empty() && document.compare(0, 2, "\r\n") != 0) __builtin_trap();
    for (size_t i = document.find('\n'); i != std::string::npos; i = document.find('\n', i + 1))
        if (i == 0 || document[i - 1] != '\r') __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string body(reinterpret_cast<const char*>(data), size);
    const std::string document = vantor::UpdateReplyDocument(body);
    CheckDocument(body, document);

    std::string arg = "unchanged";
    const vantor::UpdateAnswer answer = vantor::ReadUpdateReply(document, arg);
    if (answer != vantor::kUpdateNamed) {
        if (answer != vantor::kUpdateFailed && answer != vantor::kNoUpdate) __builtin_trap();
        if (arg != "unchanged") __builtin_trap();
        return 0;
    }
    // A non-empty address, a bar and a non-empty force text.
    if (arg.size() < 3 || arg.find('|') == std::string::npos) __builtin_trap();
    (void)vantor::UpdaterForceFlag(arg);

    std::string commandLine = "unchanged";
    if (vantor::BuildUpdaterCommandLine("C:\\Vantor", arg, commandLine)) {
        if (commandLine.size() + 1 > 512 || commandLine.compare(commandLine.size() - arg.size(), arg.size(), arg) != 0)
            __builtin_trap();
    } else if (commandLine != "unchanged") {
        __builtin_trap();
    }
    return 0;
}
