#pragma once

#include <windows.h>
#include <shlobj.h>

#include "base/String.h"

namespace linkloom {

// The file-system path of an item list, empty when it has none (a virtual folder). A path of
// 260 units or more comes in its short form where that works; with `longForms`, lists too deep
// for the system's own conversion are rebuilt, and what is still 260 units or more gets the
// long-path prefix.
String IDListToPath(const ITEMIDLIST* list, bool longForms);

// The path of a list that SHGetPathFromIDListW cannot convert: the path of its root items
// followed by the long names of the rest; empty when any part cannot be had.
String RebuildLongPath(const ITEMIDLIST* list);

// SHGetPathFromIDListW, contained: empty when it fails; what it wrote before an access
// violation inside it otherwise.
String PathFromIDList(const ITEMIDLIST* list);

// The names of a list's items, with `flags`, joined by backslashes, starting in `folder` (the
// desktop when null). Items after a folder that cannot be opened are named from their find
// data; a name that stays incomplete ends in "@@@".
String IDListToName(const ITEMIDLIST* list, IShellFolder* folder, DWORD flags);

}  // namespace linkloom
