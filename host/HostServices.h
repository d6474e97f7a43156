// Services of the operating system that the program uses beside the simulator link:
// clock, sleep, random numbers, files of the program's folder, sounds, cursor and the
// default error report. The Win32 programs pass them to the system; the native tests use
// a host in virtual time, whose files a test can make fail.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace hf {

// A wave file that is there but that the wave-audio device cannot be handed: its path has
// letters the code page lacks and no short form that would stand in for them.
class UnreachablePath : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One wave-audio device (the multimedia player of the toolkit).
class WavePlayer {
public:
    virtual ~WavePlayer() = default;
    // Opens the file (a UTF-8 path, relative to the working directory or whole) on the
    // wave-audio device; throws std::runtime_error with the device's error text when it
    // cannot, UnreachablePath when the device cannot be given the path.
    virtual void Open(const std::string& path) = 0;
    // Plays from the current position; a clip that has played to its end starts again from
    // its beginning. With wait, returns when the clip has ended. Throws on a device error.
    virtual void Play(bool wait) = 0;
    // Releases the device; nothing happens when nothing is open.
    virtual void Close() = 0;
};

// What a rewrite of a file keeps of it.
struct FileAttributes {
    bool Exists = false;
    bool ReadOnly = false;
    // The system's own description (attribute bits, or permission bits), only handed back.
    std::uint32_t Bits = 0;
};

// A folder's files by the names the windows show. A name that the code page cannot write
// comes as the file's short (8.3) name, which opens the same file; a file without one
// (a volume that keeps none) is left out and counted.
struct FileListing {
    std::vector<std::string> Names;
    std::size_t Unnamed = 0;  // matching files left out for their names
    bool Unreadable = false;  // the folder itself could not be read
};

enum class FileRead { Read, Missing, Failed };
enum class FileCreate { Created, Exists, Failed };
enum class FileReplace { Replaced, Held, Failed };

// The file operations that the profile files and the load-failure log need, and no more
// (paths in UTF-8): a whole read, a durable
// write of a new file, the attribute copy, the replace in one step, the write over a file
// that another program holds open, and the removal of a temporary file.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // The whole file into `bytes`. Missing: there is no such file (or folder); Failed: it
    // is there but could not be read.
    virtual FileRead ReadFile(const std::string& path, std::string& bytes) = 0;
    virtual FileAttributes Attributes(const std::string& path) = 0;
    // Gives the file the attributes that another file had, as far as a copy carries them
    // (never read-only).
    virtual bool SetAttributes(const std::string& path, const FileAttributes& attributes) = 0;
    // Makes a new file (never opens one that exists) holding the bytes, and returns once
    // they are on the disk. Exists: the name was taken and nothing happened; Failed: nothing
    // of the file is left.
    virtual FileCreate CreateDurably(const std::string& path, std::string_view bytes) = 0;
    // Moves `from` over `to` in one step: `to` then holds either its old or its new bytes.
    // Held: `to` is an ordinary writable file that another program holds open in a way that
    // forbids replacing it (a text editor, a backup tool); nothing changed.
    virtual FileReplace Replace(const std::string& from, const std::string& to) = 0;
    // Writes the bytes over the content of an existing file, which another program may
    // hold open sharing reading and writing, and returns once they are on the disk. The
    // room for a longer content is taken before the first byte changes, so a full disk
    // leaves the file as it was. False when it could not be written.
    virtual bool Overwrite(const std::string& path, std::string_view bytes) = 0;
    virtual void Remove(const std::string& path) = 0;
};

class HostServices {
public:
    virtual ~HostServices() = default;

    // Local date and time as days since 1899-12-30, the time of day as the fraction.
    virtual double Now() = 0;
    // Milliseconds on a clock that only runs forward: setting the local date and time (a
    // change of summer time, a time sync) does not move it. Intervals are measured on it.
    virtual std::uint64_t MonotonicMs() = 0;
    // Blocks the calling thread; no timer ticks meanwhile.
    virtual void Sleep(std::uint32_t ms) = 0;

    // Seeds the random generator from the clock.
    virtual void Randomize() = 0;
    // A uniform integer from 0 to range - 1 (0 when range is 0).
    virtual std::uint32_t Random(std::uint32_t range) = 0;

    // Paths are UTF-8: the program reaches its folder and files by their real names, in
    // whatever letters (host/PathText.h). Names shown in a window or compared are in the
    // system's ANSI code page.
    //
    // Full path of the running program file.
    virtual std::string ProgramFilePath() = 0;
    // The ordinary files (not hidden, not system, not folders) of `folder` that match `mask`
    // ("*.dat"), by their shown names, sorted by name without regard to case.
    virtual FileListing ListFiles(const std::string& folder, const std::string& mask) = 0;
    virtual bool FileExists(const std::string& path) = 0;
    // The settings and zone files and the load-failure log go through these.
    virtual FileSystem& Files() = 0;
    virtual std::string WorkingDirectory() = 0;
    virtual void SetWorkingDirectory(const std::string& folder) = 0;
    // The path part of a shown name, such as a listed file's: code page to UTF-8.
    virtual std::string PathOfName(std::string_view name) = 0;
    // A path as a window shows it: in the code page, with "?" for each letter it lacks.
    virtual std::string ShownPath(std::string_view path) = 0;

    virtual std::unique_ptr<WavePlayer> CreateWavePlayer() = 0;

    // The hourglass over the whole screen while the thread is busy, or the default cursor.
    virtual void SetHourglassCursor(bool busy) = 0;
    // The default error report of an event that no handler caught: a message box.
    virtual void ReportError(const std::string& message) = 0;

    // The local date in the user's short date format and the time in the long time format.
    virtual std::string ShortDateText(double dateTime) = 0;
    virtual std::string LongTimeText(double dateTime) = 0;
};

}  // namespace hf
