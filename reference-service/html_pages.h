#pragma once

#include <optional>
#include <string>
#include <vector>

#include "comment_bank.h"

namespace quillbox::reference {

// Escapes &, <, >, " and ' for HTML text and attribute values.
std::string HtmlEscape(const std::string& text);

// The plain website pages the add-in opens in the browser. loggedInAs is the e-mail address
// of the teacher whose session cookie came with the request.
std::string FrontPage(const std::optional<std::string>& loggedInAs);
std::string EditPage(const std::string& loggedInAs,
                     const std::vector<std::pair<std::string, std::vector<BankTab>>>& bank);
std::string EditPageLoggedOut();
std::string ForgotPasswordPage();
std::string LoginKeyRefusedPage();
std::string BadRequestPage(const std::string& reason);
std::string NotFoundPage(const std::string& path);

}  // namespace quillbox::reference
