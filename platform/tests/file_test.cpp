// The layer's files and global memory, held to Win32: what each creation disposition does, the
// last errors of failures, reads and writes, the moves and replaces a save makes, attributes, and
// the locks of a global block.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class Files : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/orbix-file-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        dir = tmpl;
    }
    void TearDown() override { std::system(("rm -rf '" + dir + "'").c_str()); }
    std::string path(const std::string &name) const { return dir + "/" + name; }
    void write(const std::string &name, const std::string &bytes) { std::ofstream(path(name)) << bytes; }
    // The file's bytes, or "<missing>".
    std::string read(const std::string &name) const {
        std::ifstream in(path(name));
        if (!in) return "<missing>";
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    std::string dir;
};

TEST_F(Files, EachDispositionOpensCreatesOrTruncatesAsWindowsDoes) {
    struct Row {
        const char *name;
        DWORD disposition;
        bool exists;
        DWORD error;        // ERROR_SUCCESS: the file opens
        const char *after;  // the file's bytes once the handle is closed
    } rows[] = {
        {"CREATE_NEW, missing", CREATE_NEW, false, ERROR_SUCCESS, ""},
        {"CREATE_NEW, there", CREATE_NEW, true, ERROR_FILE_EXISTS, "old"},
        {"CREATE_ALWAYS, missing", CREATE_ALWAYS, false, ERROR_SUCCESS, ""},
        {"CREATE_ALWAYS, there", CREATE_ALWAYS, true, ERROR_SUCCESS, ""},
        {"OPEN_EXISTING, missing", OPEN_EXISTING, false, ERROR_FILE_NOT_FOUND, "<missing>"},
        {"OPEN_EXISTING, there", OPEN_EXISTING, true, ERROR_SUCCESS, "old"},
        {"OPEN_ALWAYS, missing", OPEN_ALWAYS, false, ERROR_SUCCESS, ""},
        {"OPEN_ALWAYS, there", OPEN_ALWAYS, true, ERROR_SUCCESS, "old"},
        {"TRUNCATE_EXISTING, missing", TRUNCATE_EXISTING, false, ERROR_FILE_NOT_FOUND, "<missing>"},
        {"TRUNCATE_EXISTING, there", TRUNCATE_EXISTING, true, ERROR_SUCCESS, ""},
        {"no disposition", 0, true, ERROR_INVALID_PARAMETER, "old"},
    };
    for (auto &r : rows) {
        unlink(path("f").c_str());
        if (r.exists) write("f", "old");
        SetLastError(1234);
        HANDLE h =
            CreateFileA(path("f").c_str(), GENERIC_WRITE, 0, nullptr, r.disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (r.error == ERROR_SUCCESS) {
            EXPECT_NE(h, INVALID_HANDLE_VALUE) << r.name;
            if (!r.exists) EXPECT_EQ(GetLastError(), DWORD(ERROR_SUCCESS)) << r.name << ": a new file";
            EXPECT_TRUE(CloseHandle(h)) << r.name;
        } else {
            EXPECT_EQ(h, INVALID_HANDLE_VALUE) << r.name;
            EXPECT_EQ(GetLastError(), r.error) << r.name;
        }
        EXPECT_EQ(read("f"), r.after) << r.name;
    }
}

TEST_F(Files, NamesThatAreNoFileAreRefused) {
    mkdir(path("folder").c_str(), 0755);
    struct Row {
        const char *name;
        const char *file;
        DWORD disposition, error;
    } rows[] = {
        {"a folder", "folder", OPEN_EXISTING, ERROR_ACCESS_DENIED},
        {"a folder, created", "folder", OPEN_ALWAYS, ERROR_ACCESS_DENIED},
        {"below a file", "folder/../f/x", CREATE_ALWAYS, ERROR_PATH_NOT_FOUND},
    };
    write("f", "x");
    for (auto &r : rows) {
        SetLastError(0);
        EXPECT_EQ(CreateFileA(path(r.file).c_str(), GENERIC_READ, 0, nullptr, r.disposition, 0, nullptr),
                  INVALID_HANDLE_VALUE)
            << r.name;
        EXPECT_EQ(GetLastError(), r.error) << r.name;
    }
    for (const char *name : {"", static_cast<const char *>(nullptr)}) {
        EXPECT_EQ(CreateFileA(name, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr), INVALID_HANDLE_VALUE);
        EXPECT_EQ(GetLastError(), DWORD(ERROR_PATH_NOT_FOUND));
    }
}

TEST_F(Files, WhatIsWrittenIsReadBackAndAHandleDoesOnlyWhatItsAccessAllows) {
    HANDLE w = CreateFileA(path("f").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(w, INVALID_HANDLE_VALUE);
    DWORD n = 99;
    EXPECT_TRUE(WriteFile(w, "vetores", 7, &n, nullptr));
    EXPECT_EQ(n, 7u);
    EXPECT_TRUE(WriteFile(w, nullptr, 0, &n, nullptr)) << "nothing to write";
    EXPECT_EQ(n, 0u);
    char buf[16] = {};
    EXPECT_FALSE(ReadFile(w, buf, sizeof buf, &n, nullptr)) << "a handle only for writing";
    EXPECT_EQ(n, 0u);
    LARGE_INTEGER size{};
    EXPECT_TRUE(FlushFileBuffers(w));
    EXPECT_TRUE(GetFileSizeEx(w, &size));
    EXPECT_EQ(size.QuadPart, 7);
    EXPECT_TRUE(CloseHandle(w));

    HANDLE r = CreateFileA(path("f").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(r, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(WriteFile(r, "x", 1, &n, nullptr)) << "a handle only for reading";
    EXPECT_EQ(n, 0u);
    EXPECT_TRUE(ReadFile(r, buf, 4, &n, nullptr));
    EXPECT_EQ(std::string(buf, n), "veto");
    EXPECT_TRUE(ReadFile(r, buf, sizeof buf, &n, nullptr));
    EXPECT_EQ(std::string(buf, n), "res");
    EXPECT_TRUE(ReadFile(r, buf, sizeof buf, &n, nullptr)) << "the end of the file is no error";
    EXPECT_EQ(n, 0u);
    EXPECT_TRUE(CloseHandle(r));

    HANDLE rw = CreateFileA(path("f").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(rw, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(ReadFile(rw, buf, 3, &n, nullptr));
    EXPECT_TRUE(WriteFile(rw, "OR", 2, &n, nullptr));
    EXPECT_TRUE(CloseHandle(rw));
    EXPECT_EQ(read("f"), "vetORes");
}

TEST_F(Files, AFullDiskFailsTheWriteAndStaleHandlesAreRefused) {
    HANDLE full = CreateFileA("/dev/full", GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(full, INVALID_HANDLE_VALUE);
    DWORD n = 99;
    EXPECT_FALSE(WriteFile(full, "x", 1, &n, nullptr));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_DISK_FULL));
    EXPECT_EQ(n, 0u);
    EXPECT_TRUE(CloseHandle(full));
    // Closed, null, made up: each call refuses it and says why.
    int local = 0;
    char buf[4];
    LARGE_INTEGER size;
    for (HANDLE h : {full, HANDLE(nullptr), HANDLE(&local), INVALID_HANDLE_VALUE}) {
        n = 99;
        SetLastError(0);
        EXPECT_FALSE(ReadFile(h, buf, 4, &n, nullptr));
        EXPECT_EQ(std::make_pair(GetLastError(), n), std::make_pair(DWORD(ERROR_INVALID_HANDLE), 0u));
        n = 99;
        SetLastError(0);
        EXPECT_FALSE(WriteFile(h, "x", 1, &n, nullptr));
        EXPECT_EQ(std::make_pair(GetLastError(), n), std::make_pair(DWORD(ERROR_INVALID_HANDLE), 0u));
        for (auto call : {+[](HANDLE h) { return CloseHandle(h); }, +[](HANDLE h) { return FlushFileBuffers(h); },
                          +[](HANDLE h) {
                              LARGE_INTEGER s;
                              return GetFileSizeEx(h, &s);
                          }}) {
            SetLastError(0);
            EXPECT_FALSE(call(h));
            EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
        }
        SetLastError(0);
        char name[64];
        EXPECT_EQ(GetFinalPathNameByHandleA(h, name, sizeof name, 0), 0u);
        EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
    }
    HANDLE h = CreateFileA(path("f").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    EXPECT_FALSE(GetFileSizeEx(h, nullptr));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
    EXPECT_TRUE(GetFileSizeEx(h, &size));
    EXPECT_EQ(size.QuadPart, 0);
    CloseHandle(h);
}

TEST_F(Files, TheFinalPathFitsWithItsTerminatorOrTellsTheRoomItNeeds) {
    HANDLE h = CreateFileA(path("f").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    char real[4096];
    ASSERT_NE(realpath(path("f").c_str(), real), nullptr);
    const DWORD len = DWORD(strlen(real));
    std::string out(len + 8, '#');
    EXPECT_EQ(GetFinalPathNameByHandleA(h, out.data(), len + 1, 0), len) << "just fits";
    EXPECT_EQ(out.substr(0, len + 2), std::string(real) + std::string("\0#", 2));
    out.assign(len + 8, '#');
    EXPECT_EQ(GetFinalPathNameByHandleA(h, out.data(), len, 0), len + 1) << "one short";
    EXPECT_EQ(out, std::string(len + 8, '#')) << "nothing written";
    EXPECT_EQ(GetFinalPathNameByHandleA(h, nullptr, 0, 0), len + 1);
    CloseHandle(h);
}

TEST_F(Files, DeletesMovesAndReplacesKeepToWindowsRules) {
    mkdir(path("folder").c_str(), 0755);
    write("a", "A");
    write("b", "B");
    SetLastError(0);
    EXPECT_FALSE(MoveFileExA(path("a").c_str(), path("b").c_str(), 0));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ALREADY_EXISTS));
    EXPECT_FALSE(MoveFileExA(path("a").c_str(), path("folder").c_str(), MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(MoveFileExA(path("missing").c_str(), path("c").c_str(), 0));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(std::make_pair(read("a"), read("b")), std::make_pair(std::string("A"), std::string("B")));
    EXPECT_TRUE(MoveFileExA(path("a").c_str(), path("c").c_str(), MOVEFILE_WRITE_THROUGH));
    EXPECT_TRUE(MoveFileExA(path("c").c_str(), path("b").c_str(), MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(std::make_pair(read("c"), read("b")), std::make_pair(std::string("<missing>"), std::string("A")));

    // The replacement takes the name and the permissions of the file it replaces.
    write("new", "N");
    chmod(path("b").c_str(), 0640);
    chmod(path("new").c_str(), 0604);
    EXPECT_TRUE(ReplaceFileA(path("b").c_str(), path("new").c_str(), nullptr, 0, nullptr, nullptr));
    EXPECT_EQ(std::make_pair(read("b"), read("new")), std::make_pair(std::string("N"), std::string("<missing>")));
    struct stat st;
    ASSERT_EQ(stat(path("b").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    write("new", "N2");
    EXPECT_FALSE(ReplaceFileA(path("missing").c_str(), path("new").c_str(), nullptr, 0, nullptr, nullptr));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(ReplaceFileA(path("b").c_str(), path("missing").c_str(), nullptr, 0, nullptr, nullptr));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(ReplaceFileA(path("folder").c_str(), path("new").c_str(), nullptr, 0, nullptr, nullptr));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));
    EXPECT_EQ(std::make_pair(read("b"), read("new")), std::make_pair(std::string("N"), std::string("N2")));

    EXPECT_FALSE(DeleteFileA(path("folder").c_str()));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(DeleteFileA(path("missing").c_str()));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
    EXPECT_TRUE(DeleteFileA(path("b").c_str()));
    EXPECT_EQ(read("b"), "<missing>");
}

TEST_F(Files, AttributesTellFoldersAndReadOnlyFiles) {
    mkdir(path("folder").c_str(), 0755);
    mkdir(path("locked").c_str(), 0555);
    write("f", "x");
    write("ro", "x");
    chmod(path("ro").c_str(), 0444);
    struct Row {
        const char *name;
        DWORD attributes;
    } rows[] = {
        {"f", FILE_ATTRIBUTE_NORMAL},         {"ro", FILE_ATTRIBUTE_READONLY},
        {"folder", FILE_ATTRIBUTE_DIRECTORY}, {"locked", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY},
        {"missing", INVALID_FILE_ATTRIBUTES},
    };
    for (auto &r : rows) EXPECT_EQ(GetFileAttributesA(path(r.name).c_str()), r.attributes) << r.name;
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(GetFileAttributesA(nullptr), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
}

TEST(GlobalMemory, ABlockIsLockedAsOftenAsItIsUnlockedAndFreedOnce) {
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 5);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(GlobalSize(h), 5u);
    auto *p = static_cast<char *>(GlobalLock(h));
    EXPECT_EQ(std::string(p, 5), std::string(5, '\0'));
    EXPECT_EQ(GlobalLock(h), p);
    SetLastError(1234);
    EXPECT_TRUE(GlobalUnlock(h)) << "still locked once";
    EXPECT_FALSE(GlobalUnlock(h)) << "unlocked";
    EXPECT_EQ(GetLastError(), DWORD(ERROR_SUCCESS));
    SetLastError(1234);
    EXPECT_FALSE(GlobalUnlock(h)) << "not locked";
    EXPECT_EQ(GlobalFree(h), nullptr);
    EXPECT_EQ(GlobalSize(h), 0u);
    EXPECT_EQ(GlobalLock(h), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
    EXPECT_EQ(GlobalFree(h), h) << "freed already";
    EXPECT_EQ(GlobalAlloc(GMEM_MOVEABLE, size_t(-1)), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_NOT_ENOUGH_MEMORY));
}

TEST(Process, TheIdIsTheProcesss) { EXPECT_EQ(GetCurrentProcessId(), DWORD(getpid())); }

}  // namespace
