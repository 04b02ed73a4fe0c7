// Settings dialogs: one preview update on a 256 x 256 selection, timed in the real dialog.
// Each dialog is opened through its export; a thread timer inside its modal loop changes a
// setting by the control messages a user's change sends (a slider position and its scroll
// notification, a typed weight, a picked depth) and then has the dialog paint at once, so
// each figure is the filter or effect plus the scaled preview drawing, end to end.
#include <windows.h>
#include <commctrl.h>
#include <gdiplus.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "bench.h"
#include "common/app_context.h"
#include "common/selection_state.h"
#include "core/pyx.h"
#include "dialogs/fxdialogs.h"
#include "resources/fxdialogs/fxdialogs_resources.h"

namespace {

constexpr int kSize = 256;
constexpr int kChanges = 21;
constexpr double kFrameMilliseconds = 16;

void Fill(Gdiplus::Bitmap* bitmap, const std::vector<uint32_t>& pixels)
{
    Gdiplus::Rect all(0, 0, kSize, kSize);
    Gdiplus::BitmapData data{};
    if (bitmap->LockBits(&all, Gdiplus::ImageLockModeWrite, PixelFormat32bppARGB, &data) != Gdiplus::Ok)
        return;
    for (int y = 0; y < kSize; y++)
        memcpy(static_cast<uint8_t*>(data.Scan0) + y * data.Stride, &pixels[size_t(y) * kSize], kSize * 4);
    bitmap->UnlockBits(&data);
}

// A 256 x 256 picture, all of it selected, its layer and selection holding the bench picture.
struct BenchDocument {
    Resource* resource = nullptr;
    AppContext context{};
    SelectionState selection{};
    HWND owner = nullptr;

    BenchDocument()
    {
        const std::vector<uint32_t> pixels = BenchPicture(kSize);
        resource = PYX_CreateNewResource();
        PYX_DeleteImage(resource->firstImage);
        resource->firstImage = PYX_CreateImage(kSize, kSize);
        Fill(resource->firstImage->firstLayer->bitmap, pixels);
        selection.content = new Gdiplus::Bitmap(kSize, kSize, PixelFormat32bppARGB);
        Fill(selection.content, pixels);
        selection.width = selection.height = kSize;
        selection.region = CreateRectRgn(0, 0, kSize, kSize);
        owner = CreateWindowW(L"STATIC", L"bench", WS_OVERLAPPEDWINDOW, 0, 0, 600, 400, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
        context.document = resource;
        context.selection = &selection;
        context.mainWindow = owner;
    }
    ~BenchDocument()
    {
        delete selection.content;
        DeleteObject(selection.region);
        DestroyWindow(owner);
        PYX_DoCleanupInternalResource(resource);
    }
};

// How a dialog's setting is changed to `value`, as the user's own change would arrive.
enum class Change { kSlider, kWeight, kDepthList };

struct DialogCase {
    const char* name;
    int32_t (*open)(HWND, AppContext*);
    Change change;
    int control;
    int values[2];  // alternated, so that every change is a real one
    bool actsOnRelease;
};

void ChangeSetting(HWND dialog, const DialogCase& c, int value)
{
    HWND control = GetDlgItem(dialog, c.control);
    switch (c.change) {
    case Change::kSlider:
        // A drag moves the thumb (TB_THUMBTRACK); the shadow dialogs wait for its release.
        SendMessageW(control, TBM_SETPOS, TRUE, value);
        SendMessageW(dialog, WM_HSCROLL, MAKEWPARAM(c.actsOnRelease ? TB_THUMBPOSITION : TB_THUMBTRACK, value),
                     LPARAM(control));
        break;
    case Change::kWeight: SetWindowTextW(control, std::to_wstring(value).c_str()); break;
    case Change::kDepthList:
        SendMessageW(control, CB_SETCURSEL, value, 0);
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(c.control, CBN_SELCHANGE), LPARAM(control));
        break;
    }
}

struct Run {
    const DialogCase* c = nullptr;
    HWND dialog = nullptr;
    bool busy = false, done = false;
    std::vector<double> times;
};
Run* gRun = nullptr;

HWND OpenDialogOfThisThread()
{
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), [](HWND window, LPARAM param) -> BOOL {
        wchar_t name[16] = {};
        GetClassNameW(window, name, 16);
        if (lstrcmpW(name, L"#32770") != 0 || !IsWindowVisible(window))
            return TRUE;
        *reinterpret_cast<HWND*>(param) = window;
        return FALSE;
    }, LPARAM(&found));
    return found;
}

