#include "ui/win/high_contrast.h"

#include <windows.h>

#include <atomic>

namespace quillbox::win {
namespace {

class SystemHighContrast : public HighContrastSetting {
 public:
  bool IsOn() const override {
    HIGHCONTRASTW setting = {};
    setting.cbSize = sizeof(setting);
    return ::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(setting), &setting, 0) &&
           (setting.dwFlags & HCF_HIGHCONTRASTON);
  }
};

const SystemHighContrast kSystem;
std::atomic<const HighContrastSetting*> current{&kSystem};

}  // namespace

const HighContrastSetting& CurrentHighContrast() noexcept { return *current.load(); }

ScopedHighContrast::ScopedHighContrast(const HighContrastSetting& setting) noexcept
    : previous_(current.exchange(&setting)) {}

ScopedHighContrast::~ScopedHighContrast() { current.store(previous_); }

}  // namespace quillbox::win
