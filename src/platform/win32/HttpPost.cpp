#include "platform/HttpPost.h"

#include <windows.h>
#include <winhttp.h>

#include <chrono>

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

}  // namespace

// WinHTTP bounds each step (resolving, connecting, sending, each read of the answer) rather than
// the whole: connecting gets the connect limit, the others the total one.
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
    const InternetHandle session(
        WinHttpOpen(kAgent, WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
    if (!session.IsValid() ||
        !WinHttpSetTimeouts(session.Get(), Milliseconds(limits.connect), Milliseconds(limits.connect),
                            Milliseconds(limits.total), Milliseconds(limits.total))) {
        return FailedAnswer();
    }
    const InternetHandle connection(WinHttpConnect(session.Get(), host.c_str(), parts.nPort, 0));
    if (!connection.IsValid()) return FailedAnswer();
    const InternetHandle request(WinHttpOpenRequest(connection.Get(), L"POST", path.c_str(), nullptr,
                                                    WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                                                    parts.nScheme == INTERNET_SCHEME_HTTPS ? WINHTTP_FLAG_SECURE : 0));
    if (!request.IsValid()) return FailedAnswer();
    DWORD never = WINHTTP_OPTION_REDIRECT_POLICY_NEVER;
    WinHttpSetOption(request.Get(), WINHTTP_OPTION_REDIRECT_POLICY, &never, sizeof(never));
    const String header = u"Content-Type: " + String::FromUtf8(std::string(contentType));
    const DWORD size = static_cast<DWORD>(body.size());
    if (!WinHttpSendRequest(request.Get(), header.Wide(), static_cast<DWORD>(-1), const_cast<char*>(body.data()), size,
                            size, 0) ||
        !WinHttpReceiveResponse(request.Get(), nullptr)) {
        return FailedAnswer();
    }
    HttpAnswer answer;
    DWORD status = 0, length = sizeof(status);
    if (!WinHttpQueryHeaders(request.Get(), WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                             WINHTTP_HEADER_NAME_BY_INDEX, &status, &length, WINHTTP_NO_HEADER_INDEX)) {
        return FailedAnswer();
    }
    answer.outcome = HttpAnswer::Outcome::Answered;
    answer.status = static_cast<int>(status);
    wchar_t retryAfter[64] = {};
    length = sizeof(retryAfter) - sizeof(wchar_t);
    if (WinHttpQueryHeaders(request.Get(), WINHTTP_QUERY_RETRY_AFTER, WINHTTP_HEADER_NAME_BY_INDEX, retryAfter, &length,
                            WINHTTP_NO_HEADER_INDEX)) {
        answer.retryAfter = String::FromWide(retryAfter).ToUtf8();
    }
    return answer;
}

}  // namespace linkloom::platform
