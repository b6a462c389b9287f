// Reads certs.p7b whole into one block from the process heap.
#pragma once

#include <string>

#include "CryptHandles.h"
#include "LastError.h"

namespace trustfit {

enum class FileStep { Done, Open, Size, Allocate, Read };

// On failure gives the step that failed and the system's reason for it.
FileStep ReadCertificateFile(const std::string& path, ProcessHeapBlock& block, ErrorText& reason);

}  // namespace trustfit
