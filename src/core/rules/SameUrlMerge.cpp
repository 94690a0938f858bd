#include "core/rules/SameUrlMerge.h"

#include "core/rules/AlternatesStep.h"
#include "core/rules/LocationHash.h"

namespace linkloom {

std::optional<String> SameUrlMerge::Add(SitemapEntry entry, const String& path, std::optional<std::size_t> slot) {
    const std::uint64_t hash = HashLocation(entry.location.Text());
    const std::uint32_t* found =
        slots_.Find(hash, [&](std::uint32_t held) { return spool_.HasLocation(at_[held], entry.location.Text()); });
    if (!found) {
        if (!slot) {
            slot = at_.size();
            at_.push_back(kEmpty);
        }
        at_[*slot] = spool_.Append(entry, path);
        slots_.Insert(hash, static_cast<std::uint32_t>(*slot));
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
