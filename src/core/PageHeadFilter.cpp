#include "core/PageHeadFilter.h"

#include <memory>

#include "core/WebFileReader.h"
#include "platform/TextCompare.h"

namespace linkloom {

namespace {

constexpr std::size_t kHeadLength = 4096;

// The reader and the text buffer together, so a walk can keep one on the heap rather than
// about 16 KB on the stack per call.
struct PageHead {
    WebFileReader reader;
    char16_t text[kHeadLength + 1];
};

}  // namespace

PageVerdict PageHeadFilter(const String& path, JobFlags flags) {
    thread_local std::unique_ptr<PageHead> head = std::make_unique<PageHead>();
    PageVerdict verdict = PageVerdict::Unreadable;
    if (head->reader.Open(path) == WebFileReader::OpenResult::TextReady) {
        const std::size_t length = head->reader.Read(head->text, kHeadLength);
        if (length > 0) {
            head->text[length] = 0;
            const String text(std::u16string_view(head->text, length));
            verdict = PageVerdict::Keep;
            if ((flags & JobFlag::ExcludeNoindex) && platform::ContainsNoCase(text, u"noindex")) {
                verdict = PageVerdict::Noindex;
            } else if ((flags & JobFlag::RequireDoctype) && !platform::ContainsNoCase(text, u"!DOCTYPE")) {
                verdict = PageVerdict::NoDoctype;
            }
        }
    }
    head->reader.Close();
    return verdict;
}

}  // namespace linkloom
