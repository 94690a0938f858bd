#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace linkloom {

// A date in one of the forms of a W3C Datetime: YYYY, YYYY-MM, YYYY-MM-DD, or a date with a time
// (hh:mm, hh:mm:ss or hh:mm:ss and a decimal fraction) and a zone (Z, +hh:mm or -hh:mm).
struct W3cDatetime {
    std::int64_t first = 0;  // its first instant, in seconds since 1970-01-01 UTC
    std::int64_t end = 0;    // the first instant past the year, month, day, minute or second it names
};

// The date `text` names; a form without a time is taken in local time at `utcOffsetSeconds`.
// Nothing when the text is not a W3C Datetime or names no real date.
std::optional<W3cDatetime> ParseW3cDatetime(std::string_view text, std::int64_t utcOffsetSeconds);

}  // namespace linkloom
