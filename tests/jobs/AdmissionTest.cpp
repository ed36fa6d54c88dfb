// Admission of a drop: the file check and its reasons, the refusal and
// unsupported-type messages, folder drops and the free-space sum.

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include <gtest/gtest.h>

#include "JobsTestSupport.h"
#include "ZA2Durizez/core/Admission.h"
#include "ZA2Durizez/core/AdmissionCheck.h"
#include "ZA2Durizez/core/DiskSpace.h"

using namespace jobs_test;

namespace {

const std::string kMissing = "The file does not exist.";
const std::string kInvalid =
    "The file does not seem to be a valid .wav or .aiff file with audio content in 1 or 2 channels, or it is in an "
    "unsupported format.";

std::vector<wxString> Paths(std::initializer_list<std::string> paths) {
    std::vector<wxString> list;
    for (const std::string& p : paths) {
        list.push_back(wxString::FromUTF8(p));
    }
    return list;
}

bool NothingActive(const wxString&) { return false; }

// Runs the check as an unprivileged user when the tests run as root, since
// root may write anywhere.
AdmissionReason CheckWithoutPrivileges(const std::string& path) {
    if (geteuid() != 0) {
        return CheckFile(wxString::FromUTF8(path), nullptr);
    }
    int fds[2];
    if (pipe(fds) != 0) {
        return AdmissionReason::kNone;
    }
    const pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        const bool dropped = setgid(65534) == 0 && setuid(65534) == 0;
        const int reason = dropped ? static_cast<int>(CheckFile(wxString::FromUTF8(path), nullptr)) : -1;
        ssize_t written = write(fds[1], &reason, sizeof reason);
        _exit(written == sizeof reason ? 0 : 1);
    }
    close(fds[1]);
    int reason = -1;
    const ssize_t got = read(fds[0], &reason, sizeof reason);
    close(fds[0]);
    waitpid(child, nullptr, 0);
    return got == sizeof reason && reason >= 0 ? static_cast<AdmissionReason>(reason) : AdmissionReason::kNone;
}

class FreeSpaceOverride {
public:
    explicit FreeSpaceOverride(uint64_t bytes) {
        SetFreeSpaceQuery([bytes](const wxString&, uint64_t& free) {
            free = bytes;
            return true;
        });
    }
    ~FreeSpaceOverride() { SetFreeSpaceQuery(nullptr); }
};

}  // namespace

TEST(AdmissionCheck, EachReasonComesFromItsFixture) {
    TempDir dir;
    ToneSpec tone;
    tone.seconds = 0.1;
    struct Case {
        const char* name;
        std::function<std::string()> make;  // returns the path to check
        AdmissionReason expected;
        bool unprivileged = false;
    };
    auto wav = [&](const std::string& name, std::function<void(ToneSpec&)> edit) {
        return [&dir, tone, name, edit] {
            ToneSpec shape = tone;
            edit(shape);
            WriteWav(dir / name, shape);
            return dir / name;
        };
    };
    const std::vector<Case> cases = {
        {"valid 16-bit", wav("ok.wav", [](ToneSpec&) {}), AdmissionReason::kNone},
        {"valid float 22.05 kHz", wav("ok22.wav", [](ToneSpec& s) { s.kind = SampleKind::kFloat32; s.rateHz = 22050; }),
         AdmissionReason::kNone},
        {"missing", [&] { return dir / "nothing.wav"; }, AdmissionReason::kMissing},
        {"folder not writable",
         [&] {
             mkdir((dir / "locked").c_str(), 0755);
             WriteWav(dir / "locked/in.wav", tone);
             chmod((dir / "locked").c_str(), 0555);
             return dir / "locked/in.wav";
         },
         AdmissionReason::kFolderNotWritable, true},
        {"output is a folder",
         [&] {
             WriteWav(dir / "out.wav", tone);
             mkdir((dir / "out.mp2").c_str(), 0755);
             return dir / "out.wav";
         },
         AdmissionReason::kOutputNotWritable},
        {"output read-only",
         [&] {
             // In a folder anyone may write to, so that only the output is locked.
             mkdir((dir / "open").c_str(), 0777);
             chmod((dir / "open").c_str(), 0777);
             WriteWav(dir / "open/ro.wav", tone);
             WriteBytes(dir / "open/ro.mp2", "old");
             chmod((dir / "open/ro.mp2").c_str(), 0444);
             return dir / "open/ro.wav";
         },
         AdmissionReason::kOutputNotWritable, true},
        {"not a wav", [&] { WriteBytes(dir / "text.wav", std::string(100, 'x')); return dir / "text.wav"; },
         AdmissionReason::kNoAudio},
        {"empty", [&] { WriteBytes(dir / "empty.aiff", ""); return dir / "empty.aiff"; }, AdmissionReason::kNoAudio},
        {"8-bit", wav("u8.wav", [](ToneSpec& s) { s.kind = SampleKind::kInt8; }), AdmissionReason::kBitsPerSample},
        {"96 kHz", wav("hi.wav", [](ToneSpec& s) { s.rateHz = 96000; }), AdmissionReason::kSampleRate},
        {"3 channels", wav("three.wav", [](ToneSpec& s) { s.channels = 3; }), AdmissionReason::kChannels},
        {"32-bit integer", wav("i32.wav", [](ToneSpec& s) { s.kind = SampleKind::kInt32; }), AdmissionReason::kEncoding},
        {"32-bit integer aiff",
         [&] {
             ToneSpec shape = tone;
             shape.kind = SampleKind::kInt32;
             WriteAiff(dir / "i32.aiff", shape);
             return dir / "i32.aiff";
         },
         AdmissionReason::kEncoding},
        {"compressed tag", wav("alaw.wav", [](ToneSpec& s) { s.formatTagOverride = 6; }), AdmissionReason::kEncoding},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = c.make();
        const AdmissionReason reason =
            c.unprivileged ? CheckWithoutPrivileges(path) : CheckFile(wxString::FromUTF8(path), nullptr);
        EXPECT_EQ(static_cast<int>(reason), static_cast<int>(c.expected));
    }

    // Not enough space: a one-second stereo file needs 1001 ms × 2 × 16 bytes.
    ToneSpec second;
    second.seconds = 1;
    WriteWav(dir / "big.wav", second);
    FreeSpaceOverride space(32031);
    EXPECT_EQ(static_cast<int>(CheckFile(wxString::FromUTF8(dir / "big.wav"), nullptr)),
              static_cast<int>(AdmissionReason::kDiskSpace));
    FreeSpaceOverride enough(32032);
    EXPECT_EQ(static_cast<int>(CheckFile(wxString::FromUTF8(dir / "big.wav"), nullptr)),
              static_cast<int>(AdmissionReason::kNone));
}

