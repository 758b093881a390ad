#pragma once

#include <string>
#include <vector>

#include "comment_bank.h"

namespace quillbox::reference {

// The JSON documents the service replies with, compact, text in UTF-8 (not \u escapes).
std::string SubjectsReply(const std::vector<std::string>& subjects);  // {"status":"OK","subjects":[..]}
std::string TabsReply(const std::vector<BankTab>& tabs);  // {"status":"OK","tabs":[{"name","comments"}]}
std::string LoginKeyReply(const std::string& key);        // {"status":"OK","loginkey":".."}
// {"status":"ERROR","msg":".."} and, when url is not empty, "url" too.
std::string ErrorReply(const std::string& message, const std::string& url = {});

}  // namespace quillbox::reference
