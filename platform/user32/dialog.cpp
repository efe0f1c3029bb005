// USER32 dialog boxes, built from the templates of the resource script, and their controls:
// push buttons, auto radio buttons, group boxes, edit fields, static texts and etched frames.
// Sizes are in dialog units, turned into pixels by the dialog font's average character size.
#include "user32.h"
#include "rc.h"
#include "resources.h"

#include <QCloseEvent>
#include <QDialog>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <climits>
#include <cstring>
#include <map>

namespace user32 {

namespace {

// MulDiv(units, base, per): dialog units to pixels, rounded half up as Windows does (the
// program's templates place nothing at a negative position).
int dluToPixels(int units, int base, int per) { return int(((long long)units * base + per / 2) / per); }

class DialogWidget : public QDialog {
public:
    DialogWidget(Window *w, QWidget *parent) : QDialog(parent), w_(w) {}
    void reject() override { sendCommand(w_, IDCANCEL); }  // Esc

protected:
    void closeEvent(QCloseEvent *e) override {
        // The close box asks for IDCANCEL; the dialog procedure decides whether it closes.
        e->ignore();
        if (win(hwndOf(w_))) sendCommand(w_, IDCANCEL);
    }

private:
    Window *w_;
};

// The template's font, made once for each face and size: every control of every dialog asks.
const QFont &dialogFont(const std::string &face, int points) {
    static auto *fonts = new std::map<std::pair<std::string, int>, QFont>;
    auto it = fonts->find({face, points});
    if (it == fonts->end()) {
        // Points at the 96 dots per inch of a Windows screen, as the em size (a negative height).
        const int pixels = dluToPixels(points, 96, 72);
        it = fonts->emplace(std::pair{face, points}, gdi32::makeFont(face, -pixels, 400)).first;
    }
    return it->second;
}

QSize baseUnits(const QFont &font) {
    QFontMetrics m(font);
    int cx = m.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return QSize((cx / 26 + 1) / 2, m.height());
}

LRESULT CALLBACK dialogWindowProc(HWND h, UINT m, WPARAM wp, LPARAM lp) {
    Window *w = win(h);
    return w && w->dlgProc ? w->dlgProc(h, m, wp, lp) : FALSE;
}

// The radio group of a control: from the control with WS_GROUP before it to the next one.
std::vector<Window *> radioGroup(Window *c) {
    auto &cs = c->owner->controls;
    size_t i = 0;
    while (i < cs.size() && cs[i] != c) ++i;
    size_t start = i;
    while (start > 0 && !(cs[start]->style & WS_GROUP)) --start;
    size_t end = i + 1;
    while (end < cs.size() && !(cs[end]->style & WS_GROUP)) ++end;
    std::vector<Window *> out;
    for (size_t k = start; k < end; ++k)
        if (cs[k]->radio) out.push_back(cs[k]);
    return out;
}

void setChecked(Window *c, bool on) {
    if (auto *b = qobject_cast<QAbstractButton *>(c->widget.data())) {
        QSignalBlocker block(b);
        b->setChecked(on);
    }
}

// The text limit holds for what is typed or pasted, as EM_LIMITTEXT does: an insertion is cut to
// what still fits, and deleting always works, also in a text the program made longer.
void limitTyping(HWND hc, QLineEdit *e) {
    QObject::connect(e, &QLineEdit::textEdited, [hc, e](const QString &t) {
        Window *cw = win(hc);
        if (!cw) return;
        const QString &old = cw->lastText;
        if (t.size() <= std::max<qsizetype>(old.size(), cw->textLimit)) {
            cw->lastText = t;
            return;
        }
        // What changed: old's [p, old.size() - q) became t's [p, t.size() - q).
        qsizetype p = 0, q = 0;
        while (p < old.size() && p < t.size() && old[p] == t[p]) ++p;
        while (q < old.size() - p && q < t.size() - p && old[old.size() - 1 - q] == t[t.size() - 1 - q]) ++q;
        const qsizetype room = std::max<qsizetype>(0, cw->textLimit - (p + q));
        const qsizetype typed = std::min(room, t.size() - q - p);
        cw->lastText = old.left(p) + t.mid(p, typed) + old.right(q);
        e->setText(cw->lastText);
        e->setCursorPosition(int(p + typed));
    });
}

QWidget *controlWidget(Window *c, const rc::Control &rcc, QWidget *parent) {
    const HWND hc = hwndOf(c);
    const QString text = QString::fromUtf8(rcc.text.c_str());
    auto clicks = [hc](QAbstractButton *b) {
        QObject::connect(b, &QAbstractButton::clicked, [hc] {
            if (Window *cw = win(hc)) clickControl(cw);
        });
        return b;
    };
    if (rcc.cls == "BUTTON") {
        switch (rcc.style & 0x0F) {
        case BS_GROUPBOX: return new QGroupBox(text, parent);
        case BS_AUTORADIOBUTTON: {
            auto *r = new QRadioButton(text, parent);
            r->setAutoExclusive(false);  // the layer checks the group, as Windows does
            c->radio = true;
            return clicks(r);
        }
        default: {
            auto *b = new QPushButton(text, parent);
            b->setDefault((rcc.style & 0x0F) == BS_DEFPUSHBUTTON);
            b->setAutoDefault(true);
            return clicks(b);
        }
        }
    }
    if (rcc.cls == "EDIT") {
        if (rcc.style & ES_MULTILINE) {
            auto *e = new QPlainTextEdit(parent);
            e->setReadOnly(rcc.style & ES_READONLY);
            e->setVerticalScrollBarPolicy(rcc.style & WS_VSCROLL ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAsNeeded);
            e->setTabChangesFocus(true);
            return e;
        }
        auto *e = new QLineEdit(parent);
        limitTyping(hc, e);
        return e;
    }
    if ((rcc.style & 0x1F) == SS_ETCHEDFRAME) {
        auto *f = new QFrame(parent);
        f->setFrameShape(QFrame::Box);
        f->setFrameShadow(QFrame::Sunken);
        return f;
    }
    auto *l = new QLabel(text, parent);
    l->setTextFormat(Qt::PlainText);
    return l;
}

Window *makeControl(Window *dlg, const rc::Control &rcc, const QSize &base, QWidget *parent) {
    auto *c = new Window;
    c->owner = dlg;
    c->isControl = true;
    c->ctrlId = rcc.id;
    c->style = rcc.style;
    registerWindow(c);
    QWidget *w = controlWidget(c, rcc, parent);
    c->widget = w;
    // As Windows maps a template's rectangle: each edge on its own, rounded to the nearest pixel.
    const int left = dluToPixels(rcc.x, base.width(), 4), top = dluToPixels(rcc.y, base.height(), 8);
    w->setGeometry(left, top, dluToPixels(rcc.x + rcc.w, base.width(), 4) - left, dluToPixels(rcc.y + rcc.h, base.height(), 8) - top);
    if (rcc.style & WS_TABSTOP)
        w->setFocusPolicy(Qt::StrongFocus);
    else if (!qobject_cast<QLineEdit *>(w))
        w->setFocusPolicy(Qt::NoFocus);
    return c;
}

}  // namespace

QSize dialogBaseUnits() { return baseUnits(dialogFont("MS Sans Serif", 8)); }

Window *createDialog(LPCSTR name, HWND owner, DLGPROC proc, LPARAM param, bool modal) {
    if (!name || IS_INTRESOURCE(name)) return nullptr;
    const rc::Dialog *t = rc::ModuleScript().dialog(name);
    if (!t) return nullptr;
    auto *w = new Window;
    w->isDialog = true;
    w->proc = dialogWindowProc;
    w->dlgProc = proc;
    w->style = t->style;
    w->owner = win(owner);
    w->templateName = t->name;
    registerWindow(w);

    QWidget *parentWidget = w->owner ? w->owner->widget.data() : nullptr;
    auto *d = new DialogWidget(w, parentWidget);
    w->widget = d;
    d->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    const QFont &font = dialogFont(t->fontName, t->fontSize);
    d->setFont(font);
    d->setWindowTitle(QString::fromUtf8(t->caption.c_str()));
    const QSize base = baseUnits(font);
    d->setFixedSize(dluToPixels(t->w, base.width(), 4), dluToPixels(t->h, base.height(), 8));
    if (modal) d->setWindowModality(Qt::ApplicationModal);
    // Tests read what the program drew, never the screen: their dialogs are not painted.
    if (host::hooks().testMode) d->setUpdatesEnabled(false);

    QWidget *prevTab = nullptr;
    Window *firstTab = nullptr;
    for (const rc::Control &rcc : t->controls) {
        Window *c = makeControl(w, rcc, base, d);
        w->controls.push_back(c);
        if (rcc.style & WS_TABSTOP) {
            if (prevTab) QWidget::setTabOrder(prevTab, c->widget);
            prevTab = c->widget;
            if (!firstTab) firstTab = c;
        }
    }
    // Group boxes and frames are drawn behind the controls they frame, so clicks reach those.
    for (Window *c : w->controls)
        if (qobject_cast<QFrame *>(c->widget.data()) && !qobject_cast<QLabel *>(c->widget.data())) c->widget->lower();
    if (parentWidget) d->move(parentWidget->geometry().center() - d->rect().center());

    const HWND h = hwndOf(w);
    const INT_PTR focus = proc ? proc(h, WM_INITDIALOG, WPARAM(hwndOf(firstTab)), param) : TRUE;
    if (!win(h)) return nullptr;
    if (t->style & WS_VISIBLE) {
        d->show();
        d->activateWindow();  // a new dialog takes the keyboard, as on Windows
    }
    if (focus && firstTab) firstTab->widget->setFocus();
    return w;
}

void sendCommand(Window *dlg, int id) {
    if (!dlg || dlg->destroyed) return;
    Window *c = childById(dlg, id);
    SendMessageA(hwndOf(dlg), WM_COMMAND, MAKEWPARAM(id, 0), LPARAM(hwndOf(c)));
}

void clickControl(Window *c) {
    if (!c || !c->owner) return;
    if (c->radio)
        for (Window *o : radioGroup(c)) setChecked(o, o == c);
    sendCommand(c->owner, c->ctrlId);
}

}  // namespace user32

