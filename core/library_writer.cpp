#include "library_writer.h"

#include <shlwapi.h>

#include <cwchar>

#include "error_box.h"
#include "file_io.h"
#include "ico_format.h"
#include "library_format.h"

namespace {

constexpr wchar_t kCannotCreate[] = L"Can not create Library file";
constexpr wchar_t kCreationFailed[] = L"An error occurred during Library creation. Operation canceled.";
constexpr wchar_t kCreated[] = L"The library has been created successfully!";
constexpr wchar_t kResultCaption[] = L"Action Result";
constexpr WORD kNeutralLanguage = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);
constexpr DWORD kAppPathBytes = 520;

void ShowWorkerBox(LibraryCreation* creation, const wchar_t* text, const wchar_t* caption, UINT icon)
{
    EnterCriticalSection(&creation->lock);
    MessageBoxW(creation->progressDialog, text, caption, MB_OK | icon);
    LeaveCriticalSection(&creation->lock);
}

void Post(LibraryCreation* creation, UINT message)
{
    if (creation->progressDialog)
        PostMessageW(creation->progressDialog, message, 0, 0);
}

LibraryOutcome Fail(LibraryCreation* creation, const std::wstring& building, const wchar_t* text)
{
    DeleteFileW(building.c_str());
    ShowWorkerBox(creation, text, kIoErrorCaption, MB_ICONERROR);
    Post(creation, kLibraryFailed);
    return LibraryOutcome::kFailed;
}

// Under the lock: stops at a cancel, else makes `path` the current file and tells the dialog.
bool ContinueWithFile(LibraryCreation* creation, int position, const std::wstring& path)
{
    EnterCriticalSection(&creation->lock);
    const bool cancelled = creation->cancel;
    if (!cancelled) {
        creation->position = position;
        wcsncpy(creation->currentPath, path.c_str(), kLibraryPathLength - 1);
        creation->currentPath[kLibraryPathLength - 1] = 0;
        Post(creation, kLibraryProgress);
    }
    LeaveCriticalSection(&creation->lock);
    return !cancelled;
}

// Adds the images of one .ico file as icons numbered on from *lastIconId, and their
// group directory as group `groupId`.
bool AddIconFileAsGroup(HANDLE update, const std::wstring& path, uint16_t groupId, uint16_t* lastIconId)
{
    std::vector<uint8_t> file;
    IconDirectory directory;
    if (ReadWholeFile(path.c_str(), kMaxDocumentFileSize, &file) != FileReadResult::kOk ||
        !ParseIconDirectory(file.data(), file.size(), false, &directory) || directory.entries.empty())
        return false;
    if (size_t(*lastIconId) + directory.entries.size() > 0xFFFF)
        return false;  // icon ids are 16 bits
    const uint16_t firstId = uint16_t(*lastIconId + 1);
    for (size_t i = 0; i < directory.entries.size(); i++) {
        const IconDirEntry& entry = directory.entries[i];
        if (!UpdateResourceW(update, RT_ICON, MAKEINTRESOURCEW(firstId + i), kNeutralLanguage,
                             file.data() + entry.blockOffset, entry.blockSize))
            return false;
    }
    *lastIconId = uint16_t(*lastIconId + directory.entries.size());
    std::vector<uint8_t> group = BuildIconGroup(directory, firstId);
    return UpdateResourceW(update, RT_GROUP_ICON, MAKEINTRESOURCEW(groupId), kNeutralLanguage, group.data(),
                           DWORD(group.size()));
}

std::wstring BuildingPathBeside(const std::wstring& target)
{
    return target + L"." + std::to_wstring(GetCurrentProcessId()) + L".building";
}

}  // namespace

std::wstring LibraryApplicationDirectory()
{
    wchar_t folder[MAX_PATH + 1] = {};
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Vexil\\Path", 0, KEY_READ, &key) == ERROR_SUCCESS) {
        DWORD type = 0, size = kAppPathBytes;
        if (RegQueryValueExW(key, L"AppPath", nullptr, &type, reinterpret_cast<BYTE*>(folder), &size) != ERROR_SUCCESS ||
            type != REG_SZ)
            folder[0] = 0;
        folder[MAX_PATH - 1] = 0;
        RegCloseKey(key);
    }
    if (!folder[0]) {
        GetModuleFileNameW(nullptr, folder, MAX_PATH);
        PathRemoveFileSpecW(folder);
    }
    std::wstring directory = folder;
    if (!directory.empty() && directory.back() == L'\\')
        directory.pop_back();
    return directory;
}

std::wstring LibraryTemplatePath()
{
    return LibraryApplicationDirectory() + L"\\TempDll.dll";
}

LibraryOutcome RunLibraryWorker(LibraryCreation* creation)
{
    // Everything is built beside the target and moved over it at the end, so a failure or
    // a cancel never costs the user the library that was there before.
    const std::wstring building = BuildingPathBeside(creation->targetPath);
    if (creation->targetPath.empty() || !CopyFileW(creation->templatePath.c_str(), building.c_str(), FALSE))
        return Fail(creation, building, kCannotCreate);
    SetFileAttributesW(building.c_str(), FILE_ATTRIBUTE_NORMAL);  // a read-only template stays writable
    uint16_t lastIconId = 0;
    for (size_t i = 0; i < creation->files.size(); i++) {
        const std::wstring& path = creation->files[i];
        if (!ContinueWithFile(creation, int(i + 1), path)) {
            DeleteFileW(building.c_str());
            return LibraryOutcome::kCancelled;
        }
        const size_t groupId = kFirstLibraryGroupId + i;
        HANDLE update = BeginUpdateResourceW(building.c_str(), i == 0);
        if (!update)
            return Fail(creation, building, kCannotCreate);
        if (groupId > 0xFFFF || !AddIconFileAsGroup(update, path, uint16_t(groupId), &lastIconId)) {
            EndUpdateResourceW(update, TRUE);
            return Fail(creation, building, kCreationFailed);
        }
        if (!EndUpdateResourceW(update, FALSE))
            return Fail(creation, building, kCreationFailed);
    }
    if (!MoveFileExW(building.c_str(), creation->targetPath.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return Fail(creation, building, kCannotCreate);
    ShowWorkerBox(creation, kCreated, kResultCaption, MB_ICONINFORMATION);
    Post(creation, kLibraryDone);
    return LibraryOutcome::kDone;
}
