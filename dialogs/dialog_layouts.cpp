// The ten dialogs, one description each. Ranges and starting values come from the filter
// table (the effect's from its own rows here); what is particular to a dialog is in its
// hooks (bevel_directions.cpp, custom_kernel.cpp, effect_dialog.cpp).
#include "common/messages.h"
#include "dialogs/dialog_hooks.h"
#include "dialogs/dialog_state.h"
#include "resources/fxdialogs/fxdialogs_resources.h"

namespace {

constexpr COLORREF kWhiteCustomColors = RGB(255, 255, 255);
constexpr COLORREF kAllBitsCustomColors = 0xFFFFFFFF;

PairLayout Edited(int editId, int sliderId, int word, EditSign sign, int characters)
{
    return {editId, sliderId, word, sign, characters, 0, 0};
}

PairLayout SliderOnly(int sliderId, int word, int32_t low = 0, int32_t high = 0)
{
    return {0, sliderId, word, EditSign::kUnsigned, 0, low, high};
}

}  // namespace

const DialogLayout kStyleDialog = {
    .resource = IDD_STYLE, .type = kNoFilter, .memorySlot = kNoFilter, .validateMessage = 0,
    .previewId = IDC_PREVIEW,
    .pairCount = 4,
    .pairs = {SliderOnly(IDC_STYLE_UPPER_INTENSITY, kUpperIntensity, 0, 100),
              SliderOnly(IDC_STYLE_LOWER_INTENSITY, kLowerIntensity, 0, 100),
              SliderOnly(IDC_STYLE_SHADOW_INTENSITY, kShadowIntensity, 0, 100),
              SliderOnly(IDC_STYLE_REFLEX, kReflexScale, 60, 100)},
    .colorCount = 3,
    .colors = {{IDC_STYLE_UPPER_COLOR, kUpperColor, ColorCell::kOpaqueWord},
               {IDC_STYLE_LOWER_COLOR, kLowerColor, ColorCell::kOpaqueWord},
               {IDC_STYLE_SHADOW_COLOR, kShadowColor, ColorCell::kOpaqueWord}},
    .list = {0, 0}, .actOnRelease = false, .singleEdit = false, .customColor = kWhiteCustomColors,
    .onOpen = OpenStyleDialog, .onCommand = nullptr, .onDrawItem = nullptr, .apply = ApplyStyle,
    .validateAtOnce = nullptr,
};

const DialogLayout kBevelDialog = {
    .resource = IDD_BEVEL, .type = kBevel, .memorySlot = kBevel, .validateMessage = kValidateBevel,
    .previewId = IDC_PREVIEW,
    .pairCount = 2,
    .pairs = {Edited(IDC_BEVEL_LIGHT_EDIT, IDC_BEVEL_LIGHT_SLIDER, 4, EditSign::kUnsigned, 3),
              Edited(IDC_BEVEL_SHADOW_EDIT, IDC_BEVEL_SHADOW_SLIDER, 5, EditSign::kUnsigned, 3)},
    .colorCount = 2,
    .colors = {{IDC_BEVEL_LIGHT_COLOR, 11, ColorCell::kOpaqueWord},
               {IDC_BEVEL_SHADOW_COLOR, 12, ColorCell::kOpaqueWord}},
    .list = {IDC_BEVEL_DEPTH, 10}, .actOnRelease = false, .singleEdit = false,
    .customColor = kWhiteCustomColors,
    .onOpen = OpenBevelDialog, .onCommand = BevelCommand, .onDrawItem = DrawBevelDirection, .apply = nullptr,
    .validateAtOnce = nullptr,
};

const DialogLayout kShadowDialog = {
    .resource = IDD_SHADOW, .type = kDropShadow, .memorySlot = kDropShadow, .validateMessage = kValidateShadow,
    .previewId = IDC_PREVIEW,
    .pairCount = 4,
    .pairs = {Edited(IDC_SHADOW_OPACITY_EDIT, IDC_SHADOW_OPACITY_SLIDER, 6, EditSign::kUnsigned, 3),
              SliderOnly(IDC_SHADOW_X, 4), SliderOnly(IDC_SHADOW_Y, 5), SliderOnly(IDC_SHADOW_BLUR, 9)},
    .colorCount = 1,
    .colors = {{IDC_SHADOW_COLOR, 8, ColorCell::kOpaqueWord}},
    .list = {0, 0}, .actOnRelease = true, .singleEdit = false, .customColor = kWhiteCustomColors,
    .onOpen = OpenShadowDialog, .onCommand = nullptr, .onDrawItem = nullptr, .apply = nullptr,
    .validateAtOnce = nullptr,
};

const DialogLayout kColorizeDialog = {
    .resource = IDD_COLORIZE, .type = kColorize, .memorySlot = kColorize, .validateMessage = kValidateColorize,
    .previewId = IDC_PREVIEW,
    .pairCount = 3,
    .pairs = {Edited(IDC_COLORIZE_RED_EDIT, IDC_COLORIZE_RED_SLIDER, 4, EditSign::kUnsigned, 3),
              Edited(IDC_COLORIZE_GREEN_EDIT, IDC_COLORIZE_GREEN_SLIDER, 5, EditSign::kUnsigned, 3),
              Edited(IDC_COLORIZE_BLUE_EDIT, IDC_COLORIZE_BLUE_SLIDER, 6, EditSign::kUnsigned, 3)},
    .colorCount = 1,
    .colors = {{IDC_COLORIZE_COLOR, 4, ColorCell::kRgbWords}},
    .list = {0, 0}, .actOnRelease = false, .singleEdit = false, .customColor = kWhiteCustomColors,
    .onOpen = nullptr, .onCommand = nullptr, .onDrawItem = nullptr, .apply = nullptr, .validateAtOnce = nullptr,
};

