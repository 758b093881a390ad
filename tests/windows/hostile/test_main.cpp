// The add-in object lives in a single-threaded apartment, as in Word: the test thread enters
// one before any test runs.

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
