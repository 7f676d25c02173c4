#pragma once

#include <oleacc.h>

#include <map>
#include <string>

// COM interfaces have no virtual destructor: the object is released through them, never deleted.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

// A stand-in for the annotation service that screen readers read, registered in the test's
// own process: it records the name each window is given.
class RecordedAnnotations final : public IAccPropServices, public IClassFactory {
public:
    std::map<HWND, std::wstring> names;

    HRESULT WINAPI QueryInterface(REFIID iid, void **out) override
    {
        *out = iid == IID_IAccPropServices || iid == IID_IUnknown
                   ? static_cast<void *>(static_cast<IAccPropServices *>(this))
               : iid == IID_IClassFactory ? static_cast<void *>(static_cast<IClassFactory *>(this))
                                          : nullptr;
        return *out ? S_OK : E_NOINTERFACE;
    }
    ULONG WINAPI AddRef() override { return 2; } // lives as long as the test
    ULONG WINAPI Release() override { return 1; }
    HRESULT WINAPI CreateInstance(IUnknown *, REFIID iid, void **out) override { return QueryInterface(iid, out); }
    HRESULT WINAPI LockServer(BOOL) override { return S_OK; }
    HRESULT WINAPI SetHwndPropStr(HWND window, DWORD, DWORD, MSAAPROPID property, LPCWSTR text) override
    {
        if (property == PROPID_ACC_NAME)
            names[window] = text;
        return S_OK;
    }

    // What the window does not use.
    // clang-format off
#define NOT_USED(method, ...) HRESULT WINAPI method(__VA_ARGS__) override { return E_NOTIMPL; }
    // clang-format on
    NOT_USED(SetPropValue, const BYTE *, DWORD, MSAAPROPID, VARIANT)
    NOT_USED(SetPropServer, const BYTE *, DWORD, const MSAAPROPID *, int, IAccPropServer *, AnnoScope)
    NOT_USED(ClearProps, const BYTE *, DWORD, const MSAAPROPID *, int)
    NOT_USED(SetHwndProp, HWND, DWORD, DWORD, MSAAPROPID, VARIANT)
    NOT_USED(SetHwndPropServer, HWND, DWORD, DWORD, const MSAAPROPID *, int, IAccPropServer *, AnnoScope)
    NOT_USED(ClearHwndProps, HWND, DWORD, DWORD, const MSAAPROPID *, int)
    NOT_USED(ComposeHwndIdentityString, HWND, DWORD, DWORD, BYTE **, DWORD *)
    NOT_USED(DecomposeHwndIdentityString, const BYTE *, DWORD, HWND *, DWORD *, DWORD *)
    NOT_USED(SetHmenuProp, HMENU, DWORD, MSAAPROPID, VARIANT)
    NOT_USED(SetHmenuPropStr, HMENU, DWORD, MSAAPROPID, LPCWSTR)
    NOT_USED(SetHmenuPropServer, HMENU, DWORD, const MSAAPROPID *, int, IAccPropServer *, AnnoScope)
    NOT_USED(ClearHmenuProps, HMENU, DWORD, const MSAAPROPID *, int)
    NOT_USED(ComposeHmenuIdentityString, HMENU, DWORD, BYTE **, DWORD *)
    NOT_USED(DecomposeHmenuIdentityString, const BYTE *, DWORD, HMENU *, DWORD *)
#undef NOT_USED
};

#pragma GCC diagnostic pop
