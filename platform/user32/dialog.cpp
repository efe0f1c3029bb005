// USER32 dialog boxes built from the templates of the resource script, and their controls.
// Sizes are in dialog units, turned into pixels by the dialog font's average character size.
#include "qt/host.h"
#include "rc/rc.h"
#include "rc/resources.h"

#include <QCloseEvent>
#include <QDialog>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <cctype>
#include <climits>
#include <cstring>

using namespace host;

namespace {
// MulDiv(units, base, per): dialog units to pixels, rounded half away from zero as Windows does.
int dluToPixels(int units, int base, int per) {
    const long long p = (long long)units * base;
    return int(p >= 0 ? (p + per / 2) / per : -((-p + per / 2) / per));
}
}  // namespace

namespace {

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

// Made once: every dialog and every control of it asks for it.
const QFont &dialogFont() {
    static const QFont *font = new QFont(makeFont("MS Sans Serif", -11, 400, false));
    return *font;
}

QString controlText(Window *c) {
    QWidget *wd = c->widget;
    if (!wd) return {};
    if (auto *e = qobject_cast<QLineEdit *>(wd)) return e->text();
    if (auto *e = qobject_cast<QPlainTextEdit *>(wd)) return e->toPlainText().replace("\n", "\r\n");
    if (auto *b = qobject_cast<QAbstractButton *>(wd)) return b->text();
    if (auto *g = qobject_cast<QGroupBox *>(wd)) return g->title();
    if (auto *l = qobject_cast<QLabel *>(wd)) return l->text();
    return wd->windowTitle();
}

void setControlText(Window *c, const QString &t) {
    QWidget *wd = c->widget;
    if (!wd) return;
    if (auto *e = qobject_cast<QLineEdit *>(wd)) {
        e->setText(t);
        c->lastText = t;
    } else if (auto *e = qobject_cast<QPlainTextEdit *>(wd)) {
        QString s = t;
        e->setPlainText(s.replace("\r\n", "\n"));
    } else if (auto *b = qobject_cast<QAbstractButton *>(wd)) {
        b->setText(t);
    } else if (auto *g = qobject_cast<QGroupBox *>(wd)) {
        g->setTitle(t);
    } else if (auto *l = qobject_cast<QLabel *>(wd)) {
        l->setText(t);
    }
}

bool isRadio(Window *c) { return c->className == "BUTTON" && (c->style & 0x0F) == BS_AUTORADIOBUTTON; }

// The radio group of a control: from the control with WS_GROUP before it to the next one.
std::vector<Window *> radioGroup(Window *c) {
    Window *dlg = c->owner;
    auto &cs = dlg->controls;
    size_t i = 0;
    while (i < cs.size() && cs[i] != c) ++i;
    size_t start = i;
    while (start > 0 && !(cs[start]->style & WS_GROUP)) --start;
    size_t end = i + 1;
    while (end < cs.size() && !(cs[end]->style & WS_GROUP)) ++end;
    std::vector<Window *> out;
    for (size_t k = start; k < end; ++k)
        if (isRadio(cs[k])) out.push_back(cs[k]);
    return out;
}

void setChecked(Window *c, bool on) {
    if (auto *b = qobject_cast<QAbstractButton *>(c->widget.data())) {
        QSignalBlocker block(b);
        b->setChecked(on);
    }
}

Window *makeControl(Window *dlg, const rc::Control &rcc, const QSize &base, QWidget *parent) {
    auto *c = new Window;
    c->owner = dlg;
    c->ctrlId = rcc.id;
    c->className = rcc.cls;
    c->style = rcc.style;
    registerWindow(c);
    HWND hc = hwndOf(c);
    QString text = QString::fromUtf8(rcc.text.c_str());
    QWidget *w = nullptr;
    if (rcc.cls == "BUTTON") {
        int kind = int(rcc.style & 0x0F);
        if (kind == BS_GROUPBOX) {
            w = new QGroupBox(text, parent);
        } else if (kind == BS_AUTORADIOBUTTON) {
            auto *r = new QRadioButton(text, parent);
            r->setAutoExclusive(false);
            QObject::connect(r, &QAbstractButton::clicked, [hc] {
                if (Window *cw = win(hc)) clickControl(cw);
            });
            w = r;
        } else {
            auto *b = new QPushButton(text, parent);
            b->setDefault(kind == BS_DEFPUSHBUTTON);
            b->setAutoDefault(true);
            QObject::connect(b, &QAbstractButton::clicked, [hc] {
                if (Window *cw = win(hc)) clickControl(cw);
            });
            w = b;
        }
    } else if (rcc.cls == "EDIT") {
        if (rcc.style & ES_MULTILINE) {
            auto *e = new QPlainTextEdit(parent);
            e->setReadOnly(rcc.style & ES_READONLY);
            e->setVerticalScrollBarPolicy((rcc.style & WS_VSCROLL) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAsNeeded);
            e->setTabChangesFocus(true);
            w = e;
        } else {
            auto *e = new QLineEdit(parent);
            e->setReadOnly(rcc.style & ES_READONLY);
            // The text limit holds for what is typed or pasted, as EM_LIMITTEXT does: an insertion is
            // cut to what still fits, and deleting always works, also in a text the program made
            // longer than the limit.
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
                const qsizetype kept = old.size() - (old.size() - q - p);
                const qsizetype room = std::max<qsizetype>(0, cw->textLimit - kept);
                const QString cut = old.left(p) + t.mid(p, std::min(room, t.size() - q - p)) + old.right(q);
                cw->lastText = cut;
                e->setText(cut);
                e->setCursorPosition(int(p + std::min(room, t.size() - q - p)));
            });
            w = e;
        }
    } else {
        if ((rcc.style & 0x1F) == SS_ETCHEDFRAME) {
            auto *f = new QFrame(parent);
            f->setFrameShape(QFrame::Box);
            f->setFrameShadow(QFrame::Sunken);
            w = f;
        } else {
            auto *l = new QLabel(text, parent);
            l->setTextFormat(Qt::PlainText);
            w = l;
        }
    }
    c->widget = w;
    // As Windows maps a template's rectangle: each edge on its own, rounded to the nearest pixel.
    const int left = dluToPixels(rcc.x, base.width(), 4), top = dluToPixels(rcc.y, base.height(), 8);
    w->setGeometry(left, top, dluToPixels(rcc.x + rcc.w, base.width(), 4) - left,
                   dluToPixels(rcc.y + rcc.h, base.height(), 8) - top);
    if (rcc.style & WS_TABSTOP)
        w->setFocusPolicy(Qt::StrongFocus);
    else if (!qobject_cast<QLineEdit *>(w))
        w->setFocusPolicy(Qt::NoFocus);
    if (rcc.style & WS_DISABLED) w->setEnabled(false);
    return c;
}

}  // namespace

