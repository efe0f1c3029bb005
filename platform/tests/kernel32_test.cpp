// KERNEL32 files and global memory as the program's saves use them: each disposition, reads and
// writes, a full disk, handles that name nothing, the final path of a handle, and the moves and
// replaces that put a saved file in place, with Windows' error codes.
#include <gtest/gtest.h>

#include <windows.h>

#include "kernel32/kernel32.h"

#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr DWORD kPathNotFound = 3, kAccessDenied = 5, kInvalidHandle = 6, kInvalidParameter = 87, kDiskFull = 112;

class Files : public ::testing::Test {
protected:
    void SetUp() override {
        char t[] = "/tmp/orbix-kernel32-XXXXXX";
        ASSERT_NE(mkdtemp(t), nullptr);
        dir = t;
        mkdir(path("folder").c_str(), 0755);
    }
    void TearDown() override { std::system(("rm -rf '" + dir + "'").c_str()); }
    std::string path(const std::string &name) const { return name.empty() ? "" : dir + "/" + name; }
    void write(const std::string &name, const std::string &bytes) { std::ofstream(path(name)) << bytes; }
    std::string read(const std::string &name) const {  // "-" when there is no such file
        std::ifstream in(path(name));
        std::stringstream s;
        s << in.rdbuf();
        return in ? s.str() : "-";
    }
    HANDLE open(const std::string &name, DWORD access, DWORD disposition) {
        return CreateFileA(path(name).c_str(), access, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    std::string dir;
};

TEST_F(Files, EachDispositionOpensOrCreatesAsWindowsDoesAndTruncatesNothing) {
    // clang-format off
    const struct { const char *name, *file; DWORD access, disposition; bool exists; DWORD error; } rows[] = {  // error 0: it opens
        {"CREATE_NEW, missing", "f", GENERIC_WRITE, CREATE_NEW, false, 0},
        {"CREATE_NEW, there", "f", GENERIC_WRITE, CREATE_NEW, true, ERROR_FILE_EXISTS},
        {"OPEN_EXISTING, missing", "f", GENERIC_READ, OPEN_EXISTING, false, ERROR_FILE_NOT_FOUND},
        {"OPEN_EXISTING, there, for writing", "f", GENERIC_WRITE, OPEN_EXISTING, true, 0},
        {"a folder", "folder", GENERIC_READ, OPEN_EXISTING, true, kAccessDenied},
        {"an empty name", "", GENERIC_READ, OPEN_EXISTING, true, kPathNotFound},
        {"CREATE_ALWAYS, which the layer does not do", "f", GENERIC_WRITE, 2, true, kInvalidParameter},
    };
    // clang-format on
    for (const auto &r : rows) {
        unlink(path("f").c_str());
        if (r.exists) write("f", "old");
        HANDLE h = open(r.file, r.access, r.disposition);
        EXPECT_EQ(GetLastError(), r.error) << r.name;
        EXPECT_EQ(h == INVALID_HANDLE_VALUE, r.error != 0) << r.name;
        EXPECT_EQ(CloseHandle(h), r.error == 0) << r.name;
        EXPECT_EQ(read("f"), r.exists ? "old" : r.error ? "-" : "") << r.name;
    }
}

TEST_F(Files, WhatIsWrittenIsReadBackAndAFullDiskOrAStaleHandleFails) {
    HANDLE h = open("f", GENERIC_WRITE, CREATE_NEW);
    DWORD n = 0;
    ASSERT_TRUE(WriteFile(h, "linha\r\n\xC1", 8, &n, nullptr));
    EXPECT_EQ(n, 8u);
    EXPECT_TRUE(FlushFileBuffers(h));
    EXPECT_TRUE(CloseHandle(h));
    h = open("f", GENERIC_READ, OPEN_EXISTING);
    char buf[16] = {};
    ASSERT_TRUE(ReadFile(h, buf, sizeof buf, &n, nullptr));
    EXPECT_EQ(std::string(buf, n), "linha\r\n\xC1");
    EXPECT_TRUE(ReadFile(h, buf, sizeof buf, &n, nullptr));
    EXPECT_EQ(n, 0u) << "the end: TRUE with nothing read";
    EXPECT_FALSE(WriteFile(h, "x", 1, &n, nullptr)) << "opened for reading";
    CloseHandle(h);
    HANDLE full = CreateFileA("/dev/full", GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    n = 99;
    EXPECT_FALSE(WriteFile(full, "x", 1, &n, nullptr));
    EXPECT_EQ(std::make_pair(GetLastError(), n), std::make_pair(kDiskFull, 0u));
    EXPECT_TRUE(CloseHandle(full));
    int local = 0;
    for (HANDLE stale : {full, HANDLE(nullptr), HANDLE(&local), INVALID_HANDLE_VALUE}) {
        n = 99;
        EXPECT_FALSE(ReadFile(stale, buf, 4, &n, nullptr));
        EXPECT_EQ(std::make_pair(GetLastError(), n), std::make_pair(kInvalidHandle, 0u));
        EXPECT_FALSE(WriteFile(stale, "x", 1, &n, nullptr) || FlushFileBuffers(stale) || CloseHandle(stale));
        EXPECT_EQ(GetFinalPathNameByHandleA(stale, buf, sizeof buf, 0), 0u);
        EXPECT_EQ(GetLastError(), kInvalidHandle);
    }
}

// A write stopped part way (a file size limit) fails and tells the bytes that went.
TEST_F(Files, AWriteCutShortReportsWhatWent) {
    struct rlimit was;
    getrlimit(RLIMIT_FSIZE, &was);
    const auto xfsz = signal(SIGXFSZ, SIG_IGN);
    struct rlimit five = was;
    five.rlim_cur = 5;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &five), 0);
    HANDLE h = open("f", GENERIC_WRITE, CREATE_NEW);
    DWORD n = 99;
    EXPECT_FALSE(WriteFile(h, "12345678", 8, &n, nullptr));
    setrlimit(RLIMIT_FSIZE, &was);
    signal(SIGXFSZ, xfsz);
    EXPECT_EQ(n, 5u);
    CloseHandle(h);
    EXPECT_EQ(read("f"), "12345");
}

// The length without the terminator when it fits, the room needed with it when it does not; the
// path with every link resolved, so that a save replaces the file a link names.
TEST_F(Files, TheFinalPathIsTheLinkedFileAndTellsTheRoomItNeeds) {
    write("target", "x");
    ASSERT_EQ(symlink(path("target").c_str(), path("link").c_str()), 0);
    HANDLE h = open("link", GENERIC_READ, OPEN_EXISTING);
    char real[PATH_MAX];
    ASSERT_NE(realpath(path("target").c_str(), real), nullptr);
    const DWORD len = DWORD(strlen(real));
    std::string out(len + 8, '#');
    EXPECT_EQ(GetFinalPathNameByHandleA(h, out.data(), len + 1, 0), len) << "just fits";
    EXPECT_EQ(out.substr(0, len + 2), std::string(real) + std::string("\0#", 2));
    out.assign(len + 8, '#');
    EXPECT_EQ(GetFinalPathNameByHandleA(h, out.data(), len, 0), len + 1) << "one short";
    EXPECT_EQ(out, std::string(len + 8, '#')) << "nothing written";
    CloseHandle(h);
}

TEST_F(Files, MovesReplacesAndDeletesKeepToWindowsRules) {
    write("a", "A");
    write("b", "B");
    enum Call { Move, MoveOver, Replace, Delete };
    // clang-format off
    const struct { const char *name; Call call; const char *from, *to; DWORD error; const char *after; } rows[] = {  // error 0: done
        {"a move onto a file", Move, "a", "b", ERROR_ALREADY_EXISTS, "A B"},
        {"a move of what is not there", Move, "c", "d", ERROR_FILE_NOT_FOUND, "A B"},
        {"a move replacing a folder", MoveOver, "a", "folder", kAccessDenied, "A B"},
        {"a move that may replace", MoveOver, "a", "b", 0, "- A"},
        {"a move to a new name", Move, "b", "a", 0, "A -"},
        {"a replace of what is not there", Replace, "a", "b", ERROR_FILE_NOT_FOUND, "A -"},
        {"a replace by what is not there", Replace, "b", "a", ERROR_FILE_NOT_FOUND, "A -"},
        {"a replace of a folder", Replace, "a", "folder", kAccessDenied, "A -"},
        {"a delete of a folder", Delete, "", "folder", kAccessDenied, "A -"},
        {"a delete of what is not there", Delete, "", "b", ERROR_FILE_NOT_FOUND, "A -"},
    };
    // clang-format on
    for (const auto &r : rows) {  // after: the bytes of a and b
        const std::string from = path(r.from), to = path(r.to);
        const BOOL done = r.call == Move       ? MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH)
                          : r.call == MoveOver ? MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)
                          : r.call == Replace  ? ReplaceFileA(to.c_str(), from.c_str(), nullptr, 0, nullptr, nullptr)
                                               : DeleteFileA(to.c_str());
        EXPECT_EQ(done, r.error == 0) << r.name;
        EXPECT_EQ(done ? 0 : GetLastError(), r.error) << r.name;
        EXPECT_EQ(read("a") + " " + read("b"), r.after) << r.name;
    }
    // The replacement takes the name and the permissions of the file it replaces.
    write("new", "N");
    chmod(path("a").c_str(), 0640);
    chmod(path("new").c_str(), 0604);
    const bool root = geteuid() == 0 && chown(path("a").c_str(), 0, 1) == 0;  // another group, where allowed
    EXPECT_TRUE(ReplaceFileA(path("a").c_str(), path("new").c_str(), nullptr, 0, nullptr, nullptr));
    EXPECT_EQ(read("a") + " " + read("new"), "N -");
    struct stat st;
    ASSERT_EQ(stat(path("a").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(st.st_gid, root ? 1u : getegid());
    EXPECT_TRUE(DeleteFileA(path("a").c_str()));
    EXPECT_EQ(read("a"), "-");
}

TEST(GlobalMemory, ABlockNeverMovesAndIsFreedOnce) {
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, 5);
    char *p = static_cast<char *>(GlobalLock(h));
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(GlobalLock(h), p) << "it never moves";
    EXPECT_FALSE(GlobalUnlock(h));
    EXPECT_EQ(GetLastError(), 0u) << "an unlock, no failure";
    EXPECT_EQ(GlobalFree(h), nullptr);
    EXPECT_EQ(GlobalLock(h), nullptr) << "freed";
    EXPECT_EQ(GlobalFree(h), h) << "a second free fails";
    EXPECT_EQ(GetLastError(), kInvalidHandle);
    EXPECT_EQ(GetCurrentProcessId(), DWORD(getpid()));
}

