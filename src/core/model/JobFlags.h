#pragma once

#include <cstdint>

namespace linkloom {

// The flags word of a run, stored as "flags". Only Subfolders and ExcludeNoindex have controls;
// the other bits come from the stored value and are written back unchanged.
using JobFlags = std::uint32_t;

namespace JobFlag {
constexpr JobFlags Subfolders = 1;
constexpr JobFlags ExcludeNoindex = 2;
constexpr JobFlags SkipTemplateNames = 4;
constexpr JobFlags RequireDoctype = 8;
constexpr JobFlags LastmodWithTime = 16;
}  // namespace JobFlag

constexpr JobFlags kDefaultJobFlags = JobFlag::Subfolders | JobFlag::ExcludeNoindex;

}  // namespace linkloom
