#include "undo_chain.h"

void ReplaceUndoChain(ShellState& shell)
{
    DeleteUndoChain(shell);
#ifdef PYX_HAS_UNDO_CHAIN
    shell.undoChain = PYX_InitNewUndoChain();
#endif
}

void DeleteUndoChain(ShellState& shell)
{
#ifdef PYX_HAS_UNDO_CHAIN
    PYX_DeleteUndoChain(shell.undoChain);
#endif
    shell.undoChain = nullptr;
}

bool CanUndo(const ShellState& shell)
{
#ifdef PYX_HAS_UNDO_CHAIN
    return shell.undoChain && shell.undoChain->canUndo;
#else
    (void)shell;
    return false;
#endif
}

bool CanRedo(const ShellState& shell)
{
#ifdef PYX_HAS_UNDO_CHAIN
    return shell.undoChain && shell.undoChain->canRedo;
#else
    (void)shell;
    return false;
#endif
}
