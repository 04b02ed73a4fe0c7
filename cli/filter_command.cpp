#include "cli/filter_command.h"

#include <cwchar>

namespace {

enum class Value { kNumber, kOddNumber, kColor, kColorRef, kShadowColor };

// One parameter: the request word it fills (4..12), its kind and its allowed range.
struct Parameter {
    int word;
    Value value;
    long long low, high;
    const wchar_t* name;
};

struct FilterSyntax {
    int type;
    const wchar_t* name;
    std::vector<Parameter> parameters;
};

const long long kAnyColor = 0xFFFFFF;

const std::vector<FilterSyntax>& Syntaxes()
{
    static const std::vector<FilterSyntax> syntaxes = {
        {1, L"custom", {{4, Value::kNumber, 1, 9, L"SIZE"}, {5, Value::kNumber, -1000000, 1000000, L"SCALE"},
                        {6, Value::kNumber, -1000, 1000, L"OFFSET"}}},
        {2, L"colorize", {{4, Value::kNumber, 0, 255, L"RED"}, {5, Value::kNumber, 0, 255, L"GREEN"},
                          {6, Value::kNumber, 0, 255, L"BLUE"}}},
        {3, L"brightness-contrast", {{4, Value::kNumber, -255, 255, L"BRIGHTNESS"}, {5, Value::kNumber, -100, 100, L"CONTRAST"}}},
        {4, L"linear-blur", {}},
        {6, L"motion-blur", {}},
        {7, L"soften", {}},
        {8, L"sharpen", {}},
        {9, L"unsharp-mask", {}},
        {10, L"gaussian-blur", {}},
        {11, L"color-emboss", {}},
        {12, L"gray-emboss", {}},
        {13, L"defocus", {}},
        {14, L"negative", {}},
        {15, L"grayscale", {}},
        {16, L"hsl", {{4, Value::kNumber, -180, 180, L"HUE"}, {5, Value::kNumber, -100, 100, L"SATURATION"},
                      {6, Value::kNumber, -100, 100, L"LUMINANCE"}}},
        {17, L"inner-shadow", {{4, Value::kNumber, -32768, 32767, L"X"}, {5, Value::kNumber, -32768, 32767, L"Y"},
                               {6, Value::kNumber, 0, 100, L"OPACITY"}, {8, Value::kShadowColor, 0, kAnyColor, L"COLOR"},
                               {9, Value::kNumber, 0, 50, L"BLUR"}}},
        {18, L"drop-shadow", {{4, Value::kNumber, -32768, 32767, L"X"}, {5, Value::kNumber, -32768, 32767, L"Y"},
                              {6, Value::kNumber, 0, 100, L"OPACITY"}, {8, Value::kShadowColor, 0, kAnyColor, L"COLOR"},
                              {9, Value::kNumber, 0, 50, L"BLUR"}}},
        {19, L"opacity", {{4, Value::kNumber, -100, 100, L"CHANGE"}}},
        {20, L"bevel", {{4, Value::kNumber, 0, 255, L"LIGHT-OPACITY"}, {5, Value::kNumber, 0, 255, L"SHADOW-OPACITY"},
                        {6, Value::kNumber, 1, 8, L"DIRECTION"}, {10, Value::kOddNumber, 3, 7, L"DEPTH"},
                        {11, Value::kColor, 0, kAnyColor, L"LIGHT-COLOR"}, {12, Value::kColor, 0, kAnyColor, L"SHADOW-COLOR"}}},
        {21, L"heavy-blur", {{9, Value::kNumber, 0, 50, L"FACTOR"}}},
        {22, L"borderize", {{4, Value::kOddNumber, 3, 9, L"DEPTH"}, {11, Value::kColorRef, 0, kAnyColor, L"COLOR"}}},
    };
    return syntaxes;
}

const FilterSyntax* FindSyntax(const std::wstring& type)
{
    wchar_t* end = nullptr;
    const long number = std::wcstol(type.c_str(), &end, 10);
    const bool isNumber = !type.empty() && *end == 0;
    for (const FilterSyntax& syntax : Syntaxes())
        if (isNumber ? syntax.type == number : type == syntax.name)
            return &syntax;
    return nullptr;
}

bool ParseNumber(const std::wstring& text, long long* value)
{
    wchar_t* end = nullptr;
    *value = std::wcstoll(text.c_str(), &end, 10);
    return !text.empty() && *end == 0;
}

// RRGGBB in hexadecimal, with or without a leading '#'.
bool ParseColor(const std::wstring& text, long long* value)
{
    const std::wstring digits = !text.empty() && text[0] == L'#' ? text.substr(1) : text;
    if (digits.size() != 6 || digits.find_first_not_of(L"0123456789abcdefABCDEF") != std::wstring::npos)
        return false;
    *value = std::wcstoll(digits.c_str(), nullptr, 16);
    return true;
}

int32_t* WordOf(FilterParams& params, int word)
{
    switch (word) {
    case 4: return &params.word4;
    case 5: return &params.word5;
    case 6: return &params.word6;
    case 9: return &params.word9;
    case 10: return &params.word10;
    case 11: return &params.word11;
    default: return &params.word12;
    }
}

bool Store(const Parameter& p, const std::wstring& text, FilterCommand* command, std::wstring* error)
{
    long long value = 0;
    const bool color = p.value != Value::kNumber && p.value != Value::kOddNumber;
    const bool odd = p.value == Value::kOddNumber;  // the depths: 3, 5, 7 (and 9 for the border)
    if (!(color ? ParseColor(text, &value) : ParseNumber(text, &value))) {
        *error = p.name + std::wstring(L" must be ") + (color ? L"a color RRGGBB" : L"a whole number") + L", not \"" + text + L"\"";
        return false;
    }
    if (value < p.low || value > p.high || (odd && value % 2 == 0)) {
        *error = p.name + std::wstring(L" must be ") + (odd ? L"an odd number" : L"a number") + L" from " +
                 std::to_wstring(p.low) + L" to " + std::to_wstring(p.high) + L", not " + text;
        return false;
    }
    switch (p.value) {
    case Value::kShadowColor: command->shadowColor = uint32_t(value) | 0xFF000000u; break;
    case Value::kColorRef:  // the border color is read with red in the low byte
        *WordOf(command->params, p.word) = int32_t((value >> 16 & 0xFF) | (value & 0xFF00) | (value & 0xFF) << 16);
        break;
    default: *WordOf(command->params, p.word) = int32_t(value); break;
    }
    return true;
}

bool ParseKernel(const std::vector<std::wstring>& weights, FilterCommand* command, std::wstring* error)
{
    const size_t count = size_t(command->params.word4) * size_t(command->params.word4);
    if (weights.size() != count) {
        *error = L"a kernel of size " + std::to_wstring(command->params.word4) + L" needs " + std::to_wstring(count) +
                 L" weights, not " + std::to_wstring(weights.size());
        return false;
    }
    for (const std::wstring& text : weights) {
        long long weight = 0;
        if (!ParseNumber(text, &weight) || weight < -1000000 || weight > 1000000) {
            *error = L"a weight must be a whole number from -1000000 to 1000000, not \"" + text + L"\"";
            return false;
        }
        command->kernel.push_back(int32_t(weight));
    }
    return true;
}

}  // namespace