// From inside the modal loop: every change, then the painting it caused, timed; then Cancel.
void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
{
    if (!gRun || gRun->busy || gRun->done)
        return;
    gRun->busy = true;
    gRun->dialog = OpenDialogOfThisThread();
    if (gRun->dialog) {
        LARGE_INTEGER frequency, start, stop;
        QueryPerformanceFrequency(&frequency);
        RedrawWindow(gRun->dialog, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        for (int i = 0; i < kChanges; i++) {
            QueryPerformanceCounter(&start);
            ChangeSetting(gRun->dialog, *gRun->c, gRun->c->values[i % 2]);
            RedrawWindow(gRun->dialog, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
            QueryPerformanceCounter(&stop);
            gRun->times.push_back(double(stop.QuadPart - start.QuadPart) * 1000.0 / double(frequency.QuadPart));
        }
        gRun->done = true;
        PostMessageW(gRun->dialog, WM_COMMAND, IDCANCEL, 0);
    }
    gRun->busy = false;
}

int32_t OpenInnerShadow(HWND owner, AppContext* context)
{
    return ShowShadowDialog(owner, context, 0);
}

int32_t OpenDropShadow(HWND owner, AppContext* context)
{
    return ShowShadowDialog(owner, context, 1);
}

int32_t OpenWaveStyle(HWND owner, AppContext* context)
{
    return ShowStyleDialog(owner, context, 1);
}

}  // namespace

void RunDialogBenchmarks()
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    static const DialogCase cases[] = {
        {"effect style (wave)", OpenWaveStyle, Change::kSlider, IDC_STYLE_UPPER_INTENSITY, {30, 70}, false},
        {"bevel", ShowBevelDialog, Change::kSlider, IDC_BEVEL_LIGHT_SLIDER, {100, 200}, false},
        {"inner shadow", OpenInnerShadow, Change::kSlider, IDC_SHADOW_X, {3, -3}, true},
        {"drop shadow", OpenDropShadow, Change::kSlider, IDC_SHADOW_X, {3, -3}, true},
        {"colorize", ShowColorizeDialog, Change::kSlider, IDC_COLORIZE_RED_SLIDER, {40, 200}, false},
        {"hue, saturation and luminance", ShowHSLDialog, Change::kSlider, IDC_HSL_HUE_SLIDER, {60, -60}, false},
        {"brightness and contrast", ShowContrastDialog, Change::kSlider, IDC_BRIGHTNESS_SLIDER, {40, -40}, false},
        {"opacity", ShowOpacityDialog, Change::kSlider, IDC_OPACITY_SLIDER, {-40, 40}, false},
        {"heavy blur, factor 50", ShowBlurDialog, Change::kSlider, IDC_BLUR_SLIDER, {50, 49}, false},
        {"custom filter 5x5", ShowCustomDialog, Change::kWeight, IDC_CUSTOM_FIRST + 12, {3, 5}, false},
        {"borderize", ShowBorderizeDialog, Change::kDepthList, IDC_BORDER_DEPTH, {3, 1}, false},
    };
    BenchDocument document;
    for (const DialogCase& c : cases) {
        Run run;
        run.c = &c;
        gRun = &run;
        const UINT_PTR timer = SetTimer(nullptr, 0, 10, Tick);
        c.open(document.owner, &document.context);
        KillTimer(nullptr, timer);
        gRun = nullptr;
        const std::string name = std::string("dialog preview 256x256: ") + c.name +
                                 (c.actsOnRelease ? " (acts on release)" : "");
        if (run.times.empty()) {
            std::printf("%-52s did not open\n", name.c_str());
            continue;
        }
        std::sort(run.times.begin(), run.times.end());
        Report(name, run.times[run.times.size() / 2], kFrameMilliseconds);
    }
}