using namespace user32;

/* DialogBoxParamA (user32) */
INT_PTR WINAPI DialogBoxParamA(HINSTANCE, LPCSTR name, HWND owner, DLGPROC proc, LPARAM param) {
    host::ensureApplication();
    ModalScope scope;  // w is read after the dialog ends
    Window *w = createDialog(name, owner, proc, param, true);
    if (!w) return -1;
    const HWND h = hwndOf(w);
    if (host::hooks().testMode) {
        if (host::hooks().dialog)
            host::hooks().dialog(h);
        else
            host::fail("unexpected dialog box \"" + w->templateName + "\" (no driver installed)");
        if (win(h) && !w->ended) {
            if (host::hooks().dialog) host::fail("the driver left dialog \"" + w->templateName + "\" open");
            EndDialog(h, 0);
        }
    } else {
        modalLoop([w] { return w->ended || w->destroyed; }, h);
    }
    const INT_PTR r = w->result;
    if (!w->destroyed) destroyWindow(w);
    reactivateOwner(owner);
    return r;
}

/* CreateDialogParamA (user32) */
HWND WINAPI CreateDialogParamA(HINSTANCE, LPCSTR name, HWND owner, DLGPROC proc, LPARAM param) {
    host::ensureApplication();
    return hwndOf(createDialog(name, owner, proc, param, false));
}