TEST(Admission, RefusalMessagesCountEveryFailureAndListEight) {
    TempDir dir;
    LogCapture log;
    Admission admission;
    EXPECT_FALSE(admission.AcceptFiles(Paths({dir / "a.wav"}), false, NothingActive));
    std::string expectedOne = "There was an error adding the file: \n\n\"" + dir / "a.wav" + "\" - " + kMissing +
                              "\n \nNo files will be processed. Please check the above conditions and try again.";

    std::vector<wxString> ten;
    std::string listed;
    for (int i = 0; i < 10; ++i) {
        const std::string path = dir / std::string("f").append(std::to_string(i)).append(".wav");
        ten.push_back(wxString::FromUTF8(path));
        if (i < 8) {
            listed += "\n\"" + path + "\" - " + kMissing + "\n";
        }
    }
    EXPECT_FALSE(admission.AcceptFiles(ten, false, NothingActive));
    EXPECT_EQ(admission.ErrorCount(), 10);

    const auto records = log.Records();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].level, wxLOG_Error);
    EXPECT_EQ(records[0].text, expectedOne);
    EXPECT_EQ(records[0].function, "AcceptFiles");
    EXPECT_EQ(records[0].line, 817);
    EXPECT_EQ(records[1].text, "There was an error adding 10 files: \n" + listed +
                                   " \nNo files will be processed. Please check the above conditions and try again.");
    EXPECT_EQ(records[1].line, 822);
}

