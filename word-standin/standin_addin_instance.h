#pragma once
// The COMAddIn object Word passes to OnConnection as AddInInst. The add-in only keeps it, so
// it offers nothing beyond IDispatch.

#include <windows.h>

#include "word-standin/com_object.h"

namespace quillbox::standin {

class StandinAddInInstance final : public NamelessDispatch<IDispatch> {
 protected:
  bool Answers(REFIID iid) const override { return IsEqualIID(iid, IID_IDispatch); }
};

}  // namespace quillbox::standin
