// The records every settings dialog is built from: one description per dialog (its
// controls, where their ranges come from, which setting each fills) and the one state
// record of the dialog that is open.
#pragma once

#include <windows.h>
#include <gdiplus.h>

#include <cstdint>

#include "common/app_context.h"
#include "core/pyx.h"
#include "dialogs/preview_fit.h"
#include "effects/lustre.h"
#include "filters/filter_table.h"
#include "filters/sieve.h"

// A dialog's settings are numbered words: for the filter dialogs the words 4..12 of the
// filter request, except that word 8 holds the shadow color itself (the request points at
// it); for the effect dialog the slots below. Words 0..3 are unused.
constexpr int kSettingWords = 13;
using SettingWords = int32_t[kSettingWords];

enum EffectSetting : int {
    kUpperIntensity = 4,
    kLowerIntensity = 5,
    kShadowIntensity = 6,
    kReflexScale = 7,
    kUpperColor = 9,
    kLowerColor = 10,
    kShadowColor = 11,
};

enum class EditSign : uint8_t { kUnsigned, kSigned };

// A slider with an optional paired edit (editId 0: the slider stands alone).
struct PairLayout {
    int editId;
    int sliderId;
    int word;
    EditSign sign;
    int characters;
    int32_t low, high;  // used when the filter table has no row for the word (the effect)
};

enum class ColorCell : uint8_t {
    kOpaqueWord,     // the word holds 0xFFRRGGBB
    kColorRefWord,   // the word holds red + 256 green + 65536 blue, as the chooser gives it
    kRgbWords,       // words 4, 5, 6 hold red, green, blue (colorize)
};

struct ColorLayout {
    int buttonId;
    int word;
    ColorCell cell;
};

// A drop-down list of depths: item i stands for low + 2 i of the word's table range.
struct ListLayout {
    int listId;  // 0: none
    int word;
};

struct DialogState;

struct DialogLayout {
    int resource;
    FilterType type;        // the effect dialog: kNoFilter
    FilterType memorySlot;  // whose remembered settings it shares
    unsigned validateMessage;  // 0: edits validate at once (custom filter)
    int previewId;
    int pairCount;
    PairLayout pairs[4];
    int colorCount;
    ColorLayout colors[3];
    ListLayout list;
    bool actOnRelease;       // ignore slider notifications during a thumb drag
    // The opacity dialog's one edit: text that is no number sets edit and slider to 0, its
    // validation message carries 0, and the caret goes to the end afterwards.
    bool singleEdit;
    COLORREF customColor;    // what the chooser's 16 custom colors start as
    // Dialog-specific parts; any may be null.
    void (*onOpen)(DialogState& state);
    bool (*onCommand)(DialogState& state, int id, int code);
    bool (*onDrawItem)(DialogState& state, const DRAWITEMSTRUCT& item);
    bool (*apply)(DialogState& state);  // null: the filter is drawn into the selection
    void (*validateAtOnce)(DialogState& state, int editId);  // with validateMessage 0
};

// The dialog that is open (one at a time), rebuilt at every opening.
struct DialogState {
    const DialogLayout* layout = nullptr;
    HWND dialog = nullptr;
    HWND owner = nullptr;
    HWND preview = nullptr;
    AppContext* context = nullptr;
    Image* image = nullptr;
    Layer* layer = nullptr;
    SettingWords words = {};
    int32_t kernel[25] = {};
    int32_t dropShadow = 0;
    int32_t effect = 0;
    FilterParams request = {};
    EffectStyle style = {};
    EffectParams effectRequest = {};
    Gdiplus::GraphicsPath* effectPath = nullptr;  // the dialog's copy of the outline
    Gdiplus::Bitmap* previewBitmap = nullptr;
    Gdiplus::Bitmap* previewBuffer = nullptr;
    PreviewRect fit = {};
    COLORREF customColors[16] = {};
    bool editSync = false;  // edits report changes only while set
};

// ---- dialog_frame.cpp: what every dialog shares ----
INT_PTR RunSettingsDialog(const DialogLayout& layout, HWND owner, AppContext* context, DialogState& state);
void UpdatePreview(DialogState& state);
void SetEditNumber(DialogState& state, int editId, int32_t value);
void Redraw(HWND window);
// Edits validate themselves also on losing the focus and on a released Enter.
void SubclassEdit(DialogState& state, HWND edit);
HMODULE DialogModule();

// ---- filter_apply.cpp ----
// Draws the preview result into the layer and the selection content, inside the region.
bool ApplyFilterResult(DialogState& state);
void ReportNotApplied(HWND dialog);

// ---- effect_dialog.cpp ----
// The effect drawn on a fresh copy of the layer, or null.
Gdiplus::Bitmap* EffectPreview(DialogState& state);

// ---- remembered.cpp ----
void LoadRemembered(DialogState& state);
void StoreRemembered(const DialogState& state);
const FilterParameter* FindParameter(FilterType type, int word);

// ---- the dialog descriptions ----
extern const DialogLayout kStyleDialog, kBevelDialog, kShadowDialog, kColorizeDialog, kHslDialog,
    kContrastDialog, kOpacityDialog, kBlurDialog, kCustomDialog, kBorderizeDialog;
