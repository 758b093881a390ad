// Prints where the add-in reads its base URL, from the reader's own constants, so that the
// policy template's test compares the template with the code: "key=SUBKEY" and "value=NAME"
// (an empty NAME is the key's default value), and "offline=NAME" for the offline copy's DWORD,
// in UTF-8.

#include <cstdio>
#include <string>

#include "common/text_utf.h"
#include "common/win/wide.h"
#include "settings/win/registry_settings_reader.h"

int main() {
  using quillbox::Utf16ToUtf8;
  using quillbox::win::FromWide;
  std::printf("key=%s\nvalue=%s\noffline=%s\n", Utf16ToUtf8(FromWide(quillbox::win::kSettingsSubkey)).c_str(),
              Utf16ToUtf8(FromWide(quillbox::win::kSettingsValueName)).c_str(),
              Utf16ToUtf8(FromWide(quillbox::win::kOfflineCopyValueName)).c_str());
  return 0;
}
