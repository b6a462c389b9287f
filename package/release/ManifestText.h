// The text of updateFile.xml as a release writes it: GBK bytes, CRLF lines,
//   <?xml version="1.0" encoding="gb2312"?>
//   <spkprotocol>
//     <version>V</version>
//     <displayVersion>D</displayVersion>      only when a display version is given
//     <copyfile>
//       <item>a.dll</item> ...                one per file, in copy order
//     </copyfile>
//   </spkprotocol>
#pragma once

#include <string>
#include <vector>

namespace pk {

// Whether text can stand as a version: not empty (an empty version makes the
// updater change nothing), no control character, whole GBK characters.
bool IsManifestValueText(const std::string& text);

std::string ManifestText(const std::string& version, const std::string& displayVersion,
                         const std::vector<std::string>& items);

}  // namespace pk
