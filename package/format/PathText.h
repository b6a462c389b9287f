// Path texts as the package library sees them: ANSI text in which "\" and "/"
// separate folders, except where a byte is the second half of a two-byte
// character of the code page.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pk {

// Which file a path leads to: two paths that reach the same file (another
// spelling, a hard link) give equal identities.
struct FileId {
    uint64_t volume = 0;
    uint64_t index = 0;
};
inline bool operator==(const FileId& a, const FileId& b) { return a.volume == b.volume && a.index == b.index; }

// Length in bytes of the character at p (end bounds the text), so that the second
// byte of a two-byte character is never taken for "\". Null: one byte each.
using CharLengthRule = size_t (*)(const char* p, const char* end);

// The length of the character at position i of text under rule.
inline size_t CharLengthAt(CharLengthRule rule, const std::string& text, size_t i) {
    return rule ? rule(text.data() + i, text.data() + text.size()) : 1;
}

// What differs between the Windows library and the host build of the same code.
struct Platform {
    char separator;                                 // put between folder and file name
    CharLengthRule charLength;                      // may be null: single-byte code page
    bool (*identifyFile)(const char*, FileId* id);  // false when the path names no existing file
};

// Both paths name existing files, and it is one file.
bool IsSameFile(const char* a, const char* b, const Platform& platform);

// Splits the "|"-separated file list into its pieces in order; an empty piece
// between two bars is an empty path. Gives up (false) after maxPieces.
bool SplitFileList(const std::string& list, size_t maxPieces, std::vector<std::string>* paths);

// The text after the last separator.
std::string FileNameOf(const std::string& path, const Platform& platform);

// The text up to and including the last separator ("" when there is none).
std::string FolderOf(const std::string& path, const Platform& platform);

}  // namespace pk
