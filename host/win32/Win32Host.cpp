#include "host/win32/Win32Host.h"

#include <windows.h>
#include <mmsystem.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cwchar>
#include <optional>
#include <stdexcept>

#include "host/DateTime.h"
#include "host/FileMask.h"
#include "host/win32/WidePath.h"

namespace hf {

namespace {

SYSTEMTIME ToSystemTime(double dateTime) {
    const CivilDateTime v = DecodeDateTime(dateTime);
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(v.Year);
    st.wMonth = static_cast<WORD>(v.Month);
    st.wDay = static_cast<WORD>(v.Day);
    st.wHour = static_cast<WORD>(v.Hour);
    st.wMinute = static_cast<WORD>(v.Minute);
    st.wSecond = static_cast<WORD>(v.Second);
    st.wMilliseconds = static_cast<WORD>(v.Millisecond);
    return st;
}

std::string MciErrorText(MCIERROR error) {
    std::array<char, 256> text{};
    if (!mciGetErrorStringA(error, text.data(), static_cast<UINT>(text.size()))) {
        return "MCI error " + std::to_string(error);
    }
    return text.data();
}

// Every MCI command's result is looked at: an error becomes an exception with the device's
// text, so a sound that did not play is never reported as played.
void CheckMci(MCIERROR error) {
    if (error != 0) throw std::runtime_error(MciErrorText(error));
}

// The name in the code page when it writes every letter of it and gives it back unchanged
// (no best-fit look-alike: "Łódź.dat" as "Lodz.dat" would open another file).
std::optional<std::string> AnsiName(const wchar_t* name) {
    const int wideLength = static_cast<int>(std::wcslen(name));
    if (wideLength == 0) return std::string();
    BOOL lossy = FALSE;
    const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name, wideLength, nullptr, 0,
                                           nullptr, &lossy);
    if (length <= 0 || lossy) return std::nullopt;
    std::string ansi(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name, wideLength, ansi.data(), length, nullptr, &lossy);
    if (lossy) return std::nullopt;
    std::wstring back(static_cast<std::size_t>(wideLength) + 1, L'\0');
    const int backLength = MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, back.data(),
                                               static_cast<int>(back.size()));
    if (backLength != wideLength || back.compare(0, backLength, name) != 0) return std::nullopt;
    return ansi;
}

// The path as the wave-audio device can open it. The device's file layer goes through the
// ANSI file functions whatever command it was given (Wine's does; the 128-character limit
// that mmioOpen documents for file names points the same way on Windows), so a path with
// letters the code page lacks is handed over in its short form, resolved against the
// working directory as the device would resolve it.
std::wstring DevicePath(const std::string& path) {
    const std::wstring wide = WidePath(path);
    const auto lookUp = [](auto function, const std::wstring& from) {
        const DWORD size = from.empty() ? 0 : function(from.c_str(), nullptr, 0);
        std::wstring result(size, L'\0');
        const DWORD length = size == 0 ? 0 : function(from.c_str(), result.data(), size);
        result.resize(length < size ? length : 0);
        return result;
    };
    // A clip named relative to the working directory counts with the folder it lies in.
    const std::wstring full = lookUp(
        [](const wchar_t* from, wchar_t* to, DWORD size) { return GetFullPathNameW(from, size, to, nullptr); }, wide);
    if (full.empty() || AnsiName(full.c_str())) return wide;
    const std::wstring shortForm = lookUp(GetShortPathNameW, full);
    if (!shortForm.empty() && AnsiName(shortForm.c_str())) return shortForm;
    // Not there at all: the device's own error. There, but out of reach: say why.
    if (GetFileAttributesW(wide.c_str()) == INVALID_FILE_ATTRIBUTES) return wide;
    throw UnreachablePath("The path of " + path + " has no form the sound device can take");
}

// One MCI wave-audio device. The device id is 0 while nothing is open.
class MciWavePlayer final : public WavePlayer {
public:
    ~MciWavePlayer() override { CloseDevice(); }

    void Open(const std::string& path) override {
        Close();
        const std::wstring element = DevicePath(path);
        MCI_OPEN_PARMSW open{};
        open.lpstrDeviceType = L"WaveAudio";
        open.lpstrElementName = element.c_str();
        CheckMci(mciSendCommandW(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT | MCI_WAIT,
                                 reinterpret_cast<DWORD_PTR>(&open)));
        device_ = open.wDeviceID;
    }

    void Play(bool wait) override {
        if (device_ == 0) throw std::runtime_error(MciErrorText(MCIERR_INVALID_DEVICE_ID));
        // A clip that has played to its end starts again from its beginning. The seek needs
        // its parameter block even though it carries nothing here: the device refuses a
        // null one.
        if (Status(MCI_STATUS_POSITION) >= Status(MCI_STATUS_LENGTH)) {
            MCI_SEEK_PARMS seek{};
            CheckMci(mciSendCommandW(device_, MCI_SEEK, MCI_SEEK_TO_START | MCI_WAIT,
                                     reinterpret_cast<DWORD_PTR>(&seek)));
        }
        MCI_PLAY_PARMS play{};
        CheckMci(mciSendCommandW(device_, MCI_PLAY, wait ? MCI_WAIT : 0,
                                 reinterpret_cast<DWORD_PTR>(&play)));
    }

    void Close() override { CheckMci(CloseDevice()); }

private:
    // Releases the device whatever the outcome; gives the result of the close.
    MCIERROR CloseDevice() {
        if (device_ == 0) return 0;
        MCI_GENERIC_PARMS close{};
        const MCIERROR error = mciSendCommandW(device_, MCI_CLOSE, MCI_WAIT,
                                               reinterpret_cast<DWORD_PTR>(&close));
        device_ = 0;
        return error;
    }

