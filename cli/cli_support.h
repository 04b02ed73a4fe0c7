// What every vexilc command shares: failing with a message, loading a document, finding
// an image.
#pragma once

#include <string>

#include "common/document_ops.h"
#include "common/message_box_recorder.h"
#include "core/pyx.h"

constexpr int kFailure = 1;     // a file could not be read or written
constexpr int kUsageError = 2;  // the command line is wrong

// Prints "vexilc: message" to standard error; returns kFailure.
int Fail(const std::wstring& message);

// Prints "vexilc: message" to standard error; returns kUsageError.
int FailUsage(const std::wstring& message);

// Prints what the core's message boxes said ("caption: text"), or the fallback when no box
// opened; returns kFailure.
int FailWithBoxes(const MessageBoxRecorder& recorder, const std::wstring& fallback);

// Loads a document by extension; on failure prints why, sets *status and returns null.
Resource* Load(const std::wstring& path, const MessageBoxRecorder& recorder, int* status);

// A whole number from the full text, or false.
bool ParseIndex(const std::wstring& text, long* value);
