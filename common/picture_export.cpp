#include "common/picture_export.h"

#include <commdlg.h>
#include <dlgs.h>
#include <gdiplus.h>
#include <shlwapi.h>

#include "common/gdiplus_pixels.h"
#include "common/image_encoders.h"
#include "core/pyx.h"

namespace {

constexpr wchar_t kCaption[] = L"Vexil 1.0";
constexpr wchar_t kReplaceQuestion[] = L" already exists.\nDo you want to replace it?";
const wchar_t* const kExportExtensions[] = {L".bmp", L".jpg", L".png", L".ico", L".cur"};

Bitmap* WhiteBackedCopy(Bitmap* composite)
{
    const int width = int(composite->GetWidth()), height = int(composite->GetHeight());
    Bitmap* copy = NewArgbBitmap(width, height);
    if (!copy)
        return nullptr;
    Gdiplus::Graphics graphics(copy);
    graphics.Clear(Gdiplus::Color(255, 255, 255, 255));
    graphics.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
    graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    graphics.DrawImage(composite, Gdiplus::Rect(0, 0, width, height));
    return copy;
}

// The encoder writes beside the target, which is replaced only once the new file is whole.
bool EncodeBesideAndReplace(Bitmap* picture, const wchar_t* mimeType, const std::wstring& path)
{
    CLSID encoder;
    if (!picture || !FindImageEncoder(mimeType, &encoder))
        return false;
    Gdiplus::EncoderParameters parameters{};
    ULONG quality = 100;
    parameters.Count = 1;
    parameters.Parameter[0] = {Gdiplus::EncoderQuality, 1, Gdiplus::EncoderParameterValueTypeLong, &quality};
    const bool jpeg = lstrcmpW(mimeType, L"image/jpeg") == 0;
    const std::wstring temporary = path + L".vexil-new";
    if (picture->Save(temporary.c_str(), &encoder, jpeg ? &parameters : nullptr) != Gdiplus::Ok) {
        DeleteFileW(temporary.c_str());
        return false;
    }
    if (!MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileW(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace

const wchar_t kExportFilter[] =
    L"Bitmap Files (*.bmp)\0*.bmp\0JPEG Files (*.jpg)\0*.jpg\0PNG Files (*.png)\0*.png\0"
    L"Icon Files (*.ico)\0*.ico\0Cursor Files (*.cur)\0*.cur\0";

const wchar_t* ExportExtension(int filterIndex)
{
    return filterIndex >= 1 && filterIndex <= 5 ? kExportExtensions[filterIndex - 1] : kExportExtensions[0];
}

std::wstring WithExtension(const std::wstring& path, const wchar_t* extension)
{
    const wchar_t* start = path.c_str();
    const size_t stem = size_t(PathFindExtensionW(start) - start);
    return path.substr(0, stem) + extension;
}

bool MayReplaceForcedPath(HWND owner, const std::wstring& chosen, const std::wstring& path)
{
    if (lstrcmpiW(chosen.c_str(), path.c_str()) == 0 || !PathFileExistsW(path.c_str()))
        return true;
    const std::wstring question = PathFindFileNameW(path.c_str()) + std::wstring(kReplaceQuestion);
    return MessageBoxW(owner, question.c_str(), kCaption, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

void OnExportTypeChange(HWND dialog, int filterIndex)
{
    wchar_t name[MAX_PATH] = {};
    SendMessageW(dialog, CDM_GETSPEC, MAX_PATH, LPARAM(name));
    const std::wstring renamed = WithExtension(name, ExportExtension(filterIndex));
    SendMessageW(dialog, CDM_SETCONTROLTEXT, edt1, LPARAM(renamed.c_str()));
    SendMessageW(dialog, CDM_SETCONTROLTEXT, cmb13, LPARAM(renamed.c_str()));
}

bool WritePictureFile(const Image& image, ExportFormat format, const std::wstring& path)
{
    if (!image.composite)
        return false;
    if (format == ExportFormat::Png)
        return EncodeBesideAndReplace(image.composite, L"image/png", path);
    if (format != ExportFormat::Bitmap && format != ExportFormat::Jpeg)
        return false;
    Bitmap* backed = WhiteBackedCopy(image.composite);
    const bool written =
        EncodeBesideAndReplace(backed, format == ExportFormat::Jpeg ? L"image/jpeg" : L"image/bmp", path);
    delete backed;
    return written;
}