    DWORD_PTR Status(DWORD item) const {
        MCI_STATUS_PARMS status{};
        status.dwItem = item;
        CheckMci(mciSendCommandW(device_, MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT,
                                 reinterpret_cast<DWORD_PTR>(&status)));
        return status.dwReturn;
    }

    MCIDEVICEID device_ = 0;
};

BOOL CALLBACK FindApplicationWindow(HWND window, LPARAM found) {
    if (!IsWindowVisible(window) || GetWindow(window, GW_OWNER) != nullptr) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

}  // namespace

double Win32Host::Now() {
    SYSTEMTIME st;
    GetLocalTime(&st);
    return EncodeDateTime({st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond,
                           st.wMilliseconds});
}

// GetTickCount64 came with Vista; the program runs on XP too.
std::uint64_t Win32Host::MonotonicMs() { return ticks_.Widen(GetTickCount()); }

void Win32Host::Sleep(std::uint32_t ms) { ::Sleep(ms); }

void Win32Host::Randomize() {
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    random_.Seed(static_cast<std::uint32_t>(now ^ (now >> 32)));
}

std::string Win32Host::ProgramFilePath() {
    // A buffer that the whole path fits in: the system cuts a longer one without saying so
    // on XP.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size() || path.size() >= 32768) {
            path.resize(std::min<std::size_t>(length, path.size()));
            return Utf8Path(path);
        }
        path.resize(path.size() * 2);
    }
}

FileListing Win32Host::ListFiles(const std::string& folder, const std::string& mask) {
    FileListing listing;
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(WidePath(folder + mask).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        // No match is no error; anything else (a folder that is gone, access denied) is.
        const DWORD error = GetLastError();
        listing.Unreadable = error != ERROR_FILE_NOT_FOUND && error != ERROR_NO_MORE_FILES;
        return listing;
    }
    const DWORD skipped = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    do {
        // The system also matches short names ("x.datx" as "X~1.DAT"); only long names count.
        if ((found.dwFileAttributes & skipped) != 0 || !MatchesMask(Utf8Path(found.cFileName), mask)) {
            continue;
        }
        std::optional<std::string> name = AnsiName(found.cFileName);
        if (!name && found.cAlternateFileName[0] != L'\0') name = AnsiName(found.cAlternateFileName);
        if (name) {
            listing.Names.push_back(std::move(*name));
        } else {
            ++listing.Unnamed;
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    SortNamesIgnoringCase(listing.Names);
    return listing;
}

bool Win32Host::FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(WidePath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string Win32Host::WorkingDirectory() {
    const DWORD size = GetCurrentDirectoryW(0, nullptr);
    if (size == 0) return {};
    std::wstring folder(size, L'\0');
    const DWORD length = GetCurrentDirectoryW(size, folder.data());
    folder.resize(length < size ? length : 0);
    return Utf8Path(folder);
}

void Win32Host::SetWorkingDirectory(const std::string& folder) {
    SetCurrentDirectoryW(WidePath(folder).c_str());
}

std::string Win32Host::PathOfName(std::string_view name) {
    if (name.empty()) return {};
    const int size = static_cast<int>(name.size());
    const int length = MultiByteToWideChar(CP_ACP, 0, name.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(std::max(length, 0)), L'\0');
    if (length > 0) MultiByteToWideChar(CP_ACP, 0, name.data(), size, wide.data(), length);
    return Utf8Path(wide);
}

std::string Win32Host::ShownPath(std::string_view path) {
    const std::wstring wide = WidePath(path);
    if (wide.empty()) return {};
    const int size = static_cast<int>(wide.size());
    const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), size, nullptr, 0,
                                           "?", nullptr);
    std::string shown(static_cast<std::size_t>(std::max(length, 0)), '\0');
    if (length > 0) {
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), size, shown.data(), length, "?",
                            nullptr);
    }
    return shown;
}

std::unique_ptr<WavePlayer> Win32Host::CreateWavePlayer() {
    return std::make_unique<MciWavePlayer>();
}

void Win32Host::SetHourglassCursor(bool busy) {
    SetCursor(LoadCursor(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

void Win32Host::ReportError(const std::string& message) {
    // The box carries the application's title: the text of the program's taskbar window,
    // the visible window of this thread that no other window owns.
    HWND application = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindApplicationWindow, reinterpret_cast<LPARAM>(&application));
    std::array<char, 256> title{};
    if (application == nullptr ||
        GetWindowTextA(application, title.data(), static_cast<int>(title.size())) == 0) {
        lstrcpynA(title.data(), "Hookfast", static_cast<int>(title.size()));
    }
    const HWND active = GetActiveWindow();
    MessageBoxA(active != nullptr ? active : application, message.c_str(), title.data(),
                MB_OK | MB_ICONERROR);
}

std::string Win32Host::ShortDateText(double dateTime) {
    const SYSTEMTIME st = ToSystemTime(dateTime);
    std::array<char, 128> text{};
    if (GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, text.data(),
                       static_cast<int>(text.size())) == 0) {
        return PlainDateText(dateTime);
    }
    return text.data();
}

std::string Win32Host::LongTimeText(double dateTime) {
    const SYSTEMTIME st = ToSystemTime(dateTime);
    std::array<char, 128> text{};
    if (GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &st, nullptr, text.data(),
                       static_cast<int>(text.size())) == 0) {
        return PlainTimeText(dateTime);
    }
    return text.data();
}

}  // namespace hf
