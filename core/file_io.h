// Whole-file reads and crash-safe whole-file writes.
#pragma once

#include <cstdint>
#include <vector>

enum class FileReadResult { kOk, kCannotOpen, kCannotRead };

// Reads a whole file into memory. Files larger than `maxSize` count as unreadable, so a
// reader never allocates more than it is prepared to parse.
FileReadResult ReadWholeFile(const wchar_t* path, size_t maxSize, std::vector<uint8_t>* bytes);

enum class FileWriteResult { kOk, kCannotCreate, kCannotWrite };

// Writes the bytes to a new file beside `path` and only then moves it over `path`, so a
// failed or interrupted save leaves the old file as it was.
FileWriteResult WriteWholeFileSafely(const wchar_t* path, const uint8_t* data, size_t size);

// The largest file any of the core's readers accepts.
constexpr size_t kMaxDocumentFileSize = size_t(512) << 20;
