// vexilc effect: one glossy effect, with the style dialog's defaults, on a vector layer.
#pragma once

#include <string>

int RunEffectCommand(const std::wstring& in, const std::wstring& imageText, const std::wstring& layerText,
                     const std::wstring& effectText, const std::wstring& out);
