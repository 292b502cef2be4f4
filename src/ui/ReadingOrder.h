#pragma once
// Which way a control reads its text. A right-to-left window mirrors its controls, and a
// mirrored edit box reads right to left: right for Arabic, wrong for a GUID or a Latin name,
// whose braces, hyphens and digits would be shown in reverse order.
#include <windows.h>

#include <string>

namespace orvelin {

enum class ReadingOrder { LeftToRight, RightToLeft };

// The order of the text's first strong character: right to left for a letter of a
// right-to-left script (Arabic, Hebrew), left to right for any other letter; left to right
// when the text has none (digits, punctuation, nothing).
ReadingOrder ReadingOrderOf(const std::wstring& text);

// Makes the control read in that order whatever the window's layout: mirrored for right to
// left, not mirrored for left to right.
void SetReadingOrder(HWND control, ReadingOrder order);

}  // namespace orvelin
