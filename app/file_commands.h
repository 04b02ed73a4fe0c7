// The File menu: new, the opens, the saves, export, the icon library, image import and the
// recent files. Each command shows its dialog and then hands the chosen path to a function
// that does the rest, which the tests call with real files.
#pragma once

#include <string>

#include "common/picture_export.h"
#include "shell_state.h"

// What a file holds, as the open and save commands choose their reader, writer and dialog.
enum class DocumentKind { Icon = 1, Cursor = 2, AnimatedCursor = 3, Project = 4, Library = 5 };


// The File menu's commands (and Exit); false for any other id.
bool RunFileCommand(ShellState& shell, int commandId);

// The open dialog of `kind`; its title and filter. Returns the chosen path, or empty.
std::wstring ChooseFileToOpen(HWND owner, DocumentKind kind);

// Loads `path` with the reader of `kind` and installs it; the File menu's message for a file
// without Images. True when it became the document.
bool OpenDocument(ShellState& shell, DocumentKind kind, const wchar_t* path);

// The save command of `kind`: its dialog, then SaveDocumentAs. True when the file was written.
bool SaveDocument(ShellState& shell, DocumentKind kind);

// Saves the document as `kind` under the chosen path with the kind's extension forced
// (asking before it replaces another file that way). On success the document is unmodified
// and the title names the path; on failure the user is told and both stay.
bool SaveDocumentAs(ShellState& shell, DocumentKind kind, const wchar_t* chosenPath);

// Writes the current Image in `format` to the chosen path with the format's extension.
bool ExportCurrentImage(ShellState& shell, ExportFormat format, const wchar_t* chosenPath);

// New Project: a fresh document after the question about changes.
void NewProject(ShellState& shell);
