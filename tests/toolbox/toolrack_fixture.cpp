#include "toolbox/toolrack_fixture.h"

#include "common/image_encoders.h"
#include "harness/test_bitmaps.h"

namespace {

std::vector<ReceivedMessage> gReceived;
AppContext* gContext = nullptr;

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= WM_APP && message < 0xC000) {
        std::wstring text;
        if (gContext && gContext->toolOptions && gContext->toolOptions->text)
            text = gContext->toolOptions->text;
        gReceived.push_back({message, wParam, lParam, text});
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND CreateParent()
{
    return CreateTestMainWindow(L"ToolrackTestMain", ParentProc, OuterSizeForClient(1024, 768));
}

}  // namespace

void PumpMessages()
{
    PumpThreadMessages();
}

void ToolrackTest::SetUp()
{
    parent = CreateParent();
    ASSERT_NE(parent, nullptr);
    context.mainWindow = parent;
    context.currentTool = 7;  // creation must reset it
    gContext = &context;
    toolbox = TOOLRACK_CreateWindow(parent, 1, 40, &context);
    ASSERT_NE(toolbox, nullptr);
    bar = TOOLRACKO_CreateWindow(parent, &context);
    ASSERT_NE(bar, nullptr);
    PumpMessages();
    gReceived.clear();
}

void ToolrackTest::TearDown()
{
    TOOLRACK_DestroyWindow();
    TOOLRACKO_DestroyWindow();
    if (parent)
        DestroyWindow(parent);
    PumpMessages();
    gContext = nullptr;
    gReceived.clear();
}

std::vector<ReceivedMessage> ToolrackTest::TakeMessages()
{
    PumpMessages();
    std::vector<ReceivedMessage> taken;
    taken.swap(gReceived);
    return taken;
}

bool SaveCapture(const Capture& capture, const std::wstring& path)
{
    CLSID png;
    if (!FindImageEncoder(L"image/png", &png))
        return false;
    Gdiplus::Bitmap* picture = MakeBitmap(capture.width, capture.height, [&](int x, int y) {
        return 0xFF000000u | capture.at(x, y);
    });
    const bool saved = picture->Save(path.c_str(), &png, nullptr) == Gdiplus::Ok;
    delete picture;
    return saved;
}
