#pragma once
// What the teacher is told when Windows could not start the browser for a website address.

#include <string>

namespace quillbox {

// The page's plain address: for an auto-login address (WebsiteAddress with a key) the page
// itself at the base URL, without the key, which is for one use and must not be copied around;
// any other address as it is.
std::u16string PlainWebsiteAddress(const std::u16string& address);

// The message, which ends with the plain address on a line of its own, so that it can be
// copied into a browser by hand.
std::u16string BrowserFailureMessage(const std::u16string& address);

}  // namespace quillbox
