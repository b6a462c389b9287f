// Reading a client tree for a release: every folder and file below a root,
// their names in code page 936 (the players' code page, whatever this
// machine's is) and the full wide path to open each file by.
#pragma once

#include <string>
#include <vector>

#include "ReleasePlan.h"

struct ScannedTree {
    std::wstring root;
    pk::ClientTree tree;
    std::vector<std::wstring> fullPaths;  // one per tree.files entry
    std::vector<std::string> problems;    // a name or folder that cannot be taken; any one stops the release
};

// False (with a message in problems) when root is no readable folder.
bool ScanClientTree(const std::string& root, ScannedTree* out);

// The text of a wide path in this machine's code page, for messages.
std::string PrintablePath(const std::wstring& path);

// Compares two files byte for byte, stopping at the first difference; a file
// that cannot be read counts as different and is remembered in failures.
class ContentComparer {
public:
    bool Same(const std::wstring& a, const std::wstring& b);
    const std::vector<std::string>& failures() const { return m_failures; }

private:
    std::vector<char> m_a, m_b;
    std::vector<std::string> m_failures;
};
