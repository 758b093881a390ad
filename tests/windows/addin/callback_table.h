#pragma once
// The 34 ribbon callbacks as Office knows them: name, DISPID and parameters, in the order of
// the interface's table of functions.

#include <windows.h>

#include <array>

namespace quillbox::testing {

struct Callback {
  const wchar_t* name;
  DISPID dispid;
  const wchar_t* parameters;
};

inline constexpr std::array<Callback, 34> kCallbacks = {{
    {L"RibbonLoaded", 101, L"[in] IDispatch* pRibbon"},
    {L"LogIn", 102, L"[in] IDispatch* pRibbon"},
    {L"VisitWebsite", 104, L"[in] IDispatch* pRibbon"},
    {L"GetItemCountComment", 106, L"[in] IDispatch* ribbonControl; [out, retval] int* piCount"},
    {L"GetItemLabelComment", 107, L"[in] IDispatch* ribbonControl; [in] long cIndex; [out, retval] BSTR* pbstr"},
    {L"GetItemIDComment", 108, L"[in] IDispatch* ribbonControl; [in] long cIndex; [out, retval] BSTR* pbstr"},
    {L"GetSelectedItemIndexComment", 109, L"[in] IDispatch* pControl; [out, retval] long* pcItemIndex"},
    {L"SelecteItemChangedComment", 110, L"[in] IDispatch* pControl; [in] BSTR* selectedId; [in] long cSelectedIndex"},
    {L"GetVisibleComments", 120, L"[in] IDispatch* pControl; [out, retval] VARIANT_BOOL* pvarfVisible"},
    {L"GetLabelLogIn", 121, L"[in] IDispatch* pControl; [out, retval] BSTR* pbstrLabel"},
    {L"GetTextName", 122, L"[in] IDispatch* pControl; [out, retval] BSTR* pbstrText"},
    {L"OnChangeName", 123, L"[in] IDispatch* pControl; [in] BSTR* pbstrText"},
    {L"GetItemCountSubject", 130, L"[in] IDispatch* ribbonControl; [out, retval] int* piCount"},
    {L"GetItemLabelSubject", 131, L"[in] IDispatch* ribbonControl; [in] long cIndex; [out, retval] BSTR* pbstr"},
    {L"GetItemIDSubject", 132, L"[in] IDispatch* ribbonControl; [in] long cIndex; [out, retval] BSTR* pbstr"},
    {L"GetSelectedItemIndexSubject", 133, L"[in] IDispatch* pControl; [out, retval] long* pcItemIndex"},
    {L"SelecteItemChangedSubject", 134, L"[in] IDispatch* pControl; [in] BSTR* selectedId; [in] long cSelectedIndex"},
    {L"GetPressedBoy", 140, L"[in] IDispatch* pControl; [out, retval] VARIANT_BOOL* pvarfPressed"},
    {L"GetPressedGirl", 141, L"[in] IDispatch* pControl; [out, retval] VARIANT_BOOL* pvarfPressed"},
    {L"PressBoy", 142, L"[in] IDispatch* pControl; [in] VARIANT_BOOL* pvarfPressed"},
    {L"PressGirl", 143, L"[in] IDispatch* pControl; [in] VARIANT_BOOL* pvarfPressed"},
    {L"GetItemCountCategory", 150, L"[in] IDispatch* ribbonControl; [out, retval] int* piCount"},
    {L"GetItemLabelCategory", 151, L"[in] IDispatch* ribbonControl; [in] long cIndex; [out, retval] BSTR* pbstr"},
    {L"GetItemIDCategory", 152, L"[in] IDispatch* ribbonControl; [in] long cIndex; [out, retval] BSTR* pbstr"},
    {L"GetSelectedItemIndexCategory", 153, L"[in] IDispatch* pControl; [out, retval] long* pcItemIndex"},
    {L"SelecteItemChangedCategory", 154,
     L"[in] IDispatch* pControl; [in] BSTR* selectedId; [in] long cSelectedIndex"},
    {L"GetLabelCategory", 155, L"[in] IDispatch* pControl; [out, retval] BSTR* pbstrLabel"},
    {L"EditComments", 160, L"[in] IDispatch* pRibbon"},
    {L"GetPressedThey", 161, L"[in] IDispatch* pControl; [out, retval] VARIANT_BOOL* pvarfPressed"},
    {L"PressThey", 162, L"[in] IDispatch* pControl; [in] VARIANT_BOOL* pvarfPressed"},
    {L"GetItemSupertipComment", 163,
     L"[in] IDispatch* ribbonControl; [in] long cIndex; [out, retval] BSTR* pbstr"},
    {L"GetEnabledComment", 164, L"[in] IDispatch* pControl; [out, retval] VARIANT_BOOL* pvarfEnabled"},
    {L"GetSupertipComment", 165, L"[in] IDispatch* pControl; [out, retval] BSTR* pbstrSupertip"},
    {L"GetItemImageComment", 166,
     L"[in] IDispatch* ribbonControl; [in] long cIndex; [out, retval] IPictureDisp** ppdispImage"},
}};

}  // namespace quillbox::testing
