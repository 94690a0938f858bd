#pragma once

#include <windows.h>
#include <shlobj.h>

#include "base/String.h"
#include "shell/ComRef.h"
#include "shell/IdList.h"

namespace linkloom {

// The item list that the desktop folder parses from a text (environment variables expanded, a
// long-path prefix removed); null for an empty text or when the text names nothing.
IdList ParseLocation(const String& text);

// The folder that holds a list's last item, which `last` (when given) is pointed at; null for a
// null or empty list or when the folder cannot be bound.
ComRef<IShellFolder> BindToParent(const ITEMIDLIST* list, const ITEMIDLIST** last);

// The name of a relative item in `folder` with SHGDN_* `flags`; empty when there is no folder
// or no name.
String ItemDisplayName(const ITEMIDLIST* item, DWORD flags, IShellFolder* folder);

// The find data of a list's last item, read through its parent folder or, when that cannot be
// bound, through the file-system folder of ShellNamespace.
HRESULT FindDataOf(const ITEMIDLIST* list, WIN32_FIND_DATAW& data);

}  // namespace linkloom
