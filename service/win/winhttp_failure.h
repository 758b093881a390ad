#pragma once
// What a WinHTTP error on a request means: whether the other end was never reached, and why
// the request got no reply, in the terms the teacher and the school's IT are shown.

#include <windows.h>

#include "service/http_transport.h"

namespace quillbox::win {

// The errors that mean the other end could not be reached at all; through a proxy, that end
// is the proxy.
bool IsConnectFailure(DWORD error);

// The failure for an error of WinHttpSendRequest or WinHttpReceiveResponse. secureFlags are
// the WINHTTP_CALLBACK_STATUS_FLAG_* bits that the secure-failure notification gave (0 when
// there was none). Through a proxy, a name that does not resolve is the proxy's, and a secure
// channel that could not be set up may be the proxy's refused tunnel: both are no reply.
TransportFailure FailureOf(DWORD error, DWORD secureFlags, bool throughProxy);

}  // namespace quillbox::win
