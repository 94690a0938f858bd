#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "base/String.h"
#include "core/page/PageReader.h"
#include "platform/Directory.h"

namespace linkloom {

// The places a page's lastmod may come from. A run asks them in the order it is given, for each
// page, until one has a date; when none has, the entry has no lastmod.
enum class LastmodSourceKind { Git, Meta, Mtime };
using LastmodOrder = std::vector<LastmodSourceKind>;

// The page a source is asked about.
struct DatedPage {
    // Relative to the walked folder, '/' after each name; shared by the pages of one folder.
    const std::shared_ptr<const String>& folderPath;
    const String& name;
    const PageFacts& facts;
};

// One place a page's date may come from.
class LastmodSource {
public:
    virtual ~LastmodSource() = default;
    // The page's date, or nothing to let the next source answer.
    virtual std::optional<platform::FileTime> DateOf(const DatedPage& page) = 0;
};

}  // namespace linkloom
