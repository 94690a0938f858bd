#include <gtest/gtest.h>

#include <string>

#include "core/markup/CollapsedText.h"

namespace linkloom {
namespace {

// Collapsed byte by byte: what the text must come to however it is read.
std::string Expected(const std::string& text) {
    std::string out;
    bool pending = false;
    for (const char c : text) {
        const bool blank = c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
        if (blank) {
            pending = !out.empty();
        } else {
            if (pending) out += ' ';
            pending = false;
            out += c;
        }
    }
    return out;
}

TEST(CollapsedText, CollapsesWhiteSpaceAcrossPiecesOfAnyLength) {
    // Words and runs of blanks of every length around a chunk of sixteen bytes, and bytes below a
    // space that are no blank.
    const std::string blanks[] = {" ", "\n", " \t", "\r\n  \f", " \v\x01 "};
    for (std::size_t word = 1; word <= 18; ++word) {
        std::string text = " ";
        for (std::size_t i = 0; text.size() < 80; ++i) text += std::string(word + i % 3, 'a' + i % 26) + blanks[i % 5];
        CollapsedText collapsed;
        // Pieces of every length up to past two chunks.
        const std::size_t piece = 2 * word - 1;
        for (std::size_t cut = 0; cut < text.size(); cut += piece) collapsed.Append(text.substr(cut, piece));
        EXPECT_EQ(collapsed.Text(), Expected(text)) << word;
    }
    // Kept pieces keep their blanks; white space around them is one space, none at the start.
    CollapsedText collapsed;
    collapsed.Append(" \n");
    collapsed.AppendBlank();
    collapsed.AppendVerbatim("[a  b]");
    collapsed.AppendVerbatim("[c]");
    collapsed.Append("  x");
    collapsed.AppendBlank();
    collapsed.AppendVerbatim("[d]");
    collapsed.AppendBlank();
    EXPECT_EQ(collapsed.Text(), "[a  b][c] x [d]");
}

}  // namespace
}  // namespace linkloom
