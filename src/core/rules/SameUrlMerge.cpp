#include "core/rules/SameUrlMerge.h"

#include "core/rules/AlternatesStep.h"

namespace linkloom {

const String* SameUrlMerge::Add(SitemapEntry entry, const String& path, std::optional<std::size_t> slot) {
    const auto found = at_.find(entry.location.Text());
    if (found == at_.end()) {
        if (!slot) {
            slot = held_.size();
            held_.emplace_back();
        }
        held_[*slot] = {std::move(entry), path};
        at_.emplace(held_[*slot].entry.location.Text(), *slot);
        return nullptr;
    }
    Held& held = held_[found->second];
    // Every lastmod of a run has the same form and offset, so text order is time order.
    if (entry.lastmod.Text() > held.entry.lastmod.Text()) held.entry.lastmod = std::move(entry.lastmod);
    AddAlternates(held.entry.alternates, entry.alternates);
    return &held.path;
}

std::size_t SameUrlMerge::Reserve() {
    held_.emplace_back().filled = false;
    return held_.size() - 1;
}

void SameUrlMerge::Flush(EntrySink& sink) const {
    for (const Held& held : held_) {
        if (sink.Failed()) return;
        if (held.filled) sink.Add(held.entry);
    }
}

}  // namespace linkloom
