#pragma once
// Running skinview from a test: the program's path comes from SKINVIEW_EXE, which the test
// target defines.
#include <windows.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace vela::skin::skinview_run {

constexpr DWORD kRunLimitMs = 90000;

inline std::vector<std::uint8_t> ReadFile(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in),
                                   std::istreambuf_iterator<char>());
}

inline std::wstring Wide(const char* text) {
  return std::wstring(text, text + std::char_traits<char>::length(text));
}

// Runs skinview with `arguments` and returns its exit code (-1 when it did not end in time).
// With `output`, what the program writes to its standard output is read into it.
inline int RunSkinview(const std::wstring& arguments, std::string* output = nullptr) {
  std::wstring command = L"\"" + Wide(SKINVIEW_EXE) + L"\" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (output) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0))
      return -2;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  }
  PROCESS_INFORMATION process{};
  const bool started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, output != nullptr,
                                      0, nullptr, nullptr, &startup, &process);
  if (writeEnd)
    CloseHandle(writeEnd);
  if (!started) {
    if (readEnd)
      CloseHandle(readEnd);
    return -2;
  }
  if (output) {
    // Read until the program ends and closes its end of the pipe.
    char buffer[4096];
    DWORD got = 0;
    while (::ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0)
      output->append(buffer, got);
    CloseHandle(readEnd);
  }
  DWORD code = DWORD(-1);
  if (WaitForSingleObject(process.hProcess, kRunLimitMs) == WAIT_OBJECT_0)
    GetExitCodeProcess(process.hProcess, &code);
  else
    TerminateProcess(process.hProcess, 99);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return int(code);
}

} // namespace vela::skin::skinview_run
