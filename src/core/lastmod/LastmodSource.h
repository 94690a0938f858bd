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

// What git dates do with a file whose last commit in a shallow clone is one of its oldest, whose
// parents the clone lacks: take the next source, have no lastmod, or stop the run.
enum class ShallowPolicy { Next, Omit, Fail };

// The page a source is asked about.
struct DatedPage {
    // Relative to the walked folder, '/' after each name; shared by the pages of one folder.
    const std::shared_ptr<const String>& folderPath;
    const String& name;
    const PageFacts& facts;
};

// What a source says of a page.
struct SourceAnswer {
    enum class Kind {
        Date,       // `time` is the page's date
        Next,       // the next source answers
        NoLastmod,  // the page has no lastmod, whatever the next sources say
        Stop,       // the run stops, for `reason`
    };
    Kind kind = Kind::Next;
    platform::FileTime time = 0;
    String reason;

    static SourceAnswer Of(std::optional<platform::FileTime> date) {
        return date ? SourceAnswer{Kind::Date, *date, String()} : SourceAnswer();
    }
};

// One place a page's date may come from.
class LastmodSource {
public:
    virtual ~LastmodSource() = default;
    virtual SourceAnswer DateOf(const DatedPage& page) = 0;
    // False while the source still reads what it dates pages from, and DateOf would wait for it.
    virtual bool Ready() const { return true; }
};

}  // namespace linkloom