TEST(Admission, UnsupportedTypesAreSkippedWithAWarning) {
    TempDir dir;
    ToneSpec tone;
    tone.seconds = 0.1;
    WriteWav(dir / "ok.wav", tone);
    WriteBytes(dir / "song.mp3", "ID3");
    WriteBytes(dir / "notes.txt", "text");
    const std::string supported = "Supported file types are \".wav\" and \".aiff\".";
    const std::string remaining = " \n\nRemaining files will now be processed.";
    struct Case {
        std::vector<std::string> drop;
        std::string text;
        int line;
        int accepted;
    };
    const std::vector<Case> cases = {
        {{dir / "song.mp3", dir / "ok.wav"},
         "Could not add the file \"" + dir / "song.mp3" + "\". \n\nThe file is not of a supported type. " + supported +
             remaining,
         829, 1},
        {{dir / "song.mp3"},
         "Could not add the file \"" + dir / "song.mp3" + "\". \n\nThe file is not of a supported type. " + supported,
         831, 0},
        {{dir / "song.mp3", dir / "ok.wav", dir / "notes.txt"},
         "Could not add 2 files. \n\nThe files are not of supported types. " + supported + remaining, 836, 1},
        {{dir / "song.mp3", dir / "notes.txt"},
         "Could not add 2 files. \n\nThe files are not of supported types. " + supported, 838, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        LogCapture log;
        Admission admission;
        std::vector<wxString> drop;
        for (const std::string& p : c.drop) {
            drop.push_back(wxString::FromUTF8(p));
        }
        EXPECT_TRUE(admission.AcceptFiles(drop, false, NothingActive));
        EXPECT_EQ(admission.AcceptedCount(), c.accepted);
        const auto records = log.Records();
        ASSERT_EQ(records.size(), 1u);
        EXPECT_EQ(records[0].level, wxLOG_Warning);
        EXPECT_EQ(records[0].text, c.text);
        EXPECT_EQ(records[0].line, c.line);
    }
}

TEST(Admission, FolderDropExpandsSubfoldersAndHiddenFiles) {
    TempDir dir;
    ToneSpec tone;
    tone.seconds = 0.1;
    const std::string root = dir / "drop";
    ASSERT_EQ(mkdir(root.c_str(), 0755), 0);
    ASSERT_EQ(mkdir((root + "/sub").c_str(), 0755), 0);
    ASSERT_EQ(mkdir((root + "/sub/deeper").c_str(), 0755), 0);
    WriteWav(root + "/a.wav", tone);
    WriteAiff(root + "/sub/b.aiff", tone);
    WriteWav(root + "/sub/deeper/c.WAV", tone);
    WriteBytes(root + "/sub/cover.jpg", "jpeg");

    const Admission::ActiveTest none = NothingActive;
    {
        LogCapture log;
        Admission admission;
        EXPECT_TRUE(admission.AcceptFiles(Paths({root}), false, none));
        EXPECT_EQ(admission.AcceptedCount(), 3);
        EXPECT_EQ(admission.UnsupportedCount(), 1);
        std::vector<std::string> added;
        EXPECT_EQ(AddDropToList(Paths({root}), none,
                                [&](const wxString& p) { added.push_back(std::string(p.utf8_str().data())); }),
                  3);
        EXPECT_EQ(added, (std::vector<std::string>{root + "/a.wav", root + "/sub/b.aiff", root + "/sub/deeper/c.WAV"}));
    }
    // A hidden companion that is not a valid WAV refuses the whole drop.
    WriteBytes(root + "/sub/._b.wav", std::string(4096, '\0'));
    LogCapture log;
    Admission admission;
    EXPECT_FALSE(admission.AcceptFiles(Paths({root}), false, none));
    EXPECT_EQ(admission.ErrorCount(), 1);
    EXPECT_EQ(admission.ErrorText(), "\n\"" + root + "/sub/._b.wav\" - " + kInvalid + "\n");
}

// Queued or encoding paths are skipped without a check; the rest of the
// drop is examined as usual.
TEST(Admission, ActivePathsAreIgnoredSilently) {
    TempDir dir;
    LogCapture log;
    Admission admission;
    const std::string active = dir / "queued.wav";  // does not even exist
    EXPECT_TRUE(admission.AcceptFiles(Paths({active}), true,
                                      [&](const wxString& p) { return p == wxString::FromUTF8(active); }));
    EXPECT_EQ(admission.AcceptedCount(), 0);
    EXPECT_TRUE(log.Records().empty());
}

// Two files that fit alone but not together: the drop is refused, each alone
// is admitted.
TEST(Admission, BatchModeComparesTheSumOfTheDropWithTheFreeSpace) {
    TempDir dir;
    ToneSpec second;
    second.seconds = 1;  // needs 32032 bytes
    WriteWav(dir / "one.wav", second);
    WriteWav(dir / "two.wav", second);
    FreeSpaceOverride space(50000);
    LogCapture log;
    Admission admission;
    EXPECT_TRUE(admission.AcceptFiles(Paths({dir / "one.wav"}), false, NothingActive));
    EXPECT_TRUE(admission.AcceptFiles(Paths({dir / "two.wav"}), false, NothingActive));
    EXPECT_FALSE(admission.AcceptFiles(Paths({dir / "one.wav", dir / "two.wav"}), false, NothingActive));
    EXPECT_EQ(admission.ErrorCount(), 1);
    EXPECT_EQ(admission.SpaceNeeded(), 64064u);
    EXPECT_NE(admission.ErrorText().find(dir / "two.wav"), wxString::npos);
    EXPECT_NE(admission.ErrorText().find("There is not enough free disk space"), wxString::npos);
}
