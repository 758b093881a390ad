// GetCustomUI serves the ribbon XML resource of the library exactly as the source file holds it.

#include <windows.h>

#include <gtest/gtest.h>

#include "common/win/bstr.h"
#include "common/win/com_ptr.h"
#include "office_interfaces.h"
#include "tests/windows/addin/addin_test_support.h"

namespace quillbox::testing {
namespace {

using win::ComPtr;
using win::UniqueBstr;

class RibbonXmlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    addin_ = CreateRegisteredAddin();
    ASSERT_TRUE(addin_);
    ASSERT_EQ(S_OK, addin_.As(IID_IRibbonExtensibility, ribbon_));
  }

  ComPtr<IUnknown> addin_;
  ComPtr<IRibbonExtensibility> ribbon_;
};

TEST_F(RibbonXmlTest, ServesTheSourceFileByteForByte) {
  const std::string source = ReadFileBytes(RibbonXmlPath());
  ASSERT_FALSE(source.empty());
  UniqueBstr ribbonId = UniqueBstr::FromWide(L"Microsoft.Word.Document");
  UniqueBstr xml;
  ASSERT_EQ(S_OK, ribbon_->GetCustomUI(ribbonId.Get(), xml.Put()));
  ASSERT_TRUE(xml);
  // The file is ASCII, so the ANSI conversion widens each byte.
  const std::u16string served = xml.Text();
  ASSERT_EQ(source.size(), served.size());
  EXPECT_EQ(std::u16string(source.begin(), source.end()), served);
}

TEST_F(RibbonXmlTest, EveryRibbonIdGetsTheSameXml) {
  UniqueBstr forDocument, forMail;
  UniqueBstr documentId = UniqueBstr::FromWide(L"Microsoft.Word.Document");
  UniqueBstr mailId = UniqueBstr::FromWide(L"Microsoft.Outlook.Mail.Compose");
  ASSERT_EQ(S_OK, ribbon_->GetCustomUI(documentId.Get(), forDocument.Put()));
  ASSERT_EQ(S_OK, ribbon_->GetCustomUI(mailId.Get(), forMail.Put()));
  EXPECT_EQ(forDocument.Text(), forMail.Text());
  UniqueBstr withoutId;
  ASSERT_EQ(S_OK, ribbon_->GetCustomUI(nullptr, withoutId.Put()));
  EXPECT_EQ(forDocument.Text(), withoutId.Text());
}

TEST_F(RibbonXmlTest, NullOutPointerIsRefused) {
  EXPECT_EQ(E_POINTER, ribbon_->GetCustomUI(nullptr, nullptr));
}

}  // namespace
}  // namespace quillbox::testing
