#include "deck/Numbers.h"
#include "deck/Profile.h"
#include "host/SystemFiles.h"
#include "testing/TestFiles.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace hf {
namespace {

using namespace std::string_literals;

std::string Utf16LE(std::string_view ascii) {
    std::string bytes = "\xFF\xFE";
    for (char c : ascii) {
        bytes += c;
        bytes += '\0';
    }
    return bytes;
}

struct ReadCase {
    const char* Name;
    std::string File;
    std::string Section;
    std::string Key;
    std::string Expected;  // "<default>" when the default comes back
};

TEST(ProfileRead, FindsValuesAsThePlatformDoes) {
    const ReadCase cases[] = {
        {"plain", "[General]\r\nLastLeft=300\r\n", "General", "LastLeft", "300"},
        {"section and key in other case", "[GENERAL]\r\nlastleft=300\r\n", "general", "LASTLEFT", "300"},
        {"blanks and tabs trimmed", "  [ General ]  \r\n \t LastLeft \t=\t 300 \t\r\n", "General", "LastLeft", "300"},
        {"DOS end-of-file mark trimmed", "[General]\r\nTransferRateIndex=1\x1A", "General",
         "TransferRateIndex", "1"},
        {"vertical tab, form feed and Ctrl-Z trimmed around key and value",
         "[General]\x1A\r\n\v\fKey\x1A=\f 2 \v\r\n", "General", "Key", "2"},
        {"a line of only Ctrl-Z is blank", "[General]\r\nKey=3\r\n\x1A", "General", "Key", "3"},
        {"blanks inside kept", "[General]\r\nLastDatFileUsed= My Carriers.dat \r\n", "General", "LastDatFileUsed",
         "My Carriers.dat"},
        {"split at the first equals sign", "[General]\r\nKey=a=b\r\n", "General", "Key", "a=b"},
        {"empty value is empty, not the default", "[General]\r\nKey=\r\n", "General", "Key", ""},
        {"missing key", "[General]\r\nOther=1\r\n", "General", "Key", "<default>"},
        {"missing section", "[General]\r\nKey=1\r\n", "CableOps", "Key", "<default>"},
        {"key of another section", "[General]\r\n[CableOps]\r\nKey=1\r\n", "General", "Key", "<default>"},
        {"key before the first section", "Key=1\r\n[General]\r\n", "General", "Key", "<default>"},
        {"double quotes removed", "[General]\r\nKey=\" CVN-68 \"\r\n", "General", "Key", " CVN-68 "},
        {"single quotes removed", "[General]\r\nKey='CVN-68'\r\n", "General", "Key", "CVN-68"},
        {"only one pair removed", "[General]\r\nKey=\"\"x\"\"\r\n", "General", "Key", "\"x\""},
        {"unmatched quotes kept", "[General]\r\nKey=\"CVN-68'\r\n", "General", "Key", "\"CVN-68'"},
        {"lone quote kept", "[General]\r\nKey=\"\r\n", "General", "Key", "\""},
        {"first key wins", "[General]\r\nKey=1\r\nKEY=2\r\n", "General", "Key", "1"},
        {"first section wins", "[General]\r\nA=1\r\n[general]\r\nKey=2\r\n", "General", "Key", "<default>"},
        {"repeated section does not take keys", "[General]\r\n[X]\r\n[General]\r\nKey=2\r\n", "General", "Key",
         "<default>"},
        {"comment line is no key", "[General]\r\n;Key=1\r\n", "General", "Key", "<default>"},
        {"text after the bracket ignored", "[General] ; settings\r\nKey=1\r\n", "General", "Key", "1"},
        {"bracket line without close is no header", "[General]\r\n[Broken\r\nKey=1\r\n", "General", "Key", "1"},
        {"LF line ends", "[General]\nA=1\nKey=2\n", "General", "Key", "2"},
        {"lone CR line ends", "[General]\rA=1\rKey=2\r", "General", "Key", "2"},
        {"no line end at the end", "[General]\r\nKey=2", "General", "Key", "2"},
        {"UTF-8 mark skipped", "\xEF\xBB\xBF[General]\r\nKey=2\r\n", "General", "Key", "2"},
        {"Windows-1252 bytes pass", "[General]\r\nKey=Cl\xE9menceau \x80\xA0\r\n", "General", "Key",
         "Cl\xE9menceau \x80\xA0"},
        {"UTF-16 file decoded", Utf16LE("[General]\r\nKey=2\r\n"), "General", "Key", "2"},
        {"UTF-16 characters outside Windows-1252",
         "\xFF\xFE[\0G\0]\0\n\0K\0=\0\xE9\0\xAC\x20\x3D\xD8\x00\xDE\x16\x04\n\0"s, "G", "K", "\xE9\x80" "??"},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const ProfileDocument document(c.File);
        const std::string expected = c.Expected == "<default>" ? "dflt" : c.Expected;
        EXPECT_EQ(document.ReadString(c.Section, c.Key, "dflt"), expected);
    }
}

TEST(ProfileRead, ValueIsCutAt2047Characters) {
    const std::string value(3000, 'x');
    const ProfileDocument document("[General]\r\nKey=" + value + "\r\n");
    EXPECT_EQ(document.ReadString("General", "Key", ""), value.substr(0, 2047));
    EXPECT_EQ(ProfileDocument().ReadString("General", "Key", std::string(2048, 'd')), std::string(2047, 'd'));
}

TEST(ProfileRead, SectionHasKeysOnlyWithAKeyLine) {
    const ProfileDocument document(
        "[Zone01]\r\nCarrierIdent=A\r\n"
        "[Zone02]\r\n\r\n; comment\r\njust text\r\n=no name\r\n"
        "[Zone03]\r\nCarrierIdent=\r\n"
        "[Zone04]\r\n");
    EXPECT_TRUE(document.SectionHasKeys("zone01"));
    EXPECT_FALSE(document.SectionHasKeys("Zone02"));
    EXPECT_TRUE(document.SectionHasKeys("Zone03"));  // an empty value is still a key
    EXPECT_FALSE(document.SectionHasKeys("Zone04"));
    EXPECT_FALSE(document.SectionHasKeys("Zone05"));
}

TEST(ProfileRead, TypedValuesFollowTheSettingsRules) {
    const ProfileDocument document(
        "[S]\r\nHex=0x1F\r\nTwo=2\r\nYes=yes\r\nZero=0\r\nEmpty=\r\nHalf=-712.5\r\nHuge=1e400\r\nComma=1,5\r\n");
    EXPECT_EQ(document.ReadInteger("S", "Hex", 7), 31);
    EXPECT_EQ(document.ReadInteger("S", "Half", 7), 7);
    EXPECT_EQ(document.ReadInteger("S", "Empty", 7), 7);
    EXPECT_TRUE(document.ReadBool("S", "Two", false));
    EXPECT_FALSE(document.ReadBool("S", "Zero", true));
    EXPECT_TRUE(document.ReadBool("S", "Yes", true));
    EXPECT_FALSE(document.ReadBool("S", "Yes", false));
    EXPECT_TRUE(document.ReadBool("S", "Missing", true));
    EXPECT_EQ(document.ReadFloat("S", "Half", 1.0), -712.5);
    EXPECT_EQ(document.ReadFloat("S", "Comma", 666.0), 666.0);
    EXPECT_EQ(document.ReadFloat("S", "Empty", 666.0), 666.0);
    EXPECT_THROW(document.ReadFloat("S", "Huge", 666.0), NumberOverflow);
    EXPECT_EQ(document.ReadInteger("S", "Huge", 7), 7);
}

TEST(ProfileRead, UnchangedDocumentGivesBackItsBytes) {
    for (const std::string& bytes : {std::string("a\rb\nc\r\n\r\r\n[x]"), std::string("\xEF\xBB\xBF[G]\nK=1"),
                                     Utf16LE("[G]\r\nK=1") + "\x01"}) {
        EXPECT_EQ(ProfileDocument(bytes).Bytes(), bytes);
    }
}

// A profile file in a folder of its own, written through files that a test can make fail.
class ProfileFileTest : public ::testing::Test {
protected:
    TempFolder folder;
    testing::TestFiles files;
    // The file's path, the keys and the bytes it holds before each write.
    const std::string path = folder.File("Hookfast.INI");
    const std::vector<ProfileEntry> entries = {{"General", "LastLeft", "412"}, {"General", "LastTop", "3"},
                                               {"FuelOps", "TransferRateIndex", "1"}};
    static constexpr const char* Before = "[General]\r\nLastLeft=300\r\n";
    static constexpr const char* After =
        "[General]\r\nLastLeft=412\r\nLastTop=3\r\n\r\n[FuelOps]\r\nTransferRateIndex=1\r\n";

