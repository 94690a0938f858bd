#include <gtest/gtest.h>

#include "core/markup/MainContent.h"

namespace linkloom {
namespace {

std::string Target(const std::string& target) { return kTargetMark + target + kTargetMark; }

std::string Of(std::string_view page) {
    MainContent content;
    return std::string(content.Of(page));
}

TEST(MainContent, TakesTheMainElementsOrThePageLessItsTemplate) {
    const std::string_view templated =
        "<!DOCTYPE html><html><head><title>T</title><style>p{}</style></head><body>"
        "<header>Site <nav><a href=/>Home</a></nav></header>\n"
        "<main>  Hello\n\t <b>world</b>  <a href=' x.htm '>more</a><img src=i.png></main>"
        "<aside>ad</aside><footer>(c) 2024</footer><script>var s='<main>x</main>';</script></body></html>";
    EXPECT_EQ(Of(templated), "Hello world " + Target("x.htm") + "more" + Target("i.png"));
    EXPECT_EQ(Of("<body><header>Site</header><p>One <nav>menu</nav>two</p><footer>f</footer>"), "One two");
    EXPECT_EQ(Of("<p>Kept <span data-linkloom-ignore>Updated today <b>1</b></span>text"
                 "<img data-linkloom-ignore src=counter.gif></p>"),
              "Kept text");
    // A main inside something that counts nowhere is none.
    EXPECT_EQ(Of("<template><main>t</main></template><p>page"), "page");
}

TEST(MainContent, ReadsTheHardCasesOfTokenizing) {
    // Script and style text is no markup; "</div>" and "<!--" inside it end nothing.
    EXPECT_EQ(Of("<main>a<script>if (x) { w('</div>'); } // <!-- <script></script> --></script>b</main>"), "ab");
    EXPECT_EQ(Of("<main>a<script><!--<script>x</script>y--></script>b</main>"), "ab");
    EXPECT_EQ(Of("<main>a<style>p::after { content: '</main>' }</STYLE >b</main>"), "ab");
    // Comments hold tags; their odd forms end where HTML ends them.
    EXPECT_EQ(Of("<main>a<!-- <main>x</main> -->b<!-->c<!--->d<!-- x --!>e<!-- -- >f -->g</main>"), "abcdeg");
    EXPECT_EQ(Of("<main>a<?php echo 1 ?>b<!DOCTYPE x>c<![CDATA[ d ]]>e</ x>f</>g</main>"), "abcefg");
    // Character references, named (with and without their ';') and numeric.
    EXPECT_EQ(Of("<main>&lt;b&gt; &amp &eacute;&#233;&#xE9; &#x80; &#0; &notit; &copy=1 &bogus; &</main>"),
              "<b> & ééé € \xEF\xBF\xBD \xC2\xACit; \xC2\xA9=1 &bogus; &");
    EXPECT_EQ(Of("<main><a href=\"?a=1&copy=2&amp;b=&lt;\">x</a></main>"), Target("?a=1&copy=2&b=<") + "x");
    // Titles and text areas decode references but hold no tags.
    EXPECT_EQ(Of("<textarea><main>a&amp;b</main></textarea>"), "<main>a&b</main>");
    // Unclosed elements end with their parent; a tag cut off by the end is dropped.
    EXPECT_EQ(Of("<main><p>one<p>two<nav>n</main>after"), "onetwon");
    EXPECT_EQ(Of("<div><nav>x<p>y</div>z"), "z");
    EXPECT_EQ(Of("<main>a<a href='x"), "a");
    // Attributes: unquoted, bare, repeated (the first counts), with odd characters.
    EXPECT_EQ(Of("<main><a title=x<y href=p.htm href=q.htm data-linkloom-ignore=>x</a>y</main>"), "y");
    EXPECT_EQ(Of("<main><a/href=p.htm\t HREF = 'q' >x</a></main>"), Target("p.htm") + "x");
}

TEST(MainContent, ReadsPlainTagsAsTheTokenizerDoes) {
    // Tags of a short name alone are read without the tokenizer; at the edges of what counts as
    // one, both readings agree.
    const std::string_view pages[] = {
        "<main><p>a</p><P>b</P><abcdefgh>c</abcdefgh><abcdefghi>d</abcdefghi><a1>e</a1 ></main>",
        "<p>x<textarea><p>y</textarea><title>t</title>z<nav>n</nav>&amp;<br/>w</p",
        "<p>a<",
        "a</",
        "<x>b</y>",
        // An element closed and opened again at once, where that ends or begins an exclusion or
        // text that is not markup, and where it does not.
        "<p data-linkloom-ignore>x</p>\n<p>y</p> <p>z</p><nav>n</nav>\n<nav>m</nav><li>1</li><li>2</li>"
        "<textarea>t</textarea> <textarea>u</textarea>",
        // The same pair again where the element closed is not the innermost or began an exclusion.
        "<p>a</p>\n<p>b</p>\n<p><b>c</p>\n<p>d</p>\n<p data-linkloom-ignore>e</p>\n<p>f</p>\n<p>g</p>\n<p>h",
    };
    MainContent content;
    for (const std::string_view page : pages) {
        const std::string read(content.Of(page));
        EXPECT_EQ(read, content.OfEveryToken(page)) << page;
    }
    EXPECT_EQ(Of(pages[0]), "abcde");
    EXPECT_EQ(Of(pages[1]), "x<p>yz&w");
    EXPECT_EQ(Of(pages[5]), "y z 12t u");
    EXPECT_EQ(Of(pages[6]), "a b c d f g h");
}

}  // namespace
}  // namespace linkloom
