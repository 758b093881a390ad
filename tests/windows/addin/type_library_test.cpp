// The type library embedded in the library file (resource TYPELIB 1): its attributes, the
// callback interface's methods with their DISPIDs and parameter types in table order, and the
// coclass. Office finds the callbacks through this description, so a wrong type or order here
// breaks the ribbon.

#include <windows.h>

#include <oleauto.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/win/bstr.h"
#include "common/win/com_ptr.h"
#include "office_interfaces.h"
#include "quillbox_addin.h"
#include "tests/windows/addin/addin_test_support.h"
#include "tests/windows/addin/callback_table.h"
#include "tests/windows/build_architecture.h"

namespace quillbox::testing {
namespace {

using win::ComPtr;
using win::UniqueBstr;

std::wstring TypeText(ITypeInfo& info, const TYPEDESC& type) {
  switch (type.vt) {
    case VT_PTR:
      return TypeText(info, *type.lptdesc) + L"*";
    case VT_USERDEFINED: {
      ComPtr<ITypeInfo> named;
      UniqueBstr name;
      if (FAILED(info.GetRefTypeInfo(type.hreftype, named.Put())) ||
          FAILED(named->GetDocumentation(MEMBERID_NIL, name.Put(), nullptr, nullptr, nullptr))) {
        return L"unnamed";
      }
      return name.Get();
    }
    case VT_DISPATCH:
      return L"IDispatch*";
    case VT_I4:
      return L"long";
    case VT_INT:
      return L"int";
    case VT_BSTR:
      return L"BSTR";
    case VT_BOOL:
      return L"VARIANT_BOOL";
    default:
      return L"vt" + std::to_wstring(type.vt);
  }
}

std::wstring FlagsText(USHORT flags) {
  std::wstring text;
  if (flags & PARAMFLAG_FIN) text += L"in";
  if (flags & PARAMFLAG_FOUT) text += text.empty() ? L"out" : L", out";
  if (flags & PARAMFLAG_FRETVAL) text += L", retval";
  return L"[" + text + L"]";
}

// "[in] IDispatch* pControl; [out, retval] long* pcItemIndex", as the method table writes it.
std::wstring ParametersText(ITypeInfo& info, const FUNCDESC& function) {
  std::vector<BSTR> names(static_cast<size_t>(function.cParams) + 1);
  UINT count = 0;
  EXPECT_EQ(S_OK, info.GetNames(function.memid, names.data(), static_cast<UINT>(names.size()), &count));
  std::wstring text;
  for (SHORT i = 0; i < function.cParams; ++i) {
    const ELEMDESC& parameter = function.lprgelemdescParam[i];
    if (!text.empty()) text += L"; ";
    text += FlagsText(parameter.paramdesc.wParamFlags) + L" " + TypeText(info, parameter.tdesc) + L" ";
    if (static_cast<UINT>(i) + 1 < count) text += names[static_cast<size_t>(i) + 1];
  }
  for (UINT i = 0; i < count; ++i) ::SysFreeString(names[i]);
  return text;
}

class TypeLibraryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(S_OK, ::LoadTypeLibEx(AddinLibraryPath().c_str(), REGKIND_NONE, library_.Put()));
  }

  ComPtr<ITypeLib> library_;
};

TEST_F(TypeLibraryTest, LibraryCarriesItsIdentityVersionAndLocale) {
  TLIBATTR* attributes = nullptr;
  ASSERT_EQ(S_OK, library_->GetLibAttr(&attributes));
  EXPECT_TRUE(IsEqualGUID(attributes->guid, LIBID_QuillboxAddInLib));
  EXPECT_EQ(1, attributes->wMajorVerNum);
  EXPECT_EQ(1, attributes->wMinorVerNum);
  EXPECT_EQ(0x0409u, attributes->lcid);
  EXPECT_EQ(kTypeLibrarySyskind, attributes->syskind);
  library_->ReleaseTLibAttr(attributes);

  UniqueBstr name, help;
  ASSERT_EQ(S_OK, library_->GetDocumentation(-1, name.Put(), help.Put(), nullptr, nullptr));
  EXPECT_EQ(u"QuillboxAddInLib", name.Text());
  EXPECT_EQ(u"", help.Text());
  EXPECT_EQ(2u, library_->GetTypeInfoCount());
}

TEST_F(TypeLibraryTest, OfficeInterfacesAreNotPartOfTheLibrary) {
  for (const IID* iid : {&IID__IDTExtensibility2, &IID_IRibbonExtensibility, &IID_IRibbonUI}) {
    ComPtr<ITypeInfo> info;
    EXPECT_EQ(TYPE_E_ELEMENTNOTFOUND, library_->GetTypeInfoOfGuid(*iid, info.Put()));
  }
}

