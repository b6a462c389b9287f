#include "ManifestText.h"

#include "text/GbkText.h"

namespace pk {
namespace {

// "&", "<" and ">" as the XML reader decodes them; no GBK trail byte is one of them.
std::string Escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '&') out += "&amp;";
        else if (c == '<') out += "&lt;";
        else if (c == '>') out += "&gt;";
        else out += c;
    }
    return out;
}

}  // namespace

bool IsManifestValueText(const std::string& text) {
    if (text.empty() || text.front() == ' ' || text.back() == ' ') return false;  // the reader may trim blanks
    for (size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const size_t step = vantor::GbkCharLength(text.data() + i, text.data() + text.size());
        i += step;
        if (step == 1 && (c < 0x20 || c == 0x7F || c >= 0x80)) return false;
    }
    return true;
}

std::string ManifestText(const std::string& version, const std::string& displayVersion,
                         const std::vector<std::string>& items) {
    std::string text = "<?xml version=\"1.0\" encoding=\"gb2312\"?>\r\n<spkprotocol>\r\n";
    text += "  <version>" + Escaped(version) + "</version>\r\n";
    if (!displayVersion.empty()) text += "  <displayVersion>" + Escaped(displayVersion) + "</displayVersion>\r\n";
    text += "  <copyfile>\r\n";
    for (const std::string& item : items) text += "    <item>" + Escaped(item) + "</item>\r\n";
    text += "  </copyfile>\r\n</spkprotocol>\r\n";
    return text;
}

}  // namespace pk
