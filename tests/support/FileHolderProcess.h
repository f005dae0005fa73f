#pragma once

#include "UniqueHandle.h"

#include <string>

namespace test {

// Runs file_holder.exe (built beside the test programs) so that another process holds path open
// without delete sharing, as a scanner or a program with a library loaded would. The file stays
// held until Release() or the object goes away. The test program's build target must depend on
// the target file_holder.
class FileHolderProcess {
public:
    explicit FileHolderProcess(const std::wstring& path);
    ~FileHolderProcess();
    FileHolderProcess(const FileHolderProcess&) = delete;
    FileHolderProcess& operator=(const FileHolderProcess&) = delete;

    // Whether the holder has the file open (it is waiting for the release then).
    bool Holding() const { return holding_; }

    // Lets the file go and waits for the holder to end; returns its exit code (0 after a hold,
    // 2 when it could not open the file), or -1 when it did not start or end.
    int Release();

private:
    ScopedHandle ready_;
    ScopedHandle release_;
    ScopedHandle process_;
    bool holding_ = false;
};

}  // namespace test
