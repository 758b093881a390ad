#include "routes.h"

#include <httplib.h>

#include <functional>
#include <map>
#include <optional>
#include <string>

#include "comment_bank.h"
#include "html_pages.h"
#include "json_replies.h"
#include "percent_decoding.h"
#include "request_log.h"

namespace quillbox::reference {

namespace {

using httplib::Request;
using httplib::Response;
using HandlerResponse = httplib::Server::HandlerResponse;
using Parameters = std::map<std::string, std::string>;

constexpr char kJsonType[] = "application/json; charset=utf-8";
constexpr char kHtmlType[] = "text/html; charset=utf-8";
constexpr char kSessionCookie[] = "quillbox_session";

bool IsServicePath(const std::string& path) {
  return path.find_first_not_of('/') != std::string::npos &&
         path.compare(path.find_first_not_of('/'), 8, "service/") == 0;
}

// "http://" and the Host the client used, so that links work under whatever name the
// service was reached; the listening address when Host is missing or looks odd.
std::string BaseUrlOf(const Request& request) {
  std::string host = request.get_header_value("Host");
  const bool plain = !host.empty() && host.find_first_not_of(
                                          "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                          "0123456789.-:[]") == std::string::npos;
  if (!plain) host = request.local_addr + ":" + std::to_string(request.local_port);
  return "http://" + host;
}

void ReplyJson(Response& response, int status, const std::string& body) {
  response.status = status;
  response.set_content(body, kJsonType);
}

void ReplyHtml(Response& response, int status, const std::string& body) {
  response.status = status;
  response.set_content(body, kHtmlType);
}

std::size_t HeaderBytes(const Request& request) {
  std::size_t total = 0;
  for (const auto& [name, value] : ReceivedHeaders(request)) total += name.size() + value.size();
  return total;
}

HandlerResponse CheckAndLog(const Request& request, Response& response, RequestLog* log) {
  if (log) log->Record(request);
  if (request.target.size() > kMaxTargetBytes) {
    response.status = 414;
    response.set_content("Request target longer than " + std::to_string(kMaxTargetBytes) +
                             " bytes.\n", "text/plain");
    return HandlerResponse::Handled;
  }
  if (HeaderBytes(request) > kMaxHeaderBytes) {
    response.status = 431;
    response.set_content("Request headers larger than " + std::to_string(kMaxHeaderBytes) +
                             " bytes.\n", "text/plain");
    return HandlerResponse::Handled;
  }
  return HandlerResponse::Unhandled;
}

// Parses the raw query of the request; on failure replies 400 and returns nothing.
std::optional<Parameters> QueryOrReject(const Request& request, Response& response,
                                        bool jsonReply) {
  QueryParameters query = ParseQueryString(QueryOfTarget(request.target));
  if (query.error.empty()) return std::move(query.values);
  if (jsonReply) {
    ReplyJson(response, 400, ErrorReply(query.error));
  } else {
    ReplyHtml(response, 400, BadRequestPage(query.error));
  }
  return std::nullopt;
}

using ServiceAnswer =
    std::function<void(TeacherId, const Parameters&, const Request&, Response&)>;

// The frame of the three service requests: parameters present, credentials right, then the
// answer. A refused login is an ordinary reply (200) whose "status" is not "OK".
void ServeRequest(CommentBank& bank, const Request& request, Response& response,
                  std::initializer_list<const char*> required, const ServiceAnswer& answer) {
  const std::optional<Parameters> parameters = QueryOrReject(request, response, true);
  if (!parameters) return;
  for (const char* name : required) {
    if (parameters->count(name) == 0) {
      ReplyJson(response, 400, ErrorReply(std::string("Missing parameter: ") + name));
      return;
    }
  }
  const std::optional<TeacherId> teacher =
      bank.FindTeacher(parameters->at("user"), parameters->at("password"));
  if (!teacher) {
    ReplyJson(response, 200,
              ErrorReply("The e-mail address or password is not correct. Please try again.",
                         BaseUrlOf(request) + "/index/forgot"));
    return;
  }
  answer(*teacher, *parameters, request, response);
}

void InstallServiceRequests(httplib::Server& server, CommentBank& bank) {
  server.Get(R"(/+service/subjects)", [&bank](const Request& request, Response& response) {
    ServeRequest(bank, request, response, {"user", "password"},
                 [&bank](TeacherId teacher, const Parameters&, const Request&, Response& reply) {
                   ReplyJson(reply, 200, SubjectsReply(bank.Subjects(teacher)));
                 });
  });
  server.Get(R"(/+service/tabs)", [&bank](const Request& request, Response& response) {
    ServeRequest(bank, request, response, {"user", "password", "subject"},
                 [&bank](TeacherId teacher, const Parameters& parameters, const Request&,
                         Response& reply) {
                   const std::string& subject = parameters.at("subject");
                   const auto tabs = bank.Tabs(teacher, subject);
                   ReplyJson(reply, 200,
                             tabs ? TabsReply(*tabs)
                                  : ErrorReply("There is no subject called \"" + subject +
                                               "\" in your comment bank."));
                 });
  });
  server.Get(R"(/+service/loginkey)", [&bank](const Request& request, Response& response) {
    ServeRequest(bank, request, response, {"user", "password"},
                 [&bank](TeacherId teacher, const Parameters&, const Request&, Response& reply) {
                   ReplyJson(reply, 200, LoginKeyReply(bank.IssueLoginKey(teacher)));
                 });
  });
}

// The value of the session cookie in a Cookie header ("a=1; quillbox_session=...; b=2").
std::string SessionTokenOf(const Request& request) {
  const std::string cookies = request.get_header_value("Cookie");
  const std::string prefix = std::string(kSessionCookie) + "=";
  std::size_t start = 0;
  while (start < cookies.size()) {
    std::size_t end = cookies.find(';', start);
    if (end == std::string::npos) end = cookies.size();
    std::size_t first = cookies.find_first_not_of(' ', start);
    if (first < end && cookies.compare(first, prefix.size(), prefix) == 0) {
      return cookies.substr(first + prefix.size(), end - first - prefix.size());
    }
    start = end + 1;
  }
  return {};
}

std::optional<TeacherId> LoggedInTeacher(CommentBank& bank, const Request& request) {
  const std::string token = SessionTokenOf(request);
  return token.empty() ? std::nullopt : bank.SessionTeacher(token);
}

// A page to go to after the automatic login: a relative path of plain characters, so that
// the login cannot be turned into a jump to another site.
bool IsSafeRedirect(const std::string& page) {
  return page.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                "0123456789/_-.") == std::string::npos &&
         page.rfind("/", 0) != 0 && page.find("..") == std::string::npos;
}

void ServeAutoLogin(CommentBank& bank, const Request& request, Response& response) {
  const std::optional<Parameters> parameters = QueryOrReject(request, response, false);
  if (!parameters) return;
  const auto key = parameters->find("key");
  if (key == parameters->end() || key->second.empty()) {
    ReplyHtml(response, 400, BadRequestPage("The login link has no key."));
    return;
  }
  const auto redirect = parameters->find("redirect");
  const std::string page = redirect == parameters->end() ? std::string() : redirect->second;
  if (!IsSafeRedirect(page)) {
    ReplyHtml(response, 400, BadRequestPage("The login link names a page this site does not have."));
    return;
  }
  const std::optional<TeacherId> teacher = bank.RedeemLoginKey(key->second);
  if (!teacher) {
    ReplyHtml(response, 403, LoginKeyRefusedPage());
    return;
  }
  const std::string target = BaseUrlOf(request) + "/" + page;
  response.set_header("Set-Cookie", std::string(kSessionCookie) + "=" +
                                        bank.StartSession(*teacher) +
                                        "; Path=/; HttpOnly; SameSite=Lax");
  response.set_redirect(target, 303);
  response.set_content("<!DOCTYPE html>\n<p>Logged in. Continue to <a href=\"" +
                           HtmlEscape(target) + "\">" + HtmlEscape(target) + "</a>.</p>\n",
                       kHtmlType);
}

void InstallPages(httplib::Server& server, CommentBank& bank) {
  server.Get(R"(/+(index/?|index\.html)?)", [&bank](const Request& request, Response& response) {
    const auto teacher = LoggedInTeacher(bank, request);
    ReplyHtml(response, 200,
              FrontPage(teacher ? std::optional<std::string>(bank.TeacherEmail(*teacher))
                                : std::nullopt));
  });
  server.Get(R"(/+index/edit/?)", [&bank](const Request& request, Response& response) {
    const auto teacher = LoggedInTeacher(bank, request);
    if (!teacher) {
      ReplyHtml(response, 200, EditPageLoggedOut());
      return;
    }
    std::vector<std::pair<std::string, std::vector<BankTab>>> content;
    for (const std::string& subject : bank.Subjects(*teacher)) {
      content.emplace_back(subject, bank.Tabs(*teacher, subject).value_or(std::vector<BankTab>{}));
    }
    ReplyHtml(response, 200, EditPage(bank.TeacherEmail(*teacher), content));
  });
  server.Get(R"(/+index/forgot/?)", [](const Request&, Response& response) {
    ReplyHtml(response, 200, ForgotPasswordPage());
  });
  server.Get(R"(/+index/autologin/?)", [&bank](const Request& request, Response& response) {
    ServeAutoLogin(bank, request, response);
  });
}

// Gives every refusal a body: JSON for service paths, a page otherwise.
HandlerResponse FillErrorBody(const Request& request, Response& response) {
  if (!response.body.empty()) return HandlerResponse::Unhandled;
  const bool service = IsServicePath(request.path);
  if (response.status == 404) {
    if (service) {
      ReplyJson(response, 404, ErrorReply("Unknown request: " + request.path));
    } else {
      ReplyHtml(response, 404, NotFoundPage(request.path));
    }
  } else {
    response.set_content("HTTP status " + std::to_string(response.status) + "\n", "text/plain");
  }
  return HandlerResponse::Handled;
}

void ReplyInternalError(const Request& request, Response& response, std::exception_ptr error) {
  std::string what = "unknown error";
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    what = e.what();
  } catch (...) {
  }
  ReplyJson(response, 500, ErrorReply("Internal error of the comment service: " + what));
}

}  // namespace

void InstallRoutes(httplib::Server& server, CommentBank& bank, RequestLog* log) {
  server.set_payload_max_length(kMaxBodyBytes);
  server.set_pre_routing_handler(
      [log](const Request& request, Response& response) { return CheckAndLog(request, response, log); });
  InstallServiceRequests(server, bank);
  InstallPages(server, bank);
  server.set_error_handler(httplib::Server::HandlerWithResponse(FillErrorBody));
  server.set_exception_handler(ReplyInternalError);
}

}  // namespace quillbox::reference
