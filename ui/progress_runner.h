#pragma once

#include <functional>

namespace quillbox {

// Runs work on a worker thread while the teacher sees the modal "Please wait..." dialog.
// Returns true once the work has finished; false when no worker could be started, in which
// case the work did not run at all. It never returns while the work may still be running.
class ProgressRunner {
 public:
  virtual ~ProgressRunner() = default;
  virtual bool Run(const std::function<void()>& work) = 0;
};

}  // namespace quillbox
