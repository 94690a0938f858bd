#include "site/NearestName.h"

#include <algorithm>
#include <numeric>

namespace linkloom {

namespace {

// Levenshtein distance, one row at a time.
std::size_t EditDistance(const std::string& from, const std::string& to) {
    std::vector<std::size_t> row(to.size() + 1);
    std::iota(row.begin(), row.end(), std::size_t{0});
    for (std::size_t i = 1; i <= from.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= to.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({above + 1, row[j - 1] + 1, diagonal + (from[i - 1] == to[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[to.size()];
}

}  // namespace

std::string NearestName(const std::string& name, const std::vector<std::string>& names) {
    const std::size_t most = std::max<std::size_t>(1, name.size() / 3);
    std::string nearest;
    std::size_t best = most + 1;
    for (const std::string& candidate : names) {
        const std::size_t distance = EditDistance(name, candidate);
        if (distance < best) {
            best = distance;
            nearest = candidate;
        }
    }
    return nearest;
}

}  // namespace linkloom
