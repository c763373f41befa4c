#pragma once
// Whole-file reads and writes for tests that prepare and inspect the program's files on disk.

#include <string>

namespace torvin::test {

// The file's bytes, empty when it cannot be read.
std::string ReadFileBytes(const std::wstring& path);
// Creates or replaces the file with exactly these bytes.
void WriteFileBytes(const std::wstring& path, const std::string& bytes);

}  // namespace torvin::test
