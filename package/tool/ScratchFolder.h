// A folder of its own for work in progress, deleted with everything in it
// when the owner goes: an interrupted command leaves nothing half-made behind.
#pragma once

#include <string>

class ScratchFolder {
public:
    // A new folder in parent (empty: the system's folder for temporary files);
    // path() is empty when none could be made.
    explicit ScratchFolder(const std::string& parent = std::string());
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};
