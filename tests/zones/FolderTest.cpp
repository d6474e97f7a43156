// A program folder named in any letters: the files are reached by their real names, the
// windows show the names the code page can write, and "?" where it cannot.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "ZonesFixture.h"
#include "host/PathText.h"

namespace hf::testing {
namespace {

namespace fs = std::filesystem;

fs::path Utf8Path(const std::string& text) { return fs::path(std::u8string(text.begin(), text.end())); }

constexpr const char* Polish = "\xC5\x81\xC3\xB3" "d\xC5\xBA \xCE\xA9mega";        // Łódź Ωmega
constexpr const char* Cyrillic = "\xD0\x9F\xD0\xB8\xD0\xBB\xD0\xBE\xD1\x82";      // Пилот
constexpr const char* Western = "My Flight Sims \xC3\xA9 \xC3\xBC";               // é ü

class FolderTest : public ZonesTest {
protected:
    // The program's folder becomes a folder of that name (UTF-8) holding the shipped zone
    // file, and the sounds unless told otherwise.
    void useFolder(const std::string& name, bool withSounds = true) {
        program = folder.path() / Utf8Path(name);
        fs::create_directories(program);
        fs::copy_file(folder.path() / "Hookfast.dat", program / "Hookfast.dat");
        if (withSounds) {
            put("CableCatch.wav", "RIFF");
            put("Catapult.wav", "RIFF");
        }
        host.setProgramFolder(program);
    }
    void put(const std::string& name, const std::string& bytes) const {
        std::ofstream(program / Utf8Path(name), std::ios::binary) << bytes;
    }
    std::string get(const std::string& name) const {
        std::ifstream in(program / Utf8Path(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    std::string shownFolder() const { return Utf8ToCp1252Shown(host.programFolderText()); }

    fs::path program;
};

class AnyFolderTest : public FolderTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(AnyFolderTest, StartsOperationalFindsTheSoundsAndSavesTheSettings) {
    useFolder(GetParam());
    put("Hookfast.INI", "[General]\r\nLastDatFileUsed=Hookfast.dat\r\n[CatapultOps]\r\nUseAircraftSmoke=0\r\n");
    startProgram();
    EXPECT_TRUE(form->cmbDatFile.Enabled()) << form->lblConnectionInfo.Caption();
    EXPECT_EQ(form->lblNumOfCarriersLoaded.Caption().rfind("# of cable zones: ", 0), 0u);
    EXPECT_EQ(form->lblOtherStatus.Caption(), "Sound files found");
    EXPECT_EQ(host.WorkingDirectory(), host.programFolderText());
    ASSERT_FALSE(host.waveEvents.empty());
    EXPECT_EQ(host.waveEvents.front().path, host.programFolderText() + "CableCatch.wav");

    form->chkbxCatSmoke.SetChecked(true);
    form->Close();
    const std::string settings = get("Hookfast.INI");
    EXPECT_NE(settings.find("UseAircraftSmoke=1\r\n"), std::string::npos) << settings;
    EXPECT_NE(settings.find("LastLeft=300\r\n"), std::string::npos) << settings;
    EXPECT_EQ(host.errors, std::vector<std::string>{});
}

std::string FolderCaseName(const ::testing::TestParamInfo<const char*>& info) {
    const char* const names[] = {"Polish", "Cyrillic", "Western"};
    return names[info.index];
}

INSTANTIATE_TEST_SUITE_P(Folders, AnyFolderTest, ::testing::Values(Polish, Cyrillic, Western), FolderCaseName);

TEST_F(FolderTest, PathsInTheWindowsAndTheLogShowQuestionMarksForLettersTheCodePageLacks) {
    useFolder(Polish, false);
    put("Hookfast.dat", ZoneSection("Zone01") + ZoneSection("Zone02", {{"CarrierIdent", ""}}));
    startProgram();
    const std::string shown = shownFolder();
    ASSERT_NE(shown.find("?\xF3" "d? ?mega"), std::string::npos) << shown;
    EXPECT_EQ(form->lblOtherStatus.Caption(),
              "   (" + shown + "CableCatch.wav not found)   (" + shown + "Catapult.wav not found)");
    // The log lies in the real folder; its header names the zone file as a window would.
    const std::string log = get("HFastDatLoadErrorLog.txt");
    EXPECT_EQ(log.rfind("HFast .dat load failure log for file : \r\n  " + shown + "Hookfast.dat\r\n", 0), 0u)
        << log;

    // Copying the sounds in and resetting finds them by the real name.
    put("CableCatch.wav", "RIFF");
    put("Catapult.wav", "RIFF");
    form->actResetProgram.Execute();
    EXPECT_EQ(form->lblOtherStatus.Caption(), "Sound files found");
}

// Sound files that are there, in a folder whose name the device cannot be given (no short
// names on the volume), name the folder as the cause: they are not "not found".
TEST_F(FolderTest, SoundsOutOfTheDevicesReachNameTheFolderAsTheCause) {
    host.volumeHasShortNames = false;
    useFolder(Polish);
    startProgram();
    EXPECT_TRUE(form->cmbDatFile.Enabled()) << form->lblConnectionInfo.Caption();
    const std::string shown = shownFolder();
    EXPECT_EQ(form->lblOtherStatus.Caption(), "   (" + shown + "CableCatch.wav cannot be opened under this folder name)"
                                              "   (" + shown + "Catapult.wav cannot be opened under this folder name)");
}

// A zone file whose name the code page cannot write is offered by its short name, which
// opens it and which the settings can remember; one without a short name is left out.
TEST_F(FolderTest, ZoneFilesTheCodePageCannotNameAreListedByTheirShortNames) {
    useFolder(Polish);
    put("\xCE\xA9mega.dat", ZoneSection("Zone01", {{"CarrierIdent", "Omega"}}));             // Ωmega.dat
    put(std::string(Cyrillic) + ".dat", ZoneSection("Zone01", {{"CarrierIdent", "Pilot"}}));
    put("Zon\xC3\xA9.dat", ZoneSection("Zone01", {{"CarrierIdent", "Accented"}}));           // Zoné.dat
    host.setShortName("\xCE\xA9mega.dat", "MEGA~1.DAT");
    startProgram();
    ASSERT_EQ(form->cmbDatFile.Items(), (std::vector<std::string>{"Hookfast.dat", "MEGA~1.DAT", "Zon\xE9.dat"}));

    form->cmbDatFile.UserSelect(1);
    ASSERT_TRUE(form->cmbDatFile.Enabled()) << form->lblConnectionInfo.Caption();
    EXPECT_EQ(form->CatchZones->front().CarrierIdent, "Omega");
    form->cmbDatFile.UserSelect(2);  // a shown name joined to the UTF-8 folder
    ASSERT_TRUE(form->cmbDatFile.Enabled()) << form->lblConnectionInfo.Caption();
    EXPECT_EQ(form->CatchZones->front().CarrierIdent, "Accented");

    form->cmbDatFile.UserSelect(1);
    form->Close();
    EXPECT_NE(get("Hookfast.INI").find("LastDatFileUsed=MEGA~1.DAT\r\n"), std::string::npos);
    startProgram();
    EXPECT_EQ(form->cmbDatFile.Text(), "MEGA~1.DAT");
    EXPECT_EQ(form->CatchZones->front().CarrierIdent, "Omega");
}

TEST_F(FolderTest, NoListedZoneFileIsNamedForWhatStandsInTheWay) {
    // Zone files are there, but none can be named: not "No .dat files found".
    useFolder(Cyrillic);
    fs::remove(program / "Hookfast.dat");
    put(std::string(Cyrillic) + ".dat", ZoneSection("Zone01"));
    startProgram();
    EXPECT_EQ(form->lblConnectionInfo.Caption(),
              "Connection to FSUIPC OK, but...the .dat file names have letters this Windows cannot show: "
              "rename them.");

    // A folder that cannot be read is named as the cause.
    form->Close();
    form.reset();
    LinkClose();
    host.setProgramFolder(folder.path() / Utf8Path(std::string(Polish) + " gone"));
    startProgram();
    EXPECT_EQ(form->lblConnectionInfo.Caption(),
              "Connection to FSUIPC OK, but...cannot read the folder " + shownFolder());
}

}  // namespace
}  // namespace hf::testing
