// The undo reports from the panels, Undo and Redo, and "Import Image as Icon".
#include <gtest/gtest.h>

#include "common/message_box_recorder.h"
#include "dialog_answers.h"
#include "file_commands.h"
#include "file_test_documents.h"
#include "harness/test_bitmaps.h"
#include "harness/test_files.h"
#include "pixport/import_picture.h"
#include "shell_session.h"
#include "shell_state.h"

namespace {

void InstallDocument(std::initializer_list<int> sides)
{
    PYX_DoCleanupInternalResource(Context().document);
    Context().document = MakeDocument(sides);
    Context().currentImage = 0;
    SendMessageW(Context().mainWindow, WM_APP + 21, 0, 0);
    PumpMessages();
}

const UndoRing* NewestRing()
{
    const UndoRing* ring = CurrentShell().undoChain->firstRing;
    while (ring && ring->next)
        ring = ring->next;
    return ring;
}

bool MenuItemEnabled(HWND window, int menu, UINT id)
{
    SendMessageW(window, WM_INITMENUPOPUP, WPARAM(GetSubMenu(GetMenu(window), menu)), menu);
    return (GetMenuState(GetMenu(window), id, MF_BYCOMMAND) & MF_GRAYED) == 0;
}

Image* ImageAt(int index)
{
    Image* image = Context().document->firstImage;
    for (int i = 0; i < index; i++)
        image = image->next;
    return image;
}

// Writes a picture file of the given size through GDI+'s own encoder; without a MIME type,
// a one-pixel white GIF written byte by byte (not every GDI+ has a GIF encoder).
std::wstring WritePicture(const std::wstring& name, const wchar_t* mime, int width, int height)
{
    if (!mime) {
        const std::string gif("GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\xff\xff\x00\x00\x00"
                              ",\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00;", 35);
        WriteBytes(TestPath(name), std::vector<uint8_t>(gif.begin(), gif.end()));
        return TestPath(name);
    }
    Gdiplus::Bitmap* picture = MakeBitmap(width, height, [](int x, int) { return x % 2 ? 0xFF0000FFu : 0xFF00FF00u; });
    CLSID encoder{};
    UINT count = 0, size = 0;
    Gdiplus::GetImageEncodersSize(&count, &size);
    std::vector<uint8_t> storage(size);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(storage.data());
    Gdiplus::GetImageEncoders(count, size, codecs);
    for (UINT i = 0; i < count; i++)
        if (lstrcmpiW(codecs[i].MimeType, mime) == 0)
            encoder = codecs[i].Clsid;
    const std::wstring path = TestPath(name);
    picture->Save(path.c_str(), &encoder, nullptr);
    delete picture;
    return path;
}

}  // namespace

TEST(UndoReports, EachReportRecordsItsRing)
{
    HWND window = StartShell();
    ASSERT_NE(window, nullptr);
    InstallDocument({16, 24, 32});
    const struct {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        UndoRingKind kind;
        int first, second;
        bool holdsImage;
    } cases[] = {
        {WM_APP + 26, 0, 2, kMoveRing, 0, 2, false},
        {WM_APP + 27, 1, 0, kChangeRing, 1, 0, true},
        {WM_APP + 28, 2, 0, kDeleteRing, 2, 0, true},
        {WM_APP + 29, 2, 0, kNewRing, 2, 0, false},
        {WM_APP + 30, 1, 2, kStandardFormatsRing, 1, 2, false},
    };
    int rings = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message - WM_APP);
        SendMessageW(window, c.message, c.wParam, c.lParam);
        ASSERT_EQ(CurrentShell().undoChain->count, ++rings);
        const UndoRing* ring = NewestRing();
        EXPECT_EQ(ring->kind, c.kind);
        EXPECT_EQ(ring->first, c.first);
        EXPECT_EQ(ring->second, c.second);
        EXPECT_EQ(ring->images != nullptr, c.holdsImage);
        if (c.holdsImage) {
            EXPECT_EQ(ring->images->width, ImageAt(c.first)->width) << "a copy of the Image reported";
        }
    }
    // Reports naming an Image that does not exist record nothing.
    SendMessageW(window, WM_APP + 27, 3, 0);
    SendMessageW(window, WM_APP + 26, 0, 7);
    EXPECT_EQ(CurrentShell().undoChain->count, rings);
    StopShell();
}

TEST(UndoReports, UndoAndRedoTakeAChangeBackAndForth)
{
    HWND window = StartShell();
    ASSERT_NE(window, nullptr);
    InstallDocument({16, 24});
    EXPECT_FALSE(MenuItemEnabled(window, 1, 32789)) << "nothing to undo yet";
    const std::vector<uint32_t> before = ReadPixels(ImageAt(1)->composite);
    SendMessageW(window, WM_APP + 27, 1, 0);  // as a panel does before changing Image 1
    PaintPixels(ImageAt(1)->composite, [](int, int) { return 0xFF123456u; });
    const std::vector<uint32_t> after = ReadPixels(ImageAt(1)->composite);
    EXPECT_TRUE(MenuItemEnabled(window, 1, 32789));
    EXPECT_FALSE(MenuItemEnabled(window, 1, 32790));

    SendMessageW(window, WM_COMMAND, 32789, 0);
    EXPECT_EQ(ReadPixels(ImageAt(1)->composite), before);
    EXPECT_EQ(Context().currentImage, 1) << "the Image the step concerned is shown";
    EXPECT_EQ(Context().selection ? 1 : 0, 1);
    EXPECT_FALSE(MenuItemEnabled(window, 1, 32789));
    EXPECT_TRUE(MenuItemEnabled(window, 1, 32790));

    SendMessageW(window, WM_COMMAND, 32790, 0);
    EXPECT_EQ(ReadPixels(ImageAt(1)->composite), after);
    StopShell();
}

