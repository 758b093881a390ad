#pragma once
// Shared by the add-in tests: where the built library and the ribbon XML are, the add-in
// object created the way Word creates it, and reference counts read off COM objects.

#include <windows.h>

#include <unknwn.h>

#include <string>

#include "common/win/com_ptr.h"

namespace quillbox::testing {

// The library under test (registered by the test fixture) as a path Wine understands.
std::wstring AddinLibraryPath();
// The ribbon XML source file the library embeds.
std::wstring RibbonXmlPath();
// A file's bytes; empty when it cannot be read.
std::string ReadFileBytes(const std::wstring& path);

// The registered add-in, created by ProgID as Word creates it. Fails the test when it cannot.
win::ComPtr<IUnknown> CreateRegisteredAddin();

// The object's current reference count (AddRef, then Release reports it).
inline ULONG ReferenceCount(IUnknown* object) {
  object->AddRef();
  return object->Release();
}

}  // namespace quillbox::testing
