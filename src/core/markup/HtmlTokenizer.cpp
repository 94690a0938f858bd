#include "core/markup/HtmlTokenizer.h"

#include <algorithm>
#include <array>

#include "base/AsciiCharacters.h"
#include "core/markup/CharacterReferences.h"

namespace linkloom {

namespace {

constexpr std::string_view kScript = "script";
constexpr std::string_view kCommentStart = "--";
// The elements whose text is not markup; "plaintext" runs to the end of the page.
constexpr std::string_view kRawTextElements[] = {"style", "xmp", "iframe", "noembed", "noframes"};
constexpr std::string_view kRcdataElements[] = {"title", "textarea"};
constexpr std::string_view kPlaintext = "plaintext";

// The bytes that end a tag's name, and the capitals, as flags in one table: tags are most of a
// page's tokens.
enum ByteClass : unsigned char { kEndsName = 1, kCapital = 2 };

constexpr auto kByteClasses = [] {
    std::array<unsigned char, 256> classes{};
    for (const char c : {' ', '\t', '\n', '\r', '\f', '/', '>'}) classes[static_cast<unsigned char>(c)] = kEndsName;
    for (char c = 'A'; c <= 'Z'; ++c) classes[static_cast<unsigned char>(c)] = kCapital;
    return classes;
}();

bool Is(char c, ByteClass byteClass) { return kByteClasses[static_cast<unsigned char>(c)] & byteClass; }

bool EndsTagName(char c) { return Is(c, kEndsName); }

void LowerInPlace(std::string& text) {
    for (char& c : text) c = AsciiLower(c);
}

bool OneOf(std::string_view name, const std::string_view* names, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        if (names[i] == name) return true;
    }
    return false;
}

}  // namespace

const std::string* HtmlTag::Attribute(std::string_view wanted) const {
    for (std::size_t i = 0; i < count; ++i) {
        if (attributes[i].name == wanted) return &attributes[i].value;
    }
    return nullptr;
}

std::size_t HtmlTokenizer::Decode(std::size_t amp, std::size_t to) {
    decoded_.clear();
    return DecodeCharacterReference(input_.substr(amp + 1, to - amp - 1), false, decoded_);
}

std::size_t HtmlTokenizer::MarkupDeclaration(std::size_t at) const {
    if (input_.substr(at, kCommentStart.size()) == kCommentStart) return Comment(at + kCommentStart.size());
    // A doctype ends at the first '>', even inside its quoted identifiers, as a bogus comment
    // does; CDATA outside foreign content is a bogus comment, as is anything else after "<!".
    return BogusComment(at);
}

std::size_t HtmlTokenizer::Comment(std::size_t at) const {
    const std::string_view rest = input_.substr(at);
    // "<!-->" and "<!--->" end where they start.
    if (rest.substr(0, 1) == ">") return at + 1;
    if (rest.substr(0, 2) == "->") return at + 2;
    // It ends at the first "-->" or "--!>".
    for (std::size_t dashes = input_.find("--", at); dashes != npos; dashes = input_.find("--", dashes + 1)) {
        const std::string_view after = input_.substr(dashes + 2, 2);
        if (after.substr(0, 1) == ">") return dashes + 3;
        if (after == "!>") return dashes + 4;
    }
    return input_.size();
}

std::size_t HtmlTokenizer::BogusComment(std::size_t at) const {
    const std::size_t close = input_.find('>', at);
    return close == npos ? input_.size() : close + 1;
}

HtmlAttribute& HtmlTokenizer::NewAttribute() {
    if (tag_.attributes.size() == tag_.count) tag_.attributes.emplace_back();
    HtmlAttribute& attribute = tag_.attributes[tag_.count];
    attribute.name.clear();
    attribute.value.clear();
    return attribute;
}

void HtmlTokenizer::KeepAttribute() {
    const std::string& name = tag_.attributes[tag_.count].name;
    for (std::size_t i = 0; i < tag_.count; ++i) {
        if (tag_.attributes[i].name == name) return;
    }
    ++tag_.count;
}

std::size_t HtmlTokenizer::TagBody(std::size_t at, bool end) {
    const std::size_t size = input_.size();
    tag_.end = end;
    tag_.selfClosing = false;
    tag_.count = 0;
    std::size_t i = at;
    bool capitals = false;
    for (; i < size && !EndsTagName(input_[i]); ++i) capitals = capitals || Is(input_[i], kCapital);
    tag_.name = input_.substr(at, i - at);
    if (capitals) {
        loweredName_.assign(tag_.name);
        LowerInPlace(loweredName_);
        tag_.name = loweredName_;
    }
    for (;;) {
        while (i < size && IsHtmlBlank(input_[i])) ++i;
        if (i == size) return kCutOff;
        if (input_[i] == '>') break;
        if (input_[i] == '/') {
            if (++i == size) return kCutOff;
            if (input_[i] == '>') {
                tag_.selfClosing = true;
                break;
            }
            continue;
        }
        // An attribute name may start with '='; it ends at a blank, '/', '>' or a later '='.
        HtmlAttribute& attribute = NewAttribute();
        const std::size_t nameStart = i++;
        while (i < size && !EndsTagName(input_[i]) && input_[i] != '=') ++i;
        attribute.name.assign(input_.data() + nameStart, i - nameStart);
        LowerInPlace(attribute.name);
        while (i < size && IsHtmlBlank(input_[i])) ++i;
        if (i < size && input_[i] == '=') {
            i = AttributeValue(i + 1, attribute);
            if (i == size) return kCutOff;
        }
        KeepAttribute();
    }
    return i + 1;
}

