#pragma once

#include <chrono>
#include <string>
#include <string_view>

#include "base/String.h"

namespace linkloom::platform {

// How long a request may take: to connect, and in all.
struct HttpLimits {
    std::chrono::milliseconds connect;
    std::chrono::milliseconds total;
};

// What came of a request.
struct HttpAnswer {
    enum class Outcome {
        Answered,  // `status` holds the server's answer
        TimedOut,  // a limit passed first
        Failed,    // no answer: `error` says why
        Stopped,   // a stop request came first
    };
    Outcome outcome = Outcome::Failed;
    int status = 0;
    // The answer's Retry-After header, empty when it has none.
    std::string retryAfter;
    String error;
};

// POSTs `body` as `contentType` to the http or https `url` and waits for the answer's status,
// within `limits`. Certificates are checked against the system's; redirects are not followed.
HttpAnswer HttpPost(const String& url, std::string_view contentType, std::string_view body, const HttpLimits& limits);

}  // namespace linkloom::platform
