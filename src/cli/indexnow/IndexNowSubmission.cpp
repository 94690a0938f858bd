#include "cli/indexnow/IndexNowSubmission.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "base/ControlCharacters.h"
#include "cli/indexnow/IndexNowRequest.h"
#include "platform/Console.h"
#include "platform/HttpPost.h"
#include "platform/StopSignals.h"

namespace linkloom::cli {

namespace {

using std::chrono::milliseconds;

constexpr char kJson[] = "application/json; charset=utf-8";
constexpr milliseconds kConnectLimit{10000}, kTotalLimit{60000};
// Tests shorten the limits with this variable, in milliseconds.
constexpr char kLimitVariable[] = "LINKLOOM_INDEXNOW_TIMEOUT_MS";
// A longer Retry-After is not waited for.
constexpr std::chrono::seconds kLongestWait{600};
constexpr milliseconds kStopCheck{100};
constexpr int kTooManyRequests = 429;

platform::HttpLimits Limits() {
    platform::HttpLimits limits{kConnectLimit, kTotalLimit};
    const char* const given = std::getenv(kLimitVariable);
    if (given && *given) {
        const milliseconds shorter{std::strtoll(given, nullptr, 10)};
        if (shorter.count() > 0) limits = {std::min(shorter, kConnectLimit), std::min(shorter, kTotalLimit)};
    }
    return limits;
}

// What the protocol says an answer means; null for a status it names no meaning for.
const char* Meaning(int status) {
    switch (status) {
    case 200: return "accepted";
    case 202: return "accepted, the key not validated yet";
    case 400: return "bad request";
    case 403: return "key not valid: the key file was not found or does not hold the key";
    case 422: return "the URLs do not belong to the host, or the key does not match the protocol";
    case 429: return "too many requests";
    default: break;
    }
    return status >= 500 && status < 600 ? "server error" : nullptr;
}

// The seconds a Retry-After asks for; nothing for a date or anything else.
std::optional<std::chrono::seconds> RetryDelay(const std::string& value) {
    if (value.empty() || value.size() > 9 ||
        !std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    return std::chrono::seconds(std::stol(value));
}

// Waits out `delay`; false when a stop came first.
bool Wait(std::chrono::seconds delay) {
    const auto end = std::chrono::steady_clock::now() + delay;
    while (std::chrono::steady_clock::now() < end) {
        if (platform::PendingStop() != platform::StopRequest::None) return false;
        std::this_thread::sleep_for(kStopCheck);
    }
    return true;
}

void Say(const std::string& text) { platform::WriteStandardError("indexnow: " + text + "\n"); }

std::string Counted(std::size_t count) { return std::to_string(count) + (count == 1 ? " URL" : " URLs"); }

}  // namespace

std::size_t SubmitToIndexNow(const IndexNowSite& site, const String& endpoint,
                             const std::vector<UrlChanges::Change>& changes, bool quiet) {
    const std::string shown = EscapeControlCharacters(endpoint).ToUtf8();
    if (changes.empty()) {
        if (!quiet) Say("no URL changed since the record; nothing submitted");
        return 0;
    }
    const platform::HttpLimits limits = Limits();
    bool retried = false;
    for (std::size_t first = 0; first < changes.size();) {
        const std::size_t count = std::min(kIndexNowBatch, changes.size() - first);
        const platform::HttpAnswer answer =
            platform::HttpPost(endpoint, kJson, IndexNowBody(site, changes, first), limits);
        std::string failure;
        switch (answer.outcome) {
        case platform::HttpAnswer::Outcome::Answered: break;
        case platform::HttpAnswer::Outcome::TimedOut:
            failure = shown + " did not answer within " + std::to_string(limits.total.count()) + " ms";
            break;
        case platform::HttpAnswer::Outcome::Failed:
            failure = "cannot post to " + shown + ": " + EscapeControlCharacters(answer.error).ToUtf8();
            break;
        case platform::HttpAnswer::Outcome::Stopped: failure = "stopped before " + shown + " answered"; break;
        }
        const int status = answer.status;
        const char* const meaning = Meaning(status);
        const std::string answered = shown + " answered " + std::to_string(status) + " (" +
                                     (meaning ? meaning : "not an answer IndexNow defines") + ") for " + Counted(count);
        if (failure.empty() && status == kTooManyRequests && !retried) {
            const auto delay = RetryDelay(answer.retryAfter);
            if (delay && *delay <= kLongestWait) {
                retried = true;
                Say(answered + "; asking again in " + std::to_string(delay->count()) + " s, as Retry-After says");
                if (Wait(*delay)) continue;
                failure = "stopped while waiting to ask again";
            }
        }
        if (failure.empty() && status != 200 && status != 202) failure = answered;
        if (!failure.empty()) {
            Say(failure);
            Say("the sitemap was written; " + std::to_string(changes.size() - first) + " of " +
                Counted(changes.size()) + " not submitted; the next run with --indexnow submits them");
            return first;
        }
        if (!quiet) Say(answered);
        first += count;
    }
    return changes.size();
}

}  // namespace linkloom::cli
