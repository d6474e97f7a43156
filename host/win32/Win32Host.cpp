#include "host/win32/Win32Host.h"

#include <windows.h>
#include <mmsystem.h>

#include <array>
#include <chrono>
#include <stdexcept>

#include "host/DateTime.h"
#include "host/FileMask.h"

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

// One MCI wave-audio device. The device id is 0 while nothing is open.
class MciWavePlayer final : public WavePlayer {
public:
    ~MciWavePlayer() override { CloseDevice(); }

    void Open(const std::string& path) override {
        Close();
        MCI_OPEN_PARMSA open{};
        open.lpstrDeviceType = "WaveAudio";
        open.lpstrElementName = path.c_str();
        CheckMci(mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT | MCI_WAIT,
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
            CheckMci(mciSendCommandA(device_, MCI_SEEK, MCI_SEEK_TO_START | MCI_WAIT,
                                     reinterpret_cast<DWORD_PTR>(&seek)));
        }
        MCI_PLAY_PARMS play{};
        CheckMci(mciSendCommandA(device_, MCI_PLAY, wait ? MCI_WAIT : 0,
                                 reinterpret_cast<DWORD_PTR>(&play)));
    }

    void Close() override { CheckMci(CloseDevice()); }

private:
    // Releases the device whatever the outcome; gives the result of the close.
    MCIERROR CloseDevice() {
        if (device_ == 0) return 0;
        MCI_GENERIC_PARMS close{};
        const MCIERROR error = mciSendCommandA(device_, MCI_CLOSE, MCI_WAIT,
                                               reinterpret_cast<DWORD_PTR>(&close));
        device_ = 0;
        return error;
    }

    DWORD_PTR Status(DWORD item) const {
        MCI_STATUS_PARMS status{};
        status.dwItem = item;
        CheckMci(mciSendCommandA(device_, MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT,
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
    std::array<char, MAX_PATH + 1> path{};
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), MAX_PATH);
    return std::string(path.data(), length);
}

std::vector<std::string> Win32Host::ListFiles(const std::string& folder, const std::string& mask) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((folder + mask).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    const DWORD skipped = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    do {
        // The system also matches short names ("x.datx" as "X~1.DAT"); only long names count.
        if ((found.dwFileAttributes & skipped) == 0 && MatchesMask(found.cFileName, mask)) {
            names.emplace_back(found.cFileName);
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
    SortNamesIgnoringCase(names);
    return names;
}

bool Win32Host::FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

void Win32Host::WriteTextFile(const std::string& path, std::string_view contents) {
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("Cannot create file \"" + path + "\"");
    DWORD written = 0;
    const BOOL ok = WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()),
                              &written, nullptr);
    CloseHandle(file);
    if (!ok || written != contents.size()) {
        throw std::runtime_error("Cannot write file \"" + path + "\"");
    }
}

std::string Win32Host::WorkingDirectory() {
    std::array<char, MAX_PATH + 1> folder{};
    const DWORD length = GetCurrentDirectoryA(MAX_PATH, folder.data());
    return std::string(folder.data(), length);
}

void Win32Host::SetWorkingDirectory(const std::string& folder) {
    SetCurrentDirectoryA(folder.c_str());
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
