#include "word-standin/host_state.h"

namespace quillbox::standin {

std::optional<HostStep> ParseHostStep(const std::wstring& name) {
  static const struct {
    const wchar_t* name;
    HostStep step;
  } steps[] = {
      {L"application.selection", HostStep::kApplicationSelection},
      {L"selection.text", HostStep::kSelectionText},
      {L"selection.end", HostStep::kSelectionEnd},
      {L"selection.start", HostStep::kSelectionStart},
      {L"ribbon.invalidate", HostStep::kRibbonInvalidate},
  };
  for (const auto& entry : steps) {
    if (name == entry.name) return entry.step;
  }
  return std::nullopt;
}

}  // namespace quillbox::standin