const wchar_t kFilterUsage[] =
    L"TYPE is a number or a name; PARAMS follow it in this order:\n"
    L"  1 custom SIZE(1..9) SCALE OFFSET W1 .. Wn   n = SIZE x SIZE weights, top row first\n"
    L"  2 colorize RED GREEN BLUE (0..255)\n"
    L"  3 brightness-contrast BRIGHTNESS(-255..255) CONTRAST(-100..100)\n"
    L"  4 linear-blur, 6 motion-blur, 7 soften, 8 sharpen, 9 unsharp-mask, 10 gaussian-blur,\n"
    L"  11 color-emboss, 12 gray-emboss, 13 defocus, 14 negative, 15 grayscale (no PARAMS)\n"
    L"  16 hsl HUE(-180..180) SATURATION(-100..100) LUMINANCE(-100..100)\n"
    L"  17 inner-shadow, 18 drop-shadow X Y OPACITY(0..100) COLOR BLUR(0..50)\n"
    L"  19 opacity CHANGE(-100..100)\n"
    L"  20 bevel LIGHT-OPACITY SHADOW-OPACITY(0..255) DIRECTION(1 top .. 8 top left, clockwise)\n"
    L"     DEPTH(3, 5, 7) LIGHT-COLOR SHADOW-COLOR\n"
    L"  21 heavy-blur FACTOR(0..50)\n"
    L"  22 borderize DEPTH(3, 5, 7, 9) COLOR\n"
    L"Colors are RRGGBB in hexadecimal, e.g. ff8000.\n";

bool ParseFilterCommand(const std::wstring& type, const std::vector<std::wstring>& params, FilterCommand* command,
                        std::wstring* error)
{
    const FilterSyntax* syntax = FindSyntax(type);
    if (!syntax) {
        *error = L"\"" + type + L"\" is not a filter type";
        return false;
    }
    command->params.filterType = syntax->type;
    const size_t fixed = syntax->parameters.size();
    if (params.size() < fixed || (syntax->type != 1 && params.size() != fixed)) {
        *error = std::wstring(syntax->name) + L" takes " + std::to_wstring(fixed) + L" parameters" +
                 (syntax->type == 1 ? L" and the weights" : L"") + L", not " + std::to_wstring(params.size());
        return false;
    }
    for (size_t i = 0; i < fixed; i++)
        if (!Store(syntax->parameters[i], params[i], command, error))
            return false;
    if (syntax->type == 1)
        return ParseKernel(std::vector<std::wstring>(params.begin() + fixed, params.end()), command, error);
    return true;
}

FilterParams RequestFor(FilterCommand& command, Gdiplus::Bitmap* source)
{
    FilterParams params = command.params;
    params.source = source;
    params.kernel = command.kernel.data();
    params.shadowColor = &command.shadowColor;
    return params;
}
