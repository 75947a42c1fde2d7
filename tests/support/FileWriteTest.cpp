// The one writer: a failure at any step keeps the earlier file and leaves no temporary file, a
// set is all new or all old, links are written through, non-files are refused untouched, and
// the messages carry the system's reason.
#include "support/FileWrite.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#ifndef _WIN32
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using verrask::TWriteStep;

std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Put(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// A fresh scratch folder per test.
fs::path Scratch(const std::string& name) {
    const fs::path dir = fs::path(::testing::TempDir()) / ("verrask_write_" + name);
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

// No ".part" or ".old" file left anywhere in the folder.
bool NoLeftovers(const fs::path& dir) {
    for (const auto& entry : fs::directory_iterator(dir)) {
        const std::string ext = entry.path().extension().string();
        if (ext == ".part" || ext == ".old") return false;
    }
    return true;
}

// The step and file (by its name) that the seam makes fail, with the errno value.
TWriteStep FailStep;
std::string FailName;
int FailError = 0;
int InjectFault(TWriteStep step, const fs::path& target) {
    return step == FailStep && target.filename() == FailName ? FailError : 0;
}

struct TFaultSeam {
    TFaultSeam(TWriteStep step, const std::string& name, int error) {
        FailStep = step;
        FailName = name;
        FailError = error;
        verrask::SetWriteFault(InjectFault);
    }
    ~TFaultSeam() { verrask::SetWriteFault(nullptr); }
};

TEST(FileWrite, AFailedStepKeepsTheEarlierFileAndLeavesNoTemporary) {
    const fs::path dir = Scratch("steps");
    const fs::path file = dir / "r.html";
    ASSERT_EQ(verrask::WriteWholeFile(file, "first"), "");
    for (TWriteStep step :
         {TWriteStep::Create, TWriteStep::Write, TWriteStep::Flush, TWriteStep::Rename}) {
        TFaultSeam seam(step, "r.html", ENOSPC);
        EXPECT_EQ(verrask::WriteWholeFile(file, "second"),
                  "cannot write " + verrask::PathText(file) + ": No space left on device");
        EXPECT_EQ(Read(file), "first");
        EXPECT_TRUE(NoLeftovers(dir));
    }
    // A missing folder: the system's reason, nothing made.
    EXPECT_EQ(verrask::WriteWholeFile(dir / "no" / "x.png", "x"),
              "cannot write " + verrask::PathText(dir / "no" / "x.png") +
                  ": No such file or directory");
    EXPECT_FALSE(fs::exists(dir / "no"));
}

TEST(FileWrite, ASetIsAllNewOrAllOld) {
    const fs::path dir = Scratch("set");
    const std::vector<verrask::TFileContent> files = {
        {dir / "a.json", "new a"}, {dir / "b.csv", "new b"}, {dir / "c.csv", "new c"}};
    Put(dir / "a.json", "old a");
    Put(dir / "b.csv", "old b"); // c.csv is new to the folder
    // A failure in the middle, while writing the last temporary file or renaming it after the
    // first two were renamed: every file as before, c.csv still absent.
    for (TWriteStep step : {TWriteStep::Write, TWriteStep::Rename}) {
        TFaultSeam seam(step, "c.csv", EIO);
        EXPECT_NE(verrask::WriteFileSet(files), "");
        EXPECT_EQ(Read(dir / "a.json"), "old a");
        EXPECT_EQ(Read(dir / "b.csv"), "old b");
        EXPECT_FALSE(fs::exists(dir / "c.csv"));
        EXPECT_TRUE(NoLeftovers(dir));
    }
    ASSERT_EQ(verrask::WriteFileSet(files), "");
    EXPECT_EQ(Read(dir / "a.json") + Read(dir / "b.csv") + Read(dir / "c.csv"), "new anew bnew c");
    EXPECT_TRUE(NoLeftovers(dir));

    // A file of the set named as another's temporary would overwrite it: refused, nothing made.
    const std::string error =
        verrask::WriteFileSet({{dir / "a.json", "x"}, {dir / "a.json.part", "y"}});
    EXPECT_NE(error.find("temporary name of"), std::string::npos) << error;
    EXPECT_EQ(Read(dir / "a.json"), "new a");
    EXPECT_FALSE(fs::exists(dir / "a.json.part"));
}

TEST(FileWrite, NamesOutsideAsciiRoundTrip) {
    const fs::path dir = Scratch("names");
    const fs::path file = dir / fs::path(u8"\u03B3\u03B5\u03C9 \u00E9t\u00E9.csv");
    ASSERT_EQ(verrask::WriteWholeFile(file, "x,z\n"), "");
    EXPECT_EQ(Read(file), "x,z\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
    EXPECT_EQ(verrask::PathText(file.filename()), "\xCE\xB3\xCE\xB5\xCF\x89 \xC3\xA9t\xC3\xA9.csv");
}

TEST(FileWrite, AFolderIsRefusedUntouched) {
    const fs::path dir = Scratch("folder");
    fs::create_directory(dir / "net.png");
    Put(dir / "net.png" / "keep", "kept");
    EXPECT_EQ(verrask::WriteWholeFile(dir / "net.png", "x"),
              "cannot write " + verrask::PathText(dir / "net.png") + ": is a folder");
    EXPECT_EQ(Read(dir / "net.png" / "keep"), "kept");
    EXPECT_TRUE(NoLeftovers(dir));
}

#ifndef _WIN32
TEST(FileWrite, ALinkIsWrittenThroughAndStays) {
    const fs::path dir = Scratch("link");
    fs::create_directory(dir / "real");
    Put(dir / "real" / "r.html", "old");
    fs::create_symlink("real/r.html", dir / "r.html"); // relative to the link's folder
    ASSERT_EQ(verrask::WriteWholeFile(dir / "r.html", "new"), "");
    EXPECT_TRUE(fs::is_symlink(dir / "r.html"));
    EXPECT_EQ(Read(dir / "real" / "r.html"), "new");
    EXPECT_TRUE(NoLeftovers(dir / "real"));
    // A dangling link makes the file it names.
    fs::create_symlink("real/new.png", dir / "new.png");
    ASSERT_EQ(verrask::WriteWholeFile(dir / "new.png", "png"), "");
    EXPECT_EQ(Read(dir / "real" / "new.png"), "png");
}

TEST(FileWrite, DevicesAndFifosAreRefusedUntouched) {
    const fs::path dir = Scratch("special");
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
    // Would block forever if the writer opened the FIFO.
    EXPECT_NE(verrask::WriteWholeFile(dir / "pipe", "x").find("is not a regular file"),
              std::string::npos);
    EXPECT_TRUE(fs::is_fifo(dir / "pipe"));
    EXPECT_TRUE(NoLeftovers(dir));
    // A device: as root a copy of /dev/full in the scratch folder, so that a writer that got it
    // wrong could replace only that; otherwise /dev/full itself, which only root could replace.
    const bool root = ::geteuid() == 0;
    const fs::path device = root ? dir / "full" : fs::path("/dev/full");
    if (root) {
        ASSERT_EQ(::mknod(device.c_str(), S_IFCHR | 0666, ::makedev(1, 7)), 0);
    }
    EXPECT_NE(verrask::WriteWholeFile(device, "x").find("is not a regular file"),
              std::string::npos);
    EXPECT_TRUE(fs::is_character_file(device));
    EXPECT_FALSE(fs::exists(device.string() + ".part"));
}

TEST(FileWrite, AFullDiskKeepsTheEarlierFile) {
    if (::geteuid() != 0) GTEST_SKIP() << "mounting a small tmpfs needs root";
    const fs::path dir = Scratch("full");
    // 64 KiB: room for the earlier file, none for a 1 MiB one.
    if (::mount("tmpfs", dir.c_str(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "cannot mount a tmpfs here: " << std::strerror(errno);
    const fs::path file = dir / "net.png";
    const std::string error = [&] {
        if (verrask::WriteWholeFile(file, "earlier") != "") return std::string("no first file");
        return verrask::WriteWholeFile(file, std::string(1 << 20, 'x'));
    }();
    const std::string kept = Read(file);
    const bool clean = NoLeftovers(dir);
    ::umount2(dir.c_str(), MNT_DETACH);
    EXPECT_EQ(error, "cannot write " + file.string() + ": No space left on device");
    EXPECT_EQ(kept, "earlier");
    EXPECT_TRUE(clean);
}

TEST(FileWrite, AnUnwritableFolderGivesTheSystemsReason) {
    const fs::path dir = Scratch("locked");
    fs::create_directory(dir / "ro");
    ::chmod((dir / "ro").c_str(), 0555);
    const fs::path file = dir / "ro" / "r.html";
    const std::string denied = "cannot write " + file.string() + ": Permission denied";
    if (::geteuid() != 0) {
        EXPECT_EQ(verrask::WriteWholeFile(file, "x"), denied);
    } else {
        // Root passes every permission check: try as an ordinary user in a child process.
        ::chmod(dir.c_str(), 0755);
        const pid_t child = ::fork();
        if (child == 0) {
            if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(2);
            ::_exit(verrask::WriteWholeFile(file, "x") == denied ? 0 : 1);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        if (WIFEXITED(status) && WEXITSTATUS(status) == 2) GTEST_SKIP() << "cannot drop root";
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "not: " << denied;
    }
    EXPECT_FALSE(fs::exists(file));
    ::chmod((dir / "ro").c_str(), 0755);
}
#endif

} // namespace
