#include "bank_loader.h"

#include <json/json.h>

#include <fstream>
#include <memory>
#include <set>
#include <sstream>

namespace quillbox::reference {

namespace {

const Json::Value& Member(const Json::Value& object, const char* key, const std::string& where) {
  if (!object.isObject()) throw BankFormatError(where + " is not an object");
  const Json::Value* value = object.find(key, key + std::char_traits<char>::length(key));
  if (!value) throw BankFormatError(where + " has no \"" + key + "\"");
  return *value;
}

std::string Text(const Json::Value& object, const char* key, const std::string& where) {
  const Json::Value& value = Member(object, key, where);
  if (!value.isString()) throw BankFormatError(where + "." + key + " is not a string");
  return value.asString();
}

const Json::Value& List(const Json::Value& object, const char* key, const std::string& where) {
  const Json::Value& value = Member(object, key, where);
  if (!value.isArray()) throw BankFormatError(where + "." + key + " is not an array");
  return value;
}

std::string Indexed(const std::string& where, const char* key, Json::ArrayIndex index) {
  return where + "." + key + "[" + std::to_string(index) + "]";
}

BankTab ReadTab(const Json::Value& value, const std::string& where) {
  BankTab tab{Text(value, "name", where), {}};
  const Json::Value& comments = List(value, "comments", where);
  for (Json::ArrayIndex i = 0; i < comments.size(); ++i) {
    if (!comments[i].isString()) {
      throw BankFormatError(Indexed(where, "comments", i) + " is not a string");
    }
    tab.comments.push_back(comments[i].asString());
  }
  return tab;
}

BankSubject ReadSubject(const Json::Value& value, const std::string& where) {
  BankSubject subject{Text(value, "name", where), {}};
  const Json::Value& tabs = List(value, "tabs", where);
  for (Json::ArrayIndex i = 0; i < tabs.size(); ++i) {
    subject.tabs.push_back(ReadTab(tabs[i], Indexed(where, "tabs", i)));
  }
  return subject;
}

BankTeacher ReadTeacher(const Json::Value& value, const std::string& where) {
  BankTeacher teacher{Text(value, "email", where), Text(value, "password", where), {}};
  if (teacher.email.empty()) throw BankFormatError(where + ".email is empty");
  const Json::Value& subjects = List(value, "subjects", where);
  std::set<std::string> names;
  for (Json::ArrayIndex i = 0; i < subjects.size(); ++i) {
    const std::string place = Indexed(where, "subjects", i);
    teacher.subjects.push_back(ReadSubject(subjects[i], place));
    if (!names.insert(teacher.subjects.back().name).second) {
      throw BankFormatError(place + " repeats the subject name \"" +
                            teacher.subjects.back().name + "\"");
    }
  }
  return teacher;
}

}  // namespace

std::vector<BankTeacher> ParseBankJson(const std::string& jsonText) {
  Json::CharReaderBuilder builder;
  Json::CharReaderBuilder::strictMode(&builder.settings_);
  const std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
  Json::Value root;
  std::string errors;
  if (!reader->parse(jsonText.data(), jsonText.data() + jsonText.size(), &root, &errors)) {
    throw BankFormatError("bank is not valid JSON: " + errors);
  }
  const Json::Value& teachers = List(root, "teachers", "bank");
  std::vector<BankTeacher> result;
  for (Json::ArrayIndex i = 0; i < teachers.size(); ++i) {
    result.push_back(ReadTeacher(teachers[i], Indexed("bank", "teachers", i)));
  }
  return result;
}

std::vector<BankTeacher> LoadBankFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw BankFormatError("cannot read bank file " + path);
  std::ostringstream text;
  text << file.rdbuf();
  return ParseBankJson(text.str());
}

}  // namespace quillbox::reference
