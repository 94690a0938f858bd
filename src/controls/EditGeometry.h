#pragma once

#include <windows.h>

namespace linkloom {

// The edge of the icon inside a decorated edit: 24 with large small-icons, unless the edit is
// lower than 20 pixels; otherwise 16.
int DecorationIconEdge(int smallIconWidth, int clientHeight);

// The icon's box in the edit's client area: 2 pixels from the left, centred vertically.
RECT DecorationIconBox(int clientHeight, int edge);

// The inner button: `width` pixels at the right edge, over the full client height.
RECT DecorationButtonRect(const RECT& client, int width);

}  // namespace linkloom
