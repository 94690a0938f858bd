#include "core/rules/CanonicalChains.h"

#include <algorithm>

namespace linkloom {

void CanonicalChains::Meet(const String& location, Known known) {
    const auto [at, met] = known_.try_emplace(location.Text(), known);
    if (!met && at->second.kind == Known::Kind::LeftOut && known.kind != Known::Kind::LeftOut) at->second = known;
}

void CanonicalChains::Take(Page page) {
    const String own = page.own;
    if (page.entry.location == own) {
        Meet(own, {Known::Kind::Kept, String()});
        Wake(own);
        outlet_.Keep(std::move(page.entry), page.path, page.adjustment, std::nullopt);
        return;
    }
    Meet(own, {Known::Kind::Names, page.entry.location});
    Wake(own);
    Waiting waiting{merge_.Reserve(), std::move(page)};
    if (const auto at = Follow(waiting, false)) waiting_[*at].push_back(std::move(waiting));
}

void CanonicalChains::LeftOut(const String& own, const String& path, const String& named) {
    Meet(own, named.IsEmpty() ? Known{Known::Kind::LeftOut, path} : Known{Known::Kind::Names, named});
    Wake(own);
}

void CanonicalChains::Wake(const String& location) {
    const auto found = waiting_.find(location.Text());
    if (found == waiting_.end()) return;
    std::vector<Waiting> woken = std::move(found->second);
    waiting_.erase(found);
    // In walk order, so that the first of them takes a shared location.
    std::sort(woken.begin(), woken.end(), [](const Waiting& a, const Waiting& b) { return a.slot < b.slot; });
    for (Waiting& waiting : woken) {
        if (const auto at = Follow(waiting, false)) waiting_[*at].push_back(std::move(waiting));
    }
}

std::optional<std::u16string> CanonicalChains::Follow(Waiting& waiting, bool ended) {
    const std::u16string& own = waiting.page.own.Text();
    std::u16string at = waiting.page.entry.location.Text();
    std::vector<std::u16string> passed{own};
    for (int links = 1;; ++links) {
        const bool inCycle = known_[own].inCycle;
        if (inCycle || links > kMostLinks) {
            KeepAtOwn(waiting, inCycle ? LinkProblem::InCycle : LinkProblem::LongChain);
            return std::nullopt;
        }
        const auto found = known_.find(at);
        if (found == known_.end()) {
            if (!ended && mayBePage_(at)) return at;
            break;
        }
        const Known& known = found->second;
        if (known.kind == Known::Kind::Kept || known.inCycle) break;
        if (known.kind == Known::Kind::LeftOut) {
            outlet_.LeaveOut(waiting.page.path, LeftOutReason::CanonicalLeftOut, known.detail);
            return std::nullopt;
        }
        // Back at a location passed: a cycle, whose links are ignored from here on.
        if (std::find(passed.begin(), passed.end(), at) != passed.end()) {
            MarkCycle(at);
        } else {
            passed.push_back(at);
            at = known.detail.Text();
        }
    }
    waiting.page.entry.location = String(std::move(at));
    outlet_.Keep(std::move(waiting.page.entry), waiting.page.path, waiting.page.adjustment, waiting.slot);
    return std::nullopt;
}

void CanonicalChains::MarkCycle(const std::u16string& start) {
    // Only a chain that comes back to its start within the bound is a cycle.
    std::vector<Known*> members;
    std::u16string at = start;
    do {
        const auto found = known_.find(at);
        if (found == known_.end() || found->second.kind != Known::Kind::Names) return;
        members.push_back(&found->second);
        at = found->second.detail.Text();
    } while (at != start && static_cast<int>(members.size()) <= kMostLinks);
    if (at != start) return;
    for (Known* member : members) member->inCycle = true;
}

void CanonicalChains::KeepAtOwn(Waiting& waiting, LinkProblem problem) {
    outlet_.Ignore(waiting.page.path, {LinkRole::Canonical, String(), waiting.page.entry.location, problem});
    waiting.page.entry.location = waiting.page.own;
    outlet_.Keep(std::move(waiting.page.entry), waiting.page.path, waiting.page.adjustment, waiting.slot);
}

void CanonicalChains::End() {
    std::vector<Waiting> left;
    for (auto& [location, waiting] : waiting_) {
        for (Waiting& one : waiting) left.push_back(std::move(one));
    }
    waiting_.clear();
    std::sort(left.begin(), left.end(), [](const Waiting& a, const Waiting& b) { return a.slot < b.slot; });
    for (Waiting& waiting : left) Follow(waiting, true);
}

}  // namespace linkloom
