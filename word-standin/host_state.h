#pragma once
// What the stand-in Word and ribbon record and how they are told to fail: the document with its
// selection, the control ids the add-in invalidated (in order), and the failure plan. Shared
// by the stand-in objects, which may outlive the host while the add-in still holds them.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "common/win/com_ptr.h"
#include "word-standin/standin_document.h"

namespace quillbox::standin {

// The calls of the add-in into the host that can be made to fail.
enum class HostStep {
  kApplicationSelection,  // Application.Selection (get)
  kSelectionText,         // Selection.Text (put)
  kSelectionEnd,          // Selection.End (get)
  kSelectionStart,        // Selection.Start (put)
  kRibbonInvalidate,      // IRibbonUI::InvalidateControl
};

// Parses "application.selection", "selection.text", "selection.end", "selection.start" or
// "ribbon.invalidate".
std::optional<HostStep> ParseHostStep(const std::wstring& name);

struct FailurePlan {
  std::optional<HostStep> failingStep;
  HRESULT failure = E_FAIL;
  // Application.Selection answers a null object instead of failing.
  bool nullSelection = false;

  // The failure to report for a call at step, or S_OK.
  HRESULT ResultFor(HostStep step) const {
    return failingStep == step ? failure : S_OK;
  }
};

struct HostState {
  // The active window's document; the others' wait in their windows (see DocumentWindow).
  StandinDocument document;
  // Word's Window object for the active window (Application.ActiveWindow).
  win::ComPtr<IDispatch> activeWindow;
  // The view that owns the document's text while one is attached (window mode), else null.
  DocumentMirror* mirror = nullptr;
  FailurePlan failures;
  std::vector<std::wstring> invalidations;
  // How many times the add-in put Selection.Text and the host took it.
  int selectionTextWrites = 0;
};

}  // namespace quillbox::standin
