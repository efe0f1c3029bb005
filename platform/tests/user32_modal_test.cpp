// The layer's own modal loops, as the program runs them outside tests: DialogBoxParamA and
// MessageBoxA keep dispatching what is posted to every window until the dialog ends, then return
// what ended it. No test driver answers here; the windows themselves do, through the queue.
#include <gtest/gtest.h>

#include "qt/host.h"
#include "testing/wintest.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <functional>
#include <string>
#include <vector>

namespace {

// While one exists, the layer behaves as in the program: its modal windows wait for input.
class OwnLoops {
public:
    OwnLoops() { host::hooks().testMode = false; }
    ~OwnLoops() {
        host::hooks().testMode = true;
        wintest::Pump();
    }
    OwnLoops(const OwnLoops &) = delete;
    OwnLoops &operator=(const OwnLoops &) = delete;
};

HWND dialog = nullptr, owner = nullptr;
std::vector<UINT> ownerSaw;
std::function<void()> onOwnerUser;  // what the owner does with WM_USER

LRESULT CALLBACK OwnerProc(HWND h, UINT m, WPARAM wp, LPARAM lp) {
    if (m >= WM_USER) {
        ownerSaw.push_back(m);
        if (m == WM_USER && onOwnerUser) onOwnerUser();
        return 0;
    }
    return DefWindowProcA(h, m, wp, lp);
}

constexpr UINT_PTR kGuard = 99;

INT_PTR CALLBACK LoopDlg(HWND h, UINT m, WPARAM wp, LPARAM) {
    switch (m) {
    case WM_INITDIALOG:
        dialog = h;
        // A loop that never delivers ends here, a failure rather than a hang.
        SetTimer(h, kGuard, 3000, nullptr);
        PostMessageA(owner, WM_USER, 0, 0);
        return TRUE;
    case WM_TIMER:
        if (wp == kGuard) DestroyWindow(h);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wp) == IDOK) {
            EndDialog(h, 42);
            PostMessageA(owner, WM_USER + 1, 0, 0);  // after the end: the caller's loop gets it
        }
        return TRUE;
    default:
        return FALSE;
    }
}

class ModalLoop : public ::testing::Test {
protected:
    void SetUp() override {
        static bool registered = [] {
            WNDCLASSA wc{};
            wc.lpfnWndProc = OwnerProc;
            wc.lpszClassName = "LoopOwner";
            return RegisterClassA(&wc) != 0;
        }();
        ASSERT_TRUE(registered);
        owner = CreateWindowExA(0, "LoopOwner", "", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, nullptr, nullptr, wintest::Instance(), nullptr);
        ShowWindow(owner, SW_SHOW);
        wintest::Pump();
        ownerSaw.clear();
    }
    void TearDown() override {
        onOwnerUser = nullptr;
        DestroyWindow(owner);
        wintest::Pump();
    }
};

TEST_F(ModalLoop, ADialogBoxDeliversToEveryWindowUntilEndDialogAndReturnsItsResult) {
    // The owner, reached while the dialog is open, presses the dialog's OK through the queue.
    onOwnerUser = [] { PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0); };
    INT_PTR r;
    {
        OwnLoops loops;
        r = DialogBoxParamA(wintest::Instance(), "entnpt", owner, LoopDlg, 0);
        EXPECT_EQ(ownerSaw, std::vector<UINT>{WM_USER}) << "what was posted after EndDialog waits";
    }
    EXPECT_EQ(r, 42);
    EXPECT_FALSE(IsWindow(dialog)) << "the dialog is gone when the call returns";
    EXPECT_EQ(ownerSaw, (std::vector<UINT>{WM_USER, WM_USER + 1}));
}

// What a person does in a message box, and what MessageBoxA returns for it: Esc in a box with
// only OK is OK; the icon follows MB_ICON*; a null caption is "Error".
TEST_F(ModalLoop, AMessageBoxReturnsTheButtonPressedWhileTheOwnerKeepsItsMessages) {
    enum Act { ClickOk, ClickCancel, Escape, Enter };
    const struct {
        const char *name;
        const char *caption;
        UINT type;
        Act act;
        int result;
        QMessageBox::Icon icon;
        int buttons;
    } rows[] = {
        {"OK", nullptr, MB_OK, ClickOk, IDOK, QMessageBox::NoIcon, 1},
        {"Esc with OK only", "Orbix", MB_OK | MB_ICONEXCLAMATION, Escape, IDOK, QMessageBox::Warning, 1},
        {"Cancel", "Orbix", MB_OKCANCEL | MB_ICONQUESTION, ClickCancel, IDCANCEL, QMessageBox::Question, 2},
        {"Esc with Cancel", "Orbix", MB_OKCANCEL | MB_ICONHAND, Escape, IDCANCEL, QMessageBox::Critical, 2},
        {"Enter presses OK", "Orbix", MB_OKCANCEL | MB_ICONASTERISK, Enter, IDOK, QMessageBox::Information, 2},
        {"OK of two", nullptr, MB_OKCANCEL, ClickOk, IDOK, QMessageBox::NoIcon, 2},
    };
    for (auto &r : rows) {
        QMessageBox *seen = nullptr;
        QString title, text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        int buttons = 0;
        // The owner gets its message while the box is open, and answers the box.
        onOwnerUser = [&] {
            seen = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!seen) return;
            title = seen->windowTitle();
            text = seen->text();
            icon = seen->icon();
            buttons = int(seen->buttons().size());
            QAbstractButton *ok = nullptr, *cancel = nullptr;
            for (QAbstractButton *b : seen->buttons())
                (seen->buttonRole(b) == QMessageBox::AcceptRole ? ok : cancel) = b;
            if (r.act == ClickOk && ok) ok->click();
            if (r.act == ClickCancel && cancel) cancel->click();
            if (r.act == Escape || r.act == Enter) {
                QKeyEvent press(QEvent::KeyPress, r.act == Escape ? Qt::Key_Escape : Qt::Key_Return, Qt::NoModifier);
                QCoreApplication::sendEvent(seen, &press);
            }
        };
        QTimer guard;  // a box nobody answers closes: a failure rather than a hang
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [] {
            if (QWidget *m = QApplication::activeModalWidget()) m->close();
        });
        guard.start(3000);
        PostMessageA(owner, WM_USER, 0, 0);
        int got;
        {
            OwnLoops loops;
            got = MessageBoxA(owner, "Número Máximo", r.caption, r.type);
        }
        ASSERT_NE(seen, nullptr) << r.name;
        EXPECT_EQ(got, r.result) << r.name;
        EXPECT_EQ(title, QString(r.caption ? r.caption : "Error")) << r.name;
        // The text comes as Windows-1252 bytes; the box shows it as such.
        EXPECT_EQ(text, QString::fromLatin1("Número Máximo")) << r.name;
        EXPECT_EQ(icon, r.icon) << r.name;
        EXPECT_EQ(buttons, r.buttons) << r.name;
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << r.name;
    }
}

}  // namespace
