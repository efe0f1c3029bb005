// Controls of the program's templates as the window system shows them.
#include <gtest/gtest.h>

#include "qt/host.h"
#include "testing/wintest.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>

#include <string>

namespace {

INT_PTR CALLBACK Quiet(HWND, UINT m, WPARAM, LPARAM) { return m == WM_INITDIALOG; }

// A multiline edit with WS_VSCROLL has its vertical bar whatever its text, as on Windows; a short
// text leaves it with nothing to scroll.
TEST(Controls, AMultilineEditWithWsVscrollAlwaysShowsItsBar) {
    HWND h = CreateDialogParamA(wintest::Instance(), "Ajuda", nullptr, Quiet, 0);
    ASSERT_NE(h, nullptr);
    auto *edit = qobject_cast<QPlainTextEdit *>(host::win(GetDlgItem(h, 500))->widget.data());
    ASSERT_NE(edit, nullptr);
    for (const char *text : {"", "uma linha"}) {
        SetDlgItemTextA(h, 500, text);
        wintest::Pump(&h);
        EXPECT_TRUE(edit->verticalScrollBar()->isVisible()) << '"' << text << '"';
        EXPECT_EQ(edit->verticalScrollBar()->maximum(), 0) << '"' << text << '"';
    }
    DestroyWindow(h);
    wintest::Pump();
}

// What a person puts in a field reaches the program in Windows-1252: the characters it has become
// their byte (the euro sign is 0x80), the others '?', as Windows converts them.
TEST(Controls, ATextReachesTheProgramInWindows1252) {
    HWND h = CreateDialogParamA(wintest::Instance(), "entnpt", nullptr, Quiet, 0);
    ASSERT_NE(h, nullptr);
    auto *edit = qobject_cast<QLineEdit *>(host::win(GetDlgItem(h, 111))->widget.data());
    ASSERT_NE(edit, nullptr);
    const struct {
        char16_t typed;
        std::string ansi;
    } rows[] = {
        {u'a', "a"},         {u'\u007f', "\x7f"}, {u'\u0080', "?"},    {u'\u00a0', "\xa0"}, {u'\u00e9', "\xe9"},
        {u'\u00ff', "\xff"}, {u'\u0100', "?"},    {u'\u20ac', "\x80"}, {u'\u0178', "\x9f"}, {u'\ufffd', "?"},
    };
    for (auto &r : rows) {
        edit->setText(QString(QChar(r.typed)));
        char buf[8];
        GetDlgItemTextA(h, 111, buf, sizeof buf);
        EXPECT_EQ(std::string(buf), r.ansi) << int(r.typed);
    }
    DestroyWindow(h);
    wintest::Pump();
}

}  // namespace
