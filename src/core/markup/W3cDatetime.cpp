#include "core/markup/W3cDatetime.h"

#include "base/CivilDate.h"

namespace linkloom {

namespace {

// Reads the text front to back, each field a fixed number of digits.
class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) {}

    bool Digits(std::size_t count, int least, int most, int& value) {
        if (text_.size() - at_ < count) return false;
        value = 0;
        for (std::size_t i = 0; i < count; ++i) {
            const char digit = text_[at_ + i];
            if (digit < '0' || digit > '9') return false;
            value = value * 10 + (digit - '0');
        }
        at_ += count;
        return value >= least && value <= most;
    }
    bool Take(char expected) {
        if (at_ >= text_.size() || text_[at_] != expected) return false;
        ++at_;
        return true;
    }
    bool AtEnd() const { return at_ == text_.size(); }
    char Next() const { return at_ < text_.size() ? text_[at_] : '\0'; }

private:
    std::string_view text_;
    std::size_t at_ = 0;
};

}  // namespace

std::optional<W3cDatetime> ParseW3cDatetime(std::string_view text, std::int64_t utcOffsetSeconds) {
    Reader reader(text);
    int year = 0, month = 1, day = 1;
    if (!reader.Digits(4, 0, 9999, year)) return std::nullopt;
    const auto local = [&](std::int64_t endYear, int endMonth, int endDay) {
        const std::int64_t first = DaysFromCivil({year, month, day}) * kSecondsPerDay - utcOffsetSeconds;
        return W3cDatetime{first, DaysFromCivil({endYear, endMonth, endDay}) * kSecondsPerDay - utcOffsetSeconds};
    };
    if (reader.AtEnd()) return local(year + 1, 1, 1);
    if (!reader.Take('-') || !reader.Digits(2, 1, 12, month)) return std::nullopt;
    if (reader.AtEnd()) return local(month == 12 ? year + 1 : year, month == 12 ? 1 : month + 1, 1);
    if (!reader.Take('-') || !reader.Digits(2, 1, DaysInMonth(year, month), day)) return std::nullopt;
    if (reader.AtEnd()) {
        const std::int64_t first = DaysFromCivil({year, month, day}) * kSecondsPerDay - utcOffsetSeconds;
        return W3cDatetime{first, first + kSecondsPerDay};
    }

    int hour = 0, minute = 0, second = 0;
    if (!reader.Take('T') || !reader.Digits(2, 0, 23, hour) || !reader.Take(':') || !reader.Digits(2, 0, 59, minute)) {
        return std::nullopt;
    }
    std::int64_t span = 60;
    if (reader.Take(':')) {
        if (!reader.Digits(2, 0, 59, second)) return std::nullopt;
        span = 1;
        if (reader.Take('.')) {
            int digit = 0;
            if (!reader.Digits(1, 0, 9, digit)) return std::nullopt;
            while (reader.Next() >= '0' && reader.Next() <= '9') reader.Digits(1, 0, 9, digit);
        }
    }
    std::int64_t offset = 0;
    if (!reader.Take('Z')) {
        const char sign = reader.Next();
        int offsetHours = 0, offsetMinutes = 0;
        if ((sign != '+' && sign != '-') || !reader.Take(sign) || !reader.Digits(2, 0, 23, offsetHours) ||
            !reader.Take(':') || !reader.Digits(2, 0, 59, offsetMinutes)) {
            return std::nullopt;
        }
        offset = (sign == '-' ? -1 : 1) * (offsetHours * 3600 + offsetMinutes * 60);
    }
    if (!reader.AtEnd()) return std::nullopt;
    const std::int64_t first =
        DaysFromCivil({year, month, day}) * kSecondsPerDay + hour * 3600 + minute * 60 + second - offset;
    return W3cDatetime{first, first + span};
}

}  // namespace linkloom
