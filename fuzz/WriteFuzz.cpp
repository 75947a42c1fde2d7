// Fuzz target over the file writer's path handling, inside a scratch folder of its own: folders,
// links (relative, dangling, looping), FIFOs and earlier files are laid out as the input says,
// then names are written one by one or as sets. The writer must never hang on a FIFO, never
// leave a temporary file, give the new bytes on success and the earlier ones on failure.
//
// Input: lines of one operation each, the first character naming it:
//   d NAME            make a folder            p NAME    make a FIFO
//   f NAME            an earlier file "old"    l NAME>TO a symbolic link NAME -> TO
//   w NAME            write NAME               s A|B|..  write the names as one set
// Names are relative to the scratch folder; ".." parts, absolute names and NUL bytes are dropped
// so that nothing outside it can be reached.
#include "support/FileWrite.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr std::size_t MaxOperations = 16; // enough for links to links to folders
constexpr std::size_t MaxName = 80;       // longer names add nothing but slower runs

void Require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

// On a tmpfs where there is one: fsync costs nothing there, so far more inputs run.
const fs::path& Scratch() {
    static const fs::path dir =
        (fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path()) /
        ("verrask_write_fuzz_" + std::to_string(::getpid()));
    return dir;
}

// The text as a path relative to the scratch folder, or empty when it could leave it.
fs::path Inside(const std::string& text) {
    if (text.empty() || text.size() > MaxName || text.find('\0') != std::string::npos) return {};
    fs::path relative;
    for (const fs::path& part : fs::path(text).relative_path()) {
        if (part == "..") return {};
        relative /= part;
    }
    return relative;
}

// The bytes of a regular file (through links), or "<none>" when there is none to read.
std::string Contents(const fs::path& path) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) return "<none>";
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The ".part" and ".old" files in the scratch folder (the writer's temporary names).
std::vector<fs::path> Temporaries() {
    std::vector<fs::path> found;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(Scratch(), ec), end; !ec && it != end;
         it.increment(ec))
        if (it->path().extension() == ".part" || it->path().extension() == ".old")
            found.push_back(it->path());
    return found;
}

// Where a chain of symbolic links ends, dangling or not (the path itself when it is no link).
fs::path Followed(fs::path path) {
    constexpr int MostLinks = 40; // the kernel's own limit
    for (int i = 0; i < MostLinks; ++i) {
        std::error_code ec;
        if (fs::symlink_status(path, ec).type() != fs::file_type::symlink) break;
        const fs::path next = fs::read_symlink(path, ec);
        if (ec) break;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return path;
}

bool Contains(const std::vector<fs::path>& list, const fs::path& path) {
    for (const fs::path& p : list)
        if (p == path) return true;
    return false;
}

void WriteSet(const std::vector<fs::path>& names) {
    std::vector<verrask::TFileContent> files;
    std::vector<std::string> before;
    for (const fs::path& name : names) {
        files.push_back({Scratch() / name, "new " + name.string()});
        before.push_back(Contents(files.back().Path));
    }
    std::vector<fs::path> allowed = Temporaries(); // those there before
    const std::string error = files.size() == 1
                                  ? verrask::WriteWholeFile(files[0].Path, files[0].Bytes)
                                  : verrask::WriteFileSet(files);
    // And the targets, after links: a link may lead to a name that ends in ".old".
    std::error_code ec;
    for (const verrask::TFileContent& f : files)
        allowed.push_back(fs::weakly_canonical(Followed(f.Path), ec));
    for (const fs::path& left : Temporaries())
        Require(Contains(allowed, left) || Contains(allowed, fs::weakly_canonical(left, ec)),
                "no temporary file is left");
    // A set naming one file twice ends with the last bytes for it: check distinct names only.
    for (std::size_t i = 0; i < files.size(); ++i) {
        bool repeated = false;
        for (std::size_t k = 0; k < files.size(); ++k)
            repeated = repeated || (k != i && fs::weakly_canonical(files[k].Path) ==
                                                  fs::weakly_canonical(files[i].Path));
        if (repeated) continue;
        if (error.empty())
            Require(Contents(files[i].Path) == files[i].Bytes, "a written file holds its bytes");
        else
            Require(Contents(files[i].Path) == before[i], "a failed write keeps the earlier file");
    }
    Require(error.empty() || error.rfind("cannot write ", 0) == 0, "a failure says what failed");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::error_code ec;
    fs::remove_all(Scratch(), ec); // never follows links
    fs::create_directories(Scratch(), ec);
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::size_t start = 0;
    for (std::size_t n = 0; n < MaxOperations && start < input.size(); ++n) {
        const std::size_t end = std::min(input.find('\n', start), input.size());
        const std::string line = input.substr(start, end - start);
        start = end + 1;
        if (line.size() < 2) continue;
        const char op = line[0];
        const std::string rest = line.substr(1);
        if (op == 'l') {
            const std::size_t arrow = rest.find('>');
            const fs::path link = Inside(rest.substr(0, arrow));
            const fs::path to =
                arrow == std::string::npos ? fs::path() : Inside(rest.substr(arrow + 1));
            if (!link.empty() && !to.empty()) fs::create_symlink(to, Scratch() / link, ec);
            continue;
        }
        if (op == 's') {
            std::vector<fs::path> names;
            std::size_t at = 0;
            while (at <= rest.size() && names.size() < 4) {
                const std::size_t bar = std::min(rest.find('|', at), rest.size());
                if (const fs::path name = Inside(rest.substr(at, bar - at)); !name.empty())
                    names.push_back(name);
                at = bar + 1;
            }
            if (!names.empty()) WriteSet(names);
            continue;
        }
        const fs::path name = Inside(rest);
        if (name.empty()) continue;
        const fs::path path = Scratch() / name;
        if (op == 'd') fs::create_directories(path, ec);
        if (op == 'p') ::mkfifo(path.c_str(), 0600);
        // Only where nothing is: never into a FIFO or through a link.
        if (op == 'f' && fs::symlink_status(path, ec).type() == fs::file_type::not_found)
            std::ofstream(path, std::ios::binary) << "old";
        if (op == 'w') WriteSet({name});
    }
    fs::remove_all(Scratch(), ec);
    return 0;
}
