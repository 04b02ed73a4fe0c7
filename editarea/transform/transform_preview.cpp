// The live preview: every trackbar step draws the transformation again from the saved
// source, so errors never pile up.
#include "transform/pending_transform.h"

#include <commctrl.h>

#include <algorithm>

#include "common/document_ops.h"
#include "common/gdiplus_pixels.h"
#include "painting/layer_change.h"
#include "transform/content_ops.h"
#include "transform/quarter_turns.h"
#include "transform/transform_controls.h"
#include "transform/vector_transform.h"
#include "view_update.h"

namespace {

// The region is expensive to rebuild: only the final step of a drag takes it again; the
// outline is hidden while the thumb moves.
void ShowStepOutline(EditAreaState& state, bool finalStep)
{
    if (finalStep)
        TakeRegionFromAlpha(state);
    state.selectionOutlineVisible = finalStep;
}

// Right angles (0 included) turn whole pixels, exactly as the menu's fixed rotations do.
bool DrawQuarterTurn(const EditAreaState& state, const PendingTransform& pending, int degrees)
{
    if (degrees % 90 != 0)
        return false;
    const SelectionState* selection = EditableSelection(state);
    Gdiplus::Bitmap* square = TurnedIntoSquare(pending.source, selection->width, ((degrees / 90) % 4 + 4) % 4);
    if (!square)
        return false;
    pending.contentSurface->Flush(Gdiplus::FlushIntentionSync);
    const bool copied = CopyBitmapPixels(square, selection->content);
    delete square;
    return copied;
}

void DrawRotated(const EditAreaState& state, const PendingTransform& pending, float degrees)
{
    const SelectionState* selection = EditableSelection(state);
    Gdiplus::Graphics& surface = *pending.contentSurface;
    const Gdiplus::REAL halfWidth = Gdiplus::REAL(selection->width / 2);
    const Gdiplus::REAL halfHeight = Gdiplus::REAL(selection->height / 2);
    surface.ResetTransform();
    surface.Clear(Gdiplus::Color(0, 0, 0, 0));
    surface.TranslateTransform(halfWidth, halfHeight);
    surface.RotateTransform(degrees);
    surface.TranslateTransform(-halfWidth, -halfHeight);
    surface.DrawImage(pending.source, (selection->width - pending.sourceWidth) / 2,
                      (selection->height - pending.sourceHeight) / 2, pending.sourceWidth, pending.sourceHeight);
    surface.Flush(Gdiplus::FlushIntentionSync);
}

void PreviewRasterRotation(EditAreaState& state, const PendingTransform& pending, int degrees, bool finalStep)
{
    if (!DrawQuarterTurn(state, pending, degrees))
        DrawRotated(state, pending, float(degrees));
    ShowStepOutline(state, finalStep);
    PutContentBack(state);
}

// The source drawn at w x h; the top-left corner stays where it is.
void PreviewRasterScale(EditAreaState& state, const PendingTransform& pending, int width, int height, bool finalStep)
{
    Gdiplus::Bitmap* scaled = NewArgbBitmap(width, height);
    if (!scaled)
        return;
    {
        Gdiplus::Graphics surface(scaled);
        SetSamplingForDepth(surface, state.image->bitsPerPixel);
        // Edge pixels sample their own neighbours rather than the transparency outside.
        Gdiplus::ImageAttributes edges;
        edges.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
        surface.DrawImage(pending.source, Gdiplus::Rect(0, 0, width, height), 0, 0, pending.sourceWidth,
                          pending.sourceHeight, Gdiplus::UnitPixel, &edges);
    }
    ReplaceContent(*EditableSelection(state), scaled, width, height);
    ShowStepOutline(state, finalStep);
    PutContentBack(state);
}

// A thumb-tracking step carries its position; an end of tracking is read from the bar.
int StepPosition(HWND bar, HWND from, int code, int position)
{
    const int minimum = int(SendMessageW(bar, TBM_GETRANGEMIN, 0, 0));
    const int maximum = int(SendMessageW(bar, TBM_GETRANGEMAX, 0, 0));
    const int wanted = (bar == from && code == TB_THUMBTRACK) ? position : BarPosition(bar);
    return std::clamp(wanted, minimum, maximum);
}

void TrackRotation(EditAreaState& state, const PendingTransform& pending, HWND bar, int code, int position)
{
    if (bar != state.angleBar)
        return;
    // The angle travels in the message's 16 bits; negative angles are signed.
    const int degrees = StepPosition(bar, bar, code, int(short(position)));
    if (pending.vector)
        PreviewVectorRotation(state, pending, float(degrees));
    else
        PreviewRasterRotation(state, pending, degrees, code == TB_ENDTRACK);
}

void TrackScale(EditAreaState& state, const PendingTransform& pending, HWND bar, int code, int position)
{
    if (bar != state.widthBar && bar != state.heightBar)
        return;
    const int width = StepPosition(state.widthBar, bar, code, position);
    const int height = StepPosition(state.heightBar, bar, code, position);
    if (pending.vector)
        PreviewVectorScale(state, pending, width, height);
    else
        PreviewRasterScale(state, pending, width, height, code == TB_ENDTRACK);
}

}  // namespace

void TrackTransformation(EditAreaState& state, HWND bar, int code, int position)
{
    const PendingTransform* pending = state.transform;
    if (!state.transformPending || !pending || (code != TB_THUMBTRACK && code != TB_ENDTRACK))
        return;
    if (pending->rotation)
        TrackRotation(state, *pending, bar, code, position);
    else
        TrackScale(state, *pending, bar, code, position);
    RecompositeImage(state.image);
    RedrawCanvas(state);
}
