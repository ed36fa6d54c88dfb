// The vbenc command line: one drop per run, messages on stderr with their
// prefixes, the exit status, interruption.

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include "JobsTestSupport.h"

using namespace jobs_test;

namespace {

struct VbencRun {
    int status = -1;
    std::string out;
    std::string err;
};

VbencRun Vbenc(const std::string& args, const TempDir& dir) {
    VbencRun run;
    const std::string errPath = dir / "stderr.txt";
    run.status = RunCommand(BinDir() + "/vbenc " + args + " 2>'" + errPath + "'", &run.out);
    run.err = ReadBytes(errPath);
    return run;
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

}  // namespace

TEST(Vbenc, EncodesADropSkipsOtherTypesAndSummarises) {
    TempDir dir;
    ToneSpec tone;
    tone.seconds = 0.3;
    WriteWav(dir / "a.wav", tone);
    tone.rateHz = 48000;
    WriteWav(dir / "b.wav", tone);
    WriteBytes(dir / "c.mp3", "ID3");
    const VbencRun run = Vbenc("-j 2 '" + dir / "a.wav" + "' '" + dir / "b.wav" + "' '" + dir / "c.mp3" + "'", dir);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "warning: Could not add the file \"" + dir / "c.mp3" +
                           "\". \n\nThe file is not of a supported type. Supported file types are \".wav\" and "
                           "\".aiff\". \n\nRemaining files will now be processed.\n");
    EXPECT_TRUE(FileExists(dir / "a.mp2"));
    EXPECT_TRUE(FileExists(dir / "b.mp2"));
    EXPECT_TRUE(Contains(run.out, "2 done, 0 failed, 0 cancelled of 2 files")) << run.out;
}

TEST(Vbenc, ExitStatusTellsRefusedFailedAndNothingToDo) {
    TempDir dir;
    ToneSpec tone;
    tone.seconds = 0.3;
    WriteWav(dir / "ok.wav", tone);
    WriteWav(dir / "full.wav", tone);
    WriteBytes(dir / "notes.txt", "text");
    ASSERT_EQ(symlink("/dev/full", (dir / "full.mp2").c_str()), 0);

    // A refused drop: nothing is encoded.
    VbencRun run = Vbenc("-q '" + dir / "ok.wav" + "' '" + dir / "missing.wav" + "'", dir);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err.rfind("error: There was an error adding the file: \n\n\"" + dir / "missing.wav" +
                                "\" - The file does not exist.\n",
                            0),
              0u)
        << run.err;
    EXPECT_FALSE(FileExists(dir / "ok.mp2"));

    // Only unsupported types: a warning, nothing admitted, success.
    run = Vbenc(std::string("'").append(dir / "notes.txt").append("'"), dir);
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(Contains(run.err, "warning: Could not add the file")) << run.err;

    // A file that fails while encoding (disk full): status 1, the others done.
    run = Vbenc("-j 1 '" + dir / "ok.wav" + "' '" + dir / "full.wav" + "'", dir);
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(Contains(run.err, "error: There was an error processing the file \n\n\"" + dir / "full.wav")) << run.err;
    EXPECT_TRUE(FileExists(dir / "ok.mp2"));
    EXPECT_FALSE(FileExists(dir / "full.mp2"));
    EXPECT_TRUE(Contains(run.out, "1 done, 1 failed")) << run.out;
}

TEST(Vbenc, HelpAndUsageErrors) {
    TempDir dir;
    VbencRun run = Vbenc("--help", dir);
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(Contains(run.out, "-j N"));
    EXPECT_TRUE(Contains(run.out, "130"));
    for (const char* bad : {"", "-j 0 x.wav", "-j", "--frobnicate x.wav"}) {
        SCOPED_TRACE(bad);
        run = Vbenc(bad, dir);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.err.rfind("error: ", 0), 0u);
    }
}

// SIGINT and SIGTERM stop the running files, delete their partial outputs
// and leave queued files alone; the exit status is 130.
TEST(Vbenc, InterruptStopsAndRemovesPartialOutputs) {
    TempDir dir;
    ToneSpec tone;
    tone.seconds = 120;
    tone.rateHz = 48000;
    WriteWav(dir / "long1.wav", tone);
    WriteWav(dir / "long2.wav", tone);
    for (int signal : {SIGINT, SIGTERM}) {
        SCOPED_TRACE(signal);
        const pid_t child = fork();
        if (child == 0) {
            const int null = open("/dev/null", O_WRONLY);
            dup2(null, 1);
            dup2(null, 2);
            const std::string exe = BinDir() + "/vbenc";
            const std::string first = dir / "long1.wav";
            const std::string second = dir / "long2.wav";
            execl(exe.c_str(), "vbenc", "-j", "1", first.c_str(), second.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        // Wait until the first output holds encoded frames.
        struct stat info {};
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while ((stat((dir / "long1.mp2").c_str(), &info) != 0 || info.st_size < 4096) &&
               std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        ASSERT_GE(info.st_size, 4096);
        kill(child, signal);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 130);
        EXPECT_FALSE(FileExists(dir / "long1.mp2"));
        EXPECT_FALSE(FileExists(dir / "long2.mp2"));
    }
}
