#include "json_replies.h"

#include <json/json.h>

namespace quillbox::reference {

namespace {

std::string Write(const Json::Value& root) {
  Json::StreamWriterBuilder builder;
  builder["indentation"] = "";
  builder["emitUTF8"] = true;
  return Json::writeString(builder, root);
}

Json::Value Succeeded() {
  Json::Value root(Json::objectValue);
  root["status"] = "OK";
  return root;
}

}  // namespace

std::string SubjectsReply(const std::vector<std::string>& subjects) {
  Json::Value root = Succeeded();
  Json::Value& list = root["subjects"] = Json::Value(Json::arrayValue);
  for (const std::string& subject : subjects) list.append(subject);
  return Write(root);
}

std::string TabsReply(const std::vector<BankTab>& tabs) {
  Json::Value root = Succeeded();
  Json::Value& list = root["tabs"] = Json::Value(Json::arrayValue);
  for (const BankTab& tab : tabs) {
    Json::Value entry(Json::objectValue);
    entry["name"] = tab.name;
    Json::Value& comments = entry["comments"] = Json::Value(Json::arrayValue);
    for (const std::string& text : tab.comments) {
      Json::Value comment(Json::objectValue);
      comment["comment"] = text;
      comments.append(comment);
    }
    list.append(entry);
  }
  return Write(root);
}

std::string LoginKeyReply(const std::string& key) {
  Json::Value root = Succeeded();
  root["loginkey"] = key;
  return Write(root);
}

std::string ErrorReply(const std::string& message, const std::string& url) {
  Json::Value root(Json::objectValue);
  root["status"] = "ERROR";
  root["msg"] = message;
  if (!url.empty()) root["url"] = url;
  return Write(root);
}

}  // namespace quillbox::reference
