#include "platform/HttpPost.h"

// The library is loaded only by a run that posts, so its calls go through pointers, which the
// header's type-checking macros would not take.
#define CURL_DISABLE_TYPECHECK
#include <curl/curl.h>
#include <dlfcn.h>

#include <memory>

#include "base/AsciiCharacters.h"
#include "platform/StopSignals.h"

namespace linkloom::platform {

namespace {

constexpr std::string_view kRetryAfter = "retry-after:";
constexpr std::string_view kStatusLine = "HTTP/";

// libcurl, opened on the first post: a run without one loads neither it nor the libraries it
// brings (TLS, name lookup, ...), and cannot reach the network.
struct Curl {
    decltype(&curl_global_init) globalInit = nullptr;
    decltype(&curl_easy_init) init = nullptr;
    decltype(&curl_easy_setopt) setopt = nullptr;
    decltype(&curl_easy_perform) perform = nullptr;
    decltype(&curl_easy_getinfo) getinfo = nullptr;
    decltype(&curl_easy_strerror) strerror = nullptr;
    decltype(&curl_easy_cleanup) cleanup = nullptr;
    decltype(&curl_slist_append) append = nullptr;
    decltype(&curl_slist_free_all) freeAll = nullptr;
    std::string error;  // why it could not be opened; empty once it is
};

template <typename Function>
bool Find(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

const Curl& LoadCurl() {
    static const Curl curl = [] {
        Curl loaded;
        void* library = nullptr;
        for (const char* name : {"libcurl.so.4", "libcurl.4.dylib", "libcurl.so", "libcurl.dylib"}) {
            if ((library = dlopen(name, RTLD_NOW | RTLD_LOCAL))) break;
        }
        if (!library) {
            const char* reason = dlerror();
            loaded.error = std::string("cannot load libcurl: ") + (reason ? reason : "not found");
            return loaded;
        }
        // Kept open for the rest of the run: its functions are called until the end.
        const bool found =
            Find(library, "curl_global_init", loaded.globalInit) && Find(library, "curl_easy_init", loaded.init) &&
            Find(library, "curl_easy_setopt", loaded.setopt) && Find(library, "curl_easy_perform", loaded.perform) &&
            Find(library, "curl_easy_getinfo", loaded.getinfo) &&
            Find(library, "curl_easy_strerror", loaded.strerror) &&
            Find(library, "curl_easy_cleanup", loaded.cleanup) && Find(library, "curl_slist_append", loaded.append) &&
            Find(library, "curl_slist_free_all", loaded.freeAll);
        if (!found) {
            loaded.error = "cannot load libcurl: a function is missing";
        } else if (loaded.globalInit(CURL_GLOBAL_DEFAULT) != CURLE_OK) {
            loaded.error = "cannot start libcurl";
        }
        return loaded;
    }();
    return curl;
}

struct EasyFree {
    void operator()(CURL* easy) const { LoadCurl().cleanup(easy); }
};
struct ListFree {
    void operator()(curl_slist* list) const { LoadCurl().freeAll(list); }
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
    HttpAnswer answer;
    const Curl& curl = LoadCurl();
    if (!curl.error.empty()) {
        answer.error = String::FromUtf8(curl.error);
        return answer;
    }
    const std::unique_ptr<CURL, EasyFree> easy(curl.init());
    if (!easy) {
        answer.error = u"cannot start libcurl";
        return answer;
    }
    const std::string type = "Content-Type: " + std::string(contentType);
    std::unique_ptr<curl_slist, ListFree> headers(curl.append(nullptr, type.c_str()));
    // Sent at once, without waiting for a 100 Continue first.
    if (headers) headers.reset(curl.append(headers.release(), "Expect:"));
    const std::string address = url.ToUtf8();
    char reason[CURL_ERROR_SIZE] = {};
    CURL* const handle = easy.get();
    curl.setopt(handle, CURLOPT_URL, address.c_str());
    curl.setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
    curl.setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl.setopt(handle, CURLOPT_HTTPHEADER, headers.get());
    curl.setopt(handle, CURLOPT_POSTFIELDS, body.data());
    curl.setopt(handle, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
    curl.setopt(handle, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(limits.connect.count()));
    curl.setopt(handle, CURLOPT_TIMEOUT_MS, static_cast<long>(limits.total.count()));
    curl.setopt(handle, CURLOPT_HEADERFUNCTION, TakeHeader);
    curl.setopt(handle, CURLOPT_HEADERDATA, &answer);
    curl.setopt(handle, CURLOPT_WRITEFUNCTION, DropBody);
    curl.setopt(handle, CURLOPT_NOPROGRESS, 0L);
    curl.setopt(handle, CURLOPT_XFERINFOFUNCTION, CheckStop);
    curl.setopt(handle, CURLOPT_ERRORBUFFER, reason);
    const CURLcode result = curl.perform(handle);
    switch (result) {
    case CURLE_OK: {
        long status = 0;
        curl.getinfo(handle, CURLINFO_RESPONSE_CODE, &status);
        answer.outcome = HttpAnswer::Outcome::Answered;
        answer.status = static_cast<int>(status);
        return answer;
    }
    case CURLE_OPERATION_TIMEDOUT: answer.outcome = HttpAnswer::Outcome::TimedOut; return answer;
    case CURLE_ABORTED_BY_CALLBACK: answer.outcome = HttpAnswer::Outcome::Stopped; return answer;
    default: break;
    }
    answer.error = String::FromUtf8(*reason ? reason : curl.strerror(result));
    return answer;
}

}  // namespace linkloom::platform
