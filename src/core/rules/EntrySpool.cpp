#include "core/rules/EntrySpool.h"

namespace linkloom {

std::uint64_t EntrySpool::Append(const SitemapEntry& entry, const String& path) {
    return records_.Append([&](RecordSpool::Writer& record) {
        record.Text(entry.location);
        record.Text(entry.lastmod);
        record.Text(path);
        record.Count(static_cast<std::uint32_t>(entry.alternates.size()));
        for (const Alternate& alternate : entry.alternates) {
            record.Text(alternate.language);
            record.Text(alternate.location);
        }
        record.Count(static_cast<std::uint32_t>(entry.images.size()));
        for (const String& image : entry.images) record.Text(image);
    });
}

void EntrySpool::Load(std::uint64_t at, SitemapEntry& entry, String& path) const {
    RecordSpool::Reader record = records_.Read(at);
    entry.location = record.Text();
    entry.lastmod = record.Text();
    path = record.Text();
    entry.alternates.resize(record.Count());
    for (Alternate& alternate : entry.alternates) {
        alternate.language = record.Text();
        alternate.location = record.Text();
    }
    entry.images.resize(record.Count());
    for (String& image : entry.images) image = record.Text();
}

bool EntrySpool::HasLocation(std::uint64_t at, std::u16string_view location) const {
    return records_.Read(at).TextIs(location);
}

}  // namespace linkloom