const DialogLayout kHslDialog = {
    .resource = IDD_HSL, .type = kAdjustHsv, .memorySlot = kAdjustHsv, .validateMessage = kValidateHsl,
    .previewId = IDC_PREVIEW,
    .pairCount = 3,
    .pairs = {Edited(IDC_HSL_HUE_EDIT, IDC_HSL_HUE_SLIDER, 4, EditSign::kSigned, 4),
              Edited(IDC_HSL_SATURATION_EDIT, IDC_HSL_SATURATION_SLIDER, 5, EditSign::kSigned, 4),
              Edited(IDC_HSL_LUMINANCE_EDIT, IDC_HSL_LUMINANCE_SLIDER, 6, EditSign::kSigned, 4)},
    .colorCount = 0, .colors = {},
    .list = {0, 0}, .actOnRelease = false, .singleEdit = false, .customColor = kWhiteCustomColors,
    .onOpen = nullptr, .onCommand = nullptr, .onDrawItem = nullptr, .apply = nullptr, .validateAtOnce = nullptr,
};

const DialogLayout kContrastDialog = {
    .resource = IDD_CONTRAST, .type = kBrightnessContrast, .memorySlot = kBrightnessContrast,
    .validateMessage = kValidateContrast, .previewId = IDC_PREVIEW,
    .pairCount = 2,
    .pairs = {Edited(IDC_BRIGHTNESS_EDIT, IDC_BRIGHTNESS_SLIDER, 4, EditSign::kSigned, 4),
              Edited(IDC_CONTRAST_EDIT, IDC_CONTRAST_SLIDER, 5, EditSign::kSigned, 4)},
    .colorCount = 0, .colors = {},
    .list = {0, 0}, .actOnRelease = false, .singleEdit = false, .customColor = kWhiteCustomColors,
    .onOpen = nullptr, .onCommand = nullptr, .onDrawItem = nullptr, .apply = nullptr, .validateAtOnce = nullptr,
};

const DialogLayout kOpacityDialog = {
    .resource = IDD_OPACITY, .type = kAdjustOpacity, .memorySlot = kAdjustOpacity,
    .validateMessage = kValidateOpacity, .previewId = IDC_PREVIEW,
    .pairCount = 1,
    .pairs = {Edited(IDC_OPACITY_EDIT, IDC_OPACITY_SLIDER, 4, EditSign::kSigned, 4)},
    .colorCount = 0, .colors = {},
    .list = {0, 0}, .actOnRelease = false, .singleEdit = true, .customColor = kWhiteCustomColors,
    .onOpen = nullptr, .onCommand = nullptr, .onDrawItem = nullptr, .apply = nullptr, .validateAtOnce = nullptr,
};

const DialogLayout kBlurDialog = {
    .resource = IDD_BLUR, .type = kHeavyBlur, .memorySlot = kHeavyBlur, .validateMessage = 0,
    .previewId = IDC_PREVIEW,
    .pairCount = 1,
    .pairs = {SliderOnly(IDC_BLUR_SLIDER, 9)},
    .colorCount = 0, .colors = {},
    .list = {0, 0}, .actOnRelease = false, .singleEdit = false, .customColor = kWhiteCustomColors,
    .onOpen = nullptr, .onCommand = nullptr, .onDrawItem = nullptr, .apply = nullptr, .validateAtOnce = nullptr,
};

const DialogLayout kCustomDialog = {
    .resource = IDD_CUSTOM, .type = kCustomFilter, .memorySlot = kCustomFilter, .validateMessage = 0,
    .previewId = IDC_PREVIEW,
    .pairCount = 0, .pairs = {},
    .colorCount = 0, .colors = {},
    .list = {0, 0}, .actOnRelease = false, .singleEdit = false, .customColor = kWhiteCustomColors,
    .onOpen = OpenCustomDialog, .onCommand = CustomCommand, .onDrawItem = nullptr, .apply = nullptr,
    .validateAtOnce = ValidateCustomEdit,
};

const DialogLayout kBorderizeDialog = {
    .resource = IDD_BORDERIZE, .type = kBorderize, .memorySlot = kBorderize, .validateMessage = 0,
    .previewId = IDC_BORDER_PREVIEW,
    .pairCount = 0, .pairs = {},
    .colorCount = 1,
    .colors = {{IDC_BORDER_COLOR, 11, ColorCell::kColorRefWord}},
    .list = {IDC_BORDER_DEPTH, 4}, .actOnRelease = false, .singleEdit = false,
    .customColor = kAllBitsCustomColors,
    .onOpen = nullptr, .onCommand = nullptr, .onDrawItem = nullptr, .apply = nullptr, .validateAtOnce = nullptr,
};

void OpenShadowDialog(DialogState& state)
{
    SetWindowTextW(state.dialog, state.dropShadow ? L"Drop Shadow Settings" : L"Inner Shadow Settings");
}
