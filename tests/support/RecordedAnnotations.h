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
    HRESULT WINAPI SetPropValue(const BYTE *, DWORD, MSAAPROPID, VARIANT) override { return E_NOTIMPL; }
    HRESULT WINAPI SetPropServer(const BYTE *, DWORD, const MSAAPROPID *, int, IAccPropServer *, AnnoScope) override
    {
        return E_NOTIMPL;
    }
    HRESULT WINAPI ClearProps(const BYTE *, DWORD, const MSAAPROPID *, int) override { return E_NOTIMPL; }
    HRESULT WINAPI SetHwndProp(HWND, DWORD, DWORD, MSAAPROPID, VARIANT) override { return E_NOTIMPL; }
    HRESULT WINAPI SetHwndPropServer(HWND, DWORD, DWORD, const MSAAPROPID *, int, IAccPropServer *, AnnoScope) override
    {
        return E_NOTIMPL;
    }
    HRESULT WINAPI ClearHwndProps(HWND, DWORD, DWORD, const MSAAPROPID *, int) override { return E_NOTIMPL; }
    HRESULT WINAPI ComposeHwndIdentityString(HWND, DWORD, DWORD, BYTE **, DWORD *) override { return E_NOTIMPL; }
    HRESULT WINAPI DecomposeHwndIdentityString(const BYTE *, DWORD, HWND *, DWORD *, DWORD *) override
    {
        return E_NOTIMPL;
    }
    HRESULT WINAPI SetHmenuProp(HMENU, DWORD, MSAAPROPID, VARIANT) override { return E_NOTIMPL; }
    HRESULT WINAPI SetHmenuPropStr(HMENU, DWORD, MSAAPROPID, LPCWSTR) override { return E_NOTIMPL; }
    HRESULT WINAPI SetHmenuPropServer(HMENU, DWORD, const MSAAPROPID *, int, IAccPropServer *, AnnoScope) override
    {
        return E_NOTIMPL;
    }
    HRESULT WINAPI ClearHmenuProps(HMENU, DWORD, const MSAAPROPID *, int) override { return E_NOTIMPL; }
    HRESULT WINAPI ComposeHmenuIdentityString(HMENU, DWORD, BYTE **, DWORD *) override { return E_NOTIMPL; }
    HRESULT WINAPI DecomposeHmenuIdentityString(const BYTE *, DWORD, HMENU *, DWORD *) override { return E_NOTIMPL; }
};

#pragma GCC diagnostic pop
