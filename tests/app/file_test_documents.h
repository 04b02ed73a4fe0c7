// Documents and files the file-command tests start from.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "core/pyx.h"

// A 32-bit Image whose layer and composite carry a pattern with transparent and
// half-transparent pixels.
Image* MakePatternedImage(int width, int height, uint32_t seed);

// A Resource of the given sizes, each a patterned Image.
Resource* MakeDocument(std::initializer_list<int> sides);

// Writes an icon file of one Image of the given side; returns its path.
std::wstring WriteTestIcon(const std::wstring& name, int side);

// The recent-files registry key: made with the given values, or removed.
void SetRegistryRecentFiles(const std::vector<std::wstring>& paths);
void RemoveRegistryRecentFiles();
