#pragma once

#include <string>
#include <vector>

namespace linkloom {

// The name of `names` fewest single-character edits away from `name`, when it is close enough
// to be a likely slip (at most a third of the name's length); empty otherwise.
std::string NearestName(const std::string& name, const std::vector<std::string>& names);

}  // namespace linkloom
