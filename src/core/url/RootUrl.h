#pragma once

#include <cstddef>
#include <optional>

#include "base/String.h"

namespace linkloom {

// The longest root URL a run accepts, in characters once encoded, leaving room for the paths
// below it within the 2,048 characters a sitemap location may hold.
constexpr std::size_t kMaxRootUrlLength = 2000;

// The website root URL that every location starts with, from the text a user gave: leading white
// space removed, non-ASCII letters and the other characters a URI cannot hold percent-encoded as
// UTF-8 ('%' stays only before two hex digits), a final '/' added.
// Nothing when the text is no website root: it must begin with "http" in lower case, have a
// scheme followed by "://" and a host, and hold no white space, control character, query,
// fragment or non-character; and its encoded form must not be longer than kMaxRootUrlLength.
// A text of that form is still refused when its scheme is not "http" or "https", its port is
// not 1 to 65535, or it holds a user name or password, which every location would publish.
// `fault` then says which; a text of no such form is Malformed.
enum class RootUrlFault { None, Malformed, Scheme, Port, UserInformation };
std::optional<String> CanonicalRootUrl(String text, RootUrlFault* fault = nullptr);

}  // namespace linkloom
