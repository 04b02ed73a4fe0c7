// vexilc info: the images of documents and icon libraries, as text lines or as JSON.
#pragma once

#include <string>
#include <vector>

enum class InfoStyle { kText, kJson };

// `text` with JSON's string escapes, quoted; everything outside printable ASCII as \uXXXX,
// so the output is plain ASCII whatever the console's code page.
std::string JsonString(const std::wstring& text);

// Prints every file in turn; 0, or 1 when any file could not be read (the others are still
// printed).
int RunInfoCommand(const std::vector<std::wstring>& paths, InfoStyle style);
