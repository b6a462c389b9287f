// Reads arbitrary bytes as the login host's reply and builds the game's command
// line from the payload. A reply without a code and a comma after it is a
// failure with nothing kept; otherwise the payload is exactly the text after
// the first comma, and the command line either fits its buffer or is refused.
#include <cstddef>
#include <cstdint>
#include <string>

#include "logic/LoginExchange.h"
#include "text/DecimalText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string reply(reinterpret_cast<const char*>(data), size);
    const vantor::LoginReply read = vantor::ReadLoginReply(reply);

    const size_t comma = reply.find(',');
    if (comma == std::string::npos || comma == 0) {
        if (read.outcome != vantor::LoginOutcome::Failed || !read.payload.empty()) __builtin_trap();
        return 0;
    }
    if (read.payload != reply.substr(comma + 1)) __builtin_trap();
    int code = 0;
    if (!vantor::ReadDecimalPrefix(reply, code) && read.outcome != vantor::LoginOutcome::Failed) __builtin_trap();
    if (read.outcome == vantor::LoginOutcome::Success && code != 1) __builtin_trap();

    std::string commandLine = "unchanged";
    const std::string token = read.payload.substr(0, vantor::kMaxPayloadLength);
    if (vantor::GameCommandLine("C:\\Vantor", 3, "player", token, commandLine)) {
        if (commandLine.size() + 1 > 512 || commandLine.find(token) == std::string::npos) __builtin_trap();
    } else if (commandLine != "unchanged") {
        __builtin_trap();
    }
    return 0;
}
