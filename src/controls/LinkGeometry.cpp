#include "controls/LinkGeometry.h"

namespace linkloom {

UINT LinkAlignment(LONG_PTR staticStyle) {
    if (staticStyle & SS_CENTER) return DT_CENTER;
    if (staticStyle & SS_RIGHT) return DT_RIGHT;
    return DT_LEFT;
}

RECT AlignedTextRect(const RECT& client, RECT measured, UINT alignment) {
    if (alignment == DT_CENTER) OffsetRect(&measured, (client.right - measured.right) / 2, 0);
    if (alignment == DT_RIGHT) OffsetRect(&measured, client.right - measured.right, 0);
    return measured;
}

}  // namespace linkloom
