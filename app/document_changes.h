// What the shell does when the document changes hands: the question about unsaved changes,
// installing a newly loaded document, and keeping the color picker in step with its depth.
#pragma once

#include "shell_state.h"

enum class SaveAnswer { Continue, Abandon };

// How a Yes saves: as a project (at exit) or as the kind the document was read from.
enum class SaveChangesAs { Project, DocumentKind };

// Asks whether a changed document should be saved first. Abandon when the user cancels,
// or answered Yes and the document was not saved (the save dialog cancelled or the save
// failed), so that no changes are lost without a No.
SaveAnswer AskToSaveChanges(ShellState& shell, SaveChangesAs as = SaveChangesAs::Project);

// Makes a newly loaded Resource the document and puts the path at the top of the recent
// files; destroys it and shows `emptyMessage` when it has no Images. A null Resource (the
// reader already told the user) leaves everything as it was.
bool InstallDocument(ShellState& shell, Resource* loaded, const wchar_t* path, const wchar_t* emptyMessage);

// Makes `document` the open document (the old one is destroyed), with a fresh undo chain,
// the first Image and layer current, the selection reset and every panel told at once.
void SwapInDocument(ShellState& shell, Resource* document);

// The messages for a file without Images.
extern const wchar_t kNoIconMessage[];
extern const wchar_t kNoCursorMessage[];
extern const wchar_t kNoAnimatedCursorMessage[];

// Gives a document without creator or title the program's own ("Vexil Icon Editor", "Untitled").
void SetDocumentNames(Resource* document);

// Tells the color picker the current Image's depth.
void SynchronizeDepth(const AppContext& context);
