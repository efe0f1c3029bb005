// Windows-1252, the code page of every text the program hands the layer, and UTF-8, the code
// page of the system's file names and of Qt.
#include "kernel32.h"

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F; 0 where it has no character.
const char32_t kHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
                            0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
                            0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void encode(char32_t u, std::string &out) {
    if (u < 0x80) {
        out += char(u);
    } else if (u < 0x800) {
        out += char(0xC0 | (u >> 6)), out += char(0x80 | (u & 0x3F));
    } else {
        out += char(0xE0 | (u >> 12)), out += char(0x80 | ((u >> 6) & 0x3F)), out += char(0x80 | (u & 0x3F));
    }
}

char ansi(char32_t u) {
    if (u < 0x80 || (u >= 0xA0 && u < 0x100)) return char(u);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == u) return char(0x80 + i);
    return 0;
}

}  // namespace

namespace kernel32 {

std::string utf8FromAnsi(const char *s, size_t n) {
    std::string out;
    out.reserve(n);
    for (size_t i = 0; i < n; ++i) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        // A NUL stays U+0000, as Windows keeps it; a byte Windows-1252 leaves undefined is U+FFFD.
        const char32_t u = c >= 0x80 && c < 0xA0 ? kHigh[c - 0x80] : c;
        encode(u || !c ? u : 0xFFFD, out);
    }
    return out;
}

std::string ansiFromUtf8(const char *s, size_t n, bool *whole) {
    std::string out;
    bool all = true;
    for (size_t i = 0; i < n;) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        const size_t len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        char32_t u = len == 1 ? c : len ? char32_t(c & (0x7F >> len)) : 0;
        bool ok = len > 0 && i + len <= n;
        for (size_t k = 1; ok && k < len; ++k) {
            const unsigned char d = static_cast<unsigned char>(s[i + k]);
            ok = (d & 0xC0) == 0x80;
            u = u << 6 | (d & 0x3F);
        }
        // An overlong form (C0 80 for a NUL) is no character, as Windows rejects it.
        ok = ok && u >= (len == 2 ? 0x80u : len == 3 ? 0x800u : len == 4 ? 0x10000u : 0u);
        const char a = ok ? ansi(u) : 0;
        all = all && (a || u == 0) && ok;
        out += a || (ok && u == 0) ? a : '?';
        i += ok ? len : 1;
    }
    if (whole) *whole = all;
    return out;
}

}  // namespace kernel32
