// The layer's clipboard, held to Win32: data goes only to a clipboard opened and emptied, text
// comes back with its terminator, a DIB comes back with the same pixels, and what cannot be a DIB
// is refused.
#include <gtest/gtest.h>

#include "testing/wintest.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

HGLOBAL Block(const std::string &bytes) {
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    memcpy(GlobalLock(h), bytes.data(), bytes.size());
    GlobalUnlock(h);
    return h;
}

// A packed DIB: the header, no colour table, then rows of 24 or 32 bits (rows[0] the top one,
// stored last when the DIB is bottom-up), each padded to four bytes.
std::string Dib(int bits, bool bottomUp, const std::vector<std::vector<COLORREF>> &rows) {
    BITMAPINFOHEADER h{};
    h.biSize = sizeof h;
    h.biWidth = LONG(rows[0].size());
    h.biHeight = bottomUp ? LONG(rows.size()) : -LONG(rows.size());
    h.biPlanes = 1;
    h.biBitCount = WORD(bits);
    h.biCompression = BI_RGB;
    const size_t stride = (rows[0].size() * bits + 31) / 32 * 4;
    std::string out(reinterpret_cast<const char *>(&h), sizeof h);
    for (size_t k = 0; k < rows.size(); ++k) {
        std::string row(stride, '\0');
        const auto &r = rows[bottomUp ? rows.size() - 1 - k : k];
        for (size_t x = 0; x < r.size(); ++x) {
            row[x * bits / 8] = char(GetBValue(r[x]));
            row[x * bits / 8 + 1] = char(GetGValue(r[x]));
            row[x * bits / 8 + 2] = char(GetRValue(r[x]));
        }
        out += row;
    }
    return out;
}

// The pixels of a packed DIB, top row first; empty when it is not a 24- or 32-bit one.
std::vector<std::vector<COLORREF>> Pixels(const std::string &dib) {
    BITMAPINFOHEADER h;
    if (dib.size() < sizeof h) return {};
    memcpy(&h, dib.data(), sizeof h);
    if (h.biBitCount != 24 && h.biBitCount != 32) return {};
    const size_t stride = (size_t(h.biWidth) * h.biBitCount + 31) / 32 * 4, height = std::abs(h.biHeight);
    if (dib.size() < h.biSize + stride * height) return {};
    std::vector<std::vector<COLORREF>> out(height);
    for (size_t y = 0; y < height; ++y) {
        const auto *row = reinterpret_cast<const unsigned char *>(dib.data()) + h.biSize +
                          stride * (h.biHeight > 0 ? height - 1 - y : y);
        for (LONG x = 0; x < h.biWidth; ++x) {
            const unsigned char *p = row + x * h.biBitCount / 8;
            out[y].push_back(RGB(p[2], p[1], p[0]));
        }
    }
    return out;
}

// Puts the bytes on the clipboard as Windows programs do; false when SetClipboardData refused.
bool Put(UINT format, const std::string &bytes) {
    if (!OpenClipboard(nullptr)) return false;
    EmptyClipboard();
    HGLOBAL h = Block(bytes);
    const bool taken = SetClipboardData(format, h) != nullptr;
    if (!taken) GlobalFree(h);  // still the caller's
    CloseClipboard();
    return taken;
}

// What the clipboard holds in the format, the whole block; "<none>" when it has none.
std::string Take(UINT format) {
    if (!OpenClipboard(nullptr)) return "<not opened>";
    std::string out = "<none>";
    if (HANDLE h = GetClipboardData(format)) {
        out.assign(static_cast<const char *>(GlobalLock(h)), GlobalSize(h));
        GlobalUnlock(h);
    }
    CloseClipboard();
    return out;
}

TEST(Clipboard, TextComesBackWithItsTerminatorAndEndsAtTheFirstNul) {
    ASSERT_TRUE(Put(CF_TEXT, std::string("Vetor \xe9 1,5\0", 12)));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_DIB));
    EXPECT_EQ(Take(CF_TEXT), std::string("Vetor \xe9 1,5\0", 12));
    EXPECT_EQ(Take(CF_DIB), "<none>");
    ASSERT_TRUE(Put(CF_TEXT, std::string("ab\0cd", 5)));
    EXPECT_EQ(Take(CF_TEXT), std::string("ab\0", 3));
}

