#pragma once

#include <windows.h>

#include <string>
#include <string_view>

// Texts cross into Windows as UTF-16 and come back as UTF-8.
inline std::wstring wide(std::string_view utf8)
{
    if (utf8.empty())
        return {};
    const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(), size);
    return text;
}

inline std::string utf8(std::wstring_view utf16)
{
    if (utf16.empty())
        return {};
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), text.data(), size, nullptr, nullptr);
    return text;
}

// A window's text: a label's caption, an edit field's content.
inline std::string windowText(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return utf8(text);
}

// A function of a system DLL that older Windows lacks, looked up at run time, so that the
// program starts where it is missing; nothing there.
template <typename Function> Function systemFunction(const wchar_t *module, const char *name)
{
    const FARPROC found = GetProcAddress(GetModuleHandleW(module), name);
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}