QSize host::dialogBaseUnits() {
    static QSize base;
    if (base.isEmpty()) {
        QFontMetrics m(dialogFont());
        int cx = m.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
        base = QSize((cx / 26 + 1) / 2, m.height());
    }
    return base;
}

Window *host::createDialog(HINSTANCE, LPCSTR name, HWND owner, DLGPROC proc, LPARAM param, bool modal) {
    if (!name || IS_INTRESOURCE(name)) return nullptr;
    const rc::Dialog *t = rc::ModuleScript().dialog(name);
    if (!t) return nullptr;
    auto *w = new Window;
    w->isDialog = true;
    w->modal = modal;
    w->dlgProc = proc;
    w->style = t->style;
    w->owner = win(owner);
    w->templateName = t->name;
    registerWindow(w);

    QWidget *parentWidget = w->owner ? w->owner->widget.data() : nullptr;
    auto *d = new DialogWidget(w, parentWidget);
    w->widget = d;
    d->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    d->setFont(dialogFont());
    d->setWindowTitle(QString::fromUtf8(t->caption.c_str()));
    QSize base = dialogBaseUnits();
    d->setFixedSize(dluToPixels(t->w, base.width(), 4), dluToPixels(t->h, base.height(), 8));
    if (modal) d->setWindowModality(Qt::ApplicationModal);
    // Tests read what the program drew, never the screen: their dialogs are not painted.
    if (hooks().testMode) d->setUpdatesEnabled(false);

    QWidget *prevTab = nullptr;
    for (const rc::Control &rcc : t->controls) {
        Window *c = makeControl(w, rcc, base, d);
        w->controls.push_back(c);
        if (rcc.style & WS_TABSTOP) {
            if (prevTab) QWidget::setTabOrder(prevTab, c->widget);
            prevTab = c->widget;
        }
    }
    // Group boxes are drawn behind the controls they frame, so clicks reach those controls.
    for (Window *c : w->controls)
        if (qobject_cast<QGroupBox *>(c->widget.data()) || qobject_cast<QFrame *>(c->widget.data()))
            if (!qobject_cast<QLabel *>(c->widget.data())) c->widget->lower();

    if (parentWidget) d->move(parentWidget->geometry().center() - d->rect().center());

    Window *firstTab = nullptr;
    for (Window *c : w->controls)
        if (c->style & WS_TABSTOP) {
            firstTab = c;
            break;
        }
    HWND h = hwndOf(w);
    INT_PTR focus = proc ? proc(h, WM_INITDIALOG, WPARAM(firstTab ? hwndOf(firstTab) : nullptr), param) : TRUE;
    if (!win(h)) return nullptr;
    if (t->style & WS_VISIBLE) {
        d->show();
        d->activateWindow();  // a new dialog takes the keyboard, as on Windows
    }
    if (focus && firstTab && firstTab->widget) firstTab->widget->setFocus();
    return w;
}

