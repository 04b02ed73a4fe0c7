#include "edit_area_state.h"

#include "common/document_ops.h"

namespace {
EditAreaState gEditArea;
}

EditAreaState& Easel()
{
    return gEditArea;
}

void LookUpImage(EditAreaState& state)
{
    state.image = state.context ? CurrentImage(*state.context) : nullptr;
}

void LookUpLayer(EditAreaState& state)
{
    state.layer = state.context ? LayerAt(state.image, state.context->currentLayer) : nullptr;
}
