#pragma once
// An add-in object created inside the test program with fake shell ports (so that logging in
// fills the comment store from canned replies), driven by the stand-in Word and ribbon through
// IDispatch by name, as Office drives it.

#include <windows.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "addin/win/connect.h"
#include "common/win/com_ptr.h"
#include "tests/windows/addin/fake_shell_ports.h"
#include "word-standin/transcript.h"
#include "word-standin/word_host.h"

namespace quillbox::testing {

class InProcessAddinTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto ports = std::make_unique<FakeShellPorts>();
    ports_ = ports.get();
    ASSERT_EQ(S_OK, win::CConnect::Create(std::move(ports), IID_IAddInCallback, callbacks_.PutVoid()));
    addin_ = static_cast<win::CConnect*>(callbacks_.Get());
    host_ = std::make_unique<standin::WordHost>(win::ComPtr<IUnknown>(callbacks_.Get()), transcript_);
    ASSERT_EQ(S_OK, host_->Start());
  }
  void TearDown() override { host_.reset(); }

  // Logs in through the ribbon's button (the fake service answers with the sample subjects) and
  // chooses Boy for the starting pupil, so that the comment gallery is enabled.
  void LogIn() {
    ASSERT_EQ(S_OK, host_->Click(L"logIn"));
    ASSERT_EQ(S_OK, host_->Toggle(L"boy"));
  }

  // The control ids invalidated since the last call.
  std::vector<std::wstring> NewInvalidations() {
    const auto& log = host_->State().invalidations;
    std::vector<std::wstring> fresh(log.begin() + static_cast<std::ptrdiff_t>(seen_), log.end());
    seen_ = log.size();
    return fresh;
  }

  // What the stand-in ribbon shows for a control.
  const standin::ControlState& Control(const wchar_t* id) {
    const auto index = host_->View()->Model().Find(id);
    if (!index) throw std::invalid_argument("no such control");
    return host_->View()->State(*index);
  }

  standin::StandinDocument& Document() { return host_->State().document; }
  const CommentStore& Store() const { return addin_->Core().Store(); }

  standin::CollectedTranscript transcript_;
  FakeShellPorts* ports_ = nullptr;
  win::ComPtr<IAddInCallback> callbacks_;
  win::CConnect* addin_ = nullptr;
  std::unique_ptr<standin::WordHost> host_;

 private:
  size_t seen_ = 0;
};

}  // namespace quillbox::testing
