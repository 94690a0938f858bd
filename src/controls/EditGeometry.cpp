#include "controls/EditGeometry.h"

namespace linkloom {

int DecorationIconEdge(int smallIconWidth, int clientHeight) {
    return smallIconWidth < 24 || clientHeight < 20 ? 16 : 24;
}

RECT DecorationIconBox(int clientHeight, int edge) {
    const LONG top = (clientHeight - edge) / 2;
    return {2, top, edge + 2, top + edge};
}

RECT DecorationButtonRect(const RECT& client, int width) {
    return {client.right - width, client.top, client.right, client.bottom};
}

}  // namespace linkloom