// File names cross from UTF-8 to Windows-1252 and back: each byte that does not begin a whole
// UTF-8 character is one '?', a character Windows-1252 lacks is one '?' for all its bytes, and
// whole tells whether anything was put in place of something else. A whole row converts back.
TEST(CodePage, UnusualUtf8BecomesWindows1252AsWindowsConvertsIt) {
    using S = std::string;
    // clang-format off
    const struct { const char *name; S utf8, ansi; bool whole; } rows[] = {
        {"Latin-1, the euro sign and the last of 0x80..0x9F", "a\xC3\xA7\xE2\x82\xAC\xC5\xB8\xC3\xBF", "a\xE7\x80\x9F\xFF", true},
        {"a NUL inside, the length given", S("a\0b", 3), S("a\0b", 3), true},
        {"a lone continuation byte", "\x80" "b", "?b", false},
        {"a byte that begins nothing", "\xFF" "a", "?a", false},
        {"an emoji: four bytes Windows-1252 cannot write", "\xF0\x9F\x98\x80" "a", "?a", false},
        {"a character of two bytes it lacks", "\xC4\x80", "?", false},
        {"U+0081, which it leaves undefined", "\xC2\x81", "?", false},
        {"two bytes cut at the end", "a\xC3", "a?", false},
        {"three bytes cut by a letter", "\xE2\x82" "a", "??a", false},
        {"four bytes cut at the end", "\xF0\x9F\x98", "???", false},
        {"an overlong NUL, each byte refused", "\xC0\x80" "a", "??a", false},
    };
    // clang-format on
    for (const auto &r : rows) {
        bool whole = !r.whole;
        EXPECT_EQ(kernel32::ansiFromUtf8(r.utf8.data(), r.utf8.size(), &whole), r.ansi) << r.name;
        EXPECT_EQ(whole, r.whole) << r.name;
        if (r.whole) {
            EXPECT_EQ(kernel32::utf8FromAnsi(r.ansi.data(), r.ansi.size()), r.utf8) << r.name << ", back";
        }
    }
    EXPECT_EQ(kernel32::utf8FromAnsi("\x81\x9D", 2), "\xEF\xBF\xBD\xEF\xBF\xBD") << "undefined: U+FFFD";
}

}  // namespace
