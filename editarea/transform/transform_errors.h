// The boxes that refuse a transformation of a blank content.
#pragma once

#include "edit_area_state.h"

enum class BlankRefusal { kFlip, kRotateOrScale };

void ShowBlankRefusal(const EditAreaState& state, BlankRefusal what);
