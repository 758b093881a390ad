// The stand-in reads the ribbon from the add-in's XML; what it cannot read it must refuse
// rather than show a different ribbon.

#include <gtest/gtest.h>

#include "word-standin/ribbon_model.h"
#include "word-standin/xml_reader.h"

namespace quillbox::standin {
namespace {

TEST(XmlReaderTest, ReadsElementsAttributesAndEntities) {
  const XmlElement root = ParseXml(
      L"<?xml version=\"1.0\"?>\n<!-- ribbon -->\n"
      L"<ns:a x=\"1 &amp; 2\" y='&lt;&#65;&#x42;&gt;'>text<b/><!-- c --><c z=\"&quot;&apos;\"></c></ns:a>\n");
  EXPECT_EQ(L"a", root.name);
  EXPECT_EQ(L"1 & 2", root.Attribute(L"x"));
  EXPECT_EQ(L"<AB>", root.Attribute(L"y"));
  EXPECT_FALSE(root.Attribute(L"z"));
  ASSERT_EQ(2u, root.children.size());
  EXPECT_EQ(L"b", root.children[0].name);
  EXPECT_EQ(L"\"'", root.children[1].Attribute(L"z"));
}

TEST(XmlReaderTest, RefusesDocumentsThatAreNotWellFormed) {
  for (const wchar_t* text : {L"", L"<a>", L"<a></b>", L"<a x=1/>", L"<a x=\"&bogus;\"/>", L"<a/><b/>",
                              L"<a x=\"unterminated/>"}) {
    EXPECT_THROW(ParseXml(text), XmlError) << text;
  }
}

TEST(RibbonModelTest, ListsTheControlsBelowTheTabsInDocumentOrder) {
  const RibbonModel model = RibbonModel::FromCustomUi(ParseXml(
      L"<customUI onLoad=\"Loaded\"><ribbon><tabs><tab id=\"t\"><group id=\"g\" getVisible=\"V\">"
      L"<button id=\"b\" onAction=\"A\"/><box id=\"x\"><editBox id=\"e\"/></box></group></tab></tabs>"
      L"</ribbon></customUI>"));
  EXPECT_EQ(L"Loaded", model.OnLoad());
  ASSERT_EQ(5u, model.Controls().size());
  const wchar_t* ids[] = {L"t", L"g", L"b", L"x", L"e"};
  const int depths[] = {0, 1, 2, 2, 3};
  for (size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(ids[i], model.Controls()[i].id);
    EXPECT_EQ(depths[i], model.Controls()[i].depth);
  }
  EXPECT_EQ(3u, model.Controls()[4].parent);
  EXPECT_EQ(L"A", model.Controls()[2].Attribute(L"onAction"));
  EXPECT_EQ(2u, model.Find(L"b"));
  EXPECT_FALSE(model.Find(L"missing"));
  EXPECT_THROW(RibbonModel::FromCustomUi(ParseXml(L"<customUI/>")), XmlError);
}

}  // namespace
}  // namespace quillbox::standin
