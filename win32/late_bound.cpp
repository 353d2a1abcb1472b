#include "win32/late_bound.h"

#include <olectl.h>
#include <shellapi.h>
#include <vfw.h>

namespace {

// The library stays loaded for the life of the process, as a linked one
// would; each entry point is looked up once (statics are set up once even
// when threads race for them).
template <typename Function> Function boundEntry(const char* library, const char* name)
{
    HMODULE module = LoadLibraryA(library);
    if (!module)
        return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

HRESULT comInitialize()
{
    static auto entry = boundEntry<decltype(&CoInitialize)>("ole32.dll", "CoInitialize");
    return entry ? entry(nullptr) : E_FAIL;
}

void comUninitialize()
{
    static auto entry = boundEntry<decltype(&CoUninitialize)>("ole32.dll", "CoUninitialize");
    if (entry)
        entry();
}

HRESULT comCreateInstance(REFCLSID classId, IUnknown* outer, DWORD context, REFIID interfaceId, void** object)
{
    static auto entry = boundEntry<decltype(&CoCreateInstance)>("ole32.dll", "CoCreateInstance");
    if (!entry) {
        *object = nullptr;
        return REGDB_E_CLASSNOTREG;
    }
    return entry(classId, outer, context, interfaceId, object);
}

HRESULT createStreamOnHGlobal(HGLOBAL block, BOOL deleteOnRelease, IStream** stream)
{
    static auto entry = boundEntry<decltype(&CreateStreamOnHGlobal)>("ole32.dll", "CreateStreamOnHGlobal");
    if (!entry) {
        *stream = nullptr;
        return E_FAIL;
    }
    return entry(block, deleteOnRelease, stream);
}

HRESULT oleLoadPicture(IStream* stream, LONG size, BOOL runMode, REFIID interfaceId, void** object)
{
    static auto entry = boundEntry<decltype(&OleLoadPicture)>("oleaut32.dll", "OleLoadPicture");
    if (!entry) {
        *object = nullptr;
        return E_FAIL;
    }
    return entry(stream, size, runMode, interfaceId, object);
}

BSTR sysAllocString(const OLECHAR* text)
{
    static auto entry = boundEntry<decltype(&SysAllocString)>("oleaut32.dll", "SysAllocString");
    return entry ? entry(text) : nullptr;
}

void sysFreeString(BSTR text)
{
    static auto entry = boundEntry<decltype(&SysFreeString)>("oleaut32.dll", "SysFreeString");
    if (entry)
        entry(text);
}

HINSTANCE shellExecute(HWND window, const char* verb, const char* file, const char* parameters, const char* folder,
                       int show)
{
    static auto entry = boundEntry<decltype(&ShellExecuteA)>("shell32.dll", "ShellExecuteA");
    // What ShellExecute itself answers when it finds nothing to run.
    if (!entry)
        return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(SE_ERR_DLLNOTFOUND));
    return entry(window, verb, file, parameters, folder, show);
}

HWND mciWndCreate(HWND parent, HINSTANCE instance, DWORD style, const char* file)
{
    static auto entry = boundEntry<decltype(&MCIWndCreateA)>("msvfw32.dll", "MCIWndCreateA");
    return entry ? entry(parent, instance, style, file) : nullptr;
}
