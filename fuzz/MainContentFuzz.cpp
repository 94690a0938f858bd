// Feeds any bytes to the page tokenizer and the main-content reader: they must end, touch nothing
// out of bounds, name tags and attributes in lower case with no attribute twice, and hand on no
// more text than character references can make of the input; the reader's own reading of the
// plainest tags must give what the tokenizer's reading of every token gives.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/markup/MainContent.h"

namespace {

bool IsLowerName(std::string_view name) {
    if (name.empty()) return false;
    for (const char c : name) {
        if (c >= 'A' && c <= 'Z') return false;
    }
    return true;
}

class Checks : public linkloom::HtmlTokenHandler {
public:
    std::size_t text = 0;
    void Text(std::string_view piece) override { text += piece.size(); }
    void Tag(const linkloom::HtmlTag& tag) override {
        if (!IsLowerName(tag.name)) std::abort();
        for (std::size_t i = 0; i < tag.count; ++i) {
            if (!IsLowerName(tag.attributes[i].name)) std::abort();
            for (std::size_t j = 0; j < i; ++j) {
                if (tag.attributes[j].name == tag.attributes[i].name) std::abort();
            }
        }
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    Checks checks;
    linkloom::HtmlTokenizer tokenizer;
    tokenizer.Run(input, checks);
    // A reference of n bytes stands for at most 2n bytes of UTF-8.
    if (checks.text > 2 * size) std::abort();
    static linkloom::MainContent content;
    const std::string read(content.Of(input));
    if (read.size() > 4 * size) std::abort();
    if (content.OfEveryToken(input) != read) std::abort();
    return 0;
}
