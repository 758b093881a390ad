#include "word-standin/ribbon_model.h"

namespace quillbox::standin {
namespace {

const XmlElement* Child(const XmlElement& element, std::wstring_view name) {
  for (const XmlElement& child : element.children) {
    if (child.name == name) return &child;
  }
  return nullptr;
}

}  // namespace

std::optional<std::wstring> RibbonControl::Attribute(std::wstring_view name) const {
  for (const auto& [key, value] : attributes) {
    if (key == name) return value;
  }
  return std::nullopt;
}

RibbonModel RibbonModel::FromCustomUi(const XmlElement& customUi) {
  if (customUi.name != L"customUI") throw XmlError("XML: the root element is not customUI");
  const XmlElement* ribbon = Child(customUi, L"ribbon");
  if (!ribbon) throw XmlError("XML: no ribbon element");
  RibbonModel model;
  model.onLoad_ = customUi.Attribute(L"onLoad");
  if (const XmlElement* tabs = Child(*ribbon, L"tabs")) {
    for (const XmlElement& tab : tabs->children) model.Add(tab, std::nullopt, 0);
  }
  return model;
}

void RibbonModel::Add(const XmlElement& element, std::optional<size_t> parent, int depth) {
  RibbonControl control;
  control.kind = element.name;
  control.id = element.Attribute(L"id").value_or(L"");
  control.parent = parent;
  control.depth = depth;
  control.attributes = element.attributes;
  const size_t index = controls_.size();
  controls_.push_back(std::move(control));
  for (const XmlElement& child : element.children) Add(child, index, depth + 1);
}

std::optional<size_t> RibbonModel::Find(std::wstring_view id) const {
  for (size_t i = 0; i < controls_.size(); ++i) {
    if (controls_[i].id == id) return i;
  }
  return std::nullopt;
}

}  // namespace quillbox::standin
