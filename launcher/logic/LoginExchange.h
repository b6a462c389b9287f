// The login's texts apart from the network: the form body, the reading of the
// reply, the game's command line and the statistics report body.
#pragma once

#include <string>

namespace vantor {

// "txtUserName=" + Base64(user) + "&txtPassword=" + Base64(password) + "&keys=" +
// each key and a comma + "&rand=" + rand, nothing percent-encoded.
std::string LoginFormBody(const std::string& userName, const std::string& password, const int (&keys)[8], int rand);

enum class LoginOutcome {
    Success,           // 1
    WrongCredentials,  // 0
    Maintenance,       // -1
    Disabled,          // -2
    MissingField,      // -3
    BadUserName,       // -4
    Locked,            // -10
    Failed,            // any other code, no code, no comma, or the comma first
};

struct LoginReply {
    LoginOutcome outcome = LoginOutcome::Failed;
    std::string payload;  // the text after the first comma
};

// Reads "<code>,<payload>": the code as scanf's "%d" reads it, the payload
// after the first comma.
LoginReply ReadLoginReply(const std::string& reply);

// The payload the password-protection component takes: at most this many bytes.
constexpr size_t kMaxPayloadLength = 255;

// "\"<folder>\\Vantor.exe\" <id> <user> <token> 1"; false when it would not fit
// in 512 bytes with its terminating zero.
bool GameCommandLine(const std::string& gameFolder, int locationId, const std::string& userName,
                     const std::string& token, std::string& commandLine);

// "account=" + account + "&version=" + version + "&type=" + channel, unencoded.
std::string StatisticsBody(const std::string& account, const std::string& version, const std::string& channel);

}  // namespace vantor
