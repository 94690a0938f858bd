#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace linkloom {

// UTF-16 text on every platform, so that counts of characters mean the same everywhere.
class String {
public:
    using Unit = char16_t;
    static constexpr std::ptrdiff_t npos = -1;

    String() = default;
    String(const char16_t* text) : text_(text ? text : u"") {}
    String(std::u16string_view text) : text_(text) {}
    String(std::u16string text) : text_(std::move(text)) {}

    // ASCII literals and UTF-8 text (invalid bytes are kept as U+DC80..U+DCFF so they round-trip).
    static String FromUtf8(std::string_view utf8);
    // UTF-8 for output: unpaired surrogates become U+FFFD.
    std::string ToUtf8() const;
    // UTF-8 for the file system: the kept invalid bytes are restored as they were.
    std::string ToNativeBytes() const;

    static String FromInt(long long value);
    // Decimal with at least `width` digits, zero-padded.
    static String FromIntPadded(long long value, int width);
    // Upper-case hexadecimal with at least `width` digits, zero-padded.
    static String FromHexPadded(unsigned long long value, int width);

    std::size_t Length() const { return text_.size(); }
    bool IsEmpty() const { return text_.empty(); }
    const char16_t* Data() const { return text_.c_str(); }
    const std::u16string& Text() const { return text_; }
    char16_t operator[](std::size_t index) const { return text_[index]; }
    char16_t Last() const { return text_.empty() ? u'\0' : text_.back(); }

#ifdef _WIN32
    const wchar_t* Wide() const { return reinterpret_cast<const wchar_t*>(text_.c_str()); }
    static String FromWide(const wchar_t* text) { return String(reinterpret_cast<const char16_t*>(text ? text : L"")); }
#endif

    String& operator+=(const String& other) {
        text_ += other.text_;
        return *this;
    }
    String& operator+=(char16_t unit) {
        text_ += unit;
        return *this;
    }
    friend String operator+(String left, const String& right) { return left += right; }
    friend String operator+(String left, char16_t right) { return left += right; }
    bool operator==(const String& other) const { return text_ == other.text_; }
    bool operator!=(const String& other) const { return text_ != other.text_; }

    // Index of the first occurrence, or npos.
    std::ptrdiff_t Find(char16_t unit, std::size_t from = 0) const;
    std::ptrdiff_t Find(const String& part, std::size_t from = 0) const;
    bool Contains(const String& part) const { return Find(part) != npos; }
    bool StartsWith(const String& prefix) const;
    bool EndsWith(char16_t unit) const { return !text_.empty() && text_.back() == unit; }

    String Left(std::size_t count) const { return String(text_.substr(0, count)); }
    String Mid(std::size_t from) const { return from < text_.size() ? String(text_.substr(from)) : String(); }

    // White space as the wide-character test sees it (iswspace of the C locale, plus U+00A0 and friends).
    static bool IsSpace(char16_t unit);
    String& TrimLeft();
    String& TrimRight();

    // Replaces every occurrence of `from` by `to`, scanning left to right; returns the count.
    int ReplaceAll(const String& from, const String& to);

private:
    std::u16string text_;
};

}  // namespace linkloom
