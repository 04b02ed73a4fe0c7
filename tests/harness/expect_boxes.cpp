#include "harness/expect_boxes.h"

#include <gtest/gtest.h>

void ExpectOneBox(const MessageBoxRecorder& recorder, const wchar_t* text, const wchar_t* caption)
{
    std::wstring seen;
    for (const RecordedMessageBox& box : recorder.boxes())
        seen += L"[" + box.caption + L": " + box.text + L"] ";
    ASSERT_EQ(recorder.boxes().size(), 1u) << "expected exactly one box: " << testing::PrintToString(std::wstring(text))
                                           << ", saw " << testing::PrintToString(seen);
    EXPECT_EQ(recorder.boxes()[0].text, text);
    EXPECT_EQ(recorder.boxes()[0].caption, caption);
    EXPECT_TRUE(recorder.boxes()[0].errorIcon) << "the box shows the error icon";
}