void host::sendCommand(Window *dlg, int id, int code) {
    if (!dlg || dlg->destroyed) return;
    Window *c = childById(dlg, id);
    SendMessageA(hwndOf(dlg), WM_COMMAND, MAKEWPARAM(id, code), LPARAM(c ? hwndOf(c) : nullptr));
}

void host::clickControl(Window *c) {
    if (!c || !c->owner) return;
    if (c->widget && !c->widget->isEnabled()) return;
    if (isRadio(c)) {
        for (Window *o : radioGroup(c)) setChecked(o, o == c);
    }
    sendCommand(c->owner, c->ctrlId, 0 /* BN_CLICKED */);
}

LRESULT host::defDialogProc(Window *dlg, UINT m, WPARAM, LPARAM) {
    if (m == WM_CLOSE) sendCommand(dlg, IDCANCEL);
    return 0;
}

LRESULT host::controlMessage(Window *c, UINT m, WPARAM wp, LPARAM lp) {
    switch (m) {
    case WM_SETTEXT:
        setControlText(c, fromAnsi(reinterpret_cast<const char *>(lp)));
        return TRUE;
    case WM_GETTEXT: {
        if (wp == 0 || !lp) return 0;
        std::string t = toAnsi(controlText(c));
        size_t k = std::min(t.size(), size_t(wp - 1));
        memcpy(reinterpret_cast<char *>(lp), t.data(), k);
        reinterpret_cast<char *>(lp)[k] = 0;
        return LRESULT(k);
    }
    case EM_LIMITTEXT:
        c->textLimit = wp == 0 ? 0x7FFFFFFE : int(std::min<WPARAM>(wp, 0x7FFFFFFE));
        return 0;
    case BM_GETCHECK:
        if (auto *b = qobject_cast<QAbstractButton *>(c->widget.data())) return b->isChecked() ? BST_CHECKED : BST_UNCHECKED;
        return 0;
    case BM_SETCHECK:
        setChecked(c, wp == BST_CHECKED);
        return 0;
    case BM_CLICK:
        clickControl(c);
        return 0;
    default:
        return 0;
    }
}

/* DialogBoxParamA (user32) */
INT_PTR WINAPI DialogBoxParamA(HINSTANCE inst, LPCSTR name, HWND owner, DLGPROC proc, LPARAM param) {
    ensureApplication();
    ModalScope scope;  // w is read after the dialog ends
    Window *w = createDialog(inst, name, owner, proc, param, true);
    if (!w) return -1;
    HWND h = hwndOf(w);
    if (hooks().testMode) {
        if (hooks().dialog)
            hooks().dialog(w);
        else
            fail("unexpected dialog box \"" + w->templateName + "\" (no driver installed)");
        if (win(h) && !w->ended) {
            if (hooks().dialog) fail("the driver left dialog \"" + w->templateName + "\" open");
            EndDialog(h, 0);
        }
    } else {
        modalLoop([w] { return w->ended || w->destroyed; }, h);
    }
    INT_PTR r = w->result;
    if (!w->destroyed) destroyWindow(w);
    reactivateOwner(owner);
    return r;
}

