#include "deck/Profile.h"

#include "deck/Numbers.h"
#include "host/AsciiCase.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace hf {

namespace {

// Unicode of the Windows-1252 bytes 0x80 to 0x9F; the five bytes the code page leaves
// undefined map to the same-numbered control characters, as Windows maps them.
constexpr std::array<char16_t, 32> Cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t ToUnicode(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? Cp1252High[byte - 0x80] : char16_t{byte};
}

char ToCp1252(char16_t unit) {
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) {
        return static_cast<char>(unit);
    }
    for (std::size_t i = 0; i < Cp1252High.size(); ++i) {
        if (Cp1252High[i] == unit) {
            return static_cast<char>(0x80 + i);
        }
    }
    return '?';
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1A';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        value.remove_prefix(1);
        value.remove_suffix(1);
    }
    return value;
}

bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

// The name between "[" and the first "]" after it, when the line is a section header.
std::optional<std::string_view> SectionHeaderName(std::string_view line) {
    const std::string_view trimmed = Trim(line);
    if (trimmed.empty() || trimmed.front() != '[') {
        return std::nullopt;
    }
    const std::size_t close = trimmed.find(']');
    if (close == std::string_view::npos) {
        return std::nullopt;
    }
    return Trim(trimmed.substr(1, close - 1));
}

struct KeyLine {
    std::string_view Name;
    std::string_view Value;
};

std::optional<KeyLine> ParseKeyLine(std::string_view line) {
    const std::string_view trimmed = Trim(line);
    if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '[') {
        return std::nullopt;
    }
    const std::size_t equals = trimmed.find('=');
    if (equals == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view name = Trim(trimmed.substr(0, equals));
    if (name.empty()) {
        return std::nullopt;
    }
    return KeyLine{name, Unquote(Trim(trimmed.substr(equals + 1)))};
}

enum class ReadOutcome { Read, Missing, Failed };

struct FileBytes {
    ReadOutcome Outcome = ReadOutcome::Missing;
    std::string Bytes;
};

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

FileBytes ReadWholeFile(const std::string& path) {
    errno = 0;
    FileHandle file{std::fopen(path.c_str(), "rb")};
    if (!file) {
        return {errno == ENOENT ? ReadOutcome::Missing : ReadOutcome::Failed, {}};
    }
    FileBytes result{ReadOutcome::Read, {}};
    std::array<char, 65536> chunk;
    std::size_t count = 0;
    while ((count = std::fread(chunk.data(), 1, chunk.size(), file.get())) > 0) {
        result.Bytes.append(chunk.data(), count);
    }
    if (std::ferror(file.get())) {
        return {ReadOutcome::Failed, {}};
    }
    return result;
}

// What a rewrite keeps of the file it replaces. A read-only file is not to be replaced: the
// system's profile writer refuses it, so ours does too (also where the process could write
// it anyway, as an administrator can).
struct FileAttributes {
    bool Exists = false;
    bool ReadOnly = false;
#ifdef _WIN32
    DWORD Bits = 0;
#else
    std::filesystem::perms Permissions = std::filesystem::perms::none;
#endif
};

FileAttributes AttributesOf(const std::string& path) {
    FileAttributes attributes;
#ifdef _WIN32
    const DWORD bits = GetFileAttributesA(path.c_str());
    if (bits == INVALID_FILE_ATTRIBUTES) return attributes;
    attributes.Exists = true;
    attributes.ReadOnly = (bits & FILE_ATTRIBUTE_READONLY) != 0;
    attributes.Bits = bits;
#else
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (error || !std::filesystem::exists(status)) return attributes;
    attributes.Exists = true;
    attributes.Permissions = status.permissions();
    attributes.ReadOnly = (attributes.Permissions & std::filesystem::perms::owner_write) ==
                          std::filesystem::perms::none;
#endif
    return attributes;
}

bool GiveAttributes(const std::string& path, const FileAttributes& attributes) {
    if (!attributes.Exists) return true;
#ifdef _WIN32
    constexpr DWORD Kept = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN |
                           FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    const DWORD bits = attributes.Bits & Kept;
    return SetFileAttributesA(path.c_str(), bits != 0 ? bits : FILE_ATTRIBUTE_NORMAL) != 0;
#else
    std::error_code error;
    std::filesystem::permissions(path, attributes.Permissions, error);
    return !error;
#endif
}

std::uint32_t ProcessId() {
#ifdef _WIN32
    return GetCurrentProcessId();
#else
    return static_cast<std::uint32_t>(getpid());
#endif
}

// Writes the bytes and makes sure they are on the disk before the file is closed.
bool WriteDurably(const std::string& path, const std::string& bytes) {
    FileHandle file{std::fopen(path.c_str(), "wb")};
    if (!file) {
        return false;
    }
    if (std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size() || std::fflush(file.get()) != 0) {
        return false;
    }
#ifdef _WIN32
    if (_commit(_fileno(file.get())) != 0) {
        return false;
    }
#else
    if (fsync(fileno(file.get())) != 0) {
        return false;
    }
#endif
    return std::fclose(file.release()) == 0;
}

}  // namespace

