#pragma once

#include <optional>
#include <string>

#include "ui/window_handle.h"

namespace quillbox {

struct LoginCredentials {
  std::u16string email;
  std::u16string password;
};

// Asks the teacher for the account's e-mail address and password. Returns them exactly as
// typed after OK, nothing after Cancel, Escape or a dialog that could not be shown. The base
// URL is only used for the dialog's "Forgot Password?" and "Create Account" links; the dialog
// is owned by owner.
class LoginPrompt {
 public:
  virtual ~LoginPrompt() = default;
  virtual std::optional<LoginCredentials> Prompt(const std::u16string& baseUrl, WindowHandle owner = kNoWindow) = 0;
};

}  // namespace quillbox
