#pragma once

#include "cli/state/UrlChanges.h"
#include "core/sitemap/EntrySink.h"

namespace linkloom::cli {

// Hands each entry on to the output and tells the changes of those it took.
class ListedEntries : public EntrySink {
public:
    ListedEntries(EntrySink& output, UrlChanges& changes) : output_(output), changes_(changes) {}

    void Add(const SitemapEntry& entry) override {
        output_.Add(entry);
        if (!output_.Failed()) changes_.Listed(entry);
    }
    bool Failed() const override { return output_.Failed(); }

private:
    EntrySink& output_;
    UrlChanges& changes_;
};

}  // namespace linkloom::cli
