#pragma once

#include <windows.h>

#include "base/String.h"

namespace linkloom {

// Shows a message box with the program's name as caption; beeps when there is no text.
// Returns the button that closed it, 0 when the box failed, IDCANCEL when nothing was shown.
int ShowMessage(UINT style, const String& text);
// The same for a string-resource id.
int ShowMessage(UINT style, UINT textId);

// The call that puts the box up; tests replace it so that no box ever blocks them.
using MessageBoxFunction = int (*)(HWND owner, const wchar_t* text, const wchar_t* caption, UINT style);
MessageBoxFunction SetMessageBoxFunction(MessageBoxFunction function);

// A string resource of the resource module, or of the program's own module when that has none.
String LoadModuleString(UINT id);

}  // namespace linkloom
