#include "file_io.h"

#include <windows.h>

#include <string>

namespace {

thread_local std::vector<uint8_t> tKeptBuffer;

}  // namespace

BorrowedBytes::BorrowedBytes() : bytes_(std::move(tKeptBuffer))
{
    tKeptBuffer = std::vector<uint8_t>();
    bytes_.clear();
}

BorrowedBytes::~BorrowedBytes()
{
    if (bytes_.capacity() <= kKeptBufferBytes && bytes_.capacity() > tKeptBuffer.capacity())
        tKeptBuffer = std::move(bytes_);
}

FileReadResult ReadWholeFile(const wchar_t* path, size_t maxSize, std::vector<uint8_t>* bytes)
{
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return FileReadResult::kCannotOpen;
    FileReadResult result = FileReadResult::kCannotRead;
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file, &size) && uint64_t(size.QuadPart) <= maxSize) {
        bytes->resize(size_t(size.QuadPart));
        size_t done = 0;
        DWORD got = 0;
        while (done < bytes->size() &&
               ReadFile(file, bytes->data() + done, DWORD(bytes->size() - done), &got, nullptr) && got > 0)
            done += got;
        if (done == bytes->size())
            result = FileReadResult::kOk;
    }
    CloseHandle(file);
    return result;
}

namespace {

std::wstring TemporaryNameBeside(const wchar_t* path)
{
    return std::wstring(path) + L"." + std::to_wstring(GetCurrentProcessId()) + L".saving";
}

bool WriteAll(HANDLE file, const uint8_t* data, size_t size)
{
    size_t done = 0;
    while (done < size) {
        DWORD chunk = DWORD(size - done > (1u << 30) ? (1u << 30) : size - done);
        DWORD written = 0;
        if (!WriteFile(file, data + done, chunk, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return true;
}

// A file that does not exist yet has nothing to lose: it is made and written in place, and a
// failed write removes what was begun. Trying that first spares a lookup and a rename per
// file, which counts when a folder of icons is written (Wine looks up a missing name by
// reading the whole folder). False when the file could not be made new (it exists, or the
// path is bad): the careful way decides.
bool WriteNewFile(const wchar_t* path, const uint8_t* data, size_t size, FileWriteResult* result)
{
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool written = WriteAll(file, data, size);
    CloseHandle(file);
    if (!written)
        DeleteFileW(path);
    *result = written ? FileWriteResult::kOk : FileWriteResult::kCannotWrite;
    return true;
}

// Windows refuses to replace a read-only file; some file systems would let the rename
// through, so ask first.
bool IsReadOnlyTarget(const wchar_t* path)
{
    const DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

}  // namespace

FileWriteResult WriteWholeFileSafely(const wchar_t* path, const uint8_t* data, size_t size)
{
    FileWriteResult result;
    if (WriteNewFile(path, data, size, &result))
        return result;
    if (IsReadOnlyTarget(path))
        return FileWriteResult::kCannotCreate;
    const std::wstring temporary = TemporaryNameBeside(path);
    HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return FileWriteResult::kCannotCreate;
    const bool written = WriteAll(file, data, size);
    CloseHandle(file);
    if (!written) {
        DeleteFileW(temporary.c_str());
        return FileWriteResult::kCannotWrite;
    }
    if (!MoveFileExW(temporary.c_str(), path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        // The target itself cannot be replaced (read-only, a folder, in use).
        DeleteFileW(temporary.c_str());
        return FileWriteResult::kCannotCreate;
    }
    return FileWriteResult::kOk;
}
