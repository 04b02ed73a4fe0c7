// Files for tests: a private temporary folder per test program, whole-file reads and writes.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// A fresh folder under the temporary directory, removed with its files at exit.
const std::wstring& TestFolder();

// Path of a file inside TestFolder().
std::wstring TestPath(const std::wstring& name);

std::vector<uint8_t> ReadBytes(const std::wstring& path);
bool WriteBytes(const std::wstring& path, const std::vector<uint8_t>& bytes);
bool FileExists(const std::wstring& path);

// Path of a file in tests/fixtures.
std::wstring FixturePath(const std::wstring& name);
