#include "tests/builder/process_output.h"

#include "tests/win32/driver.h"

namespace {

struct InheritedFile {
    std::string path;
    HANDLE handle;
    InheritedFile(const std::string& name) : path(name)
    {
        SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
        handle = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE)
            reportFailedCall("CreateFileA", path);
    }
    ~InheritedFile()
    {
        if (handle != INVALID_HANDLE_VALUE)
            CloseHandle(handle);
        DeleteFileA(path.c_str());
    }
    std::string text()
    {
        CloseHandle(handle);
        handle = INVALID_HANDLE_VALUE;
        return readWholeFile(path);
    }
};

}  // namespace

ProcessOutput runCapturingOutput(const std::string& commandLine, const std::string& folder, DWORD timeoutMs)
{
    ProcessOutput output;
    std::string stem = folder + "-" + std::to_string(GetTickCount());
    InheritedFile out(stem + ".out"), err(stem + ".err");
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = out.handle;
    startup.hStdError = err.handle;
    PROCESS_INFORMATION process = {};
    if (!startProcess(commandLine, folder.c_str(), startup, process)) {
        // What Wine's loader said before the process was lost, if anything.
        output.out = out.text();
        output.err = err.text();
        return output;
    }
    output.finished = WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0;
    if (!output.finished)
        TerminateProcess(process.hProcess, 99);
    GetExitCodeProcess(process.hProcess, &output.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    output.out = out.text();
    output.err = err.text();
    return output;
}
