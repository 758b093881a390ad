#pragma once

#include <functional>

#include "ui/window_handle.h"

namespace quillbox {

// When the modal "Please wait..." dialog comes up while the work runs.
enum class ProgressShown {
  kAtOnce,    // as soon as the work starts
  kWhenSlow,  // only once the work has taken a second; until then the calling thread keeps
              // handling its messages, so work that ends at once shows no dialog at all
};

// Runs work on a worker thread while the calling (user-interface) thread keeps answering its
// window messages, behind the "Please wait..." dialog owned by owner. Returns true once the
// work has finished; false when no worker could be started, in which case the work did not
// run at all. It never returns while the work may still be running.
class ProgressRunner {
 public:
  virtual ~ProgressRunner() = default;
  virtual bool Run(const std::function<void()>& work, WindowHandle owner = kNoWindow,
                   ProgressShown shown = ProgressShown::kAtOnce) = 0;
};

}  // namespace quillbox
