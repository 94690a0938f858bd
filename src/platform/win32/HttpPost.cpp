#include "platform/HttpPost.h"

#include <windows.h>
#include <winhttp.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "platform/StopSignals.h"
#include "platform/win32/Handle.h"
#include "platform/win32/SystemError.h"

namespace linkloom::platform {

namespace {

using InternetHandle = OwnedHandle<WinHttpCloseHandle>;

const wchar_t kAgent[] = L"linkloom-cli";

HttpAnswer FailedAnswer() {
    HttpAnswer answer;
    const DWORD code = GetLastError();
    if (code == ERROR_WINHTTP_TIMEOUT) {
        answer.outcome = HttpAnswer::Outcome::TimedOut;
        return answer;
    }
    // WinHTTP's own sentences are in its module, not the system's table.
    wchar_t* text = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_IGNORE_INSERTS,
                       GetModuleHandleW(L"winhttp.dll"), code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    answer.error = length ? String::FromWide(text) : SystemReason(code);
    if (text) LocalFree(text);
    answer.error.TrimRight();
    return answer;
}

int Milliseconds(std::chrono::milliseconds time) { return static_cast<int>(time.count()); }

constexpr std::chrono::milliseconds kStopCheck{100};

// Sends the request and reads the answer's status and Retry-After.
HttpAnswer Exchange(HINTERNET request, const String& header, std::string_view body) {
    DWORD never = WINHTTP_OPTION_REDIRECT_POLICY_NEVER;
    WinHttpSetOption(request, WINHTTP_OPTION_REDIRECT_POLICY, &never, sizeof(never));
    const DWORD size = static_cast<DWORD>(body.size());
    if (!WinHttpSendRequest(request, header.Wide(), static_cast<DWORD>(-1), const_cast<char*>(body.data()), size, size,
                            0) ||
        !WinHttpReceiveResponse(request, nullptr)) {
        return FailedAnswer();
    }
    HttpAnswer answer;
    DWORD status = 0, length = sizeof(status);
    if (!WinHttpQueryHeaders(request, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                             WINHTTP_HEADER_NAME_BY_INDEX, &status, &length, WINHTTP_NO_HEADER_INDEX)) {
        return FailedAnswer();
    }
    answer.outcome = HttpAnswer::Outcome::Answered;
    answer.status = static_cast<int>(status);
    wchar_t retryAfter[64] = {};
    length = sizeof(retryAfter) - sizeof(wchar_t);
    if (WinHttpQueryHeaders(request, WINHTTP_QUERY_RETRY_AFTER, WINHTTP_HEADER_NAME_BY_INDEX, retryAfter, &length,
                            WINHTTP_NO_HEADER_INDEX)) {
        answer.retryAfter = String::FromWide(retryAfter).ToUtf8();
    }
    return answer;
}

}  // namespace

HttpAnswer HttpPost(const String& url, std::string_view contentType, std::string_view body, const HttpLimits& limits) {
    URL_COMPONENTSW parts = {};
    parts.dwStructSize = sizeof(parts);
    parts.dwHostNameLength = parts.dwUrlPathLength = parts.dwExtraInfoLength = static_cast<DWORD>(-1);
    if (!WinHttpCrackUrl(url.Wide(), 0, 0, &parts) ||
        (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS)) {
        return FailedAnswer();
    }
    const std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
    const std::wstring path = std::wstring(parts.lpszUrlPath, parts.dwUrlPathLength) +
                              std::wstring(parts.lpszExtraInfo, parts.dwExtraInfoLength);
    InternetHandle session(
        WinHttpOpen(kAgent, WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
    if (!session.IsValid() ||
        !WinHttpSetTimeouts(session.Get(), Milliseconds(limits.connect), Milliseconds(limits.connect),
                            Milliseconds(limits.total), Milliseconds(limits.total))) {
        return FailedAnswer();
    }
    InternetHandle connection(WinHttpConnect(session.Get(), host.c_str(), parts.nPort, 0));
    if (!connection.IsValid()) return FailedAnswer();
    // The handles and the body live as long as the thread that waits on the request, which may
    // outlast this call.
    struct Pending {
        InternetHandle session, connection, request;
        std::string body;
        std::mutex lock;
        std::condition_variable over;
        bool done = false;
        HttpAnswer answer;
    };
    auto pending = std::make_shared<Pending>();
    pending->request.Reset(WinHttpOpenRequest(connection.Get(), L"POST", path.c_str(), nullptr, WINHTTP_NO_REFERER,
                                              WINHTTP_DEFAULT_ACCEPT_TYPES,
                                              parts.nScheme == INTERNET_SCHEME_HTTPS ? WINHTTP_FLAG_SECURE : 0));
    if (!pending->request.IsValid()) return FailedAnswer();
    pending->session.Reset(session.Release());
    pending->connection.Reset(connection.Release());
    pending->body = std::string(body);
    const String header = u"Content-Type: " + String::FromUtf8(std::string(contentType));
    const HINTERNET request = pending->request.Get();
    std::thread([pending, request, header] {
        HttpAnswer answer = Exchange(request, header, pending->body);
        const std::lock_guard<std::mutex> held(pending->lock);
        pending->answer = std::move(answer);
        pending->done = true;
        pending->over.notify_one();
    }).detach();
    // WinHTTP's own limits are for each step, and not every WinHTTP keeps them: the whole request
    // is given up here at its limit, or at a stop request, and its handle closed, which ends it
    // where the system allows that.
    const auto end = std::chrono::steady_clock::now() + limits.total;
    std::unique_lock<std::mutex> held(pending->lock);
    while (!pending->done) {
        std::optional<HttpAnswer::Outcome> cut;
        if (std::chrono::steady_clock::now() >= end) {
            cut = HttpAnswer::Outcome::TimedOut;
        } else if (PendingStop() != StopRequest::None) {
            cut = HttpAnswer::Outcome::Stopped;
        }
        if (cut) {
            WinHttpCloseHandle(pending->request.Release());
            HttpAnswer answer;
            answer.outcome = *cut;
            return answer;
        }
        pending->over.wait_for(held, kStopCheck);
    }
    return pending->answer;
}

}  // namespace linkloom::platform
