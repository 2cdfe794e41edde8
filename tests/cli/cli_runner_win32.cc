#include <windows.h>

#include <stdexcept>

#include "cli/cli_runner.h"
#include "common/system_path_win32.h"

namespace ondrel::testing {
namespace {

// One argument as the C library of the child splits it again: quoted, with its backslashes
// doubled where they stand before a quote.
std::wstring Quoted(const std::wstring& argument) {
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, L'\\');
  return quoted + L"\"";
}

// This process's environment with `additions` (NAME=VALUE) set, as CreateProcessW takes it.
std::wstring ChildEnvironment(const std::vector<std::string>& additions) {
  const auto nameOf = [](std::wstring_view setting) {
    std::wstring name(setting.substr(0, setting.find(L'=', 1)));
    ::CharUpperBuffW(name.data(), static_cast<DWORD>(name.size()));
    return name;
  };
  std::vector<std::wstring> added;
  for (const auto& addition : additions) added.push_back(Widen(addition));
  wchar_t* const block = ::GetEnvironmentStringsW();
  std::wstring environment;
  for (const wchar_t* entry = block; *entry != L'\0'; entry += std::wcslen(entry) + 1) {
    bool replaced = false;
    for (const auto& addition : added) replaced |= nameOf(addition) == nameOf(entry);
    if (!replaced) environment.append(entry).push_back(L'\0');
  }
  ::FreeEnvironmentStringsW(block);
  for (const auto& addition : added) environment.append(addition).push_back(L'\0');
  environment.push_back(L'\0');
  return environment;
}

HANDLE TemporaryFile() {
  wchar_t folder[MAX_PATH + 1], name[MAX_PATH + 1];
  ::GetTempPathW(MAX_PATH + 1, folder);
  ::GetTempFileNameW(folder, L"cli", 0, name);
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  return ::CreateFileW(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                       &inherit, CREATE_ALWAYS, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
}

std::string ReadFromStart(HANDLE file) {
  ::SetFilePointer(file, 0, nullptr, FILE_BEGIN);
  std::string text;
  char buffer[65536];
  DWORD got = 0;
  while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
    text.append(buffer, got);
  return text;
}

[[noreturn]] void NoTerminals() {
  throw std::runtime_error("Windows has no pseudo-terminal for the tests");
}

}  // namespace

CliOptions OnTerminal(std::vector<std::string> environment) {
  CliOptions options;
  options.environment = std::move(environment);
  options.errToTerminal = true;
  return options;
}

CliRun RunCli(const std::vector<std::string>& arguments, const CliOptions& options) {
  if (options.errToTerminal || !options.prefix.empty()) NoTerminals();
  std::wstring command = Quoted(Widen(options.program));
  for (const auto& argument : arguments) command += L" " + Quoted(Widen(argument));
  const HANDLE out = TemporaryFile(), err = TemporaryFile();
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  const HANDLE input = ::CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                     &inherit, OPEN_EXISTING, 0, nullptr);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = input;
  startup.hStdOutput = out;
  startup.hStdError = err;
  std::wstring environment = ChildEnvironment(options.environment);
  const std::wstring folder = Widen(options.workingFolder);
  PROCESS_INFORMATION process{};
  CliRun run;
  if (::CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE,
                       CREATE_UNICODE_ENVIRONMENT | CREATE_NO_WINDOW, environment.data(),
                       folder.empty() ? nullptr : folder.c_str(), &startup, &process)) {
    ::WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 0;
    ::GetExitCodeProcess(process.hProcess, &status);
    run.status = static_cast<int>(status);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
  }
  run.out = ReadFromStart(out);
  run.err = ReadFromStart(err);
  ::CloseHandle(input);
  ::CloseHandle(out);
  ::CloseHandle(err);
  return run;
}

PseudoTerminal::PseudoTerminal() {
  NoTerminals();
}
PseudoTerminal::~PseudoTerminal() = default;
void PseudoTerminal::StopOutput() {
  NoTerminals();
}
void PseudoTerminal::ResumeOutput() {
  NoTerminals();
}
std::string PseudoTerminal::ReadAll() {
  NoTerminals();
}
void PseudoTerminal::CloseChildEnd() {}

int StartCli(const std::vector<std::string>&, const CliOptions&, int, int) {
  NoTerminals();
}
int WaitForExit(int) {
  NoTerminals();
}
bool WaitUntilBlockedWriting(int, int) {
  NoTerminals();
}

bool SendInterrupt(int) {
  NoTerminals();
}

}  // namespace ondrel::testing
