// The program's files for native tests: the real files of the test's folder, with a switch
// for each way the system can refuse them, and a record of every call.
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "host/HostServices.h"
#include "host/SystemFiles.h"

namespace hf::testing {

struct FileFaults {
    // Paths longer than this fail every call, as the system's ANSI functions fail a path
    // that does not fit MAX_PATH. 0: no limit.
    std::size_t maxPathLength = 0;
    bool readFails = false;           // a file that is there cannot be read
    bool diskFull = false;            // no room for a new file or for a longer content
    bool setAttributesFails = false;
    // The replace is refused: Held (another program holds the file, when it is there, open
    // sharing reading and writing) or Failed (refused for good).
    std::optional<hf::FileReplace> replaceRefused;
    bool overwriteFails = false;
    std::set<std::string> readOnly;   // paths whose file is read-only
};

class TestFiles final : public hf::FileSystem {
public:
    FileFaults faults;
    // Short paths that name another file, as a volume's short (8.3) names do:
    // short path -> the long path of the file.
    std::map<std::string, std::string> shortPaths;
    // The path of the file that `path` names.
    std::string realPath(const std::string& path) const;

    // Every call by name with the file names it was given, in order
    // ("CreateDurably(Hookfast~000)", "Replace(Hookfast~000,Hookfast.INI)", ...).
    const std::vector<std::string>& calls() const { return calls_; }
    void clearCalls() { calls_.clear(); }

    hf::FileRead ReadFile(const std::string& path, std::string& bytes) override;
    hf::FileAttributes Attributes(const std::string& path) override;
    bool SetAttributes(const std::string& path, const hf::FileAttributes& attributes) override;
    hf::FileCreate CreateDurably(const std::string& path, std::string_view bytes) override;
    hf::FileReplace Replace(const std::string& from, const std::string& to) override;
    bool Overwrite(const std::string& path, std::string_view bytes) override;
    void Remove(const std::string& path) override;

private:
    bool fits(const std::string& path) const;
    void record(const char* call, const std::string& path, const std::string& other = {});

    hf::SystemFiles system_;
    std::vector<std::string> calls_;
};

}  // namespace hf::testing
