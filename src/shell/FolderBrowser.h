#pragma once

#include <windows.h>
#include <shlobj.h>

#include <optional>

#include "base/String.h"

namespace linkloom {

// Where the browser starts for the folder box's text: the text before its first "|" (when
// that is not the first character), trimmed, with environment variables expanded; nothing
// for a blank box.
std::optional<String> BrowseStartText(const String& boxText);

// The system's folder browser, titled `title`, started at `start` or, without one, at the
// documents folder. The chosen folder's path, or its parsing name when it has none; nothing
// when the user cancels.
std::optional<String> BrowseForFolder(HWND owner, const String& title, const std::optional<String>& start);

// The browser's start-up callback: selects the start (`data`, a text, or the documents list
// when null) and scrolls the tree to it a moment later. Always 0.
int CALLBACK BrowseCallback(HWND browser, UINT message, LPARAM parameter, LPARAM data);

// The call that runs the browser; tests replace it so that no browser ever blocks them.
using BrowseFunction = PIDLIST_ABSOLUTE(WINAPI*)(LPBROWSEINFOW info);
BrowseFunction SetBrowseFunction(BrowseFunction function);

}  // namespace linkloom
