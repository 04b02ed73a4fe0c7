// Which controls of the tool options bar belong to which tool and which option each one
// edits.
#pragma once

#include <windows.h>

#include <span>

#include "option_correction.h"
#include "toolrack.h"

using OptionField = int32_t ToolOptions::*;

// A numeric edit with its spin, the private message its text changes post, and its field.
struct NumericOption {
    int editId;
    int spinId;
    UINT message;
    OptionRange range;
    OptionField field;
};

// A checkbox and the flag it stores.
struct CheckOption {
    int boxId;
    OptionField field;
};

// A Round Rectangle box and the radius labels, edits and spins it enables.
struct RadiusGroup {
    int boxId;
    int firstControl;
    int lastControl;
    OptionField rounded;
};

// The controls shown while tool n (0..21) is current; empty for other numbers.
std::span<const int> ControlSetOf(int tool);

std::span<const NumericOption> NumericOptions();
std::span<const CheckOption> CheckOptions();
std::span<const RadiusGroup> RadiusGroups();

const NumericOption* NumericOptionForEdit(int editId);
const NumericOption* NumericOptionForMessage(UINT message);
const CheckOption* CheckOptionForBox(int boxId);
const RadiusGroup* RadiusGroupForBox(int boxId);
