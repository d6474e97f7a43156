// fsstandin.exe: the interface module's window for tests under Wine. It owns a window of
// class "FS98MAIN" and/or "UIPCMAIN", answers the registered message "FSASMLIB:IPC" by
// opening the client's named block from the atom in wParam and serving it with the core.
// With --scenario it flies the flight model on its own clock: before each served block and
// on a 10 ms timer, so the aircraft moves whether or not a client asks. A scenario's `wait`
// ends when the test drops a file of that name into --signal-dir.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "sim/ServerCore.h"
#include "sim/StandInOptions.h"
#include "sim/flight/FlightSim.h"
#include "sim/flight/Scenario.h"
#include "tools/stopwatch/Stopwatch.h"

namespace {

using hf::sim::ServerCore;
using hf::sim::StandInOptions;

constexpr UINT_PTR PollTimer = 1;
constexpr UINT PollMs = 100;
constexpr UINT_PTR FlightTimer = 2;
constexpr UINT FlightMs = 10;  // the shortest period a window timer gives
constexpr SIZE_T BlockSize = 0x8000;
// A server that does not answer keeps the message longer than the client waits for it.
constexpr DWORD NoReplyMs = 2500;

struct StandIn {
    StandInOptions options;
    hf::timing::Stopwatch clock;  // the log's times: milliseconds since the start
    ServerCore core;
    std::ofstream log;
    std::unique_ptr<hf::sim::flight::FlightSim> flight;  // with --scenario
    UINT ipcMessage = 0;
    std::vector<HWND> windows;
};

StandIn* App = nullptr;

// Serves one exchange; 0 when the client's block cannot be reached.
LRESULT serveExchange(WPARAM wParam) {
    if (!App->core.answering()) {
        App->core.logNote("no-reply");
        Sleep(NoReplyMs);
        return 0;
    }
    std::string name(256, '\0');
    const UINT length = GlobalGetAtomNameA(static_cast<ATOM>(wParam), name.data(),
                                           static_cast<int>(name.size()));
    if (length == 0) {
        App->core.logNote("no-atom", std::to_string(wParam));
        return 0;
    }
    name.resize(length);
    HANDLE mapping = OpenFileMappingA(FILE_MAP_WRITE, FALSE, name.c_str());
    if (mapping == nullptr) {
        App->core.logNote("no-mapping", name);
        return 0;
    }
    LRESULT reply = 0;
    if (void* view = MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 0)) {
        MEMORY_BASIC_INFORMATION info{};
        const SIZE_T size = VirtualQuery(view, &info, sizeof info) ? info.RegionSize : 0;
        if (size >= BlockSize) {
            reply = App->core.serveBlock(static_cast<std::uint8_t*>(view), BlockSize);
        } else {
            App->core.logNote("small-block", name);
        }
        UnmapViewOfFile(view);
    } else {
        App->core.logNote("no-view", name);
    }
    CloseHandle(mapping);
    if (App->options.delayMs != 0) Sleep(App->options.delayMs);
    return reply;
}

