#include "cli/output/SectionSpool.h"

#include "core/rules/RecordSpool.h"

namespace linkloom::cli {

namespace {

// The bytes all sections hold in memory before they go to the file.
constexpr std::size_t kMostHeld = 4 << 20;

// Hands each entry of `bytes` to `take`.
bool Entries(std::string_view bytes, const SectionSpool::Take& take, std::string& text) {
    RecordSpool::Reader record(bytes.data());
    while (record.At() < bytes.data() + bytes.size()) {
        const String lastmod = record.Text();
        text.assign(record.Bytes());
        if (!take(text, lastmod)) return false;
    }
    return true;
}

}  // namespace

SectionSpool::SectionSpool() {
    // Without a scratch file the entries stay in memory.
    platform::ScratchFile::Create(file_);
}

void SectionSpool::Add(std::size_t section, std::string_view text, const String& lastmod) {
    if (section >= sections_.size()) sections_.resize(section + 1);
    std::string& bytes = sections_[section].bytes;
    const std::size_t before = bytes.size();
    RecordSpool::Writer record(bytes);
    record.Text(lastmod);
    record.Bytes(text);
    heldBytes_ += bytes.size() - before;
    if (heldBytes_ >= kMostHeld) Spill();
}

void SectionSpool::Spill() {
    if (!file_.IsOpen()) return;
    for (Held& held : sections_) {
        if (held.bytes.empty()) continue;
        if (!file_.Write(end_, held.bytes.data(), held.bytes.size())) {
            file_ = platform::ScratchFile();  // a full disk: the rest stays in memory
            return;
        }
        held.blocks.emplace_back(end_, held.bytes.size());
        end_ += held.bytes.size();
        heldBytes_ -= held.bytes.size();
        std::string().swap(held.bytes);
    }
}

std::optional<platform::SystemError> SectionSpool::Replay(std::size_t section, const Take& take) const {
    if (section >= sections_.size()) return std::nullopt;
    const Held& held = sections_[section];
    std::string block, text;
    for (const auto& [at, size] : held.blocks) {
        block.resize(size);
        if (!file_.Read(at, block.data(), size)) {
            return platform::OwnFailure(u"the entries held in a temporary file cannot be read back", String(),
                                        platform::Action::Write);
        }
        if (!Entries(block, take, text)) return std::nullopt;
    }
    Entries(held.bytes, take, text);
    return std::nullopt;
}

}  // namespace linkloom::cli
