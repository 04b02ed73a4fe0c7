// The tool options bar's one state record and the routines its dialog procedure calls.
#pragma once

#include <windows.h>

#include "common/app_context.h"
#include "toolrack.h"

struct OptionsBarState {
    ToolOptions options;             // what AppContext::toolOptions points to
    LOGFONTW fontDescription;        // options.textFontDescription points here
    wchar_t text[kToolOptionsTextUnits];  // options.text points here
    int shownTool;                   // the tool whose controls are shown, -1 for none
};

// toolbox_window.cpp: the context given to the toolbox, or null without a toolbox.
AppContext* ToolboxContext();

// option_values.cpp
void ResetToolOptions(OptionsBarState* state);
void WriteOptionsToControls(const OptionsBarState& state);
void CorrectNumericEdit(OptionsBarState* state, UINT message);
void StoreCheckbox(OptionsBarState* state, int boxId);
void EnableRadiusControls(const OptionsBarState& state);

// text_font.cpp
void SetDefaultTextFont(OptionsBarState* state);
void ChooseTextFont(OptionsBarState* state);
void ReleaseTextFont(OptionsBarState* state);
