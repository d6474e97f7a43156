// hfsoundcheck: tells whether this machine can play the program's sounds.
//
//   hfsoundcheck FOLDER
//
// FOLDER is a program folder (CableCatch.wav and Ops_Sounds\ in it). The check lists the
// wave-output devices, then plays through the program's own wave player (Win32Host):
// CableCatch.wav without waiting, and Ops_Sounds\RADIO_DECKOFFICER_ROGER.wav waiting for its
// end, twice (the second play must rewind the clip that has played to its end). One line per
// step, fields separated by tabs:
//
//   devices    <count of wave-output devices>
//   device     <index> <name>
//   <step>     ok <elapsed ms>
//   <step>     error <elapsed ms> <MCI error code> <error text>
//   done
//
// Steps: open-catch, play-catch (no wait), open-clip, play-clip (wait), replay-clip (wait),
// close. A step after a failed open is not tried. Exit status 0 when the check ran to its end
// (whatever the device did), 2 on bad usage.
#include <windows.h>
#include <mmsystem.h>

#include <cstdio>
#include <exception>
#include <memory>
#include <string>

#include "host/win32/Win32Host.h"

namespace {

void Line(const std::string& text) {
    std::fputs((text + "\n").c_str(), stdout);
    std::fflush(stdout);
}

// The player reports a device error by its text; the code is found again in the device's
// own table of texts (0 when none matches).
unsigned long MciCodeOf(const std::string& text) {
    for (MCIERROR code = MCIERR_BASE; code < MCIERR_BASE + 1024; ++code) {
        char known[256] = {};
        if (mciGetErrorStringA(code, known, sizeof known) && text == known) return code;
    }
    return 0;
}

// Runs one step and reports its outcome and how long it took the calling thread.
template <class Step>
bool Run(const char* name, Step step) {
    const DWORD start = GetTickCount();
    std::string outcome = "ok";
    std::string text;
    try {
        step();
    } catch (const std::exception& error) {
        outcome = "error";
        text = error.what();
    }
    const DWORD elapsed = GetTickCount() - start;
    Line(std::string(name) + "\t" + outcome + "\t" + std::to_string(elapsed) +
         (outcome == "ok" ? "" : "\t" + std::to_string(MciCodeOf(text)) + "\t" + text));
    return outcome == "ok";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: hfsoundcheck FOLDER\n", stderr);
        return 2;
    }
    std::string folder = argv[1];
    if (!folder.empty() && folder.back() != '\\') folder += '\\';

    const UINT devices = waveOutGetNumDevs();
    Line("devices\t" + std::to_string(devices));
    for (UINT i = 0; i < devices; ++i) {
        WAVEOUTCAPSA caps{};
        if (waveOutGetDevCapsA(i, &caps, sizeof caps) == MMSYSERR_NOERROR) {
            Line("device\t" + std::to_string(i) + "\t" + caps.szPname);
        }
    }

    hf::Win32Host host;
    const std::unique_ptr<hf::WavePlayer> catchSound = host.CreateWavePlayer();
    const std::unique_ptr<hf::WavePlayer> clip = host.CreateWavePlayer();
    if (Run("open-catch", [&] { catchSound->Open(folder + "CableCatch.wav"); })) {
        Run("play-catch", [&] { catchSound->Play(false); });
    }
    if (Run("open-clip", [&] { clip->Open(folder + "Ops_Sounds\\RADIO_DECKOFFICER_ROGER.wav"); })) {
        Run("play-clip", [&] { clip->Play(true); });
        Run("replay-clip", [&] { clip->Play(true); });
    }
    Run("close", [&] {
        clip->Close();
        catchSound->Close();
    });
    Line("done");
    return 0;
}
