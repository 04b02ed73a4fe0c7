// The settings the dialogs remember for the rest of the run: set when the library loads,
// read at every opening, written back only when a dialog is closed with OK. Nothing is
// stored anywhere else.
#include <cstring>

#include "dialogs/dialog_state.h"

namespace {

struct Remembered {
    SettingWords words[kFilterTypeCount + 1];  // by filter type; type 5's row is the effect's
    int32_t kernel[25];
};

// The filters' starting values come from the filter table; the colors the dialogs show
// are opaque.
void SetFilterStarts(Remembered& memory)
{
    for (const FilterRow& row : kFilterTable)
        for (int i = 0; i < row.parameterCount; i++) {
            const FilterParameter& p = row.parameters[i];
            const bool opaque = p.value == FilterValue::kColor || p.value == FilterValue::kShadowColor;
            memory.words[row.type][p.word] = opaque ? int32_t(uint32_t(p.start) | 0xFF000000u) : p.start;
        }
}

void SetEffectStarts(SettingWords& words)
{
    words[kUpperIntensity] = 50;
    words[kLowerIntensity] = 50;
    words[kShadowIntensity] = 0;
    words[kReflexScale] = 60;
    words[kUpperColor] = int32_t(0xFFFFFFFFu);
    words[kLowerColor] = int32_t(0xFFFFFFFFu);
    words[kShadowColor] = int32_t(0xFF000000u);
}

Remembered MakeStarts()
{
    Remembered memory{};
    SetFilterStarts(memory);
    SetEffectStarts(memory.words[kNoFilter]);
    memory.kernel[12] = 1;  // the identity: only the centre weighs
    return memory;
}

Remembered gRemembered = MakeStarts();

}  // namespace

const FilterParameter* FindParameter(FilterType type, int word)
{
    const FilterRow* row = FindFilter(type);
    if (!row)
        return nullptr;
    for (int i = 0; i < row->parameterCount; i++)
        if (row->parameters[i].word == word)
            return &row->parameters[i];
    return nullptr;
}

void LoadRemembered(DialogState& state)
{
    std::memcpy(state.words, gRemembered.words[state.layout->memorySlot], sizeof state.words);
    std::memcpy(state.kernel, gRemembered.kernel, sizeof state.kernel);
}

void StoreRemembered(const DialogState& state)
{
    std::memcpy(gRemembered.words[state.layout->memorySlot], state.words, sizeof state.words);
    if (state.layout->type == kCustomFilter)
        std::memcpy(gRemembered.kernel, state.kernel, sizeof state.kernel);
}
