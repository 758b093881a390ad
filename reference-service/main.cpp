// quillbox-reference-service: the reference comment service on 127.0.0.1. Prints
// "listening on http://127.0.0.1:PORT" as its first line once it accepts connections and
// runs until SIGINT or SIGTERM.
#include <signal.h>

#include <exception>
#include <iostream>
#include <thread>

#include "reference_service.h"
#include "service_options.h"

namespace {

using quillbox::reference::ParseServiceOptions;
using quillbox::reference::ReferenceService;
using quillbox::reference::ServiceUsage;

// Blocks SIGINT and SIGTERM in every thread started from now on, and returns the set.
sigset_t BlockStopSignals() {
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);
  return signals;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string program = argc > 0 ? argv[0] : "quillbox-reference-service";
  const auto parsed = ParseServiceOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (!parsed.options) {
    std::cerr << program << ": " << parsed.error << "\n" << ServiceUsage(program);
    return 2;
  }
  if (parsed.options->showHelp) {
    std::cout << ServiceUsage(program);
    return 0;
  }
  try {
    const sigset_t stopSignals = BlockStopSignals();
    ReferenceService service(*parsed.options);
    service.Listen(parsed.options->port);
    // The stop signals arrive here rather than interrupting a server thread.
    std::thread signalWaiter([&service, stopSignals] {
      int signal = 0;
      sigwait(&stopSignals, &signal);
      service.Stop();
    });
    signalWaiter.detach();
    std::cout << "listening on " << service.BaseUrl() << std::endl;
    if (service.DatabaseWasPopulated()) {
      std::cerr << "created " << parsed.options->databasePath << " and populated it\n";
    }
    const bool served = service.Serve();
    return served ? 0 : 1;
  } catch (const std::exception& error) {
    std::cerr << program << ": " << error.what() << "\n";
    return 1;
  }
}
