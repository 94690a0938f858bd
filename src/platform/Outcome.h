#pragma once

#include <optional>
#include <utility>

#include "platform/SystemError.h"

namespace linkloom::platform {

// A value, or the failure that kept it from being made.
template <typename T>
class Outcome {
public:
    Outcome(T value) : value_(std::move(value)) {}
    Outcome(SystemError failure) : failure_(std::move(failure)) {}

    explicit operator bool() const { return !failure_; }
    T& operator*() { return *value_; }
    T* operator->() { return &*value_; }
    const SystemError& Failure() const { return *failure_; }

private:
    std::optional<T> value_;
    std::optional<SystemError> failure_;
};

}  // namespace linkloom::platform
