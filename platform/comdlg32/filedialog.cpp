// COMDLG32 file dialogs (save and open): the desktop's own file dialog wherever the platform has
// one (Qt's platform file dialog: the XDG desktop portal, or the GTK or KDE dialog through the
// platform theme), Qt's own dialog where it has none (a bare X server).
#include "comdlg32.h"
#include "kernel32.h"
#include "user32.h"

#include <QAbstractItemView>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QItemSelectionModel>
#include <QLineEdit>

#include <cstdio>
#include <cstring>

using namespace user32;

namespace {
// lpstrFilter: pairs of NUL-terminated strings, ended by an empty string.
std::vector<std::pair<std::string, std::string>> filterPairs(LPCSTR f) {
    std::vector<std::pair<std::string, std::string>> out;
    while (f && *f) {
        std::string desc = f;
        f += desc.size() + 1;
        if (!*f) break;
        std::string pat = f;
        f += pat.size() + 1;
        out.emplace_back(desc, pat);
    }
    return out;
}

size_t nameOffset(const std::string &path) {
    size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? 0 : slash + 1;
}

// The name as the dialog hands it back: with the default extension when the typed name has
// none, as Windows completes it.
std::string completed(const OPENFILENAMEA *ofn, std::string path) {
    if (!ofn->lpstrDefExt || !*ofn->lpstrDefExt || path.empty()) return path;
    size_t off = nameOffset(path);
    if (off >= path.size()) return path;
    if (path.find('.', off) != std::string::npos) return path;
    std::string ext = ofn->lpstrDefExt;
    if (ext[0] == '.') ext.erase(0, 1);
    return path + "." + ext;
}

BOOL deliver(LPOPENFILENAMEA ofn, const std::string &path) {
    if (!ofn->lpstrFile || path.size() + 1 > ofn->nMaxFile) {
        comdlg32::extendedError() = FNERR_BUFFERTOOSMALL;
        return FALSE;
    }
    memcpy(ofn->lpstrFile, path.c_str(), path.size() + 1);
    if (ofn->lpstrFileTitle && ofn->nMaxFileTitle > 0) {
        std::string title = path.substr(nameOffset(path));
        size_t k = std::min(title.size(), size_t(ofn->nMaxFileTitle - 1));
        memcpy(ofn->lpstrFileTitle, title.data(), k);
        ofn->lpstrFileTitle[k] = 0;
    }
    return TRUE;
}

// Where the text typed into the name field points, read as Qt's dialog reads it: relative to the
// folder shown, "~" for the home folder.
QString typedPath(const QFileDialog &dlg, const QString &text) {
    QString t = text.trimmed();
    if (t.isEmpty()) return {};
    if (t == "~" || t.startsWith("~/")) t = QDir::homePath() + t.mid(1);
    return QDir::cleanPath(dlg.directory().absoluteFilePath(t));
}

// Qt's own dialog answers with the rows selected in its file list whenever there are any, and
// with the typed name only when none is. Its completion selects the file each keystroke names and
// drops the rows it selected before only while the name field has the keyboard focus; the first
// keystroke names the folder itself (an empty name) and a typed path names every folder on its
// way. So the list can be left holding the folder shown, or the file proposed, beside (or instead
// of) the typed one: then the Save button stays off, since the first row is "the folder, with no
// file name", and Enter does nothing. Dropping every row that is not exactly the typed file lets
// the dialog judge the name the person typed, as it does when nothing is selected.
void keepSelectionToTypedFile(QFileDialog &dlg, QLineEdit *edit, QAbstractItemView *list) {
    QObject::connect(edit, &QLineEdit::textChanged, &dlg, [&dlg, list](const QString &text) {
        QItemSelectionModel *sel = list->selectionModel();
        if (!sel) return;
        const QModelIndexList rows = sel->selectedRows();
        if (rows.isEmpty()) return;
        QString want = typedPath(dlg, text);
        bool same =
            rows.size() == 1 && !want.isEmpty() && QFileInfo(rows[0].data(QFileSystemModel::FilePathRole).toString()) == QFileInfo(want);
        if (!same) sel->clearSelection();
    });
}

// Every OPENFILENAMEA field the program uses, given to the dialog the same way whichever kind it
// turns out to be: Qt hands these options on to the platform's dialog.
QStringList setUp(QFileDialog &dlg, const OPENFILENAMEA *ofn, bool save) {
    dlg.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg.setFileMode(!save && (ofn->Flags & OFN_FILEMUSTEXIST) ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (!(ofn->Flags & OFN_OVERWRITEPROMPT)) dlg.setOption(QFileDialog::DontConfirmOverwrite);
    // The dialog's usual title ("Save As", "Open" in the user's language): Qt's own dialog would
    // find it by itself, a platform's dialog is shown with whatever title it is given.
    dlg.setWindowTitle(QFileDialog::tr(save ? "Save As" : "Open"));
    if (ofn->lpstrDefExt && *ofn->lpstrDefExt) {
        QString ext = host::fromAnsi(ofn->lpstrDefExt);
        dlg.setDefaultSuffix(ext.startsWith('.') ? ext.mid(1) : ext);
    }
    QStringList filters;
    for (auto &[desc, pat] : filterPairs(ofn->lpstrFilter)) {
        // Qt reads a filter's patterns from the parentheses that end its text, and shows the text
        // whole: a description that already ends with exactly those patterns is shown once.
        const QString d = host::fromAnsi(desc.c_str()), patterns = "(" + host::fromAnsi(pat.c_str()).replace(';', ' ') + ")";
        filters << (d.endsWith(patterns) ? d : d + " " + patterns);
    }
    if (!filters.isEmpty()) {
        dlg.setNameFilters(filters);
        int idx = ofn->nFilterIndex > 0 ? int(ofn->nFilterIndex) - 1 : 0;
        if (idx < filters.size()) dlg.selectNameFilter(filters[idx]);
    }
    QString initial = ofn->lpstrFile ? host::fromAnsi(ofn->lpstrFile) : QString();
    if (!initial.isEmpty()) {
        QFileInfo fi(initial);
        dlg.setDirectory(fi.absolutePath());
        dlg.selectFile(fi.fileName());
    }
    return filters;
}
}  // namespace

namespace comdlg32 {
std::vector<std::pair<std::string, std::string>> fileFilters(LPCSTR f) { return filterPairs(f); }
BOOL deliverTypedPath(LPOPENFILENAMEA ofn, const std::string &typed) {
    return deliverChosen(ofn, QString::fromUtf8(completed(ofn, typed).c_str()));
}

BOOL runFileDialog(LPOPENFILENAMEA ofn, bool save) {
    // Not DontUseNativeDialog: Qt shows the platform's dialog when its theme offers one, and builds
    // its own widgets only when none is offered.
    QFileDialog dlg(ownerWidget(ofn->hwndOwner));
    QStringList filters = setUp(dlg, ofn, save);
    // The files as the dialog accepted them: read afterwards, Qt's own dialog answers a new file
    // typed with its full path with the folder it has moved to instead.
    QStringList chosen;
    QObject::connect(&dlg, &QFileDialog::filesSelected, [&](const QStringList &files) { chosen = files; });
    const bool accepted = runModal(dlg, ofn->hwndOwner, [&] {
                              // Qt's own widgets exist only when the platform had no dialog to offer (or failed to show it).
                              auto *edit = dlg.findChild<QLineEdit *>("fileNameEdit");
                              auto *list = dlg.findChild<QAbstractItemView *>("listView");
                              if (edit && list && dlg.isVisible() && !dlg.testAttribute(Qt::WA_DontShowOnScreen))
                                  keepSelectionToTypedFile(dlg, edit, list);
                          }) == QDialog::Accepted;
    if (chosen.isEmpty()) chosen = dlg.selectedFiles();
    if (!accepted || chosen.isEmpty()) return FALSE;
    int idx = filters.indexOf(dlg.selectedNameFilter());
    if (idx >= 0) ofn->nFilterIndex = DWORD(idx + 1);
    return deliverChosen(ofn, chosen.first());
}

BOOL deliverChosen(LPOPENFILENAMEA ofn, const QString &path) {
    const QByteArray utf8 = path.toUtf8();
    bool whole = true;
    const std::string ansi = kernel32::ansiFromUtf8(utf8.constData(), size_t(utf8.size()), &whole);
    if (whole) return deliver(ofn, ansi);
    // The name with '?' where its characters were, for the program's message about it.
    comdlg32::extendedError() = FNERR_INVALIDFILENAME;
    if (ofn->lpstrFile && ofn->nMaxFile > 0) snprintf(ofn->lpstrFile, ofn->nMaxFile, "%s", ansi.c_str());
    return FALSE;
}
}  // namespace comdlg32

namespace {
BOOL runDialog(LPOPENFILENAMEA ofn, bool save) {
    host::ensureApplication();
    comdlg32::extendedError() = 0;
    if (!ofn) return FALSE;
    if (host::hooks().testMode) {
        auto &hook = save ? host::hooks().saveFile : host::hooks().openFile;
        if (hook) return hook(ofn);
        host::fail(save ? "unexpected save dialog (no driver installed)" : "unexpected open dialog (no driver installed)");
        return FALSE;
    }
    return comdlg32::runFileDialog(ofn, save);
}
}  // namespace

/* GetSaveFileNameA (comdlg32) */
BOOL WINAPI GetSaveFileNameA(LPOPENFILENAMEA ofn) { return runDialog(ofn, true); }

/* GetOpenFileNameA (comdlg32) */
BOOL WINAPI GetOpenFileNameA(LPOPENFILENAMEA ofn) { return runDialog(ofn, false); }

DWORD &comdlg32::extendedError() {
    static DWORD error = 0;
    return error;
}

/* CommDlgExtendedError (comdlg32) */
DWORD WINAPI CommDlgExtendedError(void) { return comdlg32::extendedError(); }
