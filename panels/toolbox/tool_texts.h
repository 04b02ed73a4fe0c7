// The words the toolbox and the tool options bar show for each tool.
#pragma once

// Tooltip of toolbox button n (0..21).
const wchar_t* ToolTooltipText(int tool);

// Title line of the tool options bar for tool n (0..21).
const wchar_t* ToolOptionsTitle(int tool);
