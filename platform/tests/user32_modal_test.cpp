// The layer's own modal loops, as the program runs them outside tests: DialogBoxParamA and
// MessageBoxA keep dispatching what is posted to every window until the dialog ends, then return
// what ended it. No test driver answers here: the windows do, through the queue, or a person's
// click arrives as the window system's event.
#include <gtest/gtest.h>

#include "qt/host.h"
#include "qt/translations.h"
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
    ~OwnLoops() { host::hooks().testMode = true; }
    OwnLoops(const OwnLoops &) = delete;
    OwnLoops &operator=(const OwnLoops &) = delete;
};

HWND dialog = nullptr, owner = nullptr;
std::vector<UINT> ownerSaw;
std::function<void()> onOwnerUser;  // what the owner does with WM_USER
bool guardFired = false;

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
        // A loop that misses the end of its dialog ends here: a failure rather than a hang.
        SetTimer(h, kGuard, 2000, nullptr);
        PostMessageA(owner, WM_USER, 0, 0);
        return TRUE;
    case WM_TIMER:
        if (wp == kGuard) {
            guardFired = true;
            DestroyWindow(h);
        }
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
        owner = wintest::TestWindow("LoopOwner", OwnerProc);
        ASSERT_TRUE(owner);
        ShowWindow(owner, SW_SHOW);
        wintest::Pump();
        ownerSaw.clear();
        guardFired = false;
    }
    void TearDown() override {
        onOwnerUser = nullptr;
        DestroyWindow(owner);
        wintest::Pump();
        wintest::TakeQuit();
    }
};

TEST_F(ModalLoop, ADialogBoxDeliversToEveryWindowUntilItEndsAndReturnsItsResult) {
    const struct {
        const char *name;
        std::function<void()> ownerDoes;  // while the dialog is open
        INT_PTR result;
        std::vector<UINT> ownerSawBefore;
        int quit;  // -1: none
    } rows[] = {
        {"the owner posts OK to it",
         [] { PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0); },
         42,
         {WM_USER},
         -1},
        {"a person clicks OK",
         [] { QTimer::singleShot(0, [] { wintest::Dialog(dialog).click(IDOK); }); },
         42,
         {WM_USER},
         -1},
        // The loop ends and posts the quit again, for the program's own loop.
        {"the program quits", [] { PostQuitMessage(5); }, 0, {WM_USER}, 5},
    };
    for (auto &r : rows) {
        ownerSaw.clear();
        guardFired = false;
        onOwnerUser = r.ownerDoes;
        INT_PTR got;
        std::vector<UINT> sawBefore;
        {
            OwnLoops loops;
            got = DialogBoxParamA(wintest::Instance(), "entnpt", owner, LoopDlg, 0);
            sawBefore = ownerSaw;
        }
        EXPECT_FALSE(guardFired) << r.name;
        if (r.quit < 0) {
            EXPECT_EQ(got, r.result) << r.name;
        }
        EXPECT_EQ(sawBefore, r.ownerSawBefore) << r.name << ": what was posted after the end waits";
        EXPECT_FALSE(IsWindow(dialog)) << r.name << ": the dialog is gone when the call returns";
        wintest::Pump();
        int code = -1;
        EXPECT_EQ(wintest::TakeQuit(&code), r.quit >= 0) << r.name;
        if (r.quit >= 0) {
            EXPECT_EQ(code, r.quit) << r.name;
        }
    }
}

