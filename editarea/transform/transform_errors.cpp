#include "transform/transform_errors.h"

void ShowBlankRefusal(const EditAreaState& state, BlankRefusal what)
{
    const wchar_t* text = what == BlankRefusal::kFlip ? L"You can not flip a blank area."
                                                      : L"You can not rotate or scale a blank area.";
    MessageBoxW(state.parent, text, L"Transform Error", MB_OK | MB_ICONERROR);
}
