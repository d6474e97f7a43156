#include "deck/Profile.h"

#include "deck/Numbers.h"
#include "host/AsciiCase.h"
#include "host/PathText.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

namespace hf {

namespace {

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

ProfileDocument ReadDocument(FileSystem& files, const std::string& path) {
    std::string bytes;
    files.ReadFile(path, bytes);  // a file that cannot be read reads as one without sections
    return ProfileDocument(bytes);
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
                line.Text += UnicodeToCp1252(unit).value_or('?');
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
        const auto unit = static_cast<char16_t>(Cp1252ToUnicode(static_cast<unsigned char>(c)));
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

Profile::Profile(std::string path, FileSystem& files)
    : path_(std::move(path)), files_(files), document_(ReadDocument(files_, path_)) {}

std::optional<std::string> ProfileTempPath(const std::string& path, std::size_t index) {
    const std::size_t nameLength = path.size() - (path.find_last_of("\\/:") + 1);
    const std::size_t tagLength = std::min<std::size_t>(nameLength, 4);
    const std::size_t digits = tagLength == 0 ? 0 : tagLength - 1;
    if (tagLength == 0 || index >= (std::size_t{1} << (4 * digits))) {
        return std::nullopt;
    }
    std::string tempPath = path.substr(0, path.size() - tagLength) + "~";
    for (std::size_t digit = digits; digit-- > 0;) {
        tempPath += "0123456789ABCDEF"[(index >> (4 * digit)) & 0xF];
    }
    return tempPath;
}

namespace {

// A temporary file of this write's own beside `path`, holding the bytes on the disk; none
// when no name is free or the disk refuses it.
std::optional<std::string> CreateTempFile(FileSystem& files, const std::string& path, std::string_view bytes) {
    for (std::size_t index = 0;; ++index) {
        const std::optional<std::string> tempPath = ProfileTempPath(path, index);
        if (!tempPath) {
            return std::nullopt;
        }
        if (EqualIgnoringAsciiCase(*tempPath, path)) {
            continue;
        }
        switch (files.CreateDurably(*tempPath, bytes)) {
            case FileCreate::Created:
                return tempPath;
            case FileCreate::Exists:
                continue;  // another program's, or left by a machine that stopped mid-write
            case FileCreate::Failed:
                return std::nullopt;
        }
    }
}

bool ReplaceContent(FileSystem& files, const std::string& path, std::string_view bytes,
                    const FileAttributes& attributes) {
    const std::optional<std::string> tempPath = CreateTempFile(files, path, bytes);
    if (!tempPath) {
        return false;
    }
    const FileReplace replaced =
        files.SetAttributes(*tempPath, attributes) ? files.Replace(*tempPath, path) : FileReplace::Failed;
    if (replaced != FileReplace::Replaced) {
        files.Remove(*tempPath);
        // The temporary file showed that the text fits on the disk: written over the held
        // file, it cannot stop half way for want of room.
        return replaced == FileReplace::Held && files.Overwrite(path, bytes);
    }
    return true;
}

}  // namespace

bool ReplaceFileContent(FileSystem& files, const std::string& path, std::string_view bytes) {
    const FileAttributes attributes = files.Attributes(path);
    return !attributes.ReadOnly && ReplaceContent(files, path, bytes, attributes);
}

void Profile::WriteStrings(const std::vector<ProfileEntry>& entries) {
    const FileAttributes attributes = files_.Attributes(path_);
    if (attributes.ReadOnly) {
        throw ProfileWriteError(path_);
    }
    // Start from the file as it is now, so that a change made meanwhile is not lost.
    std::string current;
    if (files_.ReadFile(path_, current) == FileRead::Failed) {
        throw ProfileWriteError(path_);
    }
    ProfileDocument document(current);
    try {
        for (const ProfileEntry& entry : entries) {
            document.Set(entry.Section, entry.Key, entry.Value);
        }
    } catch (const std::invalid_argument&) {
        throw ProfileWriteError(path_);
    }
    if (!ReplaceContent(files_, path_, document.Bytes(), attributes)) {
        throw ProfileWriteError(path_);
    }
    document_ = std::move(document);
}

}  // namespace hf
