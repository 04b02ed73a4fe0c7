#include "undo_chain.h"

void ReplaceUndoChain(ShellState& shell)
{
    DeleteUndoChain(shell);
    shell.undoChain = PYX_InitNewUndoChain();
}

void DeleteUndoChain(ShellState& shell)
{
    PYX_DeleteUndoChain(shell.undoChain);
    shell.undoChain = nullptr;
}

bool CanUndo(const ShellState& shell)
{
    return shell.undoChain && shell.undoChain->canUndo;
}

bool CanRedo(const ShellState& shell)
{
    return shell.undoChain && shell.undoChain->canRedo;
}
