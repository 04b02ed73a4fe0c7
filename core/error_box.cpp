#include "error_box.h"

void ShowErrorBox(HWND owner, const wchar_t* text, const wchar_t* caption)
{
    MessageBoxW(owner, text, caption, MB_OK | MB_ICONERROR);
}

bool ReadDocumentFile(HWND owner, const wchar_t* path, const wchar_t* cannotOpenText, std::vector<uint8_t>* file,
                      FileReadResult* read)
{
    *read = ReadWholeFile(path, kMaxDocumentFileSize, file);
    if (*read != FileReadResult::kCannotOpen)
        return true;
    ShowErrorBox(owner, cannotOpenText, kIoErrorCaption);
    return false;
}