// A dual interface has two descriptions: the dispatch view Office calls by name and the
// table of functions behind it.
TEST_F(TypeLibraryTest, CallbackInterfaceIsDualAutomationAndNotExtensible) {
  ComPtr<ITypeInfo> info;
  ASSERT_EQ(S_OK, library_->GetTypeInfoOfGuid(IID_IAddInCallback, info.Put()));
  TYPEATTR* attributes = nullptr;
  ASSERT_EQ(S_OK, info->GetTypeAttr(&attributes));
  EXPECT_EQ(TKIND_DISPATCH, attributes->typekind);
  const WORD dispatchFlags = TYPEFLAG_FDUAL | TYPEFLAG_FNONEXTENSIBLE | TYPEFLAG_FDISPATCHABLE;
  EXPECT_EQ(dispatchFlags, attributes->wTypeFlags & dispatchFlags);
  info->ReleaseTypeAttr(attributes);

  HREFTYPE vtableReference = 0;
  ASSERT_EQ(S_OK, info->GetRefTypeOfImplType(-1, &vtableReference));
  ComPtr<ITypeInfo> vtable;
  ASSERT_EQ(S_OK, info->GetRefTypeInfo(vtableReference, vtable.Put()));
  ASSERT_EQ(S_OK, vtable->GetTypeAttr(&attributes));
  const WORD vtableFlags = TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION | TYPEFLAG_FNONEXTENSIBLE;
  EXPECT_EQ(vtableFlags, attributes->wTypeFlags & vtableFlags);
  ASSERT_EQ(1, attributes->cImplTypes);
  vtable->ReleaseTypeAttr(attributes);

  // It derives from IDispatch as stdole2 describes it.
  HREFTYPE baseReference = 0;
  ASSERT_EQ(S_OK, vtable->GetRefTypeOfImplType(0, &baseReference));
  ComPtr<ITypeInfo> base;
  ASSERT_EQ(S_OK, vtable->GetRefTypeInfo(baseReference, base.Put()));
  ASSERT_EQ(S_OK, base->GetTypeAttr(&attributes));
  EXPECT_TRUE(IsEqualIID(attributes->guid, IID_IDispatch));
  base->ReleaseTypeAttr(attributes);

  UniqueBstr name, help;
  ASSERT_EQ(S_OK, info->GetDocumentation(MEMBERID_NIL, name.Put(), help.Put(), nullptr, nullptr));
  EXPECT_EQ(u"IAddInCallback", name.Text());
  EXPECT_EQ(u"IAddInCallback Interface", help.Text());
}

// The interface's own table of functions, after the seven of IUnknown and IDispatch.
TEST_F(TypeLibraryTest, CallbackMethodsFollowTheTableWithTheirDispidsAndParameters) {
  ComPtr<ITypeInfo> dispatchView;
  ASSERT_EQ(S_OK, library_->GetTypeInfoOfGuid(IID_IAddInCallback, dispatchView.Put()));
  HREFTYPE vtableReference = 0;
  ASSERT_EQ(S_OK, dispatchView->GetRefTypeOfImplType(-1, &vtableReference));
  ComPtr<ITypeInfo> info;
  ASSERT_EQ(S_OK, dispatchView->GetRefTypeInfo(vtableReference, info.Put()));

  TYPEATTR* attributes = nullptr;
  ASSERT_EQ(S_OK, info->GetTypeAttr(&attributes));
  EXPECT_EQ(TKIND_INTERFACE, attributes->typekind);
  const WORD functionCount = attributes->cFuncs;
  info->ReleaseTypeAttr(attributes);
  ASSERT_EQ(kCallbacks.size(), functionCount);

  for (size_t i = 0; i < kCallbacks.size(); ++i) {
    const Callback& expected = kCallbacks[i];
    SCOPED_TRACE(expected.name);
    FUNCDESC* function = nullptr;
    ASSERT_EQ(S_OK, info->GetFuncDesc(static_cast<UINT>(i), &function));
    UniqueBstr name;
    ASSERT_EQ(S_OK, info->GetDocumentation(function->memid, name.Put(), nullptr, nullptr, nullptr));
    EXPECT_EQ(std::wstring(expected.name), std::wstring(name.Get()));
    EXPECT_EQ(expected.dispid, function->memid);
    EXPECT_EQ(static_cast<SHORT>((7 + i) * sizeof(void*)), function->oVft);
    EXPECT_EQ(VT_HRESULT, function->elemdescFunc.tdesc.vt);
    EXPECT_EQ(std::wstring(expected.parameters), ParametersText(*info.Get(), *function));
    info->ReleaseFuncDesc(function);
  }
}

TEST_F(TypeLibraryTest, ConnectIsCreatableWithTheCallbackInterfaceAsDefault) {
  ComPtr<ITypeInfo> info;
  ASSERT_EQ(S_OK, library_->GetTypeInfoOfGuid(CLSID_Connect, info.Put()));
  TYPEATTR* attributes = nullptr;
  ASSERT_EQ(S_OK, info->GetTypeAttr(&attributes));
  EXPECT_EQ(TKIND_COCLASS, attributes->typekind);
  EXPECT_TRUE(attributes->wTypeFlags & TYPEFLAG_FCANCREATE);
  EXPECT_EQ(1, attributes->cImplTypes);
  info->ReleaseTypeAttr(attributes);

  INT flags = 0;
  ASSERT_EQ(S_OK, info->GetImplTypeFlags(0, &flags));
  EXPECT_TRUE(flags & IMPLTYPEFLAG_FDEFAULT);
  HREFTYPE reference = 0;
  ASSERT_EQ(S_OK, info->GetRefTypeOfImplType(0, &reference));
  ComPtr<ITypeInfo> implemented;
  ASSERT_EQ(S_OK, info->GetRefTypeInfo(reference, implemented.Put()));
  TYPEATTR* implementedAttributes = nullptr;
  ASSERT_EQ(S_OK, implemented->GetTypeAttr(&implementedAttributes));
  EXPECT_TRUE(IsEqualIID(implementedAttributes->guid, IID_IAddInCallback));
  implemented->ReleaseTypeAttr(implementedAttributes);

  UniqueBstr name, help;
  ASSERT_EQ(S_OK, info->GetDocumentation(MEMBERID_NIL, name.Put(), help.Put(), nullptr, nullptr));
  EXPECT_EQ(u"Connect", name.Text());
  EXPECT_EQ(u"Connect Class", help.Text());
}

}  // namespace
}  // namespace quillbox::testing
