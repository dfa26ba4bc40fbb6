// tar.exe of the Windows end-to-end tests: a Windows program that stands in
// for the distribution's archive tool by running GNU tar on the Unix side.
//
// Wine starts a Unix script from CreateProcessA but hands back no process
// handle, so nothing can wait for it. This program starts tar-unix.sh, which
// lies beside it, with its own command line, waits for the status file the
// script writes last, and exits with that status, so the installer sees a
// child that runs, ends and reports like the real tool.
#include <windows.h>

#include <string>
#include <vector>

int main() {
  char self[MAX_PATH * 4];
  const DWORD length = GetModuleFileNameA(nullptr, self, sizeof self);
  if (length == 0 || length >= sizeof self) return 126;
  std::string dir(self, length);
  dir.erase(dir.find_last_of("\\/") + 1);

  const std::string status_name = "tar-status." + std::to_string(GetCurrentProcessId());
  const std::string status_path = dir + status_name;
  DeleteFileA(status_path.c_str());
  SetEnvironmentVariableA("PENDRAKE_TAR_STATUS", status_name.c_str());

  const std::string script = dir + "tar-unix.sh";
  std::string command_line = GetCommandLineA();
  std::vector<char> line(command_line.begin(), command_line.end());
  line.push_back('\0');
  STARTUPINFOA startup;
  ZeroMemory(&startup, sizeof startup);
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process;
  ZeroMemory(&process, sizeof process);
  if (!CreateProcessA(script.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return 127;
  }
  if (process.hThread != nullptr) CloseHandle(process.hThread);
  if (process.hProcess != nullptr) CloseHandle(process.hProcess);

  for (;;) {
    const HANDLE file = CreateFileA(status_path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      char text[16] = {};
      DWORD got = 0;
      ReadFile(file, text, sizeof text - 1, &got, nullptr);
      CloseHandle(file);
      DeleteFileA(status_path.c_str());
      return atoi(text);
    }
    Sleep(20);
  }
}
