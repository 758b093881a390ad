// The ribbon XML shipped in the DLL, read back element by element and compared with the
// controls Office must show: ids, element kinds, nesting, labels, keytips, callbacks and the
// remaining attributes, each exactly.

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

namespace quillbox {
namespace {

struct Element {
  std::string name;
  std::string parentId;
  std::map<std::string, std::string> attributes;
};

// Enough of XML for this file: elements with double-quoted attributes, no entities.
std::vector<Element> ReadElements(const std::string& xml) {
  std::vector<Element> elements;
  std::vector<std::string> openIds;
  size_t pos = 0;
  while ((pos = xml.find('<', pos)) != std::string::npos) {
    const size_t end = xml.find('>', pos);
    if (end == std::string::npos) break;
    std::string tag = xml.substr(pos + 1, end - pos - 1);
    pos = end + 1;
    if (tag.empty() || tag[0] == '?' || tag[0] == '!') continue;
    if (tag[0] == '/') {
      if (!openIds.empty()) openIds.pop_back();
      continue;
    }
    const bool selfClosing = tag.back() == '/';
    if (selfClosing) tag.pop_back();
    Element element;
    std::istringstream in(tag);
    in >> element.name;
    element.parentId = openIds.empty() ? "" : openIds.back();
    size_t at = element.name.size();
    while ((at = tag.find('=', at)) != std::string::npos) {
      size_t keyStart = tag.rfind(' ', at) + 1;
      const size_t valueStart = tag.find('"', at) + 1;
      const size_t valueEnd = tag.find('"', valueStart);
      element.attributes[tag.substr(keyStart, at - keyStart)] = tag.substr(valueStart, valueEnd - valueStart);
      at = valueEnd + 1;
    }
    const auto id = element.attributes.find("id");
    if (!selfClosing) openIds.push_back(id != element.attributes.end() ? id->second : element.name);
    elements.push_back(std::move(element));
  }
  return elements;
}

std::string ReadRibbonXml() {
  std::ifstream in(std::string(QUILLBOX_SOURCE_DIR) + "/addin/ribbon.xml", std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

using Attributes = std::map<std::string, std::string>;

struct ExpectedControl {
  std::string id;
  std::string element;
  std::string parent;
  Attributes attributes;  // every attribute but id
};

const std::string kEditSupertip =
    "You can change comments, add/remove comments.  Tabs (groups) of comments can be rearranged into the order you "
    "want them to appear. You can also add and hide shared comments from other users. After changing the order of "
    "tabs you may want to Save Config for later use.";

const std::vector<ExpectedControl> kControls = {
    {"scTab", "tab", "tabs", {{"label", "Quillbox"}, {"keytip", "K"}, {"visible", "true"}}},
    {"gr1", "group", "scTab", {{"label", "Account"}}},
    {"visitWebsite", "button", "gr1",
     {{"label", "Visit Website"}, {"keytip", "W"}, {"onAction", "VisitWebsite"}, {"size", "large"},
      {"imageMso", "AutoSigWebInsertHyperlink"}, {"supertip", "To create or manage an account or for extra help."}}},
    {"logIn", "button", "gr1",
     {{"getLabel", "GetLabelLogIn"}, {"keytip", "L"}, {"onAction", "LogIn"}, {"size", "large"}, {"imageMso", "AdpPrimaryKey"},
      {"supertip", "You need to enter the email and password you used when you setup your account."}}},
    {"gr2", "group", "scTab", {{"label", "Comments"}, {"getVisible", "GetVisibleComments"}}},
    {"editComments", "button", "gr2",
     {{"label", "Edit Comments"}, {"keytip", "E"}, {"onAction", "EditComments"}, {"size", "large"},
      {"imageMso", "ReviewEditComment"}, {"supertip", kEditSupertip}}},
    {"bb1", "box", "gr2", {{"boxStyle", "vertical"}}},
    {"lab1", "labelControl", "bb1", {{"label", "Name"}}},
    {"lab2", "labelControl", "bb1", {{"label", "School Subject"}}},
    {"lab3", "labelControl", "bb1", {{"label", "Gender"}}},
    {"lab33", "labelControl", "gr2", {{"label", " "}}},
    {"bb2", "box", "gr2", {{"boxStyle", "vertical"}}},
    {"name", "editBox", "bb2",
     {{"label", "Pupil's first name"}, {"keytip", "N"}, {"getText", "GetTextName"}, {"onChange", "OnChangeName"}, {"showLabel", "false"},
      {"sizeString", "0123456789012345"}, {"supertip", "Enter the pupils first name."}}},
    {"subjects", "dropDown", "bb2",
     {{"label", "School subject"}, {"keytip", "S"}, {"getItemCount", "GetItemCountSubject"}, {"getItemID", "GetItemIDSubject"},
      {"getItemLabel", "GetItemLabelSubject"}, {"getSelectedItemIndex", "GetSelectedItemIndexSubject"},
      {"onAction", "SelecteItemChangedSubject"}, {"showLabel", "false"}, {"sizeString", "0123456789012345"},
      {"supertip", "Choose the subject you are writing reports for."}}},
    {"b1", "box", "bb2", {{"boxStyle", "horizontal"}}},
    {"boy", "toggleButton", "b1", {{"label", "  Boy  "}, {"keytip", "B"}, {"getPressed", "GetPressedBoy"}, {"onAction", "PressBoy"}}},
    {"girl", "toggleButton", "b1",
     {{"label", "  Girl  "}, {"keytip", "G"}, {"getPressed", "GetPressedGirl"}, {"onAction", "PressGirl"}}},
    {"they", "toggleButton", "b1",
     {{"label", "  They  "}, {"keytip", "T"}, {"getPressed", "GetPressedThey"}, {"onAction", "PressThey"}}},
    {"lab44", "labelControl", "gr2", {{"label", " "}}},
    {"category", "gallery", "gr2",
     {{"getLabel", "GetLabelCategory"}, {"keytip", "R"}, {"getItemCount", "GetItemCountCategory"},
      {"getItemID", "GetItemIDCategory"}, {"getItemLabel", "GetItemLabelCategory"},
      {"getSelectedItemIndex", "GetSelectedItemIndexCategory"}, {"onAction", "SelecteItemChangedCategory"},
      {"size", "large"}, {"imageMso", "ReviewNextComment"}, {"columns", "1"}, {"rows", "15"},
      {"screentip", "Comment Groups"},
      {"supertip", "These are the groups of comments available - the next group will automatically be selected when you "
                   "choose a comment."}}},
    {"comment", "gallery", "gr2",
     {{"label", "Insert Comment"}, {"keytip", "C"}, {"getItemCount", "GetItemCountComment"},
      {"getItemID", "GetItemIDComment"}, {"getItemLabel", "GetItemLabelComment"},
      {"getItemSupertip", "GetItemSupertipComment"},
      {"getSelectedItemIndex", "GetSelectedItemIndexComment"}, {"onAction", "SelecteItemChangedComment"},
      {"size", "large"}, {"imageMso", "ReviewShowAllComments"}, {"columns", "1"}, {"rows", "15"},
      {"supertip", "Just click on a comment to insert it."}}},
};

TEST(RibbonXml, IsAsciiAndLoadsThroughRibbonLoaded) {
  const std::string xml = ReadRibbonXml();
  ASSERT_FALSE(xml.empty());
  for (unsigned char c : xml) ASSERT_LT(c, 0x80) << "non-ASCII byte";
  const std::vector<Element> elements = ReadElements(xml);
  ASSERT_GE(elements.size(), 3u);
  EXPECT_EQ(elements[0].name, "customUI");
  EXPECT_EQ(elements[0].attributes.at("xmlns"), "http://schemas.microsoft.com/office/2006/01/customui");
  EXPECT_EQ(elements[0].attributes.at("onLoad"), "RibbonLoaded");
  EXPECT_EQ(elements[1].name, "ribbon");
  EXPECT_EQ(elements[1].attributes.at("startFromScratch"), "false");
  EXPECT_EQ(elements[2].name, "tabs");
}

TEST(RibbonXml, ControlsMatchTheirDefinitionsInOrder) {
  std::vector<Element> controls;
  for (Element& element : ReadElements(ReadRibbonXml())) {
    if (element.attributes.count("id")) controls.push_back(std::move(element));
  }
  ASSERT_EQ(controls.size(), kControls.size());
  for (size_t i = 0; i < kControls.size(); ++i) {
    const ExpectedControl& expected = kControls[i];
    Attributes actual = controls[i].attributes;
    EXPECT_EQ(actual["id"], expected.id) << "position " << i;
    actual.erase("id");
    EXPECT_EQ(controls[i].name, expected.element) << expected.id;
    EXPECT_EQ(controls[i].parentId, expected.parent) << expected.id;
    EXPECT_EQ(actual, expected.attributes) << expected.id;
  }
}

}  // namespace
}  // namespace quillbox
