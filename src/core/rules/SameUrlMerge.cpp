#include "core/rules/SameUrlMerge.h"

#define XXH_INLINE_ALL
#include <xxhash.h>

#include "core/rules/AlternatesStep.h"

namespace linkloom {

namespace {

std::uint64_t HashOf(const String& location) {
    return XXH3_64bits(location.Text().data(), location.Length() * sizeof(char16_t));
}

}  // namespace

std::optional<std::size_t> SameUrlMerge::Find(const String& location, std::uint64_t hash) const {
    const auto found = slots_.find(hash);
    if (found == slots_.end()) return std::nullopt;
    SitemapEntry held;
    String path;
    spool_.Load(at_[found->second], held, path);
    if (held.location == location) return found->second;
    const auto collided = collided_.find(location.Text());
    if (collided == collided_.end()) return std::nullopt;
    return collided->second;
}

std::optional<String> SameUrlMerge::Add(SitemapEntry entry, const String& path, std::optional<std::size_t> slot) {
    const std::uint64_t hash = HashOf(entry.location);
    const auto found = Find(entry.location, hash);
    if (!found) {
        if (!slot) {
            slot = at_.size();
            at_.push_back(kEmpty);
        }
        at_[*slot] = spool_.Append(entry, path);
        if (!slots_.emplace(hash, *slot).second) collided_.emplace(entry.location.Text(), *slot);
        return std::nullopt;
    }
    SitemapEntry held;
    String first;
    spool_.Load(at_[*found], held, first);
    const std::size_t alternates = held.alternates.size();
    // Every lastmod of a run has the same form and offset, so text order is time order.
    const bool newer = entry.lastmod.Text() > held.lastmod.Text();
    if (newer) held.lastmod = std::move(entry.lastmod);
    AddAlternates(held.alternates, entry.alternates);
    // The merged entry goes to the end of the spool; its slot keeps its place.
    if (newer || held.alternates.size() != alternates) at_[*found] = spool_.Append(held, first);
    return first;
}

std::size_t SameUrlMerge::Reserve() {
    at_.push_back(kEmpty);
    return at_.size() - 1;
}

void SameUrlMerge::Flush(EntrySink& sink) const {
    SitemapEntry entry;
    String path;
    for (const std::uint64_t at : at_) {
        if (sink.Failed()) return;
        if (at == kEmpty) continue;
        spool_.Load(at, entry, path);
        sink.Add(entry);
    }
}

}  // namespace linkloom
