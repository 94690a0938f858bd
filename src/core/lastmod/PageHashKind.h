#pragma once

namespace linkloom {

// What a page's hash is taken of: its whole bytes, or its main content (the bytes of a file
// that is not markup).
enum class PageHashKind { Bytes, Content };

}  // namespace linkloom
