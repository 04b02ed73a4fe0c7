// Creating the six panels through their libraries' exports, and destroying them.
#pragma once

#include "common/app_context.h"

// Creates the panels in their fixed order and lays them out; false (with the panels made
// so far destroyed) when one of them could not be created.
bool CreatePanels(AppContext* context);
void DestroyPanels(AppContext* context);

// Posts a message to every panel that exists.
void PostToAllPanels(const AppContext& context, UINT message, WPARAM wParam, LPARAM lParam);
