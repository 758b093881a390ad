#include "html_pages.h"

namespace quillbox::reference {

namespace {

std::string Page(const std::string& title, const std::string& body) {
  return "<!DOCTYPE html>\n<html lang=\"en\">\n<head><meta charset=\"utf-8\"><title>" +
         HtmlEscape(title) + " - Quillbox comment bank</title></head>\n<body>\n<h1>" +
         HtmlEscape(title) + "</h1>\n" + body +
         "<hr>\n<p><a href=\"/\">Front page</a> | <a href=\"/index/edit\">Edit comments</a>"
         " | <a href=\"/index/forgot\">Forgot password?</a></p>\n</body>\n</html>\n";
}

}  // namespace

std::string HtmlEscape(const std::string& text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&': escaped += "&amp;"; break;
      case '<': escaped += "&lt;"; break;
      case '>': escaped += "&gt;"; break;
      case '"': escaped += "&quot;"; break;
      case '\'': escaped += "&#39;"; break;
      default: escaped += c;
    }
  }
  return escaped;
}

std::string FrontPage(const std::optional<std::string>& loggedInAs) {
  std::string body =
      "<p>A bank of ready-made report comments for teachers. The Word add-in fetches your "
      "subjects and comment groups from here.</p>\n";
  if (loggedInAs) {
    body += "<p>Logged in as <strong>" + HtmlEscape(*loggedInAs) +
            "</strong>. <a href=\"/index/edit\">Edit your comments</a>.</p>\n";
  } else {
    body +=
        "<p>You are not logged in. Use <em>Visit Website</em> in Word's Quillbox tab to "
        "arrive here logged in.</p>\n"
        "<p>New here? Accounts of this reference service come from its comment bank file "
        "(see the --bank option).</p>\n";
  }
  return Page("Quillbox comment bank", body);
}

std::string EditPage(const std::string& loggedInAs,
                     const std::vector<std::pair<std::string, std::vector<BankTab>>>& bank) {
  std::string body = "<p>Logged in as <strong>" + HtmlEscape(loggedInAs) + "</strong>.</p>\n";
  body +=
      "<p>Markers: # pupil name, ~ his/her, ^ he/she, * him/her.</p>\n";
  if (bank.empty()) body += "<p>Your comment bank has no subjects yet.</p>\n";
  for (const auto& [subject, tabs] : bank) {
    body += "<h2>" + HtmlEscape(subject) + "</h2>\n";
    for (const BankTab& tab : tabs) {
      body += "<h3>" + HtmlEscape(tab.name) + "</h3>\n<ul>\n";
      for (const std::string& comment : tab.comments) {
        body += "<li>" + HtmlEscape(comment) + "</li>\n";
      }
      body += "</ul>\n";
    }
  }
  return Page("Edit comments", body);
}

std::string EditPageLoggedOut() {
  return Page("Edit comments",
              "<p>You are not logged in. Use <em>Edit Comments</em> in Word's Quillbox tab "
              "to open this page logged in.</p>\n");
}

std::string ForgotPasswordPage() {
  return Page("Forgot password?",
              "<p>This reference service sends no e-mail. The passwords of its accounts are "
              "those of its comment bank file; ask whoever started the service.</p>\n");
}

std::string LoginKeyRefusedPage() {
  return Page("Login link not valid",
              "<p>This login link has already been used or was never issued. Each link "
              "logs you in once; click the button in Word again for a new one.</p>\n");
}

std::string BadRequestPage(const std::string& reason) {
  return Page("Bad request", "<p>" + HtmlEscape(reason) + "</p>\n");
}

std::string NotFoundPage(const std::string& path) {
  return Page("Page not found", "<p>There is no page at " + HtmlEscape(path) + ".</p>\n");
}

}  // namespace quillbox::reference