std::size_t HtmlTokenizer::AttributeValue(std::size_t at, HtmlAttribute& attribute) {
    const std::size_t size = input_.size();
    std::size_t i = at;
    while (i < size && IsHtmlBlank(input_[i])) ++i;
    if (i == size) return size;
    const char quote = input_[i] == '"' || input_[i] == '\'' ? input_[i] : 0;
    if (quote) ++i;
    const auto ends = [quote](char c) { return quote ? c == quote : IsHtmlBlank(c) || c == '>'; };
    while (i < size) {
        // The characters up to a reference or the value's end are taken as they are, at once.
        const std::size_t run = i;
        while (i < size && input_[i] != '&' && !ends(input_[i])) ++i;
        attribute.value.append(input_.data() + run, i - run);
        if (i == size || input_[i] != '&') break;
        const std::size_t taken = DecodeCharacterReference(input_.substr(i + 1), true, attribute.value);
        if (!taken) attribute.value += '&';
        i += 1 + taken;
    }
    if (i == size) return size;
    // Past the closing quote; an unquoted value leaves its blank or '>' to the tag.
    return quote ? i + 1 : i;
}

bool HtmlTokenizer::IsTextElement(std::string_view name) {
    return name == kScript || name == kPlaintext || OneOf(name, kRawTextElements, std::size(kRawTextElements)) ||
           OneOf(name, kRcdataElements, std::size(kRcdataElements));
}

std::size_t HtmlTokenizer::ElementTextEnd(std::size_t at, bool& references) const {
    const std::string_view name = tag_.name;
    if (!BeginsText(name)) return npos;
    if (name == kScript) return ScriptEnd(at);
    if (name == kPlaintext) return input_.size();
    if (OneOf(name, kRawTextElements, std::size(kRawTextElements))) return RawTextEnd(at, name);
    references = OneOf(name, kRcdataElements, std::size(kRcdataElements));
    return references ? RawTextEnd(at, name) : npos;
}

bool HtmlTokenizer::EndTagAt(std::size_t at, std::string_view name) const {
    const std::size_t after = at + 2 + name.size();
    return after < input_.size() && input_[at] == '<' && input_[at + 1] == '/' &&
           AsciiEqualsNoCase(input_.substr(at + 2, name.size()), name) && EndsTagName(input_[after]);
}

std::size_t HtmlTokenizer::RawTextEnd(std::size_t at, std::string_view name) const {
    for (std::size_t open = input_.find('<', at); open != npos; open = input_.find('<', open + 1)) {
        if (EndTagAt(open, name)) return open;
    }
    return input_.size();
}

std::size_t HtmlTokenizer::ScriptEnd(std::size_t at) const {
    // Script data, its escaped form after "<!--", and its double-escaped form after a "<script"
    // inside that, where "</script>" does not end it.
    enum class State { Data, Escaped, EscapedDash, EscapedDashDash, Double, DoubleDash, DoubleDashDash };
    State state = State::Data;
    const std::size_t size = input_.size();
    const auto letters = [&](std::size_t from) {
        std::size_t end = from;
        while (end < size && IsAsciiLetter(input_[end])) ++end;
        return end;
    };
    const auto isScript = [&](std::size_t from, std::size_t to) {
        return to < size && EndsTagName(input_[to]) && AsciiEqualsNoCase(input_.substr(from, to - from), kScript);
    };
    for (std::size_t i = at; i < size;) {
        const char c = input_[i];
        const bool doubled = state == State::Double || state == State::DoubleDash || state == State::DoubleDashDash;
        if (c == '<' && !doubled) {
            if (EndTagAt(i, kScript)) return i;
            if (state == State::Data) {
                if (input_.substr(i + 1, 3) == "!--") {
                    state = State::EscapedDashDash;
                    i += 4;
                } else {
                    ++i;
                }
                continue;
            }
            state = State::Escaped;
            const std::size_t end = letters(i + 1);
            if (isScript(i + 1, end)) {
                state = State::Double;
                i = end + 1;
            } else {
                i = end > i + 1 ? end : i + 1;
            }
            continue;
        }
        if (c == '<') {
            state = State::Double;
            if (i + 1 < size && input_[i + 1] == '/') {
                const std::size_t end = letters(i + 2);
                if (isScript(i + 2, end)) {
                    state = State::Escaped;
                    i = end + 1;
                    continue;
                }
                i = end;
                continue;
            }
            ++i;
            continue;
        }
        switch (state) {
        case State::Data: break;
        case State::Escaped:
        case State::EscapedDash:
            state = c == '-' ? (state == State::Escaped ? State::EscapedDash : State::EscapedDashDash) : State::Escaped;
            break;
        case State::EscapedDashDash: state = c == '-' ? state : c == '>' ? State::Data : State::Escaped; break;
        case State::Double:
        case State::DoubleDash:
            state = c == '-' ? (state == State::Double ? State::DoubleDash : State::DoubleDashDash) : State::Double;
            break;
        case State::DoubleDashDash: state = c == '-' ? state : c == '>' ? State::Data : State::Double; break;
        }
        ++i;
    }
    return size;
}

}  // namespace linkloom
