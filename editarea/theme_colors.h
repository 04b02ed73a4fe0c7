// The four colors of the editing area, from the visual theme when one is active.
#pragma once

#include "edit_area_state.h"

EditAreaColors LoadEditAreaColors();
