#pragma once
// Which link targets the add-in's link controls may hand to the shell. A URL can come from
// the registry or from a service reply; handed to ShellExecute, a file path, a program or a
// script URL would run on the teacher's machine. Only web pages are opened.

#include <string_view>

namespace quillbox {

// True for an http:// or https:// URL (scheme in any case) with something after the scheme,
// and without spaces, control characters or double quotes, which never appear unescaped in a
// URL and could split a browser's command line.
bool IsOpenableLinkUrl(std::u16string_view url);

}  // namespace quillbox
