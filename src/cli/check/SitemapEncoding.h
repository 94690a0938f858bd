#pragma once

#include <string>
#include <string_view>

namespace linkloom::cli {

// Why a document that begins with the bytes `head` is not in UTF-8, which every sitemap must be:
// UTF-16 by its byte-order mark or its first character, or another encoding that its XML
// declaration names; empty when it is UTF-8 as far as its beginning tells.
std::string EncodingProblem(std::string_view head);

}  // namespace linkloom::cli
