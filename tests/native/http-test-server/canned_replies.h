#pragma once
// Chooses the test server's reply from the request path alone.

#include <map>
#include <string>
#include <string_view>

namespace quillbox::testserver {

struct CannedReply {
  int status = 200;
  std::string body;
  std::string contentType = "text/plain";
};

// Paths answered with a file's content (status 200), from the command line.
using ReplyFiles = std::map<std::string, std::string>;

// Largest body "/canned/pattern/<size>" produces.
constexpr size_t kMaxPatternSize = 64u * 1024u * 1024u;

// "/canned/status/<code>" (200-599): that status with StatusBody(code).
// "/canned/zero-byte": ZeroByteBody().
// "/canned/pattern/<size>": PatternBody(size), up to kMaxPatternSize.
// A path in files: that file's content (500 when it cannot be read).
// Anything else: 404 with a body that names the path.
CannedReply ReplyFor(std::string_view path, const ReplyFiles& files);

}  // namespace quillbox::testserver
