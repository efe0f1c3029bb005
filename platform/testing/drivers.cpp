// The drivers of message boxes, dialogs and file dialogs, which act on the real windows through
// the paths a person's input takes.
#include "testing/wintest.h"

#include "comdlg32.h"
#include "user32.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>

using namespace user32;
using host::fail;
using host::fromAnsi;
using host::hooks;
using host::toAnsi;

namespace wintest {

namespace {
DialogDrivers *activeDrivers = nullptr;

Window *control(HWND dlg, int id) {
    Window *c = childById(win(dlg), id);
    if (!c) fail("dialog has no control " + std::to_string(id));
    return c;
}

void sendKey(QWidget *w, int key, const QString &text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(w, &release);
}
}  // namespace

// ---------------------------------------------------------------- message boxes
MessageBoxLog::MessageBoxLog(int answer) : answer_(answer) {
    hooks().messageBox = [this](HWND owner, const std::string &text, const std::string &caption, UINT type) {
        calls_.push_back(MessageBoxCall{owner, text, caption, type});
        return answer_;
    };
}
MessageBoxLog::~MessageBoxLog() { hooks().messageBox = nullptr; }
std::vector<std::string> MessageBoxLog::texts() const {
    std::vector<std::string> out;
    for (auto &c : calls_) out.push_back(c.text);
    return out;
}

MessageBoxShown RunMessageBox(HWND owner, const char *text, UINT type, const std::string &press) {
    MessageBoxShown shown;
    QTimer::singleShot(0, [&] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *box = qobject_cast<QMessageBox *>(w); box && box->isVisible()) {
                const char *icons[] = {"none", "information", "warning", "critical", "question"};
                shown.icon = icons[box->icon()];
                QAbstractButton *chosen = nullptr;
                for (auto [which, name] : {std::pair{QMessageBox::Yes, "Yes"},
                                           {QMessageBox::No, "No"},
                                           {QMessageBox::Cancel, "Cancel"},
                                           {QMessageBox::Ok, "OK"}})
                    if (QAbstractButton *b = box->button(which)) {
                        shown.buttons += std::string(shown.buttons.empty() ? "" : " ") + name;
                        if (press == name) chosen = b;
                    }
                if (chosen)
                    chosen->click();
                else
                    sendKey(box, Qt::Key_Escape);
                return;
            }
        fail("RunMessageBox: no message box showed");
    });
    hooks().testMode = false;
    shown.result = MessageBoxA(owner, text, "Orbix", type);
    hooks().testMode = true;
    return shown;
}

