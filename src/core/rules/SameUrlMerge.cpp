#include "core/rules/SameUrlMerge.h"

#include "core/rules/AlternatesStep.h"

namespace linkloom {

const String* SameUrlMerge::Add(SitemapEntry entry, const String& path) {
    const auto found = at_.find(entry.location.Text());
    if (found == at_.end()) {
        held_.push_back({std::move(entry), path});
        at_.emplace(held_.back().entry.location.Text(), held_.size() - 1);
        return nullptr;
    }
    Held& held = held_[found->second];
    // Every lastmod of a run has the same form and offset, so text order is time order.
    if (entry.lastmod.Text() > held.entry.lastmod.Text()) held.entry.lastmod = std::move(entry.lastmod);
    AddAlternates(held.entry.alternates, entry.alternates);
    return &held.path;
}

void SameUrlMerge::Flush(EntrySink& sink) const {
    for (const Held& held : held_) {
        if (sink.Failed()) return;
        sink.Add(held.entry);
    }
}

}  // namespace linkloom
