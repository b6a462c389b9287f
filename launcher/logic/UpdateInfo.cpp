#include "UpdateInfo.h"

#include "text/DecimalText.h"
#include "xml/XmlDocument.h"

namespace vantor {

std::string UpdateInfoUrl(const std::string& host, const std::string& version) {
    return "http://" + host + ":8080/LoginPacketN/WebForm1.aspx?ver=" + version;
}

std::string UpdateReplyDocument(const std::string& body) {
    std::string document;
    size_t start = 0;
    while (start < body.size()) {
        size_t end = body.find('\n', start);
        if (end == std::string::npos) end = body.size();
        document += "\r\n";
        document.append(body, start, end - start);
        start = end + 1;
    }
    return document;
}

UpdateAnswer ReadUpdateReply(const std::string& document, std::string& updaterArg) {
    XmlDocument xml;
    xml.SetText(document.c_str());
    if (!xml.NextElement("pkprotocol") || !xml.NextChild("updateInfo")) return kUpdateFailed;
    xml.EnterElement();
    if (!xml.NextChild("Url")) return kNoUpdate;
    std::string url = xml.ChildText();
    if (url.empty()) return kNoUpdate;
    std::string force;
    if (xml.NextChild("force")) force = xml.ChildText();
    if (force.empty()) force = "0";
    updaterArg = url + "|" + force;
    return kUpdateNamed;
}

bool BuildUpdaterCommandLine(const std::string& folder, const std::string& updaterArg, std::string& commandLine) {
    std::string line = "\"" + folder + "\\VantorUpdate.exe\" " + updaterArg;
    if (line.size() + 1 > 512) return false;
    commandLine = line;
    return true;
}

int UpdaterForceFlag(const std::string& updaterArg) {
    size_t bar = updaterArg.rfind('|');
    return DecimalPrefixValue(bar == std::string::npos ? updaterArg : updaterArg.substr(bar + 1));
}

}  // namespace vantor