/* EndDialog (user32) */
BOOL WINAPI EndDialog(HWND hDlg, INT_PTR result) {
    Window *w = win(hDlg);
    if (!w || !w->isDialog) return FALSE;
    w->ended = true;
    w->result = result;
    if (w->widget) w->widget->hide();
    postMessage(nullptr, WM_NULL, 0, 0);  // lets a modal loop waiting for input see the end
    return TRUE;
}

/* SetDlgItemTextA (user32) */
BOOL WINAPI SetDlgItemTextA(HWND hDlg, int id, LPCSTR s) {
    Window *c = childById(win(hDlg), id);
    if (!c || !c->widget) return FALSE;
    const QString t = host::fromAnsi(s ? s : "");
    if (auto *e = qobject_cast<QLineEdit *>(c->widget.data())) {
        e->setText(t);
        c->lastText = t;
    } else if (auto *e = qobject_cast<QPlainTextEdit *>(c->widget.data())) {
        e->setPlainText(QString(t).replace("\r\n", "\n"));
    } else {
        return FALSE;
    }
    return TRUE;
}

/* GetDlgItemTextA (user32) */
UINT WINAPI GetDlgItemTextA(HWND hDlg, int id, LPSTR s, int n) {
    if (!s || n <= 0) return 0;
    Window *c = childById(win(hDlg), id);
    QString t;
    if (auto *e = c ? qobject_cast<QLineEdit *>(c->widget.data()) : nullptr) t = e->text();
    if (auto *e = c ? qobject_cast<QPlainTextEdit *>(c->widget.data()) : nullptr) t = e->toPlainText().replace("\n", "\r\n");
    const std::string a = host::toAnsi(t);
    const size_t k = std::min(a.size(), size_t(n - 1));
    memcpy(s, a.data(), k);
    s[k] = 0;
    return UINT(k);
}

