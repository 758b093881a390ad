#include "word-standin/standin_selection.h"

#include <oleauto.h>

#include "server/win/com/word_ids.h"
#include "word-standin/automation.h"

namespace quillbox::standin {
namespace {

enum Member : DISPID { kText = 1, kStart = 2, kEnd = 3 };

}  // namespace

bool StandinSelection::Answers(REFIID iid) const {
  return IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, win::IID_WordSelection);
}

STDMETHODIMP StandinSelection::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  return LookUpMembers({L"Text", L"Start", L"End"}, names, count, ids);
}

STDMETHODIMP StandinSelection::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                      EXCEPINFO* exception, UINT*) {
  if (result) ::VariantInit(result);
  // With a document pane attached, the pane's text and selection are the document.
  DocumentMirror* mirror = state_->mirror;
  if (mirror) mirror->LoadInto(state_->document);
  HRESULT outcome = DISP_E_MEMBERNOTFOUND;
  switch (id) {
    case kText:
      outcome = Text(flags, params, result, exception);
      break;
    case kStart:
    case kEnd:
      outcome = Position(id, flags, params, result, exception);
      break;
    default:
      return outcome;
  }
  if (mirror && SUCCEEDED(outcome) && (flags & DISPATCH_PROPERTYPUT)) mirror->ShowFrom(state_->document);
  return outcome;
}

HRESULT StandinSelection::Text(WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception) {
  StandinDocument& document = state_->document;
  if (flags & DISPATCH_PROPERTYPUT) {
    if (const HRESULT refused = state_->failures.ResultFor(HostStep::kSelectionText); FAILED(refused)) {
      return ReportFailure(refused, exception);
    }
    if (document.Locked()) return ReportWordError(kWordDocumentLocked, kWordDocumentLockedText, exception);
    VARIANT* value = PropertyPutValue(params);
    if (!value) return DISP_E_PARAMNOTOPTIONAL;
    VARIANT text;
    ::VariantInit(&text);
    const HRESULT converted = ::VariantChangeType(&text, value, 0, VT_BSTR);
    if (FAILED(converted)) return DISP_E_TYPEMISMATCH;
    document.ReplaceSelection(std::wstring_view(text.bstrVal, ::SysStringLen(text.bstrVal)));
    ::VariantClear(&text);
    ++state_->selectionTextWrites;
    return S_OK;
  }
  if (!(flags & DISPATCH_PROPERTYGET) || !result) return DISP_E_MEMBERNOTFOUND;
  const std::wstring selected = document.SelectedText();
  result->vt = VT_BSTR;
  result->bstrVal = ::SysAllocStringLen(selected.data(), static_cast<UINT>(selected.size()));
  return result->bstrVal ? S_OK : E_OUTOFMEMORY;
}

HRESULT StandinSelection::Position(DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO* exception) {
  StandinDocument& document = state_->document;
  if (flags & DISPATCH_PROPERTYPUT) {
    if (id == kStart) {
      if (const HRESULT refused = state_->failures.ResultFor(HostStep::kSelectionStart); FAILED(refused)) {
        return ReportFailure(refused, exception);
      }
    }
    VARIANT* value = PropertyPutValue(params);
    if (!value) return DISP_E_PARAMNOTOPTIONAL;
    VARIANT position;
    ::VariantInit(&position);
    if (FAILED(::VariantChangeType(&position, value, 0, VT_I4))) return DISP_E_TYPEMISMATCH;
    if (id == kStart) {
      document.SetStart(position.lVal);
    } else {
      document.SetEnd(position.lVal);
    }
    return S_OK;
  }
  if (!(flags & DISPATCH_PROPERTYGET) || !result) return DISP_E_MEMBERNOTFOUND;
  if (id == kEnd) {
    if (const HRESULT refused = state_->failures.ResultFor(HostStep::kSelectionEnd); FAILED(refused)) {
      return ReportFailure(refused, exception);
    }
  }
  result->vt = VT_I4;
  result->lVal = id == kStart ? document.Start() : document.End();
  return S_OK;
}

}  // namespace quillbox::standin