TEST(Clipboard, DataGoesOnlyToAClipboardOpenedAndEmptied) {
    ASSERT_TRUE(Put(CF_TEXT, std::string("before", 7)));
    HGLOBAL h = Block(std::string("after", 6));
    EXPECT_EQ(SetClipboardData(CF_TEXT, h), nullptr) << "not open";
    EXPECT_FALSE(EmptyClipboard()) << "not open";
    EXPECT_FALSE(CloseClipboard()) << "not open";
    EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr) << "not open";
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_EQ(SetClipboardData(CF_TEXT, h), nullptr) << "not emptied";
    EXPECT_TRUE(CloseClipboard());
    EXPECT_EQ(Take(CF_TEXT), std::string("before", 7)) << "a close without emptying changes nothing";
    ASSERT_TRUE(OpenClipboard(nullptr));
    ASSERT_TRUE(EmptyClipboard());
    EXPECT_EQ(SetClipboardData(CF_BITMAP, h), nullptr) << "a format the layer does not keep";
    EXPECT_EQ(SetClipboardData(CF_TEXT, nullptr), nullptr);
    EXPECT_EQ(SetClipboardData(CF_TEXT, h), h);
    EXPECT_TRUE(CloseClipboard());
    EXPECT_EQ(Take(CF_TEXT), std::string("after", 6));
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_BITMAP));
}

TEST(Clipboard, ADibComesBackWithItsPixels) {
    const COLORREF r = RGB(200, 10, 20), g = RGB(5, 180, 7), b = RGB(1, 2, 250), w = RGB(255, 255, 255);
    const std::vector<std::vector<COLORREF>> picture = {{r, g, b}, {w, r, g}};  // rows padded to 12 bytes
    for (int bits : {24, 32})
        for (bool bottomUp : {true, false}) {
            ASSERT_TRUE(Put(CF_DIB, Dib(bits, bottomUp, picture))) << bits << " " << bottomUp;
            EXPECT_TRUE(IsClipboardFormatAvailable(CF_DIB));
            EXPECT_EQ(Pixels(Take(CF_DIB)), picture) << bits << " " << bottomUp;
        }
}

TEST(Clipboard, WhatCannotBeADibIsRefused) {
    const std::string good = Dib(24, true, {{RGB(1, 2, 3), RGB(4, 5, 6)}});
    auto with = [&good](auto change) {
        std::string d = good;
        BITMAPINFOHEADER h;
        memcpy(&h, d.data(), sizeof h);
        change(h);
        memcpy(d.data(), &h, sizeof h);
        return d;
    };
    // A header that would be read right if it were not for the one field, with room for every row.
    auto wide = [](LONG w, LONG h) {
        std::string d = Dib(24, true, {{RGB(1, 2, 3)}});
        BITMAPINFOHEADER hd;
        memcpy(&hd, d.data(), sizeof hd);
        hd.biWidth = w, hd.biHeight = h;
        d.resize(sizeof hd);
        memcpy(d.data(), &hd, sizeof hd);
        d.resize(sizeof hd + size_t(w * 3 + 3) / 4 * 4 * size_t(std::abs(h)), '\x7f');
        return d;
    };
    struct Row {
        const char *name;
        std::string dib;
    } rows[] = {
        {"no header", good.substr(0, sizeof(BITMAPINFOHEADER) - 1)},
        {"a row short", good.substr(0, good.size() - 1)},
        {"a header size too small", with([](auto &h) { h.biSize = sizeof h - 1; })},
        {"a header size beyond the data", with([](auto &h) { h.biSize = 4096; })},
        {"no width", with([](auto &h) { h.biWidth = 0; })},
        {"a negative width", with([](auto &h) { h.biWidth = -2; })},
        {"no height", with([](auto &h) { h.biHeight = 0; })},
        {"two planes", with([](auto &h) { h.biPlanes = 2; })},
        {"8 bits", with([](auto &h) { h.biBitCount = 8; })},
        {"16 bits", with([](auto &h) { h.biBitCount = 16; })},
        {"run-length compressed", with([](auto &h) { h.biCompression = 1; })},
        {"a colour table beyond the data", with([](auto &h) { h.biClrUsed = 1; })},
        {"wider than a screen", wide(16385, 1)},
        {"taller than a screen", wide(1, 16385)},
        {"taller than a screen, top-down", wide(1, -16385)},
    };
    for (auto &r : rows) EXPECT_FALSE(Put(CF_DIB, r.dib)) << r.name;
    EXPECT_TRUE(Put(CF_DIB, wide(16384, 1))) << "as wide as a screen";
    EXPECT_TRUE(Put(CF_DIB, wide(1, -16384))) << "as tall as a screen";
}

}  // namespace
