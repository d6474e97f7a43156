// Profile ("INI") files: the settings file and the zone files, read and written with the
// rules of the Windows private-profile functions that these files were made for.
//
// Reading:
// - Trimming takes off what the system's reader takes off: blanks, tabs, vertical tabs, form
//   feeds and the DOS end-of-file mark Ctrl-Z (0x1A), so a last line that an old editor ended
//   with Ctrl-Z reads as intended.
// - A line whose first non-blank character is "[" and that has a "]" after it opens a
//   section named by the text between them, trimmed. A line "key=value" (split at the first
//   "=", both sides trimmed) is a key of the section above it. Blank lines,
//   comment lines (first non-blank character ";"), lines without "=", lines with an empty key
//   and lines before the first section are no keys; they are kept as they are on a write.
// - Section and key names match without regard to ASCII letter case. When a section name
//   appears twice only the first section counts; within it the first line of a key counts.
// - A value enclosed in one pair of matching double or single quotes loses that pair. At
//   most MaxValueLength characters of a value are returned.
// - Line ends may be CRLF, LF or a lone CR. A UTF-8 byte-order mark is skipped and its bytes
//   pass through; a file with a UTF-16 byte-order mark is decoded to Windows-1252 (characters
//   outside it read as "?"). Every other byte is text in Windows-1252 and passes untouched.
// - A missing or unreadable file reads as a file without sections.
//
// Writing one key changes one line: the key's first line in its first section is rewritten,
// or a new line is added after the last non-blank line of the section, or the section is
// added at the end of the file (after a blank line when the file has text). New lines end in
// CRLF and are encoded like the file; all other lines stay byte for byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "host/HostServices.h"

namespace hf {

inline constexpr std::size_t MaxValueLength = 2047;

// The parsed text of one profile file, held in memory.
class ProfileDocument {
public:
    explicit ProfileDocument(std::string_view fileBytes = {});

    // The key's value (trimmed, quotes removed, cut to MaxValueLength), also when it is
    // empty; the default when the section or the key is missing.
    std::string ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) const;
    // ParseInteger of the value; the default when missing or not such a number.
    std::int32_t ReadInteger(std::string_view section, std::string_view key, std::int32_t defaultValue) const;
    // An integer value: 0 is false, any other integer true.
    bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;
    // ParseFloat of the value; the default when missing or not such a number. Throws
    // NumberOverflow for a well-formed number too large for a double.
    double ReadFloat(std::string_view section, std::string_view key, double defaultValue) const;

    // True when the section exists and holds at least one key.
    bool SectionHasKeys(std::string_view section) const;

    // Sets one key in memory as a write to the file would. Throws std::invalid_argument for
    // what cannot be written so that it reads back: a section name that is empty, not
    // trimmed or holds "]"; a key name that is empty, not trimmed, holds "=" or begins with
    // ";" or "["; line breaks in any of the three.
    void Set(std::string_view section, std::string_view key, std::string_view value);

    // The file's bytes, as they are to be written.
    std::string Bytes() const;

private:
    enum class Encoding { Ansi, Utf8, Utf16LE, Utf16BE };

    struct Line {
        std::string Text;        // Windows-1252, without the line end
        std::string Raw;         // the text as encoded in the file
        std::string RawLineEnd;  // the line end as encoded in the file; empty on a last line
    };

    struct Key {
        std::string Value;  // trimmed, quotes removed
        std::size_t LineIndex = 0;
    };

    struct Section {
        std::size_t HeaderLine = 0;
        std::size_t EndLine = 0;  // one past its last line
        std::unordered_map<std::string, Key> Keys;  // by lower-case name; first line wins
    };

    const Key* Find(std::string_view section, std::string_view key) const;
    void Reindex();
    std::string Encode(std::string_view text) const;
    void AppendLine(std::size_t position, std::string text);

    Encoding encoding_ = Encoding::Ansi;
    std::string byteOrderMark_;
    std::string trailingBytes_;
    std::vector<Line> lines_;
    std::unordered_map<std::string, Section> sections_;  // by lower-case name; first wins
};

// A write that could not be made. The file keeps its earlier content.
class ProfileWriteError : public std::runtime_error {
public:
    explicit ProfileWriteError(const std::string& path);
};

// The index-th name that the temporary file of a write of `path` may take, empty beyond the
// last: beside the file and exactly as long as it, the last characters of the file's name (at
// most four) replaced by "~" and a hexadecimal number ("Hookfast.INI" -> "Hookfast~000" to
// "Hookfast~FFF"). A folder whose path leaves room for the file leaves room for it too.
std::optional<std::string> ProfileTempPath(const std::string& path, std::size_t index);

// The one way the program writes a file: the bytes become the file's whole content as a
// Profile write makes them (below: a temporary file on the disk first, then a replace in
// one step keeping the attributes, or in place over a file another program holds open), or
// nothing changes. False when the file is read-only or could not be written; no temporary
// file is left.
bool ReplaceFileContent(FileSystem& files, const std::string& path, std::string_view bytes);

// One key to write.
struct ProfileEntry {
    std::string_view Section;
    std::string_view Key;
    std::string Value;
};

// One profile file on disk, read once when the object is made (each load opens its own).
// A write reads the file again, changes its keys and writes the whole text into a new
// temporary file beside it, on the disk before anything else happens (a full disk stops the
// write there); the temporary file takes the file's attributes and replaces it in one step,
// so the file is never left half written. A temporary name another program has taken is
// passed over, so two programs saving in one folder never share one. A file that another
// program holds open sharing reading and writing cannot be replaced: the text, known to fit
// on the disk, is then written over the file's content in place, as the system's profile
// writer writes it. A read-only file is not written. No temporary file outlives the write.
class Profile {
public:
    Profile(std::string path, FileSystem& files);

    const std::string& Path() const { return path_; }
    const ProfileDocument& Document() const { return document_; }

    std::string ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) const {
        return document_.ReadString(section, key, defaultValue);
    }
    std::int32_t ReadInteger(std::string_view section, std::string_view key, std::int32_t defaultValue) const {
        return document_.ReadInteger(section, key, defaultValue);
    }
    bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const {
        return document_.ReadBool(section, key, defaultValue);
    }
    double ReadFloat(std::string_view section, std::string_view key, double defaultValue) const {
        return document_.ReadFloat(section, key, defaultValue);
    }
    bool SectionHasKeys(std::string_view section) const { return document_.SectionHasKeys(section); }

    // Writes all the keys, in order, with one rewrite of the file, creating the file, the
    // sections and the keys as needed. Throws ProfileWriteError with "Unable to write to " +
    // path when the file cannot be read, is read-only, the text cannot be written or the
    // file cannot be replaced or written over, and for names or values that cannot be
    // written; the file is then as it was and none of the keys is written.
    void WriteStrings(const std::vector<ProfileEntry>& entries);

private:
    std::string path_;
    FileSystem& files_;
    ProfileDocument document_;
};

}  // namespace hf
