// Whole-file reads and crash-safe whole-file writes.
#pragma once

#include <cstdint>
#include <vector>

enum class FileReadResult { kOk, kCannotOpen, kCannotRead };

// This thread's byte buffer, lent for one file read or one file being built. Documents are
// read and written often and fresh pages are slow to touch, so the buffer's memory goes back
// to the thread for the next loan (unless it grew beyond kKeptBufferBytes). A loan taken
// while another is out on the same thread gets a buffer of its own.
class BorrowedBytes {
public:
    BorrowedBytes();
    ~BorrowedBytes();
    BorrowedBytes(const BorrowedBytes&) = delete;
    BorrowedBytes& operator=(const BorrowedBytes&) = delete;

    std::vector<uint8_t>& bytes() { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
};

constexpr size_t kKeptBufferBytes = size_t(16) << 20;

// Reads a whole file into memory. Files larger than `maxSize` count as unreadable, so a
// reader never allocates more than it is prepared to parse.
FileReadResult ReadWholeFile(const wchar_t* path, size_t maxSize, std::vector<uint8_t>* bytes);

enum class FileWriteResult { kOk, kCannotCreate, kCannotWrite };

// Writes the bytes to a new file beside `path` and only then moves it over `path`, so a
// failed or interrupted save leaves the old file as it was. A file that does not exist yet is
// written in place; a failed write removes it again.
FileWriteResult WriteWholeFileSafely(const wchar_t* path, const uint8_t* data, size_t size);

// The largest file any of the core's readers accepts.
constexpr size_t kMaxDocumentFileSize = size_t(512) << 20;
