#pragma once

#include <optional>
#include <string>

#include "platform/SystemError.h"

namespace linkloom::test {

// A failure's reason, for a test's message; empty when there is none.
inline std::string Why(const std::optional<platform::SystemError>& failure) {
    return failure ? platform::Describe(*failure).ToUtf8() : std::string();
}

}  // namespace linkloom::test