// ---- ProfileDocument --------------------------------------------------------------------

ProfileDocument::ProfileDocument(std::string_view fileBytes) {
    std::string_view body = fileBytes;
    if (body.substr(0, 3) == "\xEF\xBB\xBF") {
        encoding_ = Encoding::Utf8;
        byteOrderMark_ = body.substr(0, 3);
        body.remove_prefix(3);
    } else if (body.substr(0, 2) == "\xFF\xFE" || body.substr(0, 2) == "\xFE\xFF") {
        encoding_ = body[0] == '\xFF' ? Encoding::Utf16LE : Encoding::Utf16BE;
        byteOrderMark_ = body.substr(0, 2);
        body.remove_prefix(2);
    }

    if (encoding_ == Encoding::Utf16LE || encoding_ == Encoding::Utf16BE) {
        const bool little = encoding_ == Encoding::Utf16LE;
        const std::size_t units = body.size() / 2;  // an odd last byte is no character
        auto unitAt = [&](std::size_t i) {
            const auto first = static_cast<unsigned char>(body[2 * i]);
            const auto second = static_cast<unsigned char>(body[2 * i + 1]);
            return static_cast<char16_t>(little ? first | (second << 8) : (first << 8) | second);
        };
        std::size_t i = 0;
        while (i < units) {
            Line line;
            const std::size_t start = i;
            while (i < units && unitAt(i) != u'\r' && unitAt(i) != u'\n') {
                const char16_t unit = unitAt(i);
                // A surrogate pair is one character outside Windows-1252.
                if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < units && unitAt(i + 1) >= 0xDC00 && unitAt(i + 1) < 0xE000) {
                    ++i;
                }
                line.Text += ToCp1252(unit);
                ++i;
            }
            line.Raw = body.substr(2 * start, 2 * (i - start));
            const std::size_t endStart = i;
            if (i < units && unitAt(i) == u'\r') {
                ++i;
            }
            if (i < units && unitAt(i) == u'\n' && (i == endStart || unitAt(endStart) == u'\r')) {
                ++i;
            }
            line.RawLineEnd = body.substr(2 * endStart, 2 * (i - endStart));
            lines_.push_back(std::move(line));
        }
        trailingBytes_ = body.substr(2 * units);  // an odd last byte, kept as it was
    } else {
        std::size_t start = 0;
        while (start < body.size()) {
            const std::size_t end = std::min(body.find_first_of("\r\n", start), body.size());
            std::size_t next = end;
            if (next < body.size() && body[next] == '\r') {
                ++next;
            }
            if (next < body.size() && body[next] == '\n' && (next == end || body[end] == '\r')) {
                ++next;
            }
            Line line;
            line.Text = body.substr(start, end - start);
            line.Raw = line.Text;
            line.RawLineEnd = body.substr(end, next - end);
            lines_.push_back(std::move(line));
            start = next;
        }
    }
    Reindex();
}

void ProfileDocument::Reindex() {
    sections_.clear();
    Section* current = nullptr;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (const auto name = SectionHeaderName(lines_[i].Text)) {
            if (current != nullptr) {
                current->EndLine = i;
            }
            const auto [entry, added] = sections_.try_emplace(AsciiLower(*name));
            current = added ? &entry->second : nullptr;  // a repeated section is not read
            if (current != nullptr) {
                current->HeaderLine = i;
            }
            continue;
        }
        if (current == nullptr) {
            continue;
        }
        if (const auto keyLine = ParseKeyLine(lines_[i].Text)) {
            current->Keys.try_emplace(AsciiLower(keyLine->Name), Key{std::string(keyLine->Value), i});
        }
    }
    if (current != nullptr) {
        current->EndLine = lines_.size();
    }
}

const ProfileDocument::Key* ProfileDocument::Find(std::string_view section, std::string_view key) const {
    const auto found = sections_.find(AsciiLower(section));
    if (found == sections_.end()) {
        return nullptr;
    }
    const auto entry = found->second.Keys.find(AsciiLower(key));
    return entry == found->second.Keys.end() ? nullptr : &entry->second;
}

std::string ProfileDocument::ReadString(std::string_view section, std::string_view key,
                                        std::string_view defaultValue) const {
    const Key* found = Find(section, key);
    const std::string_view value = found != nullptr ? std::string_view(found->Value) : defaultValue;
    return std::string(value.substr(0, MaxValueLength));
}

std::int32_t ProfileDocument::ReadInteger(std::string_view section, std::string_view key,
                                          std::int32_t defaultValue) const {
    return ParseInteger(ReadString(section, key, "")).value_or(defaultValue);
}

