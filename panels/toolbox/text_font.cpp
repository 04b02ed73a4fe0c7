// The font of the text tools: the description the font dialog edits, the drawing font made
// from it, and the font line that names it.
#include <windows.h>

#include <commdlg.h>

#include <cwchar>

#include "options_bar_state.h"
#include "toolrack_ids.h"

using namespace Gdiplus;

namespace {

constexpr wchar_t kDefaultFace[] = L"Arial";
constexpr int kDefaultPoints = 10;

// The face in the given size and style; the generic sans-serif family stands in for a face
// that cannot be made.
Font* MakeTextFont(const wchar_t* face, float points, int style)
{
    Font* font = new Font(face, points, style, UnitPoint);
    if (font->GetLastStatus() == Ok)
        return font;
    delete font;
    return new Font(FontFamily::GenericSansSerif(), points, style, UnitPoint);
}

const wchar_t* StyleWord(const LOGFONTW& description)
{
    const bool bold = description.lfWeight > FW_NORMAL;
    if (description.lfItalic)
        return bold ? L"Bold Italic" : L"Italic";
    return bold ? L"Bold" : L"Regular";
}

void WriteFontLine(const OptionsBarState& state, int points)
{
    wchar_t line[LF_FACESIZE + 64];
    swprintf(line, sizeof(line) / sizeof(line[0]), L"Font : %ls; Size : %d; Style : %ls",
             state.fontDescription.lfFaceName, points, StyleWord(state.fontDescription));
    SetDlgItemTextW(state.options.bar, IDC_FONT_LINE, line);
}

int StyleOf(const CHOOSEFONTW& choice)
{
    int style = FontStyleRegular;
    if (choice.nFontType & BOLD_FONTTYPE)
        style |= FontStyleBold;
    if (choice.nFontType & ITALIC_FONTTYPE)
        style |= FontStyleItalic;
    return style;
}

void ReplaceTextFont(OptionsBarState* state, Font* font)
{
    delete state->options.textFont;
    state->options.textFont = font;
}

}  // namespace

void SetDefaultTextFont(OptionsBarState* state)
{
    LOGFONTW& description = state->fontDescription;
    description = {};
    HDC screen = GetDC(nullptr);
    description.lfHeight = -MulDiv(kDefaultPoints, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    description.lfWeight = FW_NORMAL;
    description.lfCharSet = DEFAULT_CHARSET;
    wcscpy(description.lfFaceName, kDefaultFace);
    ReplaceTextFont(state, MakeTextFont(kDefaultFace, kDefaultPoints, FontStyleRegular));
    WriteFontLine(*state, kDefaultPoints);
}

void ChooseTextFont(OptionsBarState* state)
{
    LOGFONTW chosen = state->fontDescription;  // Cancel must leave the stored one untouched
    CHOOSEFONTW choice{};
    choice.lStructSize = sizeof(choice);
    choice.hwndOwner = state->options.parent;
    choice.lpLogFont = &chosen;
    choice.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_NOVERTFONTS | CF_FORCEFONTEXIST;
    if (!ChooseFontW(&choice))
        return;
    state->fontDescription = chosen;
    const float points = choice.iPointSize / 10.0f;  // the dialog reports tenths of a point
    ReplaceTextFont(state, MakeTextFont(chosen.lfFaceName, points, StyleOf(choice)));
    WriteFontLine(*state, choice.iPointSize / 10);
}

void ReleaseTextFont(OptionsBarState* state)
{
    ReplaceTextFont(state, nullptr);
}
