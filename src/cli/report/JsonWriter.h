#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/String.h"

namespace linkloom::cli {

// Builds one compact JSON document front to back; commas and quoting are its business. Text is
// written as UTF-8, a lone surrogate (a name no UTF-8 or UTF-16 could hold) as its \u escape.
class JsonWriter {
public:
    JsonWriter& BeginObject();
    JsonWriter& EndObject();
    JsonWriter& BeginArray();
    JsonWriter& EndArray();
    // The next member's name, inside an object.
    JsonWriter& Key(std::string_view name);
    JsonWriter& Value(const String& text);
    // UTF-8 text; bytes that are not UTF-8 are kept as lone surrogates, as file names are.
    JsonWriter& Value(std::string_view utf8) { return Value(String::FromUtf8(utf8)); }
    JsonWriter& Value(const char* utf8) { return Value(std::string_view(utf8)); }
    JsonWriter& Value(long long number);
    JsonWriter& Value(std::uint64_t number);
    JsonWriter& Value(int number) { return Value(static_cast<long long>(number)); }
    JsonWriter& Value(bool flag);
    JsonWriter& Null();

    const std::string& Text() const { return text_; }

private:
    // A comma before every value but the first of its array or object.
    void Separate();

    std::string text_;
    std::vector<bool> empty_;  // for each open array or object: nothing in it yet
    bool afterKey_ = false;
};

}  // namespace linkloom::cli
