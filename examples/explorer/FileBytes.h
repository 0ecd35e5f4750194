#pragma once
// Whole-file reads and writes for the explorer.
#include <string>

// FALSE when the file cannot be opened or read whole.
bool ReadFileBytes(const std::wstring& path, std::string& bytes);
// Writes through a temporary file beside the target and then replaces it, so that a failed write leaves the
// old file whole. FALSE when nothing was replaced.
bool ReplaceFileBytes(const std::wstring& path, const std::string& bytes);
