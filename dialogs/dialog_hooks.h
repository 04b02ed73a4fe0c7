// The parts of single dialogs that the common description cannot say.
#pragma once

#include "dialogs/dialog_state.h"

// Bevel: the eight light direction buttons.
void OpenBevelDialog(DialogState& state);
bool BevelCommand(DialogState& state, int id, int code);
bool DrawBevelDirection(DialogState& state, const DRAWITEMSTRUCT& item);

// Inner and drop shadow: the title by kind.
void OpenShadowDialog(DialogState& state);

// Custom filter: the 25 weights, the scale and the offset.
void OpenCustomDialog(DialogState& state);
bool CustomCommand(DialogState& state, int id, int code);
void ValidateCustomEdit(DialogState& state, int editId);

// Effect style.
void OpenStyleDialog(DialogState& state);
bool ApplyStyle(DialogState& state);
