// Reading a package from an open stream: the checked entry table and the copy
// of one entry's data in chunks of 1024 bytes. The chunks are what this code
// moves at a time; the C streams underneath buffer reads and writes as usual.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

#include "PackageFormat.h"
#include "io/StdFile.h"

namespace pk {

// Reads and checks the header and the whole table; every entry must be a safe
// bare name whose data lies inside the package.
PackageStatus ReadPackageTable(vantor::StdFile& package, CharLengthRule charLength,
                               std::vector<PackageEntry>* entries);

// Copies the next size bytes of in to out through one 1024-byte buffer; false
// when in ends early or a write fails.
bool CopyChunks(FILE* in, int64_t size, FILE* out);

}  // namespace pk
