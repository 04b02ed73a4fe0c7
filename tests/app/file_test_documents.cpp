#include "file_test_documents.h"

#include <vector>

#include "harness/test_bitmaps.h"
#include "harness/test_files.h"

namespace {

constexpr wchar_t kRecentKey[] = L"SOFTWARE\\Vexil\\Most Recent";

}  // namespace

Image* MakePatternedImage(int width, int height, uint32_t seed)
{
    Image* image = PYX_CreateImage(uint16_t(width), uint16_t(height));
    const PixelFunction pattern = [seed](int x, int y) -> uint32_t {
        if ((x + y) % 5 == 0)
            return 0;
        const uint32_t alpha = (x % 3 == 0) ? 0x80u : 0xFFu;
        return NoiseColor(x + int(seed), y, alpha);
    };
    PaintPixels(image->firstLayer->bitmap, pattern);
    PaintPixels(image->composite, pattern);
    return image;
}

Resource* MakeDocument(std::initializer_list<int> sides)
{
    Resource* resource = PYX_CreateNewResource();
    PYX_DeleteImage(resource->firstImage);
    resource->firstImage = nullptr;
    resource->imageCount = 0;
    Image* last = nullptr;
    uint32_t seed = 1;
    for (int side : sides) {
        Image* image = MakePatternedImage(side, side, seed++);
        image->prev = last;
        (last ? last->next : resource->firstImage) = image;
        last = image;
        resource->imageCount++;
    }
    return resource;
}

std::wstring WriteTestIcon(const std::wstring& name, int side)
{
    Resource* resource = MakeDocument({side});
    const std::wstring path = TestPath(name);
    PYX_SaveIconToFile(nullptr, path.c_str(), resource);
    PYX_DoCleanupInternalResource(resource);
    return path;
}

void SetRegistryRecentFiles(const std::vector<std::wstring>& paths)
{
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_LOCAL_MACHINE, kRecentKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    for (size_t i = 0; i < 4; i++) {
        const std::wstring value = i < paths.size() ? paths[i] : L"";
        const std::wstring name = L"RC" + std::to_wstring(i + 1);
        RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       DWORD((value.size() + 1) * sizeof(wchar_t)));
    }
    RegCloseKey(key);
}

void RemoveRegistryRecentFiles()
{
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, kRecentKey);
}
