#include "service/win/winhttp_transport.h"

#include <new>

#include "common/text_utf.h"
#include "common/win/wide.h"
#include "service/url_split.h"
#include "service/win/winhttp_failure.h"
#include "service/win/winhttp_handle.h"

namespace quillbox::win {

namespace {

constexpr wchar_t kUserAgent[] = L"QuillboxAddIn/1.0";

// How long a request waits for the reply's headers once it has been sent. Windows bounds this
// wait with its 30-second receive time-out, but other WinHTTP implementations (Wine's among
// them) wait without limit unless told, which would hold Word for as long as a server that
// accepts the connection stays silent. The same 30 seconds are set here; every other
// time-out keeps the stack's default.
constexpr DWORD kReplyHeadersTimeoutMs = 30000;

// Host and path are bytes of the request URL, which the core builds as UTF-8 (the base URL
// is converted from the registry's UTF-16, the parameters are percent-escaped ASCII).
std::wstring WideFromUrlBytes(const std::string& bytes) { return ToWide(Utf8ToUtf16(bytes)); }

// Appends the response body to body, chunk by chunk, exactly as many bytes as each read
// delivered. Stops at the end of the body or at the first failure.
void ReadBody(HINTERNET request, std::string& body) {
  for (;;) {
    DWORD available = 0;
    if (!::WinHttpQueryDataAvailable(request, &available) || available == 0) return;
    const size_t start = body.size();
    body.resize(start + available);
    DWORD read = 0;
    const BOOL ok = ::WinHttpReadData(request, body.data() + start, available, &read);
    body.resize(start + (ok ? read : 0));
    if (!ok || read == 0) return;
  }
}

// A session for the route. WinHTTP applies a proxy only when the session is opened with it
// (some implementations ignore a proxy set later on the request); the bypass list has already
// been applied when the route was chosen.
UniqueWinHttpHandle OpenSession(const ProxyRoute& route) {
  if (route.kind == ProxyRoute::Kind::Proxy) {
    const std::wstring proxy = WideFromUrlBytes(route.proxy);
    return UniqueWinHttpHandle(::WinHttpOpen(kUserAgent, WINHTTP_ACCESS_TYPE_NAMED_PROXY, proxy.c_str(),
                                             WINHTTP_NO_PROXY_BYPASS, 0));
  }
  const DWORD access = route.kind == ProxyRoute::Kind::Direct ? WINHTTP_ACCESS_TYPE_NO_PROXY
                                                              : WINHTTP_ACCESS_TYPE_DEFAULT_PROXY;
  return UniqueWinHttpHandle(::WinHttpOpen(kUserAgent, access, WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
}

DWORD StatusCode(HINTERNET request) {
  DWORD status = 0;
  DWORD size = sizeof status;
  if (!::WinHttpQueryHeaders(request, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                             WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX)) {
    return 0;
  }
  return status;
}

// A proxy that asks for a sign-in is answered once with the user's own Windows sign-in
// (Negotiate or NTLM, credentials left null so that WinHTTP uses the logged-on user's), the
// way WinHTTP's documentation describes proxy authentication. Basic and Digest would need a
// password the add-in does not have. True when the request was sent again.
bool SignInToProxy(HINTERNET request) {
  DWORD supported = 0, first = 0, target = 0;
  if (!::WinHttpQueryAuthSchemes(request, &supported, &first, &target) || target != WINHTTP_AUTH_TARGET_PROXY) {
    return false;
  }
  DWORD scheme = 0;
  if (supported & WINHTTP_AUTH_SCHEME_NEGOTIATE) {
    scheme = WINHTTP_AUTH_SCHEME_NEGOTIATE;
  } else if (supported & WINHTTP_AUTH_SCHEME_NTLM) {
    scheme = WINHTTP_AUTH_SCHEME_NTLM;
  } else {
    return false;
  }
  return ::WinHttpSetCredentials(request, WINHTTP_AUTH_TARGET_PROXY, scheme, nullptr, nullptr, nullptr) &&
         ::WinHttpSendRequest(request, WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0, 0) &&
         ::WinHttpReceiveResponse(request, nullptr);
}

constexpr DWORD kProxyAuthenticationRequired = 407;

// Keeps what the secure-failure notification says was wrong with the server's certificate,
// in the DWORD that the request's context points at.
void CALLBACK NoteSecureFailure(HINTERNET, DWORD_PTR context, DWORD status, LPVOID information, DWORD length) {
  if (status == WINHTTP_CALLBACK_STATUS_SECURE_FAILURE && context != 0 && information != nullptr &&
      length >= sizeof(DWORD)) {
    *reinterpret_cast<DWORD*>(context) = *static_cast<const DWORD*>(information);
  }
}

struct RouteOutcome {
  bool connected = false;   // the route's first hop answered (false: try the next route)
  TransportFailure failure;
};

// One request on one route; the body read goes to body.
RouteOutcome RequestOnRoute(const ProxyRoute& route, const std::string& url, std::string& body) {
  const bool throughProxy = route.kind == ProxyRoute::Kind::Proxy;
  const RouteOutcome noReply{true, TransportFailure{TransportFailure::Kind::NoReply, {}}};
  // Declared in opening order, so they close request first, then connection, then session.
  UniqueWinHttpHandle session = OpenSession(route);
  if (!session) return noReply;
  // Without it the request still goes out, only with the stack's own limit.
  DWORD replyHeadersTimeout = kReplyHeadersTimeoutMs;
  ::WinHttpSetOption(session.Get(), WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &replyHeadersTimeout,
                     sizeof replyHeadersTimeout);

  const RequestTarget target = SplitRequestUrl(url);
  const std::wstring host = WideFromUrlBytes(target.host);
  const std::wstring path = WideFromUrlBytes(target.path);
  UniqueWinHttpHandle connection(::WinHttpConnect(session.Get(), host.c_str(), target.port, 0));
  if (!connection) return noReply;

  // WINHTTP_FLAG_REFRESH puts "Pragma: no-cache" and "Cache-Control: no-cache" on the
  // request, so that no cache or proxy answers in the service's place.
  const DWORD flags = WINHTTP_FLAG_REFRESH | (target.secure ? WINHTTP_FLAG_SECURE : 0);
  UniqueWinHttpHandle request(::WinHttpOpenRequest(connection.Get(), nullptr, path.c_str(), nullptr,
                                                   WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES, flags));
  if (!request) return noReply;

  DWORD secureFlags = 0;
  ::WinHttpSetStatusCallback(request.Get(), NoteSecureFailure, WINHTTP_CALLBACK_FLAG_SECURE_FAILURE, 0);
  if (!::WinHttpSendRequest(request.Get(), WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0,
                            reinterpret_cast<DWORD_PTR>(&secureFlags)) ||
      !::WinHttpReceiveResponse(request.Get(), nullptr)) {
    const DWORD error = ::GetLastError();
    return RouteOutcome{!IsConnectFailure(error), FailureOf(error, secureFlags, throughProxy)};
  }
  if (throughProxy) {
    DWORD status = StatusCode(request.Get());
    if (status == kProxyAuthenticationRequired && SignInToProxy(request.Get())) status = StatusCode(request.Get());
    // Inside an https tunnel the proxy only relays: a 5xx read there is the service's.
    if (status == kProxyAuthenticationRequired || (status >= 500 && !target.secure)) return noReply;
  }
  ReadBody(request.Get(), body);
  return RouteOutcome{true, {}};
}

}  // namespace

std::string WinHttpTransport::Get(const std::string& url) {
  TransportFailure failure;
  return Fetch(url, failure);
}

std::string WinHttpTransport::Fetch(const std::string& url, TransportFailure& failure) {
  std::string body;
  failure = {};
  try {
    for (const ProxyRoute& route : proxies_.RoutesFor(url)) {
      const RouteOutcome outcome = RequestOnRoute(route, url, body);
      failure = outcome.failure;
      if (outcome.connected) {
        proxies_.Reached(url, route);
        return body;
      }
    }
    // No route connected: the next request looks again, as the network may have changed.
    proxies_.ConnectFailed(url);
  } catch (const std::bad_alloc&) {
    // A body too large for memory: what was read before stays, like any other failure.
  }
  return body;
}

}  // namespace quillbox::win
