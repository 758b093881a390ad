#pragma once
// The one place where exceptions turn into HRESULTs. Every COM method, every exported
// function, every window or dialog procedure and every thread entry runs its body through
// ComBoundary, so that no C++ exception ever reaches Word, Office, COM or the system.

#include <windows.h>

#include <new>
#include <type_traits>

#include "common/com_error.h"

namespace quillbox::win {

// Runs body. A body that returns HRESULT has its result passed on; a void body gives S_OK.
// ComError gives its carried HRESULT, bad_alloc E_OUTOFMEMORY, anything else E_FAIL.
template <typename Body>
HRESULT ComBoundary(Body&& body) noexcept {
  try {
    if constexpr (std::is_same_v<decltype(body()), void>) {
      body();
      return S_OK;
    } else {
      return static_cast<HRESULT>(body());
    }
  } catch (const ComError& error) {
    return static_cast<HRESULT>(error.Result());
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_FAIL;
  }
}

inline Guid ToGuid(REFIID iid) {
  Guid guid;
  guid.data1 = iid.Data1;
  guid.data2 = iid.Data2;
  guid.data3 = iid.Data3;
  for (int i = 0; i < 8; ++i) guid.data4[i] = iid.Data4[i];
  return guid;
}

// Throws ComError carrying result and the interface the call was made on.
inline void ThrowIfFailed(HRESULT result, REFIID iid) {
  if (FAILED(result)) throw ComError(result, ToGuid(iid));
}
inline void ThrowIfFailed(HRESULT result) {
  if (FAILED(result)) throw ComError(result);
}

}  // namespace quillbox::win
