#include "transform/quarter_turns.h"

#include "common/gdiplus_pixels.h"
#include "transform/content_ops.h"
#include "transform/content_pixels.h"

namespace {

// The source turned by whole quarters, exactly (no resampling, whatever the depth).
Gdiplus::Bitmap* TurnedBitmap(Gdiplus::Bitmap* source, int quarterTurns)
{
    const int sw = int(source->GetWidth());
    const int sh = int(source->GetHeight());
    const bool across = quarterTurns % 2 == 1;
    Gdiplus::Bitmap* turned = NewArgbBitmap(across ? sh : sw, across ? sw : sh);
    BitmapLock from(source, Gdiplus::ImageLockModeRead);
    if (turned && from.ok()) {
        BitmapLock to(turned, Gdiplus::ImageLockModeWrite);
        if (to.ok()) {
            TurnQuarters(to.view(), from.view(), quarterTurns);
            return turned;
        }
    }
    delete turned;
    return nullptr;
}

}  // namespace

// The source, drawn at the middle of a transparent square of side `side`, turned about the
// square's middle (side / 2, side / 2).
Gdiplus::Bitmap* TurnedIntoSquare(Gdiplus::Bitmap* source, int side, int quarterTurns)
{
    const int sw = int(source->GetWidth());
    const int sh = int(source->GetHeight());
    const int middle = side / 2;
    const int x = (side - sw) / 2;  // where the unturned source sits
    const int y = (side - sh) / 2;
    int left = x;
    int top = y;
    if (quarterTurns == 1) {
        left = 2 * middle - (y + sh);
        top = x;
    } else if (quarterTurns == 2) {
        left = 2 * middle - (x + sw);
        top = 2 * middle - (y + sh);
    } else if (quarterTurns == 3) {
        left = y;
        top = 2 * middle - (x + sw);
    }
    Gdiplus::Bitmap* turned = TurnedBitmap(source, quarterTurns);
    if (!turned)
        return nullptr;
    Gdiplus::Bitmap* square = BitmapWithBlockAt(turned, side, side, left, top);
    delete turned;
    return square;
}

