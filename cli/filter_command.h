// The settings of "vexilc filter": a filter type by number or name and its parameters.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "filters/sieve.h"

struct FilterCommand {
    FilterParams params{};  // source, kernel and shadowColor are set by RequestFor
    std::vector<int32_t> kernel;
    uint32_t shadowColor = 0;
};

// The usage lines that describe the filter types and their parameters, made from the
// filter table.
std::wstring FilterUsage();

// Reads TYPE and PARAMS; on a mistake returns false and says what is wrong in `error`.
bool ParseFilterCommand(const std::wstring& type, const std::vector<std::wstring>& params, FilterCommand* command,
                        std::wstring* error);

// The request for one source bitmap; valid while `command` lives.
FilterParams RequestFor(FilterCommand& command, Gdiplus::Bitmap* source);