// What a person does in a message box, and what MessageBoxA returns for it: Esc in a box with
// only OK is OK; the icon follows MB_ICON*; a null caption is "Error"; the box belongs to the
// owner's window.
TEST_F(ModalLoop, AMessageBoxReturnsTheButtonPressedWhileTheOwnerKeepsItsMessages) {
    enum Act { ClickOk, ClickCancel, Escape, Enter };
    const struct {
        const char *name;
        bool owned;
        const char *caption;
        UINT type;
        Act act;
        int result;
        QMessageBox::Icon icon;
        const char *buttons;  // OK first, then Cancel
        const char *language = nullptr;
    } rows[] = {
        {"OK", true, nullptr, MB_OK, ClickOk, IDOK, QMessageBox::NoIcon, "OK"},
        {"Esc with OK only", true, "Orbix", MB_OK | MB_ICONEXCLAMATION, Escape, IDOK, QMessageBox::Warning, "OK"},
        {"Cancel", true, "Orbix", MB_OKCANCEL | MB_ICONQUESTION, ClickCancel, IDCANCEL, QMessageBox::Question,
         "OK|Cancel"},
        {"Esc with Cancel", false, "Orbix", MB_OKCANCEL | MB_ICONHAND, Escape, IDCANCEL, QMessageBox::Critical,
         "OK|Cancel"},
        {"Enter presses OK", true, "Orbix", MB_OKCANCEL | MB_ICONASTERISK, Enter, IDOK, QMessageBox::Information,
         "OK|Cancel"},
        {"OK of two, no owner", false, nullptr, MB_OKCANCEL, ClickOk, IDOK, QMessageBox::NoIcon, "OK|Cancel"},
        // The buttons speak the user's language, as Windows's own do; the program's texts stay.
        {"Cancel in Portuguese", true, "Orbix", MB_OKCANCEL, ClickCancel, IDCANCEL, QMessageBox::NoIcon, "OK|Cancelar",
         "pt_BR"},
    };
    for (auto &r : rows) {
        if (r.language) host::installQtTranslations(QLocale(r.language));
        bool seen = false;
        QString title, text;
        QWidget *parent = nullptr;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QString buttons;
        // The owner gets its message while the box is open; the person answers just after.
        onOwnerUser = [&] {
            QTimer::singleShot(0, [&] {
                auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                if (!box) return;
                seen = true;
                title = box->windowTitle();
                text = box->text();
                icon = box->icon();
                parent = box->parentWidget();
                QAbstractButton *ok = nullptr, *cancel = nullptr;
                for (QAbstractButton *b : box->buttons())
                    (box->buttonRole(b) == QMessageBox::AcceptRole ? ok : cancel) = b;
                buttons = (ok ? ok->text() : "-") + (cancel ? "|" + cancel->text() : "");
                if (box->buttons().size() != (cancel ? 2 : 1)) buttons += "|...";
                if (r.act == ClickOk && ok) ok->click();
                if (r.act == ClickCancel && cancel) cancel->click();
                if (r.act == Escape || r.act == Enter) {
                    QKeyEvent press(QEvent::KeyPress, r.act == Escape ? Qt::Key_Escape : Qt::Key_Return,
                                    Qt::NoModifier);
                    QCoreApplication::sendEvent(box, &press);
                }
            });
        };
        QTimer guard;  // a box left open, or a loop that misses its end: a failure rather than a hang
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [] {
            guardFired = true;
            if (QWidget *m = QApplication::activeModalWidget()) m->close();
            PostMessageA(nullptr, WM_NULL, 0, 0);
        });
        guard.start(2000);
        guardFired = false;
        ownerSaw.clear();
        PostMessageA(owner, WM_USER, 0, 0);
        int got;
        {
            OwnLoops loops;
            got = MessageBoxA(r.owned ? owner : nullptr, "Número Máximo", r.caption, r.type);
        }
        if (r.language) host::removeQtTranslations();
        ASSERT_TRUE(seen) << r.name;
        EXPECT_FALSE(guardFired) << r.name;
        EXPECT_EQ(got, r.result) << r.name;
        EXPECT_EQ(title, QString(r.caption ? r.caption : "Error")) << r.name;
        // The text comes as Windows-1252 bytes; the box shows it as such.
        EXPECT_EQ(text, QString::fromLatin1("Número Máximo")) << r.name;
        EXPECT_EQ(icon, r.icon) << r.name;
        EXPECT_EQ(buttons, QString(r.buttons)) << r.name;
        EXPECT_EQ(parent, r.owned ? host::win(owner)->widget.data() : nullptr) << r.name;
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << r.name;
    }
}

}  // namespace
