#pragma once
// The window while LibreOffice saves a word-processor document as HTML: it keeps repainting,
// and commands given meanwhile are refused.

namespace vellumar {

// Lets pending events run for a few milliseconds, except the user's input (keys, clicks,
// closing a window), which is dropped. Called again and again while LibreOffice works
// (LoadOptions::libreOffice.keepWaiting); always true, the window never stops it.
bool keepWindowWaiting();

}  // namespace vellumar
