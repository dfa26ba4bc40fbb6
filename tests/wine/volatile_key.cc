// Creates a volatile key under HKEY_CURRENT_USER. The registry refuses
// non-volatile keys below it, which is how the Windows tests make the mount
// table's keys fail; the key lasts as long as the wineserver runs.
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  HKEY key = nullptr;
  const LONG result = RegCreateKeyExA(HKEY_CURRENT_USER, argv[1], 0, nullptr, REG_OPTION_VOLATILE,
                                      KEY_ALL_ACCESS, nullptr, &key, nullptr);
  if (result != ERROR_SUCCESS) {
    std::printf("RegCreateKeyExA failed: %ld\n", result);
    return 1;
  }
  RegCloseKey(key);
  return 0;
}
