#include "service/service_client.h"

#include <json/json.h>


#include "common/text_utf.h"
#include "service/url_encode.h"
#include "service/url_split.h"

// Json::Reader is the parser whose defaults the service's replies are written for: comments
// are allowed, any value may be the root, and text after the first value is ignored.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace quillbox {
namespace {

bool ParseReply(const std::string& body, Json::Value& root) {
  if (body.empty()) return false;
  try {
    Json::Reader reader;
    return reader.parse(body, root, /*collectComments=*/false);
  } catch (const std::exception&) {
    return false;  // nesting beyond the parser's stack limit
  }
}

// "status" compared whole with "OK": missing or null read as "", booleans as "true"/"false".
// Throws for an object or array.
bool StatusIsOk(const Json::Value& root) { return root["status"].asString() == "OK"; }

// A text member as UTF-16: empty when missing; throws when present but not a string.
std::u16string TextMember(const Json::Value& object, const char* key) {
  if (!object.isMember(key)) return {};
  return Utf8ToUtf16(object[key].asCString());
}

// The elements of a list member: empty for a missing, null or scalar member; throws for an
// object, which no reply uses.
const Json::Value& ListMember(const Json::Value& object, const char* key) {
  static const Json::Value kEmpty(Json::arrayValue);
  const Json::Value& member = object[key];
  if (member.isArray()) return member;
  if (member.isObject()) throw std::runtime_error("list expected");
  return kEmpty;
}

std::vector<std::u16string> ReadComments(const Json::Value& group) {
  std::vector<std::u16string> comments;
  for (const Json::Value& element : ListMember(group, "comments")) {
    if (element.isNull()) continue;
    const Json::Value& comment = element["comment"];
    if (comment.type() == Json::stringValue) comments.push_back(Utf8ToUtf16(comment.asCString()));
  }
  return comments;
}

std::string BaseUrlBytes(const std::u16string& baseUrl) { return Utf16ToUtf8(baseUrl); }

// The message for a request that got no reply because of the certificate or the host name;
// false for every other failure, which keeps the message of its request.
bool ReportUnreachableService(const TransportFailure& failure, const std::u16string& host, ErrorReport& errors) {
  switch (failure.kind) {
    case TransportFailure::Kind::Certificate:
      errors.text = std::u16string(messages::kCertificateNotAccepted) +
                    (failure.reason.empty() ? u"." : u": " + failure.reason + u".") + u"\n\n" +
                    messages::kCertificateAdvice;
      break;
    case TransportFailure::Kind::NameNotResolved:
      errors.text = std::u16string(messages::kAddressNotFound) + u" (" + host +
                    u"). Check that this computer is connected to the internet; if it is, ask IT to "
                    u"check the service address set for the add-in.";
      break;
    default:
      return false;
  }
  errors.unreachable = true;
  return true;
}

// The host name in the base URL, as the teacher may recognise it from the address.
std::u16string ServiceHostName(const std::u16string& baseUrl) {
  return Utf8ToUtf16(SplitRequestUrl(BaseUrlBytes(baseUrl)).host);
}

}  // namespace

std::string SubjectRequestUrl(const ServiceAccount& account) {
  return BaseUrlBytes(account.baseUrl) + "/service/subjects?user=" + UrlEncode(account.email) +
         "&password=" + UrlEncode(account.password);
}

std::string CommentGroupRequestUrl(const ServiceAccount& account, const std::u16string& subject) {
  return BaseUrlBytes(account.baseUrl) + "/service/tabs?user=" + UrlEncode(account.email) +
         "&password=" + UrlEncode(account.password) + "&subject=" + UrlEncode(subject);
}

std::string LoginKeyRequestUrl(const ServiceAccount& account) {
  return BaseUrlBytes(account.baseUrl) + "/service/loginkey?user=" + UrlEncode(account.email) +
         "&password=" + UrlEncode(account.password);
}

void ServiceClient::FetchSubjects(CommentStore& store, ErrorReport& errors) {
  store.ClearSubjects();
  if (account_.baseUrl.empty()) return;

  TransportFailure failure;
  const std::string body = transport_.Fetch(SubjectRequestUrl(account_), failure);
  if (body.empty()) {
    if (ReportUnreachableService(failure, ServiceHostName(account_.baseUrl), errors)) return;
    errors.text = messages::kProxyOrFirewall;
    errors.unreachable = true;
    return;
  }
  Json::Value root;
  if (!ParseReply(body, root)) {
    errors.text = messages::kJsonError;
    return;
  }
  try {
    if (!StatusIsOk(root)) {
      std::u16string message = TextMember(root, "msg");
      std::u16string link = TextMember(root, "url");
      errors.text = std::move(message);
      errors.link = std::move(link);
      return;
    }
    int position = 0;
    for (const Json::Value& element : ListMember(root, "subjects")) {
      if (element.type() == Json::stringValue) store.AddSubject(Utf8ToUtf16(element.asCString()), position);
      ++position;
    }
    SelectSubject(store, 0, errors);
  } catch (const std::exception&) {
    errors.text = messages::kJsonSyntaxError;
  }
}

void ServiceClient::FetchCommentGroups(CommentStore& store, const std::u16string& subject, ErrorReport& errors) {
  TransportFailure failure;
  const std::string body = transport_.Fetch(CommentGroupRequestUrl(account_, subject), failure);
  if (body.empty() && ReportUnreachableService(failure, ServiceHostName(account_.baseUrl), errors)) return;
  Json::Value root;
  if (!ParseReply(body, root)) {
    errors.text = messages::kJsonError;
    return;
  }
  try {
    if (!StatusIsOk(root)) {
      errors.text = TextMember(root, "msg");
      return;
    }
    const Json::Value& tabs = ListMember(root, "tabs");
    SubjectEntry& entry = store.SubjectEntryFor(subject);
    for (const Json::Value& group : tabs) {
      if (group.isNull()) {
        CommentStore::AddCommentGroup(entry, std::u16string(), {});
        continue;
      }
      std::u16string name = TextMember(group, "name");
      CommentStore::AddCommentGroup(entry, name, ReadComments(group));
    }
  } catch (const std::exception&) {
    errors.text = messages::kJsonSyntaxError;
  }
}

void ServiceClient::SelectSubject(CommentStore& store, int32_t index, ErrorReport& errors) {
  const RibbonItem* subject = store.SubjectAt(index);
  if (!subject) return;
  store.SetSelectedSubjectIndex(index);
  const std::u16string name = subject->label;
  FetchCommentGroups(store, name, errors);
  if (store.RebuildCommentGroupList(name)) {
    store.RebuildCommentList(name, store.CommentGroups().front().label);
  }
}

std::optional<std::string> ServiceClient::FetchLoginKey() {
  const std::string body = transport_.Get(LoginKeyRequestUrl(account_));
  Json::Value root;
  if (!ParseReply(body, root)) return std::nullopt;
  try {
    if (!root.isObject()) return std::nullopt;
    const Json::Value& key = root["loginkey"];
    if (key.type() != Json::stringValue) return std::nullopt;
    return key.asString();
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

}  // namespace quillbox
