#include "cli/filter_command.h"

#include <cwchar>

#include "filters/filter_table.h"

namespace {

// Every weight of a custom kernel lies within this much of 0.
constexpr long long kLargestWeight = 1000000;

// The usage lines are wrapped before they grow longer than this.
constexpr size_t kUsageWidth = 92;

const FilterRow* FindSyntax(const std::wstring& type)
{
    wchar_t* end = nullptr;
    const long number = std::wcstol(type.c_str(), &end, 10);
    if (!type.empty() && *end == 0)
        return number >= 1 && number <= kFilterTypeCount ? FindFilter(int32_t(number)) : nullptr;
    for (const FilterRow& row : kFilterTable)
        if (row.name && type == row.name)
            return &row;
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

bool IsColor(FilterValue value)
{
    return value == FilterValue::kColor || value == FilterValue::kColorRef || value == FilterValue::kShadowColor;
}

bool Store(const FilterParameter& p, const std::wstring& text, FilterCommand* command, std::wstring* error)
{
    long long value = 0;
    const bool color = IsColor(p.value);
    const bool odd = p.value == FilterValue::kOddNumber;  // the depths: 3, 5, 7 (and 9 for the border)
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
    case FilterValue::kShadowColor: command->shadowColor = uint32_t(value) | 0xFF000000u; break;
    case FilterValue::kColorRef:  // the border color is read with red in the low byte
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
        if (!ParseNumber(text, &weight) || weight < -kLargestWeight || weight > kLargestWeight) {
            *error = L"a weight must be a whole number from " + std::to_wstring(-kLargestWeight) + L" to " +
                     std::to_wstring(kLargestWeight) + L", not \"" + text + L"\"";
            return false;
        }
        command->kernel.push_back(int32_t(weight));
    }
    return true;
}

// "(0..255)", "(3, 5, 7)"; nothing where the range is not worth a mention (offsets, colors,
// the custom kernel's scale and offset).
std::wstring RangeText(const FilterParameter& p)
{
    switch (p.value) {
    case FilterValue::kNumber: return L"(" + std::to_wstring(p.low) + L".." + std::to_wstring(p.high) + L")";
    case FilterValue::kDirection:
        return L"(" + std::to_wstring(p.low) + L" top .. " + std::to_wstring(p.high) + L" top left, clockwise)";
    case FilterValue::kOddNumber: {
        std::wstring text;
        for (int32_t value = p.low | 1; value <= p.high; value += 2)
            text += (text.empty() ? L"(" : L", ") + std::to_wstring(value);
        return text + L")";
    }
    default: return L"";
    }
}

bool SameRange(const FilterParameter& a, const FilterParameter& b)
{
    return a.value == b.value && a.low == b.low && a.high == b.high;
}

bool SameParameters(const FilterRow& a, const FilterRow& b)
{
    if (a.parameterCount != b.parameterCount || a.takesKernel != b.takesKernel)
        return false;
    for (int i = 0; i < a.parameterCount; i++)
        if (a.parameters[i].word != b.parameters[i].word || !SameRange(a.parameters[i], b.parameters[i]) ||
            std::wcscmp(a.parameters[i].name, b.parameters[i].name) != 0)
            return false;
    return true;
}

// The parameters as the usage shows them: a range shared by neighbours follows the last.
std::vector<std::wstring> ParameterWords(const FilterRow& row)
{
    std::vector<std::wstring> words;
    for (int i = 0; i < row.parameterCount; i++) {
        const FilterParameter& p = row.parameters[i];
        const bool sharesNext = i + 1 < row.parameterCount && SameRange(p, row.parameters[i + 1]);
        words.push_back(p.name + (sharesNext ? std::wstring() : RangeText(p)));
    }
    if (row.takesKernel)
        words.push_back(L"W1 .. Wn   n = SIZE x SIZE weights, top row first");
    if (words.empty())
        words.push_back(L"(no PARAMS)");
    return words;
}

// Appends the words to the usage, wrapping long lines under the given indent.
void AppendWrapped(const std::vector<std::wstring>& words, const wchar_t* indent, std::wstring* line,
                   std::wstring* usage)
{
    for (const std::wstring& word : words) {
        if (line->size() + 1 + word.size() > kUsageWidth) {
            *usage += *line + L"\n";
            *line = indent;
        } else {
            *line += L" ";
        }
        *line += word;
    }
}

// One line (or more) for a run of filters that take the same parameters.
void AppendGroup(const std::vector<const FilterRow*>& rows, std::wstring* usage)
{
    std::vector<std::wstring> names;
    for (const FilterRow* row : rows)
        names.push_back(std::to_wstring(row->type) + L" " + row->name + (row == rows.back() ? L"" : L","));
    std::wstring line = L" ";
    AppendWrapped(names, L"  ", &line, usage);
    AppendWrapped(ParameterWords(*rows.front()), L"     ", &line, usage);
    *usage += line + L"\n";
}

}  // namespace

std::wstring FilterUsage()
{
    std::wstring usage = L"TYPE is a number or a name; PARAMS follow it in this order:\n";
    std::vector<const FilterRow*> group;
    for (const FilterRow& row : kFilterTable) {
        if (!row.name)
            continue;
        if (!group.empty() && !SameParameters(*group.front(), row)) {
            AppendGroup(group, &usage);
            group.clear();
        }
        group.push_back(&row);
    }
    AppendGroup(group, &usage);
    return usage + L"Colors are RRGGBB in hexadecimal, e.g. ff8000.\n";
}

bool ParseFilterCommand(const std::wstring& type, const std::vector<std::wstring>& params, FilterCommand* command,
                        std::wstring* error)
{
    const FilterRow* row = FindSyntax(type);
    if (!row) {
        *error = L"\"" + type + L"\" is not a filter type";
        return false;
    }
    command->params.filterType = row->type;
    const size_t fixed = size_t(row->parameterCount);
    if (params.size() < fixed || (!row->takesKernel && params.size() != fixed)) {
        *error = std::wstring(row->name) + L" takes " + std::to_wstring(fixed) + L" parameters" +
                 (row->takesKernel ? L" and the weights" : L"") + L", not " + std::to_wstring(params.size());
        return false;
    }
    for (size_t i = 0; i < fixed; i++)
        if (!Store(row->parameters[i], params[i], command, error))
            return false;
    if (row->takesKernel)
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
