#include "core/rules/CanonicalChains.h"

#include <algorithm>

#include "core/rules/LocationHash.h"

namespace linkloom {

std::uint32_t CanonicalChains::Meet(const String& location, Kind kind, const String& detail) {
    const auto record = [&] {
        return texts_.Append([&](RecordSpool::Writer& writer) {
            writer.Text(location);
            writer.Text(detail);
        });
    };
    const std::uint64_t hash = HashLocation(location.Text());
    const std::uint32_t* found =
        knownAt_.Find(hash, [&](std::uint32_t known) { return texts_.Read(known_[known].at).TextIs(location.Text()); });
    if (!found) {
        known_.push_back({record(), static_cast<std::uint64_t>(kind), 0});
        knownAt_.Insert(hash, static_cast<std::uint32_t>(known_.size() - 1));
        return static_cast<std::uint32_t>(known_.size() - 1);
    }
    Known& known = known_[*found];
    if (static_cast<Kind>(known.kind) == Kind::LeftOut && kind != Kind::LeftOut) {
        known = {record(), static_cast<std::uint64_t>(kind), 0};
    }
    return *found;
}

std::optional<std::uint32_t> CanonicalChains::Find(std::u16string_view location) {
    const std::uint32_t* found = knownAt_.Find(
        HashLocation(location), [&](std::uint32_t known) { return texts_.Read(known_[known].at).TextIs(location); });
    if (!found) return std::nullopt;
    return *found;
}

String CanonicalChains::Detail(std::uint32_t known) const {
    RecordSpool::Reader record = texts_.Read(known_[known].at);
    record.SkipText();
    return record.Text();
}

void CanonicalChains::Take(Page page) {
    if (page.entry.location == page.own) {
        Meet(page.own, Kind::Kept, String());
        Wake(page.own);
        outlet_.Keep(std::move(page.entry), page.path, page.adjustment, std::nullopt);
        return;
    }
    Waiting waiting{0, Meet(page.own, Kind::Names, page.entry.location), kNotParked, page.adjustment};
    Wake(page.own);
    waiting.slot = merge_.Reserve();
    if (const auto hash = Follow(waiting, page.entry, page.path, false)) {
        waiting.page = parked_.Append(page.entry, page.path);
        waiting_[*hash].push_back(waiting);
    }
}

void CanonicalChains::LeftOut(const String& own, const String& path, const String& named) {
    if (named.IsEmpty()) {
        Meet(own, Kind::LeftOut, path);
    } else {
        Meet(own, Kind::Names, named);
    }
    Wake(own);
}

void CanonicalChains::Wake(const String& location) {
    if (waiting_.empty()) return;
    const auto found = waiting_.find(HashLocation(location.Text()));
    if (found == waiting_.end()) return;
    std::vector<Waiting> woken = std::move(found->second);
    waiting_.erase(found);
    // In walk order, so that the first of them takes a shared location.
    std::sort(woken.begin(), woken.end(), [](const Waiting& a, const Waiting& b) { return a.slot < b.slot; });
    for (Waiting& waiting : woken) Refollow(waiting, false);
}

void CanonicalChains::Refollow(Waiting& waiting, bool ended) {
    SitemapEntry entry;
    String path;
    parked_.Load(waiting.page, entry, path);
    if (const auto hash = Follow(waiting, entry, path, ended)) waiting_[*hash].push_back(waiting);
}

std::optional<std::uint64_t> CanonicalChains::Follow(const Waiting& waiting, SitemapEntry& entry, const String& path,
                                                     bool ended) {
    std::u16string at = entry.location.Text();
    std::vector<std::uint32_t> passed{waiting.own};
    for (int links = 1;; ++links) {
        const bool inCycle = known_[waiting.own].inCycle;
        if (inCycle || links > kMostLinks) {
            // The links are ignored and the page listed at its own location.
            outlet_.Ignore(path, {LinkRole::Canonical, String(), entry.location,
                                  inCycle ? LinkProblem::InCycle : LinkProblem::LongChain});
            entry.location = texts_.Read(known_[waiting.own].at).Text();
            outlet_.Keep(std::move(entry), path, waiting.adjustment, waiting.slot);
            return std::nullopt;
        }
        const auto found = Find(at);
        if (!found) {
            if (!ended && mayBePage_(at)) return HashLocation(at);
            break;
        }
        const Known known = known_[*found];
        if (static_cast<Kind>(known.kind) == Kind::Kept || known.inCycle) break;
        if (static_cast<Kind>(known.kind) == Kind::LeftOut) {
            outlet_.LeaveOut(path, LeftOutReason::CanonicalLeftOut, Detail(*found));
            return std::nullopt;
        }
        // Back at a location passed: a cycle, whose links are ignored from here on.
        if (std::find(passed.begin(), passed.end(), *found) != passed.end()) {
            MarkCycle(*found);
        } else {
            passed.push_back(*found);
            at = Detail(*found).Text();
        }
    }
    entry.location = String(std::move(at));
    outlet_.Keep(std::move(entry), path, waiting.adjustment, waiting.slot);
    return std::nullopt;
}

void CanonicalChains::MarkCycle(std::uint32_t start) {
    // Only a chain that comes back to its start within the bound is a cycle.
    std::vector<std::uint32_t> members;
    std::uint32_t at = start;
    do {
        if (static_cast<Kind>(known_[at].kind) != Kind::Names) return;
        members.push_back(at);
        const auto next = Find(Detail(at).Text());
        if (!next) return;
        at = *next;
    } while (at != start && static_cast<int>(members.size()) <= kMostLinks);
    if (at != start) return;
    for (const std::uint32_t member : members) known_[member].inCycle = 1;
}

void CanonicalChains::End() {
    std::vector<Waiting> left;
    for (auto& [hash, waiting] : waiting_) left.insert(left.end(), waiting.begin(), waiting.end());
    waiting_.clear();
    std::sort(left.begin(), left.end(), [](const Waiting& a, const Waiting& b) { return a.slot < b.slot; });
    for (Waiting& waiting : left) Refollow(waiting, true);
}

}  // namespace linkloom
