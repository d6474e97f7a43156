// The files of the machine the program runs on: the Win32 functions in the Windows build
// (host/win32/), the POSIX ones in the native build (host/posix/).
#pragma once

#include "host/HostServices.h"

namespace hf {

class SystemFiles final : public FileSystem {
public:
    FileRead ReadFile(const std::string& path, std::string& bytes) override;
    FileAttributes Attributes(const std::string& path) override;
    bool SetAttributes(const std::string& path, const FileAttributes& attributes) override;
    FileCreate CreateDurably(const std::string& path, std::string_view bytes) override;
    FileReplace Replace(const std::string& from, const std::string& to) override;
    bool Overwrite(const std::string& path, std::string_view bytes) override;
    void Remove(const std::string& path) override;
};

}  // namespace hf
