#pragma once

#include <windows.h>

namespace linkloom {

// The icon of group `id` at `edge` × `edge` pixels, from `resources` when it holds that group,
// else from `instance`. The handle is shared: never destroy it. Null when there is none.
HICON LoadSizedIcon(HINSTANCE resources, HINSTANCE instance, UINT id, int edge);

}  // namespace linkloom
