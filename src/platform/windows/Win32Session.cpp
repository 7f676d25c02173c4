#include "Win32Session.h"

#ifdef _WIN32
#include <windows.h>

#include <shellapi.h>

#include <string>

namespace win32 {

namespace {

void enableShutdownPrivilege()
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
        return;
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (LookupPrivilegeValueW(nullptr, L"SeShutdownPrivilege", // SE_SHUTDOWN_NAME
                              &privileges.Privileges[0].Luid))
        AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
    CloseHandle(token);
}

} // namespace

void exitWindows(unsigned flags)
{
    if (needsShutdownPrivilege(flags))
        enableShutdownPrivilege();
    ExitWindowsEx(flags, 0);
}

void setTopmost(void *window, int insertAfter, unsigned flags)
{
    SetWindowPos(static_cast<HWND>(window), reinterpret_cast<HWND>(static_cast<INT_PTR>(insertAfter)), 0, 0, 0, 0,
                 flags);
}

bool startProgram(const wchar_t *commandLine, int windowStyle)
{
    // CreateProcess may write into the command line, so it gets a copy of its own.
    std::wstring writable(commandLine);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(windowStyle);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, writable.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

bool openWithDefaultHandler(const wchar_t *address)
{
    const auto result =
        reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", address, nullptr, nullptr, SW_SHOWMAXIMIZED));
    return result > 32;
}

bool fileExists(const wchar_t *path)
{
    return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

} // namespace win32
#endif
