#pragma once
// Whether Windows' high-contrast mode is on, read through a port so that a test can switch it
// (Wine refuses SPI_SETHIGHCONTRAST, so the real setting cannot be turned on there).

namespace quillbox::win {

class HighContrastSetting {
 public:
  virtual ~HighContrastSetting() = default;
  virtual bool IsOn() const = 0;
};

// The setting the dialogs follow: SPI_GETHIGHCONTRAST unless a ScopedHighContrast replaced it.
const HighContrastSetting& CurrentHighContrast() noexcept;

// Replaces the setting on every thread for as long as it lives, then restores the previous one.
class ScopedHighContrast {
 public:
  explicit ScopedHighContrast(const HighContrastSetting& setting) noexcept;
  ~ScopedHighContrast();
  ScopedHighContrast(const ScopedHighContrast&) = delete;
  ScopedHighContrast& operator=(const ScopedHighContrast&) = delete;

 private:
  const HighContrastSetting* previous_;
};

}  // namespace quillbox::win
