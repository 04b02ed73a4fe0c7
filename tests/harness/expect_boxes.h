// The one check every failure-path test makes: exactly one box, with these words, the
// error icon.
#pragma once

#include "common/message_box_recorder.h"

void ExpectOneBox(const MessageBoxRecorder& recorder, const wchar_t* text, const wchar_t* caption);
