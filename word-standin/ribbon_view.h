#pragma once
// What the stand-in Office shows of the add-in's ribbon, kept the way Office keeps it: a
// control's getters are called when it is first shown and again only after it has been
// invalidated; a control inside a hidden group is not shown and not read. The teacher's actions
// call the controls' action callbacks with Office's argument conventions.

#include <windows.h>

#include <oaidl.h>

#include <optional>
#include <string>
#include <vector>

#include "common/win/com_ptr.h"
#include "word-standin/addin_dispatch.h"
#include "word-standin/ribbon_model.h"
#include "word-standin/transcript.h"

namespace quillbox::standin {

struct GalleryItem {
  std::wstring id;
  std::wstring label;
  std::optional<std::wstring> supertip;  // read when the control has getItemSupertip
};

// The values Office holds for one control.
struct ControlState {
  bool read = false;  // its getters were called since it was last invalidated
  std::optional<std::wstring> label;
  std::optional<bool> visible;
  std::optional<bool> pressed;
  std::optional<std::wstring> text;
  std::optional<long> selectedIndex;
  std::optional<std::vector<GalleryItem>> items;
};

class RibbonView {
 public:
  // context: the Word window whose ribbon this is, which every control gives as its Context.
  RibbonView(RibbonModel model, AddinDispatch& addin, Transcript& out, win::ComPtr<IDispatch> context = {});

  const RibbonModel& Model() const noexcept { return model_; }
  const ControlState& State(size_t index) const { return states_[index]; }

  // Forgets what the control showed, so that its getters are called before it is shown again.
  // Ids of no control are ignored, as Office ignores them.
  void Invalidate(const std::wstring& id);
  // Reads the getters of every shown control that is unread.
  void Refresh();
  // The ribbon as the teacher sees it, one line per shown control (items indented below, each
  // with its supertip when that says more than its label).
  std::vector<std::wstring> Describe() const;
  // Whether the control is on screen: it is visible and so is every control around it.
  bool Displayed(size_t index) const { return Shown(index) && Visible(index); }
  // The label Office shows: getLabel's answer when the control has that callback, else its
  // label attribute.
  std::optional<std::wstring> Label(size_t index) const;

  // The form in which the actions pass their string and flag arguments (by reference unless
  // told otherwise).
  void PassArguments(ArgumentForm form) noexcept { form_ = form; }

  // The teacher's actions. Each returns the action callback's result; a control that cannot
  // take the action is reported to the transcript and gives E_INVALIDARG.
  HRESULT Click(const std::wstring& id);                    // button
  HRESULT Toggle(const std::wstring& id);                   // toggleButton
  HRESULT Choose(const std::wstring& id, long index);       // dropDown or gallery item
  HRESULT Type(const std::wstring& id, const std::wstring& text);  // editBox

 private:
  void Read(size_t index);
  bool Shown(size_t index) const;
  bool Visible(size_t index) const;
  IDispatch* ControlObject(size_t index);
  std::optional<size_t> Actionable(const std::wstring& id, const wchar_t* kind);
  HRESULT Report(const std::wstring& callback, HRESULT result);

  // Getter calls; failures are reported and give nothing.
  std::optional<std::wstring> GetText(const std::wstring& callback, size_t index);
  std::optional<long> GetNumber(const std::wstring& callback, size_t index);
  std::optional<bool> GetFlag(const std::wstring& callback, size_t index);
  std::optional<std::wstring> GetItemText(const std::wstring& callback, size_t index, long item);

  RibbonModel model_;
  AddinDispatch& addin_;
  Transcript& out_;
  std::vector<ControlState> states_;
  std::vector<win::ComPtr<IDispatch>> controlObjects_;
  ArgumentForm form_ = ArgumentForm::kByReference;
  win::ComPtr<IDispatch> context_;
};

}  // namespace quillbox::standin
