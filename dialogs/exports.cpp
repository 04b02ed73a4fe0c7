// The ten exports: find the current Image and Layer, then run the dialog's description.
#include "dialogs/fxdialogs.h"

#include "common/document_ops.h"
#include "dialogs/dialog_state.h"

namespace {

// Nothing opens without a current Image and Layer to work on.
int32_t Show(const DialogLayout& layout, HWND owner, AppContext* context, DialogState& state)
{
    if (!context || !context->document)
        return 0;
    state.image = CurrentImage(*context);
    state.layer = CurrentLayer(*context);
    if (!state.image || !state.layer || !state.layer->bitmap)
        return 0;
    return int32_t(RunSettingsDialog(layout, owner, context, state));
}

int32_t Show(const DialogLayout& layout, HWND owner, AppContext* context)
{
    DialogState state;
    return Show(layout, owner, context, state);
}

}  // namespace

FXDIALOGS_API int32_t ShowStyleDialog(HWND owner, AppContext* context, int32_t effect)
{
    DialogState state;
    state.effect = effect;
    return Show(kStyleDialog, owner, context, state);
}

FXDIALOGS_API int32_t ShowBevelDialog(HWND owner, AppContext* context)
{
    return Show(kBevelDialog, owner, context);
}

FXDIALOGS_API int32_t ShowShadowDialog(HWND owner, AppContext* context, int32_t dropShadow)
{
    DialogState state;
    state.dropShadow = dropShadow == 1 ? 1 : 0;
    return Show(kShadowDialog, owner, context, state);
}

FXDIALOGS_API int32_t ShowColorizeDialog(HWND owner, AppContext* context)
{
    return Show(kColorizeDialog, owner, context);
}

FXDIALOGS_API int32_t ShowHSLDialog(HWND owner, AppContext* context)
{
    return Show(kHslDialog, owner, context);
}

FXDIALOGS_API int32_t ShowContrastDialog(HWND owner, AppContext* context)
{
    return Show(kContrastDialog, owner, context);
}

FXDIALOGS_API int32_t ShowOpacityDialog(HWND owner, AppContext* context)
{
    return Show(kOpacityDialog, owner, context);
}

FXDIALOGS_API int32_t ShowBlurDialog(HWND owner, AppContext* context)
{
    return Show(kBlurDialog, owner, context);
}

FXDIALOGS_API int32_t ShowCustomDialog(HWND owner, AppContext* context)
{
    return Show(kCustomDialog, owner, context);
}

FXDIALOGS_API int32_t ShowBorderizeDialog(HWND owner, AppContext* context)
{
    return Show(kBorderizeDialog, owner, context);
}