    // The names in the folder, sorted.
    std::vector<std::string> FolderNames() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    // The error of a write; empty when it succeeded.
    std::string WriteFailure(Profile& profile) { return WriteFailure(profile, entries); }
    static std::string WriteFailure(Profile& profile, const std::vector<ProfileEntry>& written) {
        try {
            profile.WriteStrings(written);
        } catch (const ProfileWriteError& error) {
            return error.what();
        }
        return {};
    }
};

TEST_F(ProfileFileTest, MissingFileReadsAsEmpty) {
    const Profile profile(folder.File("absent.ini"), files);
    EXPECT_EQ(profile.ReadString("General", "LastDatFileUsed", "x"), "x");
    EXPECT_FALSE(profile.SectionHasKeys("General"));
    EXPECT_FALSE(std::filesystem::exists(folder.File("absent.ini")));
}

struct WriteCase {
    const char* Name;
    std::string Before;
    std::string Section, Key, Value;
    std::string After;
};

TEST_F(ProfileFileTest, WriteChangesOneLineAndLeavesTheRest) {
    const std::string settings =
        "; Hookfast settings\r\n"
        "[General]\n"
        "LastLeft=300\n"
        "Unknown = keep me \r\n"
        "\r\n"
        "[CableOps]\r\n"
        "CableCatchAccelFactor=-700\r\n"
        "\r\n";
    const WriteCase cases[] = {
        {"new file", "", "General", "LastDatFileUsed", "Hookfast.dat", "[General]\r\nLastDatFileUsed=Hookfast.dat\r\n"},
        {"replace keeps the line end and the file's spelling", settings, "general", "LASTLEFT", "412",
         "; Hookfast settings\r\n[General]\nLastLeft=412\nUnknown = keep me \r\n\r\n[CableOps]\r\n"
         "CableCatchAccelFactor=-700\r\n\r\n"},
        {"new key after the section's last line", settings, "General", "LastTop", "200",
         "; Hookfast settings\r\n[General]\nLastLeft=300\nUnknown = keep me \r\nLastTop=200\r\n\r\n[CableOps]\r\n"
         "CableCatchAccelFactor=-700\r\n\r\n"},
        {"new section at the end", settings, "FuelOps", "TransferRateIndex", "1",
         settings + "[FuelOps]\r\nTransferRateIndex=1\r\n"},
        {"new section after a blank line", "[General]\r\nA=1", "FuelOps", "B", "2",
         "[General]\r\nA=1\r\n\r\n[FuelOps]\r\nB=2\r\n"},
        {"key into an empty section", "[General]\r\n\r\n[X]\r\n", "General", "A", "1",
         "[General]\r\nA=1\r\n\r\n[X]\r\n"},
        {"key into the first of two sections", "[G]\r\nA=1\r\n[G]\r\nB=2\r\n", "G", "B", "3",
         "[G]\r\nA=1\r\nB=3\r\n[G]\r\nB=2\r\n"},
        {"empty value", "[G]\r\nA=1\r\n", "G", "A", "", "[G]\r\nA=\r\n"},
        {"UTF-8 file keeps its mark", "\xEF\xBB\xBF[G]\r\nA=1\r\n", "G", "A", "2", "\xEF\xBB\xBF[G]\r\nA=2\r\n"},
        {"UTF-16 file stays UTF-16", Utf16LE("[G]\r\nA=1\r\n;\xE9\r\n"), "G", "B", "\x80",
         Utf16LE("[G]\r\nA=1\r\n;\xE9\r\nB=") + "\xAC\x20" + Utf16LE("\r\n").substr(2)},
    };
    for (const WriteCase& c : cases) {
        SCOPED_TRACE(c.Name);
        std::filesystem::remove(path);
        if (!c.Before.empty()) {
            WriteBytes(path, c.Before);
        }
        Profile profile(path, files);
        profile.WriteStrings({{c.Section, c.Key, c.Value}});
        EXPECT_EQ(ReadBytes(path), c.After);
        EXPECT_EQ(profile.ReadString(c.Section, c.Key, "dflt"), c.Value);  // the object sees its write
        EXPECT_EQ(FolderNames(), std::vector<std::string>{"Hookfast.INI"});
    }
}

TEST_F(ProfileFileTest, WriteStartsFromTheFileAsItIsNow) {
    Profile profile(path, files);
    WriteBytes(path, "[General]\r\nEditedMeanwhile=1\r\n");
    profile.WriteStrings({{"General", "LastLeft", "300"}});
    EXPECT_EQ(ReadBytes(path), "[General]\r\nEditedMeanwhile=1\r\nLastLeft=300\r\n");
    EXPECT_EQ(profile.ReadString("General", "EditedMeanwhile", ""), "1");
}

TEST(ProfileTempPath, AsLongAsTheFileAndBesideIt) {
    const struct {
        std::string Path;
        std::size_t Index;
        std::optional<std::string> Expected;
    } cases[] = {
        {"Z:\\Games\\Hookfast\\Hookfast.INI", 0, "Z:\\Games\\Hookfast\\Hookfast~000"},
        {"Z:\\Games\\Hookfast\\Hookfast.INI", 0x2AF, "Z:\\Games\\Hookfast\\Hookfast~2AF"},
        {"Z:\\Games\\Hookfast\\Hookfast.INI", 0xFFF, "Z:\\Games\\Hookfast\\Hookfast~FFF"},
        {"Z:\\Games\\Hookfast\\Hookfast.INI", 0x1000, std::nullopt},
        {"/games/hookfast/Hookfast.INI", 1, "/games/hookfast/Hookfast~001"},
        {"/games/hookfast/ab", 15, "/games/hookfast/~F"},
        {"/games/hookfast/ab", 16, std::nullopt},
        {"C:x", 0, "C:~"},
        {"C:x", 1, std::nullopt},
        {"/games/hookfast/", 0, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Path + " #" + std::to_string(c.Index));
        const std::optional<std::string> tempPath = ProfileTempPath(c.Path, c.Index);
        EXPECT_EQ(tempPath, c.Expected);
        if (tempPath) {
            EXPECT_EQ(tempPath->size(), c.Path.size());
        }
    }
}

// The whole new text goes to a new file of the write's own beside the file, as long as the
// file's path, so a folder whose path leaves just room for the file can be written too.
TEST_F(ProfileFileTest, OneRewriteThroughATemporaryFileAsLongAsTheFile) {
    WriteBytes(path, Before);
    files.faults.maxPathLength = path.size();
    Profile profile(path, files);
    files.clearCalls();
    ASSERT_EQ(WriteFailure(profile), "");
    EXPECT_EQ(ReadBytes(path), After);
    EXPECT_EQ(files.calls(), (std::vector<std::string>{"Attributes(Hookfast.INI)", "ReadFile(Hookfast.INI)",
                                                       "CreateDurably(Hookfast~000)", "SetAttributes(Hookfast~000)",
                                                       "Replace(Hookfast~000,Hookfast.INI)"}));
    EXPECT_EQ(FolderNames(), std::vector<std::string>{"Hookfast.INI"});
}

// Two programs saving in one folder: a temporary name that is taken is passed over, and the
// other program's file is left as it is.
TEST_F(ProfileFileTest, ATakenTemporaryNameIsPassedOverAndLeftAlone) {
    WriteBytes(path, Before);
    WriteBytes(folder.File("Hookfast~000"), "another program's");
    Profile profile(path, files);
    ASSERT_EQ(WriteFailure(profile), "");
    EXPECT_EQ(ReadBytes(path), After);
    EXPECT_EQ(ReadBytes(folder.File("Hookfast~000")), "another program's");
    EXPECT_EQ(FolderNames(), (std::vector<std::string>{"Hookfast.INI", "Hookfast~000"}));
}

// A file that another program holds open sharing reading and writing cannot be replaced;
// the text is written over it in place, once it is known to fit on the disk.
TEST_F(ProfileFileTest, AFileHeldByAnotherProgramIsWrittenInPlace) {
    WriteBytes(path, Before);
    files.faults.replaceRefused = FileReplace::Held;
    Profile profile(path, files);
    files.clearCalls();
    ASSERT_EQ(WriteFailure(profile), "");
    EXPECT_EQ(ReadBytes(path), After);
    EXPECT_EQ(profile.ReadString("FuelOps", "TransferRateIndex", ""), "1");
    EXPECT_EQ(files.calls(), (std::vector<std::string>{"Attributes(Hookfast.INI)", "ReadFile(Hookfast.INI)",
                                                       "CreateDurably(Hookfast~000)", "SetAttributes(Hookfast~000)",
                                                       "Replace(Hookfast~000,Hookfast.INI)", "Remove(Hookfast~000)",
                                                       "Overwrite(Hookfast.INI)"}));
    EXPECT_EQ(FolderNames(), std::vector<std::string>{"Hookfast.INI"});
}

// Every way the system can refuse a write: the error names the file, the file keeps its
// bytes, the object its keys, and no temporary file is left.
TEST_F(ProfileFileTest, ARefusedWriteLeavesTheFileAndNoTemporaryFile) {
    const struct {
        const char* Name;
        std::function<void(testing::FileFaults&)> Fault;
        std::vector<std::string> NeverCalled;
    } cases[] = {
        {"read-only file", [this](auto& f) { f.readOnly.insert(path); }, {"ReadFile(Hookfast.INI)"}},
        {"the file cannot be read", [](auto& f) { f.readFails = true; }, {"CreateDurably(Hookfast~000)"}},
        {"full disk", [](auto& f) { f.diskFull = true; }, {"Replace(Hookfast~000,Hookfast.INI)"}},
        {"full disk and the file held", [](auto& f) { f.diskFull = true; f.replaceRefused = FileReplace::Held; },
         {"Overwrite(Hookfast.INI)"}},
        {"attributes refused", [](auto& f) { f.setAttributesFails = true; }, {"Replace(Hookfast~000,Hookfast.INI)"}},
        {"replace refused for good", [](auto& f) { f.replaceRefused = FileReplace::Failed; },
         {"Overwrite(Hookfast.INI)"}},
        {"held and the write over it fails", [](auto& f) {
             f.replaceRefused = FileReplace::Held;
             f.overwriteFails = true;
         }, {}},
        {"no room in the path for the file itself", [this](auto& f) { f.maxPathLength = path.size() - 1; }, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        WriteBytes(path, Before);
        files.faults = {};
        Profile profile(path, files);
        c.Fault(files.faults);
        files.clearCalls();
        EXPECT_EQ(WriteFailure(profile), "Unable to write to " + path);
        EXPECT_EQ(ReadBytes(path), Before);
        EXPECT_EQ(profile.ReadString("General", "LastLeft", ""), "300");
        EXPECT_EQ(FolderNames(), std::vector<std::string>{"Hookfast.INI"});
        for (const std::string& call : c.NeverCalled) {
            EXPECT_EQ(std::count(files.calls().begin(), files.calls().end(), call), 0) << call;
        }
    }
}

// The system's own files: the permissions are kept and a read-only file is refused as the
// system's writer refuses it; a file held open by this process (which on Windows refuses the
// replace) is written all the same, and a write over a file gives exactly the new bytes.
TEST_F(ProfileFileTest, TheSystemsFilesKeepPermissionsAndWriteAHeldFile) {
    namespace fs = std::filesystem;
    SystemFiles system;
    WriteBytes(path, Before);
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const fs::perms kept = fs::status(path).permissions();  // as the system shows them
    Profile profile(path, system);
    {
        std::fstream holder(path, std::ios::in | std::ios::out | std::ios::binary);
        ASSERT_TRUE(holder.is_open());
        profile.WriteStrings(entries);
    }
    EXPECT_EQ(ReadBytes(path), After);
    EXPECT_EQ(fs::status(path).permissions(), kept);
    EXPECT_EQ(FolderNames(), std::vector<std::string>{"Hookfast.INI"});

    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read);
    EXPECT_EQ(WriteFailure(profile, {{"General", "LastLeft", "4"}}), "Unable to write to " + path);
    EXPECT_EQ(ReadBytes(path), After);
    fs::permissions(path, kept);

    for (const std::string bytes : {"[G]\r\nA=a longer text than before\r\n", "[G]\r\n"}) {
        ASSERT_TRUE(system.Overwrite(path, bytes));
        EXPECT_EQ(ReadBytes(path), bytes);
    }
    EXPECT_FALSE(system.Overwrite(folder.File("absent.ini"), "x"));
    EXPECT_FALSE(fs::exists(folder.File("absent.ini")));
}

TEST_F(ProfileFileTest, FailedWritesRaiseUnableToWrite) {
    const std::string inMissingFolder = folder.File("no such folder/Hookfast.INI");
    const struct {
        const char* Name;
        std::string Path, Section, Key, Value;
    } cases[] = {
        {"folder missing", inMissingFolder, "General", "LastLeft", "300"},
        {"path is a folder", folder.Path().string(), "General", "LastLeft", "300"},
        {"line break in the value", path, "General", "LastLeft", "300\r\nInjected=1"},
        {"equals sign in the key", path, "General", "Last=Left", "300"},
        {"comment key", path, "General", ";LastLeft", "300"},
        {"bracket in the section", path, "Gen]eral", "LastLeft", "300"},
        {"untrimmed section", path, " General", "LastLeft", "300"},
        {"empty key", path, "General", "", "300"},
    };
    WriteBytes(path, "[General]\r\nLastLeft=1\r\n");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Profile profile(c.Path, files);
        try {
            profile.WriteStrings({{c.Section, c.Key, c.Value}});
            ADD_FAILURE() << "no error";
        } catch (const ProfileWriteError& error) {
            EXPECT_EQ(std::string(error.what()), "Unable to write to " + c.Path);
        }
    }
    EXPECT_EQ(ReadBytes(path), "[General]\r\nLastLeft=1\r\n");
    EXPECT_FALSE(std::filesystem::exists(inMissingFolder));
    EXPECT_EQ(FolderNames(), std::vector<std::string>{"Hookfast.INI"});
}

}  // namespace
}  // namespace hf
