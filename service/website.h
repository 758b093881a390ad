#pragma once

#include <optional>
#include <string>

namespace quillbox {

// The address that opens a page of the website: the auto-login form when there is a key,
// the plain page otherwise. Nothing is escaped.
std::u16string WebsiteAddress(const std::u16string& baseUrl, const std::optional<std::string>& loginKey,
                              const std::u16string& page);

}  // namespace quillbox