bool fileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void closeAll() {
    for (HWND w : App->windows)
        if (IsWindow(w)) DestroyWindow(w);
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (App != nullptr && message == App->ipcMessage && message != 0) return serveExchange(wParam);
    switch (message) {
        case WM_TIMER: {
            if (wParam == FlightTimer) {
                if (App->flight) {
                    const std::int64_t now = App->core.nowMs();
                    const std::string& signals = App->options.signalDir;
                    if (const auto name = App->flight->awaitedSignal();
                        name && !signals.empty() && fileExists(signals + "\\" + *name)) {
                        App->flight->signal(*name, now);
                    }
                    App->flight->advanceTo(now);
                }
                return 0;
            }
            const StandInOptions& o = App->options;
            const std::int64_t elapsed = App->core.nowMs();
            if ((!o.stopFile.empty() && fileExists(o.stopFile)) ||
                (o.quitAfterSeconds != 0 && elapsed / 1000 >= o.quitAfterSeconds)) {
                App->core.logNote("stop", o.stopFile.empty() ? "time" : "stop-file");
                closeAll();
            }
            return 0;
        }
        case WM_CLOSE:
            App->core.logNote("stop", "close");
            closeAll();
            return 0;
        case WM_DESTROY: {
            bool anyLeft = false;
            for (HWND w : App->windows) anyLeft = anyLeft || (w != window && IsWindow(w));
            if (!anyLeft) PostQuitMessage(0);
            return 0;
        }
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

HWND createServerWindow(HINSTANCE instance, const char* className) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance;
    wc.lpszClassName = className;
    if (RegisterClassA(&wc) == 0) return nullptr;
    return CreateWindowExA(0, className, "Hookfast simulator stand-in", WS_OVERLAPPEDWINDOW,
                           CW_USEDEFAULT, CW_USEDEFAULT, 320, 120, nullptr, nullptr, instance,
                           nullptr);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    std::vector<std::string> args(__argv + 1, __argv + __argc);
    std::string error;
    auto options = hf::sim::parseStandInOptions(args, error);
    if (!options) {
        std::fprintf(stderr, "fsstandin: %s\n%s", error.c_str(), hf::sim::StandInUsage);
        return 2;
    }

    static StandIn app;
    App = &app;
    app.options = std::move(*options);
    app.core.setClock([] { return App->clock.ms(); });
    hf::sim::applyStandInOptions(app.options, app.core);
    if (!app.options.logPath.empty()) {
        app.log.open(app.options.logPath, std::ios::out | std::ios::trunc | std::ios::binary);
        if (!app.log) {
            std::fprintf(stderr, "fsstandin: cannot write %s\n", app.options.logPath.c_str());
            return 2;
        }
        app.core.setLog(&app.log);
    }
    if (!app.options.scenarioPath.empty()) {
        try {
            auto scenario = hf::sim::flight::LoadScenario(app.options.scenarioPath);
            app.flight = std::make_unique<hf::sim::flight::FlightSim>(app.core);
            app.flight->load(std::move(scenario));
            app.flight->advanceTo(app.core.nowMs());
        } catch (const std::exception& e) {
            std::fprintf(stderr, "fsstandin: %s\n", e.what());
            return 2;
        }
    }

    app.ipcMessage = RegisterWindowMessageA("FSASMLIB:IPC");
    if (app.options.uipcWindow) app.windows.push_back(createServerWindow(instance, "UIPCMAIN"));
    if (app.options.fs98Window) app.windows.push_back(createServerWindow(instance, "FS98MAIN"));
    for (HWND w : app.windows) {
        if (w == nullptr) {
            std::fprintf(stderr, "fsstandin: cannot create the server window\n");
            return 3;
        }
    }
    SetTimer(app.windows.front(), PollTimer, PollMs, nullptr);
    if (app.flight) SetTimer(app.windows.front(), FlightTimer, FlightMs, nullptr);
    app.core.logNote("ready", std::string(app.options.uipcWindow ? "UIPCMAIN " : "") +
                                  (app.options.fs98Window ? "FS98MAIN" : ""));
    if (!app.options.readyFile.empty()) {
        std::ofstream ready(app.options.readyFile, std::ios::trunc);
        ready << "ready " << GetCurrentProcessId() << "\n";
    }

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    int status = 0;
    if (app.flight && !app.options.tracePath.empty()) {
        std::ofstream trace(app.options.tracePath, std::ios::out | std::ios::trunc | std::ios::binary);
        app.flight->writeTraceCsv(trace);
        trace.close();
        if (!trace) {
            std::fprintf(stderr, "fsstandin: cannot write %s\n", app.options.tracePath.c_str());
            status = 2;
        }
    }
    app.flight.reset();
    app.core.setLog(nullptr);
    return status;
}