bool ProfileDocument::ReadBool(std::string_view section, std::string_view key, bool defaultValue) const {
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

double ProfileDocument::ReadFloat(std::string_view section, std::string_view key, double defaultValue) const {
    return ParseFloat(ReadString(section, key, "")).value_or(defaultValue);
}

bool ProfileDocument::SectionHasKeys(std::string_view section) const {
    const auto found = sections_.find(AsciiLower(section));
    return found != sections_.end() && !found->second.Keys.empty();
}

std::string ProfileDocument::Encode(std::string_view text) const {
    if (encoding_ != Encoding::Utf16LE && encoding_ != Encoding::Utf16BE) {
        return std::string(text);
    }
    std::string encoded;
    encoded.reserve(text.size() * 2);
    for (char c : text) {
        const char16_t unit = ToUnicode(static_cast<unsigned char>(c));
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        encoded += encoding_ == Encoding::Utf16LE ? low : high;
        encoded += encoding_ == Encoding::Utf16LE ? high : low;
    }
    return encoded;
}

void ProfileDocument::AppendLine(std::size_t position, std::string text) {
    // The line before a new one needs a line end of its own.
    if (position > 0 && lines_[position - 1].RawLineEnd.empty()) {
        lines_[position - 1].RawLineEnd = Encode("\r\n");
    }
    Line line;
    line.Raw = Encode(text);
    line.Text = std::move(text);
    line.RawLineEnd = Encode("\r\n");
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(position), std::move(line));
}

void ProfileDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
    if (section.empty() || Trim(section) != section || section.find(']') != std::string_view::npos ||
        HasLineBreak(section)) {
        throw std::invalid_argument("section name cannot be written");
    }
    if (key.empty() || Trim(key) != key || key.find('=') != std::string_view::npos || key.front() == ';' ||
        key.front() == '[' || HasLineBreak(key)) {
        throw std::invalid_argument("key name cannot be written");
    }
    if (HasLineBreak(value)) {
        throw std::invalid_argument("value cannot be written");
    }

    const auto found = sections_.find(AsciiLower(section));
    if (found == sections_.end()) {
        if (!lines_.empty() && !Trim(lines_.back().Text).empty()) {
            AppendLine(lines_.size(), "");
        }
        AppendLine(lines_.size(), "[" + std::string(section) + "]");
        AppendLine(lines_.size(), std::string(key) + "=" + std::string(value));
    } else if (const auto entry = found->second.Keys.find(AsciiLower(key)); entry != found->second.Keys.end()) {
        Line& line = lines_[entry->second.LineIndex];
        const std::string_view existingName = ParseKeyLine(line.Text)->Name;  // the file's spelling
        line.Text = std::string(existingName) + "=" + std::string(value);
        line.Raw = Encode(line.Text);
    } else {
        std::size_t after = found->second.HeaderLine;
        for (std::size_t i = found->second.EndLine; i > found->second.HeaderLine + 1; --i) {
            if (!Trim(lines_[i - 1].Text).empty()) {
                after = i - 1;
                break;
            }
        }
        AppendLine(after + 1, std::string(key) + "=" + std::string(value));
    }
    Reindex();
}

std::string ProfileDocument::Bytes() const {
    std::string bytes = byteOrderMark_;
    for (const Line& line : lines_) {
        bytes += line.Raw;
        bytes += line.RawLineEnd;
    }
    bytes += trailingBytes_;
    return bytes;
}

// ---- Profile ----------------------------------------------------------------------------

ProfileWriteError::ProfileWriteError(const std::string& path) : std::runtime_error("Unable to write to " + path) {}

bool ReplaceFileAtomically(const std::string& tempPath, const std::string& targetPath) {
#ifdef _WIN32
    return MoveFileExA(tempPath.c_str(), targetPath.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
    return std::rename(tempPath.c_str(), targetPath.c_str()) == 0;
#endif
}

Profile::Profile(std::string path, FileReplacer replace)
    : path_(std::move(path)), replace_(std::move(replace)), document_(ReadWholeFile(path_).Bytes) {}

std::string ProfileTempPath(const std::string& path) {
    return path + "." + std::to_string(ProcessId()) + ".tmp";
}

void Profile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    WriteStrings({{section, key, std::string(value)}});
}

void Profile::WriteStrings(const std::vector<ProfileEntry>& entries) {
    const FileAttributes attributes = AttributesOf(path_);
    if (attributes.ReadOnly) {
        throw ProfileWriteError(path_);
    }
    // Start from the file as it is now, so that a change made meanwhile is not lost.
    const FileBytes current = ReadWholeFile(path_);
    if (current.Outcome == ReadOutcome::Failed) {
        throw ProfileWriteError(path_);
    }
    ProfileDocument document(current.Bytes);
    try {
        for (const ProfileEntry& entry : entries) {
            document.Set(entry.Section, entry.Key, entry.Value);
        }
    } catch (const std::invalid_argument&) {
        throw ProfileWriteError(path_);
    }
    const std::string tempPath = ProfileTempPath(path_);
    if (!WriteDurably(tempPath, document.Bytes()) || !GiveAttributes(tempPath, attributes) ||
        !replace_(tempPath, path_)) {
        std::remove(tempPath.c_str());
        throw ProfileWriteError(path_);
    }
    document_ = std::move(document);
}

}  // namespace hf
