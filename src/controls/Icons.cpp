#include "controls/Icons.h"

namespace linkloom {

HICON LoadSizedIcon(HINSTANCE resources, HINSTANCE instance, UINT id, int edge) {
    const HINSTANCE module = FindResourceW(resources, MAKEINTRESOURCEW(id), RT_GROUP_ICON) ? resources : instance;
    return static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_ICON, edge, edge, LR_SHARED));
}

}  // namespace linkloom
