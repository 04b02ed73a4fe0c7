// The shell's part of the selection: built by the selection library it shares with the
// editing area.
#pragma once

#include "common/document_ops.h"
#include "common/selection/selection_ops.h"
