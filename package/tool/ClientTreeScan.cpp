#include "ClientTreeScan.h"

#include <windows.h>

#include <cstring>

#include "framework/ScopedHandles.h"

namespace {

constexpr UINT kPlayersCodePage = 936;
constexpr DWORD kCompareChunk = 1 << 20;

std::wstring WideOf(const std::string& text, UINT codePage) {
    if (text.empty()) return std::wstring();
    const int length = ::MultiByteToWideChar(codePage, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring wide(size_t(length > 0 ? length : 0), L'\0');
    if (length > 0) ::MultiByteToWideChar(codePage, 0, text.data(), int(text.size()), &wide[0], length);
    return wide;
}

// The name in codePage; false when a character has no exact form there.
bool NarrowOf(const std::wstring& wide, UINT codePage, std::string* out) {
    out->clear();
    if (wide.empty()) return true;
    BOOL usedDefault = FALSE;
    const int length = ::WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(), int(wide.size()), nullptr,
                                             0, nullptr, &usedDefault);
    if (length <= 0 || usedDefault) return false;
    out->resize(size_t(length));
    ::WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(), int(wide.size()), &(*out)[0], length,
                          nullptr, &usedDefault);
    return !usedDefault;
}

void ScanFolder(const std::wstring& folder, const std::string& relative, ScannedTree* out) {
    WIN32_FIND_DATAW data;
    fw::ScopedFind find(::FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &data,
                                           FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find) {
        if (::GetLastError() != ERROR_FILE_NOT_FOUND)
            out->problems.push_back(PrintablePath(folder) + ": the folder cannot be read");
        return;
    }
    std::vector<std::pair<std::wstring, std::string>> subfolders;
    do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::wstring full = folder + L"\\" + name;
        std::string gbk;
        if (!NarrowOf(name, kPlayersCodePage, &gbk)) {
            out->problems.push_back(PrintablePath(full) + ": the name cannot be written in code page 936, the "
                                                          "players' code page");
            continue;
        }
        const std::string path = relative.empty() ? gbk : relative + "\\" + gbk;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
            out->problems.push_back(PrintablePath(full) + ": a link; a client tree holds plain files and folders");
        } else if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            out->tree.folders.push_back(path);
            subfolders.emplace_back(full, path);
        } else {
            const int64_t size = (int64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
            out->tree.files.push_back({path, size});
            out->fullPaths.push_back(full);
        }
    } while (::FindNextFileW(find.get(), &data));
    if (::GetLastError() != ERROR_NO_MORE_FILES)
        out->problems.push_back(PrintablePath(folder) + ": the folder could not be read to its end");
    for (const auto& [full, path] : subfolders) ScanFolder(full, path, out);
}

}  // namespace

std::string PrintablePath(const std::wstring& path) {
    std::string text;
    if (path.empty()) return text;
    const int length = ::WideCharToMultiByte(CP_ACP, 0, path.data(), int(path.size()), nullptr, 0, nullptr, nullptr);
    text.resize(size_t(length > 0 ? length : 0));
    if (length > 0) ::WideCharToMultiByte(CP_ACP, 0, path.data(), int(path.size()), &text[0], length, nullptr, nullptr);
    return text;
}

bool ScanClientTree(const std::string& root, ScannedTree* out) {
    const std::wstring given = WideOf(root, CP_ACP);
    wchar_t full[32768];
    const DWORD length = ::GetFullPathNameW(given.c_str(), 32768, full, nullptr);
    if (given.empty() || length == 0 || length >= 32768) {
        out->problems.push_back(root + ": not a folder's path");
        return false;
    }
    out->root = full;
    while (out->root.size() > 3 && (out->root.back() == L'\\' || out->root.back() == L'/')) out->root.pop_back();
    const DWORD attributes = ::GetFileAttributesW(out->root.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        out->problems.push_back(root + ": no such folder");
        return false;
    }
    ScanFolder(out->root, "", out);
    return out->problems.empty();
}

bool ContentComparer::Same(const std::wstring& a, const std::wstring& b) {
    const auto open = [](const std::wstring& path) {
        return fw::ScopedFile(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                            FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    };
    fw::ScopedFile fileA = open(a), fileB = open(b);
    if (!fileA || !fileB) {
        m_failures.push_back(PrintablePath(fileA ? b : a) + ": cannot be opened for reading");
        return false;
    }
    m_a.resize(kCompareChunk);
    m_b.resize(kCompareChunk);
    for (;;) {
        DWORD readA = 0, readB = 0;
        if (!::ReadFile(fileA.get(), m_a.data(), kCompareChunk, &readA, nullptr) ||
            !::ReadFile(fileB.get(), m_b.data(), kCompareChunk, &readB, nullptr)) {
            m_failures.push_back(PrintablePath(a) + " or " + PrintablePath(b) + ": read error");
            return false;
        }
        if (readA != readB || std::memcmp(m_a.data(), m_b.data(), readA) != 0) return false;
        if (readA == 0) return true;
    }
}
