#include "reference_service.h"

#include <httplib.h>

#include <stdexcept>
#include <thread>

#include "bank_loader.h"
#include "comment_bank.h"
#include "request_log.h"
#include "routes.h"
#include "sample_bank.h"

namespace quillbox::reference {

namespace {

constexpr char kHost[] = "127.0.0.1";

}  // namespace

ReferenceService::ReferenceService(const ServiceOptions& options)
    : bank_(std::make_unique<CommentBank>(
          options.databasePath,
          options.bankPath.empty() ? SampleBank() : LoadBankFile(options.bankPath))),
      server_(std::make_unique<httplib::Server>()) {
  if (!options.logPath.empty()) log_ = std::make_unique<RequestLog>(options.logPath);
  InstallRoutes(*server_, *bank_, log_.get());
}

ReferenceService::~ReferenceService() { Stop(); }

int ReferenceService::Listen(int port) {
  if (port == 0) {
    port_ = server_->bind_to_any_port(kHost);
    if (port_ < 0) throw std::runtime_error("cannot bind a free port on 127.0.0.1");
  } else {
    if (!server_->bind_to_port(kHost, port)) {
      throw std::runtime_error("cannot bind 127.0.0.1:" + std::to_string(port));
    }
    port_ = port;
  }
  return port_;
}

bool ReferenceService::Serve() {
  serving_ = true;
  const bool served = stopRequested_ || server_->listen_after_bind();
  serving_ = false;
  return served;
}

void ReferenceService::Stop() {
  stopRequested_ = true;
  // The server ignores a stop before it runs: wait while Serve() is between its check of
  // stopRequested_ and the server's start.
  while (serving_ && !server_->is_running()) std::this_thread::yield();
  server_->stop();
}

bool ReferenceService::IsRunning() const { return server_->is_running(); }

bool ReferenceService::DatabaseWasPopulated() const { return bank_->WasPopulated(); }

}  // namespace quillbox::reference
