#include "platform/HttpPost.h"

#include <curl/curl.h>

#include <memory>
#include <mutex>

#include "base/AsciiCharacters.h"
#include "platform/StopSignals.h"

namespace linkloom::platform {

namespace {

constexpr std::string_view kRetryAfter = "retry-after:";
constexpr std::string_view kStatusLine = "HTTP/";

struct EasyFree {
    void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
struct ListFree {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

// Each answer's headers, an interim one's (100 Continue) forgotten at the next status line.
std::size_t TakeHeader(char* bytes, std::size_t size, std::size_t count, void* answer) {
    std::string_view line(bytes, size * count);
    std::string& retryAfter = static_cast<HttpAnswer*>(answer)->retryAfter;
    if (line.substr(0, kStatusLine.size()) == kStatusLine) retryAfter.clear();
    if (line.size() > kRetryAfter.size() && AsciiEqualsNoCase(line.substr(0, kRetryAfter.size()), kRetryAfter)) {
        line.remove_prefix(kRetryAfter.size());
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
        while (!line.empty() && (line.back() == '\r' || line.back() == '\n' || line.back() == ' '))
            line.remove_suffix(1);
        retryAfter = std::string(line);
    }
    return size * count;
}

// The answer's body is not read.
std::size_t DropBody(char*, std::size_t size, std::size_t count, void*) { return size * count; }

int CheckStop(void*, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    return PendingStop() == StopRequest::None ? 0 : 1;
}

}  // namespace

HttpAnswer HttpPost(const String& url, std::string_view contentType, std::string_view body, const HttpLimits& limits) {
    static std::once_flag initialised;
    std::call_once(initialised, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    HttpAnswer answer;
    const std::unique_ptr<CURL, EasyFree> easy(curl_easy_init());
    if (!easy) {
        answer.error = u"cannot start libcurl";
        return answer;
    }
    const std::string type = "Content-Type: " + std::string(contentType);
    std::unique_ptr<curl_slist, ListFree> headers(curl_slist_append(nullptr, type.c_str()));
    // Sent at once, without waiting for a 100 Continue first.
    if (headers) headers.reset(curl_slist_append(headers.release(), "Expect:"));
    const std::string address = url.ToUtf8();
    char reason[CURL_ERROR_SIZE] = {};
    CURL* const handle = easy.get();
    curl_easy_setopt(handle, CURLOPT_URL, address.c_str());
    curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(handle, CURLOPT_POSTFIELDS, body.data());
    curl_easy_setopt(handle, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
    curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(limits.connect.count()));
    curl_easy_setopt(handle, CURLOPT_TIMEOUT_MS, static_cast<long>(limits.total.count()));
    curl_easy_setopt(handle, CURLOPT_HEADERFUNCTION, TakeHeader);
    curl_easy_setopt(handle, CURLOPT_HEADERDATA, &answer);
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, DropBody);
    curl_easy_setopt(handle, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(handle, CURLOPT_XFERINFOFUNCTION, CheckStop);
    curl_easy_setopt(handle, CURLOPT_ERRORBUFFER, reason);
    const CURLcode result = curl_easy_perform(handle);
    switch (result) {
    case CURLE_OK: {
        long status = 0;
        curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status);
        answer.outcome = HttpAnswer::Outcome::Answered;
        answer.status = static_cast<int>(status);
        return answer;
    }
    case CURLE_OPERATION_TIMEDOUT: answer.outcome = HttpAnswer::Outcome::TimedOut; return answer;
    case CURLE_ABORTED_BY_CALLBACK: answer.outcome = HttpAnswer::Outcome::Stopped; return answer;
    default: break;
    }
    answer.error = String::FromUtf8(*reason ? reason : curl_easy_strerror(result));
    return answer;
}

}  // namespace linkloom::platform