// ---------------------------------------------------------------- dialogs
std::string Dialog::templateName() const {
    Window *w = win(hDlg_);
    return w ? w->templateName : std::string();
}
std::string Dialog::caption() const {
    Window *w = win(hDlg_);
    return w && w->widget ? toAnsi(w->widget->windowTitle()) : std::string();
}
std::string Dialog::fieldText(int id) const {
    char buf[8192];
    GetDlgItemTextA(hDlg_, id, buf, sizeof buf);
    return buf;
}
void Dialog::setFieldText(int id, std::string_view s) {
    if (Window *c = control(hDlg_, id)) SetDlgItemTextA(hDlg_, c->ctrlId, std::string(s).c_str());
}
void Dialog::type(int id, std::string_view s) {
    Window *c = control(hDlg_, id);
    if (!c || !c->widget) return;
    c->widget->setFocus();
    if (auto *e = qobject_cast<QLineEdit *>(c->widget.data())) {
        e->selectAll();
        sendKey(e, Qt::Key_Delete);
    }
    QString t = fromAnsi(s.data(), int(s.size()));
    for (QChar ch : t) sendKey(c->widget, 0, QString(ch));
}
void Dialog::key(int id, EditKey k, bool shift) {
    Window *c = control(hDlg_, id);
    if (!c || !c->widget) return;
    c->widget->setFocus();
    static const int keys[] = {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Home, Qt::Key_End, Qt::Key_Left, Qt::Key_Right};
    QKeyEvent press(QEvent::KeyPress, keys[k], shift ? Qt::ShiftModifier : Qt::NoModifier);
    QCoreApplication::sendEvent(c->widget, &press);
    QKeyEvent release(QEvent::KeyRelease, keys[k], shift ? Qt::ShiftModifier : Qt::NoModifier);
    QCoreApplication::sendEvent(c->widget, &release);
}
void Dialog::paste(int id, std::string_view s) {
    Window *c = control(hDlg_, id);
    if (!c || !c->widget) return;
    c->widget->setFocus();
    QGuiApplication::clipboard()->setText(fromAnsi(s.data(), int(s.size())));
    QKeyEvent press(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier);
    QCoreApplication::sendEvent(c->widget, &press);
}
void Dialog::typeAtEnd(int id, std::string_view s) {
    Window *c = control(hDlg_, id);
    if (!c || !c->widget) return;
    c->widget->setFocus();
    if (auto *e = qobject_cast<QLineEdit *>(c->widget.data())) e->end(false);
    QString t = fromAnsi(s.data(), int(s.size()));
    for (QChar ch : t) sendKey(c->widget, 0, QString(ch));
}
void Dialog::typeAtFocus(std::string_view s) {
    Window *w = win(hDlg_);
    QWidget *target = w && w->widget ? w->widget->focusWidget() : nullptr;
    if (!target) return;
    for (QChar ch : fromAnsi(s.data(), int(s.size()))) sendKey(target, 0, QString(ch));
}
int Dialog::textLimit(int id) const {
    Window *c = control(hDlg_, id);
    return c ? c->textLimit : 0;
}
bool Dialog::checked(int id) const {
    Window *c = control(hDlg_, id);
    auto *b = c ? qobject_cast<QAbstractButton *>(c->widget.data()) : nullptr;
    return b && b->isChecked();
}
bool Dialog::readOnly(int id) const {
    Window *c = control(hDlg_, id);
    if (!c) return false;
    if (auto *e = qobject_cast<QLineEdit *>(c->widget.data())) return e->isReadOnly();
    if (auto *e = qobject_cast<QPlainTextEdit *>(c->widget.data())) return e->isReadOnly();
    return false;
}
bool Dialog::exists(int id) const { return childById(win(hDlg_), id) != nullptr; }
bool Dialog::isDefaultButton(int id) const {
    Window *c = control(hDlg_, id);
    auto *b = c ? qobject_cast<QPushButton *>(c->widget.data()) : nullptr;
    return b && b->isDefault();
}
RECT Dialog::controlRect(int id) const {
    Window *c = control(hDlg_, id);
    if (!c || !c->widget) return RECT{};
    QRect g = c->widget->geometry();
    return RECT{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
}
void Dialog::click(int id) {
    Window *c = control(hDlg_, id);
    if (!c) return;
    if (auto *b = qobject_cast<QAbstractButton *>(c->widget.data()))
        b->click();  // the same signal a mouse click gives
    else
        clickControl(c);
}
void Dialog::pressEnter() {
    Window *w = win(hDlg_);
    if (!w || !w->widget) return;
    // Where a person's key goes: the focused control, which passes it on as it would.
    QWidget *target = w->widget->focusWidget() ? w->widget->focusWidget() : w->widget.data();
    sendKey(target, Qt::Key_Return);
}
void Dialog::pressEscape() {
    Window *w = win(hDlg_);
    if (w && w->widget) sendKey(w->widget, Qt::Key_Escape);
}
void Dialog::closeBox() {
    Window *w = win(hDlg_);
    if (w && w->widget) w->widget->close();
}
void Dialog::pressTab() {
    Window *w = win(hDlg_);
    if (w && w->widget) sendKey(w->widget->focusWidget() ? w->widget->focusWidget() : w->widget.data(), Qt::Key_Tab);
}
int Dialog::focusedId() const {
    Window *w = win(hDlg_);
    QWidget *f = w && w->widget ? w->widget->focusWidget() : nullptr;
    for (Window *c : w ? w->controls : std::vector<Window *>{})
        if (f && c->widget == f) return c->ctrlId;
    return 0;
}
bool Dialog::modal() const {
    Window *w = win(hDlg_);
    return w && w->widget && w->widget->isModal();
}
bool Dialog::visible() const {
    Window *w = win(hDlg_);
    return w && w->widget && w->widget->isVisible();
}

DialogDrivers::DialogDrivers() {
    activeDrivers = this;
    hooks().dialog = [](HWND h) {
        Window *w = win(h);
        DialogDrivers *d = activeDrivers;
        d->opened.push_back(w->templateName);
        if (d->used_ >= int(d->drivers_.size())) {
            fail("unexpected dialog box \"" + w->templateName + "\" (its driver was not given)");
            EndDialog(h, 0);  // cancelled, once reported
            return;
        }
        Dialog dlg(h);
        d->drivers_[size_t(d->used_++)](dlg);
    };
}
DialogDrivers::~DialogDrivers() {
    activeDrivers = nullptr;
    hooks().dialog = nullptr;
}
DialogDrivers &DialogDrivers::then(std::function<void(Dialog &)> driver) {
    drivers_.push_back(std::move(driver));
    return *this;
}

std::vector<HWND> LiveDialogs() {
    std::vector<HWND> out;
    for (Window *w : liveWindows())
        if (w->isDialog) out.push_back(hwndOf(w));
    return out;
}

// ---------------------------------------------------------------- print dialogs
PrintDialogDriver::PrintDialogDriver() {
    hooks().print = [this](LPPRINTDLGA pd) -> BOOL {
        flags.push_back(pd->Flags);
        if (next_ >= answers_.size()) {
            fail("unexpected print dialog (no answer given)");
            return FALSE;
        }
        const auto &answer = answers_[next_++];
        if (!answer.first) return FALSE;
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(QString::fromStdString(answer.second));
        pd->hDC = pd->Flags & PD_RETURNDC ? comdlg32::printerDc(std::move(printer)) : nullptr;
        return TRUE;
    };
}
PrintDialogDriver::~PrintDialogDriver() { hooks().print = nullptr; }
PrintDialogDriver &PrintDialogDriver::toFile(std::string path) {
    answers_.emplace_back(true, std::move(path));
    return *this;
}
PrintDialogDriver &PrintDialogDriver::cancel() {
    answers_.emplace_back(false, std::string());
    return *this;
}

// ---------------------------------------------------------------- file dialogs
FileDialogDriver::FileDialogDriver(bool save) : save_(save) {
    (save ? hooks().saveFile : hooks().openFile) = [this](LPOPENFILENAMEA ofn) -> BOOL {
        calls.push_back(FileDialogCall{comdlg32::fileFilters(ofn->lpstrFilter), ofn->nFilterIndex, ofn->lpstrFile ? ofn->lpstrFile : "",
                                       ofn->Flags, ofn->lpstrTitle ? ofn->lpstrTitle : "", ofn->lpstrDefExt ? ofn->lpstrDefExt : "",
                                       ofn->nMaxFile, ofn->nMaxFileTitle});
        if (next_ >= answers_.size()) {
            fail(std::string("unexpected ") + (save_ ? "save" : "open") + " dialog (no answer given)");
            return FALSE;
        }
        auto [ok, path] = answers_[next_++];
        if (!ok) return FALSE;
        if (!save_ && (ofn->Flags & OFN_FILEMUSTEXIST) && !QFileInfo(QString::fromLocal8Bit(path.c_str())).isFile()) {
            fail("the open dialog would not take " + path + ": no such file");
            return FALSE;
        }
        return comdlg32::deliverTypedPath(ofn, path);
    };
}
FileDialogDriver::~FileDialogDriver() { (save_ ? hooks().saveFile : hooks().openFile) = nullptr; }
FileDialogDriver &FileDialogDriver::answer(std::string path) {
    answers_.emplace_back(true, std::move(path));
    return *this;
}
FileDialogDriver &FileDialogDriver::cancel() {
    answers_.emplace_back(false, std::string());
    return *this;
}

FileRequest::FileRequest(const std::string &proposed, const char *filter, DWORD index, DWORD flags, const char *defExt) {
    snprintf(file, sizeof file, "%s", proposed.c_str());
    ofn.lStructSize = sizeof ofn;
    ofn.lpstrFilter = filter;
    ofn.nFilterIndex = index;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrFileTitle = title;
    ofn.nMaxFileTitle = sizeof title;
    ofn.Flags = flags;
    ofn.lpstrDefExt = defExt;
}

BOOL RunFileDialog(LPOPENFILENAMEA ofn, bool save, FilePerson *person) {
    if (person)
        QTimer::singleShot(0, [person] {
            QFileDialog *d = nullptr;
            for (QWidget *w : QApplication::topLevelWidgets())
                if (auto *f = qobject_cast<QFileDialog *>(w); f && f->isVisible()) d = f;
            auto *edit = d ? d->findChild<QLineEdit *>("fileNameEdit") : nullptr;
            if (!edit) {
                fail("RunFileDialog: no dialog of Qt's own showed");
                return;
            }
            person->shown = true;
            person->title = d->windowTitle().toStdString();
            person->directory = d->directory().absolutePath().toStdString();
            person->proposed = edit->text().toStdString();
            for (const QString &f : d->nameFilters()) person->filters.push_back(f.toStdString());
            person->selectedFilter = d->selectedNameFilter().toStdString();
            person->rightToLeft = d->layoutDirection() == Qt::RightToLeft;
            QCoreApplication::processEvents();
            person->active = d->isActiveWindow();
            // The keyboard is in the name field, as for a person typing into it.
            edit->setFocus();
            edit->selectAll();
            sendKey(edit, Qt::Key_Delete);
            for (QChar c : QString::fromLocal8Bit(person->typed.c_str())) sendKey(edit, 0, QString(c));
            QTimer::singleShot(0, [person] {
                for (QWidget *w : QApplication::topLevelWidgets())
                    if (auto *box = qobject_cast<QMessageBox *>(w); box && box->isVisible()) {
                        person->asked = true;
                        if (QAbstractButton *no = box->button(QMessageBox::No))
                            no->click();
                        else
                            box->reject();
                    }
            });
            sendKey(person->cancel ? static_cast<QWidget *>(d) : edit, person->cancel ? Qt::Key_Escape : Qt::Key_Return);
            if (d->isVisible()) {
                person->stayedOpen = true;
                d->reject();
            }
        });
    return comdlg32::runFileDialog(ofn, save);
}

void SetFailureHandler(std::function<void(const std::string &)> handler) { hooks().failure = std::move(handler); }

}  // namespace wintest
