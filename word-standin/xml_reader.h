#pragma once
// A small XML reader, enough for Office custom-UI documents: elements with attributes and
// child elements; the XML declaration, comments and text between elements are skipped; the
// five predefined entities and numeric character references are decoded. Namespace prefixes
// are dropped from names.

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quillbox::standin {

struct XmlElement {
  std::wstring name;
  std::vector<std::pair<std::wstring, std::wstring>> attributes;
  std::vector<XmlElement> children;

  // The attribute's value, or nothing when the element has no such attribute.
  std::optional<std::wstring> Attribute(std::wstring_view attributeName) const;
};

class XmlError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The document's root element. Throws XmlError when the text is not well formed.
XmlElement ParseXml(std::wstring_view text);

}  // namespace quillbox::standin
