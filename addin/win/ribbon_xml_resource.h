#pragma once
// The ribbon definition that GetCustomUI serves: resource "XML" 201 of the add-in's module.

#include <windows.h>

#include <oleauto.h>

namespace quillbox::win {

constexpr int kRibbonXmlResource = 201;

// The resource's bytes converted from the thread's ANSI code page to a new BSTR. When the
// resource is missing the teacher is told ("Could not load 'ribbon.xml'") and E_FAIL results.
HRESULT LoadRibbonXml(BSTR* xml);

}  // namespace quillbox::win