/* SetDlgItemInt (user32) */
BOOL WINAPI SetDlgItemInt(HWND hDlg, int id, UINT value, BOOL) {
    char buf[16];
    snprintf(buf, sizeof buf, "%u", value);
    return SetDlgItemTextA(hDlg, id, buf);
}

/* GetDlgItemInt (user32) */
UINT WINAPI GetDlgItemInt(HWND hDlg, int id, BOOL *ok, BOOL) {
    if (ok) *ok = FALSE;
    char buf[64];
    if (!childById(win(hDlg), id)) return 0;
    GetDlgItemTextA(hDlg, id, buf, sizeof buf);
    const char *p = buf;
    while (*p == ' ' || *p == '\t') ++p;
    if (!isdigit(static_cast<unsigned char>(*p))) return 0;
    unsigned long long v = 0;
    while (isdigit(static_cast<unsigned char>(*p))) {
        v = v * 10 + unsigned(*p++ - '0');
        if (v > UINT_MAX) return 0;
    }
    while (*p == ' ' || *p == '\t') ++p;
    if (*p) return 0;  // something after the number: not a number
    if (ok) *ok = TRUE;
    return UINT(v);
}

/* CheckRadioButton (user32) */
BOOL WINAPI CheckRadioButton(HWND hDlg, int first, int last, int check) {
    Window *d = win(hDlg);
    if (!d) return FALSE;
    for (Window *c : d->controls)
        if (c->ctrlId >= first && c->ctrlId <= last) setChecked(c, c->ctrlId == check);
    return TRUE;
}

/* SendDlgItemMessageA (user32) */
LRESULT WINAPI SendDlgItemMessageA(HWND hDlg, int id, UINT m, WPARAM wp, LPARAM lp) {
    Window *c = childById(win(hDlg), id);
    if (!c) return 0;
    if (m == EM_LIMITTEXT) c->textLimit = wp == 0 ? 0x7FFFFFFE : int(std::min<WPARAM>(wp, 0x7FFFFFFE));
    auto *e = qobject_cast<QLineEdit *>(c->widget.data());
    // EM_SETSEL as the program sends it: (0, -1), the whole text.
    if (m == EM_SETSEL && e && wp == 0 && lp == -1) e->selectAll();
    return 0;
}

/* GetDlgItem (user32) */
HWND WINAPI GetDlgItem(HWND hDlg, int id) {
    Window *c = childById(win(hDlg), id);
    return c ? hwndOf(c) : nullptr;
}

/* SetFocus (user32) */
// The keyboard to a control of a dialog. Returns null: which window had it is not kept.
HWND WINAPI SetFocus(HWND hWnd) {
    Window *w = win(hWnd);
    if (w && w->widget) w->widget->setFocus();
    return nullptr;
}
