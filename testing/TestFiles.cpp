#include "testing/TestFiles.h"

namespace hf::testing {

namespace {

std::string NameOf(const std::string& path) { return path.substr(path.find_last_of("\\/") + 1); }

}  // namespace

std::string TestFiles::realPath(const std::string& path) const {
    const auto alias = shortPaths.find(path);
    return alias == shortPaths.end() ? path : alias->second;
}

bool TestFiles::fits(const std::string& path) const {
    return faults.maxPathLength == 0 || path.size() <= faults.maxPathLength;
}

void TestFiles::record(const char* call, const std::string& path, const std::string& other) {
    std::string text = call;
    text += '(';
    text += NameOf(path);
    if (!other.empty()) {
        text += ',';
        text += NameOf(other);
    }
    text += ')';
    calls_.push_back(std::move(text));
}

hf::FileRead TestFiles::ReadFile(const std::string& path, std::string& bytes) {
    record("ReadFile", path);
    bytes.clear();
    if (!fits(path)) return hf::FileRead::Failed;
    const hf::FileRead read = system_.ReadFile(realPath(path), bytes);
    if (read == hf::FileRead::Read && faults.readFails) {
        bytes.clear();
        return hf::FileRead::Failed;
    }
    return read;
}

hf::FileAttributes TestFiles::Attributes(const std::string& path) {
    record("Attributes", path);
    if (!fits(path)) return {};
    hf::FileAttributes attributes = system_.Attributes(realPath(path));
    if (attributes.Exists && faults.readOnly.count(path) != 0) attributes.ReadOnly = true;
    return attributes;
}

bool TestFiles::SetAttributes(const std::string& path, const hf::FileAttributes& attributes) {
    record("SetAttributes", path);
    if (!fits(path) || faults.setAttributesFails) return false;
    return system_.SetAttributes(realPath(path), attributes);
}

hf::FileCreate TestFiles::CreateDurably(const std::string& path, std::string_view bytes) {
    record("CreateDurably", path);
    if (!fits(path)) return hf::FileCreate::Failed;
    if (faults.diskFull) {
        // Like the system: the name is looked at first, and what a full disk began is gone.
        return system_.Attributes(realPath(path)).Exists ? hf::FileCreate::Exists : hf::FileCreate::Failed;
    }
    return system_.CreateDurably(realPath(path), bytes);
}

hf::FileReplace TestFiles::Replace(const std::string& from, const std::string& to) {
    record("Replace", from, to);
    if (!fits(from) || !fits(to)) return hf::FileReplace::Failed;
    // Only a file that is there can be held open.
    const bool held = faults.replaceRefused == hf::FileReplace::Held;
    if (faults.replaceRefused && (!held || system_.Attributes(realPath(to)).Exists)) return *faults.replaceRefused;
    return system_.Replace(realPath(from), realPath(to));
}

bool TestFiles::Overwrite(const std::string& path, std::string_view bytes) {
    record("Overwrite", path);
    if (!fits(path) || faults.overwriteFails || faults.readOnly.count(path) != 0) return false;
    std::string old;
    if (faults.diskFull && system_.ReadFile(realPath(path), old) == hf::FileRead::Read && bytes.size() > old.size()) {
        return false;  // the longer length is refused before a byte changes
    }
    return system_.Overwrite(realPath(path), bytes);
}

void TestFiles::Remove(const std::string& path) {
    record("Remove", path);
    if (fits(path)) system_.Remove(realPath(path));
}

}  // namespace hf::testing
