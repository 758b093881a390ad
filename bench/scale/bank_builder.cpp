#include "bench/scale/bank_builder.h"

#include <stdexcept>

#include "common/text_utf.h"

namespace quillbox::bench {
namespace {

constexpr const char16_t* kGroupNames[] = {u"Effort", u"Attainment", u"Behaviour", u"Targets",
                                            u"Homework", u"Participation"};
constexpr size_t kGroupNameCount = sizeof kGroupNames / sizeof kGroupNames[0];

constexpr const char16_t* kOpenings[] = {
    u"# has worked hard this term and ^ shows real care in ~ written work. ",
    u"# has made steady progress; ^ listens well and it is a pleasure to teach *. ",
    u"^ has grown in confidence this year and # now takes part in every discussion. ",
    u"# approaches new topics with curiosity, and ^ asks thoughtful questions in class. ",
    u"# brought real \u00e9lan to ~ practical work; ^ organises ~ notes carefully. ",
};
constexpr const char16_t* kMiddles[] = {
    u"Next term ^ should check ~ answers before handing work in. ",
    u"I would like * to read more widely at home to build ~ vocabulary. ",
    u"^ works well with others and supports ~ classmates when they find things hard. ",
    u"# should keep practising the methods we covered, especially under timed conditions. ",
};
constexpr size_t kOpeningCount = sizeof kOpenings / sizeof kOpenings[0];
constexpr size_t kMiddleCount = sizeof kMiddles / sizeof kMiddles[0];

// Comment n: an opening and one or two middles, so lengths vary between about 130 and 230
// characters, and a number that makes every comment of the bank different.
std::u16string Comment(int n) {
  std::u16string text = kOpenings[static_cast<size_t>(n) % kOpeningCount];
  text += kMiddles[static_cast<size_t>(n / 5) % kMiddleCount];
  if (n % 2) text += kMiddles[static_cast<size_t>(n / 7 + 1) % kMiddleCount];
  const std::string number = std::to_string(n);
  text += u"(" + std::u16string(number.begin(), number.end()) + u")";
  return text;
}

std::u16string SubjectName(int index) {
  const std::string number = std::to_string(index + 1);
  return u"Subject " + std::u16string(number.size() < 2 ? 1 : 0, u'0') +
         std::u16string(number.begin(), number.end());
}

std::u16string GroupName(int index) {
  std::u16string name = kGroupNames[static_cast<size_t>(index) % kGroupNameCount];
  if (static_cast<size_t>(index) >= kGroupNameCount) {
    const std::string number = std::to_string(index / static_cast<int>(kGroupNameCount) + 1);
    name += u" " + std::u16string(number.begin(), number.end());
  }
  return name;
}

}  // namespace

size_t GeneratedBank::CommentCount() const {
  size_t count = 0;
  for (const BankSubject& subject : subjects) {
    for (const BankGroup& group : subject.groups) count += group.comments.size();
  }
  return count;
}

size_t GeneratedBank::Utf16TextBytes() const {
  size_t units = 0;
  for (const BankSubject& subject : subjects) {
    units += subject.name.size();
    for (const BankGroup& group : subject.groups) {
      units += group.name.size();
      for (const std::u16string& comment : group.comments) units += comment.size();
    }
  }
  return units * sizeof(char16_t);
}

GeneratedBank MakeBank(const BankShape& shape) {
  const long firstSubjectComments = static_cast<long>(shape.groupsPerSubject) * shape.firstSubjectGroupSize;
  if (shape.subjects < 1 || shape.groupsPerSubject < 1 || shape.firstSubjectGroupSize < 0 ||
      firstSubjectComments > shape.totalComments ||
      (shape.subjects == 1 && firstSubjectComments != shape.totalComments)) {
    throw std::invalid_argument("impossible bank shape");
  }
  const long otherGroups = static_cast<long>(shape.subjects - 1) * shape.groupsPerSubject;
  const long rest = shape.totalComments - firstSubjectComments;

  GeneratedBank bank;
  int commentNumber = 0;
  long otherGroup = 0;
  for (int s = 0; s < shape.subjects; ++s) {
    BankSubject subject{SubjectName(s), {}};
    for (int g = 0; g < shape.groupsPerSubject; ++g) {
      long size = shape.firstSubjectGroupSize;
      if (s > 0) {
        // The first (rest % otherGroups) groups take one comment more.
        size = rest / otherGroups + (otherGroup < rest % otherGroups ? 1 : 0);
        ++otherGroup;
      }
      BankGroup group{GroupName(g), {}};
      group.comments.reserve(static_cast<size_t>(size));
      for (long c = 0; c < size; ++c) group.comments.push_back(Comment(commentNumber++));
      subject.groups.push_back(std::move(group));
    }
    bank.subjects.push_back(std::move(subject));
  }
  return bank;
}

std::string JsonString(const std::string& utf8) {
  static const char kHex[] = "0123456789abcdef";
  std::string out = "\"";
  for (const char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20) {
      out += "\\u00";
      out += kHex[byte >> 4];
      out += kHex[byte & 0xf];
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string BankFileJson(const GeneratedBank& bank, const std::string& email, const std::string& password) {
  std::string json = "{\"teachers\":[{\"email\":" + JsonString(email) + ",\"password\":" + JsonString(password) +
                     ",\"subjects\":[";
  for (size_t s = 0; s < bank.subjects.size(); ++s) {
    const BankSubject& subject = bank.subjects[s];
    json += (s ? ",\n" : "\n");
    json += "{\"name\":" + JsonString(Utf16ToUtf8(subject.name)) + ",\"tabs\":[";
    for (size_t g = 0; g < subject.groups.size(); ++g) {
      const BankGroup& group = subject.groups[g];
      json += (g ? "," : "");
      json += "{\"name\":" + JsonString(Utf16ToUtf8(group.name)) + ",\"comments\":[";
      for (size_t c = 0; c < group.comments.size(); ++c) {
        json += (c ? "," : "");
        json += JsonString(Utf16ToUtf8(group.comments[c]));
      }
      json += "]}";
    }
    json += "]}";
  }
  return json + "\n]}]}\n";
}

}  // namespace quillbox::bench
