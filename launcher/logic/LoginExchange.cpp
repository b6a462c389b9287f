#include "LoginExchange.h"

#include "text/Base64.h"
#include "text/DecimalText.h"

namespace vantor {

std::string LoginFormBody(const std::string& userName, const std::string& password, const int (&keys)[8], int rand) {
    std::string body = "txtUserName=" + EncodeBase64(userName) + "&txtPassword=" + EncodeBase64(password) + "&keys=";
    for (int key : keys) body += std::to_string(key) + ",";
    return body + "&rand=" + std::to_string(rand);
}

namespace {

LoginOutcome OutcomeOf(int code) {
    switch (code) {
    case 1: return LoginOutcome::Success;
    case 0: return LoginOutcome::WrongCredentials;
    case -1: return LoginOutcome::Maintenance;
    case -2: return LoginOutcome::Disabled;
    case -3: return LoginOutcome::MissingField;
    case -4: return LoginOutcome::BadUserName;
    case -10: return LoginOutcome::Locked;
    default: return LoginOutcome::Failed;
    }
}

}  // namespace

LoginReply ReadLoginReply(const std::string& reply) {
    LoginReply result;
    int code = 0;
    const bool hasCode = ReadDecimalPrefix(reply, code);  // scanf "%d": at least one digit
    size_t comma = reply.find(',');
    if (comma == std::string::npos || comma == 0) return result;
    result.payload = reply.substr(comma + 1);
    result.outcome = hasCode ? OutcomeOf(code) : LoginOutcome::Failed;
    return result;
}

bool GameCommandLine(const std::string& gameFolder, int locationId, const std::string& userName,
                     const std::string& token, std::string& commandLine) {
    std::string line =
        "\"" + gameFolder + "\\Vantor.exe\" " + std::to_string(locationId) + " " + userName + " " + token + " 1";
    if (line.size() + 1 > 512) return false;
    commandLine = line;
    return true;
}

std::string StatisticsBody(const std::string& account, const std::string& version, const std::string& channel) {
    return "account=" + account + "&version=" + version + "&type=" + channel;
}

}  // namespace vantor
