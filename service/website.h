#pragma once

#include <optional>
#include <string>

namespace quillbox {

// The address that opens a page of the website: the auto-login form when there is a key,
// the plain page otherwise. The key comes from the server and is percent-escaped (all but
// letters, digits and - . _ ~), so that whatever it holds stays one query value and never
// reaches a browser's command line as quotes or spaces; the base URL and the page are the
// add-in's own and go in as they are.
std::u16string WebsiteAddress(const std::u16string& baseUrl, const std::optional<std::string>& loginKey,
                              const std::u16string& page);

}  // namespace quillbox
