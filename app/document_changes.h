// What the shell does when the document changes hands: the question about unsaved changes,
// installing a newly loaded document, and keeping the color picker in step with its depth.
#pragma once

#include "shell_state.h"

enum class SaveAnswer { Continue, Abandon };

// Asks whether a changed document should be saved first. Abandon when the user cancels,
// or answered Yes and the document could not be saved.
SaveAnswer AskToSaveChanges(ShellState& shell);

// Makes a newly loaded Resource the document; destroys it and says so when it has no Images.
bool InstallDocument(ShellState& shell, Resource* loaded, const wchar_t* path);

// Gives a document without creator or title the program's own ("Vexil Icon Editor", "Untitled").
void SetDocumentNames(Resource* document);

// Tells the color picker the current Image's depth.
void SynchronizeDepth(const AppContext& context);
