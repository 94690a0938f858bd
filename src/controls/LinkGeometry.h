#pragma once

#include <windows.h>

namespace linkloom {

// The DrawTextW alignment flag of a static control's style: DT_CENTER, DT_RIGHT or DT_LEFT.
UINT LinkAlignment(LONG_PTR staticStyle);

// Places `measured` (the text's rectangle as DT_CALCRECT shrank it from `client`) at the
// alignment's place in `client`.
RECT AlignedTextRect(const RECT& client, RECT measured, UINT alignment);

}  // namespace linkloom