TEST(UndoReports, UndoIsDisabledAfterAnOpen)
{
    const std::wstring icon = WriteTestIcon(L"undo after open.ico", 32);
    HWND window = StartShell();
    ASSERT_NE(window, nullptr);
    SendMessageW(window, WM_APP + 27, 0, 0);
    ASSERT_TRUE(MenuItemEnabled(window, 1, 32789));
    ASSERT_TRUE(OpenDocument(CurrentShell(), DocumentKind::Icon, icon.c_str()));
    EXPECT_FALSE(MenuItemEnabled(window, 1, 32789));
    EXPECT_EQ(CurrentShell().undoChain->count, 0);
    StopShell();
}

TEST(ImportImage, PicturesFitIn256KeepingTheirProportions)
{
    const struct {
        int width, height;
        PictureFit fit;
    } cases[] = {
        {512, 256, {256, 128, 256, 128}},
        {256, 512, {128, 256, 128, 256}},
        {1024, 20, {256, 16, 256, 5}},
        {10, 10, {16, 16, 10, 10}},
        {48, 32, {48, 32, 48, 32}},
        {3000, 2, {256, 16, 256, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        const PictureFit fit = FitPicture(c.width, c.height);
        EXPECT_EQ(fit.imageWidth, c.fit.imageWidth);
        EXPECT_EQ(fit.imageHeight, c.fit.imageHeight);
        EXPECT_EQ(fit.drawnWidth, c.fit.drawnWidth);
        EXPECT_EQ(fit.drawnHeight, c.fit.drawnHeight);
    }
}

TEST(ImportImage, PictureBecomesTheNewCurrentImageWithItsUndoRing)
{
    const struct {
        const wchar_t* name;
        const wchar_t* mime;
        int width, height, imageWidth, imageHeight;
    } cases[] = {
        {L"wide.png", L"image/png", 512, 256, 256, 128},
        {L"small.bmp", L"image/bmp", 10, 10, 16, 16},
        {L"photo.jpg", L"image/jpeg", 64, 32, 64, 32},
        {L"one pixel.gif", nullptr, 1, 1, 16, 16},
    };
    HWND window = StartShell();
    ASSERT_NE(window, nullptr);
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.name)));
        const std::wstring path = WritePicture(c.name, c.mime, c.width, c.height);
        const int count = Context().document->imageCount;
        const int rings = CurrentShell().undoChain->count;
        ASSERT_EQ(ImportPictureFile(window, &Context(), path.c_str()), 1);
        ASSERT_EQ(Context().document->imageCount, count + 1);
        EXPECT_EQ(Context().currentImage, count);
        const Image* image = ImageAt(count);
        EXPECT_EQ(image->width, c.imageWidth);
        EXPECT_EQ(image->height, c.imageHeight);
        EXPECT_EQ(image->bitsPerPixel, 32);
        Gdiplus::Color corner;
        image->composite->GetPixel(0, 0, &corner);
        EXPECT_EQ(corner.GetA(), 255) << "the picture is drawn at the top-left corner";
        EXPECT_EQ(CurrentShell().undoChain->count, rings + 1);
        EXPECT_EQ(NewestRing()->kind, kNewRing);
        EXPECT_EQ(NewestRing()->first, count);
    }
    // Undo takes the imported Image away again.
    const int count = Context().document->imageCount;
    SendMessageW(window, WM_COMMAND, 32789, 0);
    EXPECT_EQ(Context().document->imageCount, count - 1);
    StopShell();
}

TEST(ImportImage, UnreadableFileFailsAndCancelDoesNot)
{
    const std::wstring garbage = TestPath(L"not a picture.png");
    ASSERT_TRUE(WriteBytes(garbage, {'n', 'o', 't'}));
    HWND window = StartShell();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(ImportPictureFile(window, &Context(), garbage.c_str()), 0);
    EXPECT_EQ(Context().document->imageCount, 1);
    const struct {
        std::wstring chosen;
        std::vector<std::wstring> boxes;
    } cases[] = {
        {garbage, {L"An unknown error occured during exporting the image.\n\nThe export operation failed!"}},
        {L"", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chosen.empty() ? "cancel" : "unreadable");
        MessageBoxRecorder recorder;
        FileDialogAnswer answer(c.chosen);
        SendMessageW(window, WM_COMMAND, 32783, 0);
        ASSERT_EQ(answer.seen().size(), 1u) << "pixport asks for the picture";
        std::vector<std::wstring> texts;
        for (const auto& box : recorder.boxes())
            texts.push_back(box.text);
        EXPECT_EQ(texts, c.boxes);
        EXPECT_EQ(Context().document->imageCount, 1);
        EXPECT_EQ(CurrentShell().undoChain->count, 0);
    }
    StopShell();
}
