#include "imagelist/image_list_fixture.h"

#include "common/document_ops.h"
#include "panels/imagelist/imagestrip.h"

namespace {

std::vector<ReceivedMessage> gReceived;
AppContext* gContext = nullptr;
bool gPumping = false;  // what arrives while the queue is emptied was posted

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= WM_APP && message < 0xC000) {
        const bool sent = !gPumping;
        const int count = gContext && gContext->document ? gContext->document->imageCount : -1;
        gReceived.push_back({message, wParam, lParam, sent, gContext ? gContext->currentImage : -1,
                             gContext ? gContext->currentLayer : -1, count});
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND CreateParent()
{
    return CreateTestMainWindow(L"ImageListTestMain", ParentProc, {800, 600});
}

}  // namespace

void PumpMessages()
{
    gPumping = true;
    PumpThreadMessages();
    gPumping = false;
}

void ImageListTest::SetUp()
{
    parent = CreateParent();
    ASSERT_NE(parent, nullptr);
    context.mainWindow = parent;
    context.document = PYX_CreateNewResource();
    ASSERT_NE(context.document, nullptr);
    gContext = &context;
    frame = CreateILWindow(parent, 1, 450, &context);
    ASSERT_NE(frame, nullptr);
    context.imageListWindow = frame;
    strip = GetWindow(frame, GW_CHILD);
    ASSERT_NE(strip, nullptr);
    PumpMessages();
    gReceived.clear();
}

void ImageListTest::TearDown()
{
    DestroyILWindow();
    if (parent)
        DestroyWindow(parent);
    PumpMessages();
    if (context.document)
        PYX_DoCleanupInternalResource(context.document);
    gContext = nullptr;
    gReceived.clear();
}

void ImageListTest::UseImages(const std::vector<SIZE>& sizes, int current)
{
    Resource* document = context.document;
    while (Image* image = UnlinkImage(document, 0))
        PYX_DeleteImage(image);
    for (const SIZE& size : sizes) {
        Image* image = PYX_CreateImage(uint16_t(size.cx), uint16_t(size.cy));
        ASSERT_NE(image, nullptr);
        ASSERT_TRUE(InsertImage(document, document->imageCount, image));
    }
    context.currentImage = current;
    context.currentLayer = 0;
    SendMessageW(frame, WM_APP + 13, WPARAM(current), 0);
    PumpMessages();
    gReceived.clear();
}

Image* ImageListTest::ImageNumber(int index) const { return ImageAt(context.document, index); }

std::vector<Image*> ImageListTest::Order() const
{
    std::vector<Image*> order;
    for (Image* image = context.document->firstImage; image; image = image->next)
        order.push_back(image);
    return order;
}

std::vector<ReceivedMessage> ImageListTest::TakeMessages()
{
    PumpMessages();
    std::vector<ReceivedMessage> taken;
    taken.swap(gReceived);
    return taken;
}
