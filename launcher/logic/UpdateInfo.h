// The update-info exchange and the updater's command line, apart from the
// threads and the network: request address, reply reading and decision.
#pragma once

#include <string>

namespace vantor {

// "http://" + host + ":8080/LoginPacketN/WebForm1.aspx?ver=" + version, the
// version appended unchanged.
std::string UpdateInfoUrl(const std::string& host, const std::string& version);

// The reply as the reader sees it: for every line, CR LF and then the line
// without its line feed (a carriage return before it stays), so that the text
// begins with CR LF.
std::string UpdateReplyDocument(const std::string& body);

// Worker exit codes.
enum UpdateAnswer {
    kUpdateNamed = 0,   // updaterArg holds Url + "|" + force
    kUpdateFailed = 1,  // no client version, network error, or no pkprotocol/updateInfo
    kNoUpdate = 2,      // no Url, or an empty one
};

// Reads a reply document: what it answers and, for an update, the updater
// argument (Url, a vertical bar, force or "0").
UpdateAnswer ReadUpdateReply(const std::string& document, std::string& updaterArg);

// The updater's command line: "<folder>\VantorUpdate.exe" <arg>, folder without
// its trailing backslash. Returns false when it would not fit in 512 bytes with
// its terminating zero; the updater is then not started with a cut-off address.
bool BuildUpdaterCommandLine(const std::string& folder, const std::string& updaterArg, std::string& commandLine);

// The force flag of an updater argument: the number after its last vertical bar
// (the whole text when there is none).
int UpdaterForceFlag(const std::string& updaterArg);

}  // namespace vantor
