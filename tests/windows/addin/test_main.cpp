// The Windows-side add-in tests run in one single-threaded apartment, as Word's user-interface
// thread does.

#include <windows.h>

#include <objbase.h>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
  const int status = RUN_ALL_TESTS();
  ::CoUninitialize();
  return status;
}