/* CreateDialogParamA (user32) */
HWND WINAPI CreateDialogParamA(HINSTANCE inst, LPCSTR name, HWND owner, DLGPROC proc, LPARAM param) {
    ensureApplication();
    Window *w = createDialog(inst, name, owner, proc, param, false);
    return w ? hwndOf(w) : nullptr;
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

/* GetDlgItem (user32) */
HWND WINAPI GetDlgItem(HWND hDlg, int id) {
    Window *c = childById(win(hDlg), id);
    return c ? hwndOf(c) : nullptr;
}

/* SetDlgItemTextA (user32) */
BOOL WINAPI SetDlgItemTextA(HWND hDlg, int id, LPCSTR s) {
    Window *c = childById(win(hDlg), id);
    if (!c) return FALSE;
    controlMessage(c, WM_SETTEXT, 0, LPARAM(s ? s : ""));
    return TRUE;
}

/* GetDlgItemTextA (user32) */
UINT WINAPI GetDlgItemTextA(HWND hDlg, int id, LPSTR s, int n) {
    Window *c = childById(win(hDlg), id);
    if (!s || n <= 0) return 0;
    if (!c) {
        s[0] = 0;
        return 0;
    }
    return UINT(controlMessage(c, WM_GETTEXT, WPARAM(n), LPARAM(s)));
}

/* SetDlgItemInt (user32) */
BOOL WINAPI SetDlgItemInt(HWND hDlg, int id, UINT value, BOOL bSigned) {
    char buf[16];
    if (bSigned)
        snprintf(buf, sizeof buf, "%d", int(value));
    else
        snprintf(buf, sizeof buf, "%u", value);
    return SetDlgItemTextA(hDlg, id, buf);
}

/* GetDlgItemInt (user32) */
UINT WINAPI GetDlgItemInt(HWND hDlg, int id, BOOL *ok, BOOL bSigned) {
    if (ok) *ok = FALSE;
    char buf[64];
    if (!childById(win(hDlg), id)) return 0;
    GetDlgItemTextA(hDlg, id, buf, sizeof buf);
    const char *p = buf;
    while (*p == ' ' || *p == '\t') ++p;
    bool neg = false;
    if (bSigned && *p == '-') {
        neg = true;
        ++p;
    }
    if (!isdigit(static_cast<unsigned char>(*p))) return 0;
    unsigned long long v = 0;
    while (isdigit(static_cast<unsigned char>(*p))) {
        v = v * 10 + unsigned(*p++ - '0');
        if (v > (bSigned ? (unsigned long long)INT_MAX + (neg ? 1 : 0) : (unsigned long long)UINT_MAX)) return 0;
    }
    while (*p == ' ' || *p == '\t') ++p;
    if (*p) return 0;  // something after the number: not a number
    if (ok) *ok = TRUE;
    return neg ? UINT(-(long long)v) : UINT(v);
}

/* CheckRadioButton (user32) */
BOOL WINAPI CheckRadioButton(HWND hDlg, int first, int last, int check) {
    Window *d = win(hDlg);
    if (!d) return FALSE;
    for (Window *c : d->controls)
        if (c->ctrlId >= first && c->ctrlId <= last) setChecked(c, c->ctrlId == check);
    return TRUE;
}

/* IsDlgButtonChecked (user32) */
UINT WINAPI IsDlgButtonChecked(HWND hDlg, int id) {
    Window *c = childById(win(hDlg), id);
    return c ? UINT(controlMessage(c, BM_GETCHECK, 0, 0)) : 0;
}

/* SendDlgItemMessageA (user32) */
LRESULT WINAPI SendDlgItemMessageA(HWND hDlg, int id, UINT m, WPARAM wp, LPARAM lp) {
    Window *c = childById(win(hDlg), id);
    return c ? controlMessage(c, m, wp, lp) : 0;
}
