// COMDLG32 file dialogs (save and open) over Qt's own file dialog.
#include "qt/host.h"

#include <QFileDialog>
#include <QFileInfo>

#include <cstring>

using namespace host;

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
    if (!ofn->lpstrFile || path.size() + 1 > ofn->nMaxFile) return FALSE;
    memcpy(ofn->lpstrFile, path.c_str(), path.size() + 1);
    size_t off = nameOffset(path);
    ofn->nFileOffset = WORD(off);
    size_t dot = path.find_last_of('.');
    ofn->nFileExtension = WORD(dot != std::string::npos && dot > off ? dot + 1 : path.size());
    if (ofn->lpstrFileTitle && ofn->nMaxFileTitle > 0) {
        std::string title = path.substr(off);
        size_t k = std::min(title.size(), size_t(ofn->nMaxFileTitle - 1));
        memcpy(ofn->lpstrFileTitle, title.data(), k);
        ofn->lpstrFileTitle[k] = 0;
    }
    return TRUE;
}

BOOL runDialog(LPOPENFILENAMEA ofn, bool save) {
    ensureApplication();
    if (!ofn) return FALSE;
    if (hooks().testMode) {
        auto &hook = save ? hooks().saveFile : hooks().openFile;
        if (hook) return hook(ofn);
        fail(save ? "unexpected save dialog (no driver installed)" : "unexpected open dialog (no driver installed)");
        return FALSE;
    }
    Window *o = win(ofn->hwndOwner);
    QFileDialog dlg(o && o->widget ? o->widget->window() : nullptr);
    dlg.setOption(QFileDialog::DontUseNativeDialog);
    dlg.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg.setFileMode(!save && (ofn->Flags & OFN_FILEMUSTEXIST) ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (!(ofn->Flags & OFN_OVERWRITEPROMPT)) dlg.setOption(QFileDialog::DontConfirmOverwrite);
    if (ofn->lpstrTitle) dlg.setWindowTitle(fromAnsi(ofn->lpstrTitle));
    if (ofn->lpstrDefExt && *ofn->lpstrDefExt) dlg.setDefaultSuffix(fromAnsi(ofn->lpstrDefExt));
    QStringList filters;
    for (auto &[desc, pat] : filterPairs(ofn->lpstrFilter)) {
        QString p = fromAnsi(pat.c_str());
        filters << fromAnsi(desc.c_str()) + " (" + p.replace(';', ' ') + ")";
    }
    if (!filters.isEmpty()) {
        dlg.setNameFilters(filters);
        int idx = ofn->nFilterIndex > 0 ? int(ofn->nFilterIndex) - 1 : 0;
        if (idx < filters.size()) dlg.selectNameFilter(filters[idx]);
    }
    QString initial = ofn->lpstrFile ? QString::fromLocal8Bit(ofn->lpstrFile) : QString();
    if (!initial.isEmpty()) {
        QFileInfo fi(initial);
        dlg.setDirectory(fi.absolutePath());
        dlg.selectFile(fi.fileName());
    } else if (ofn->lpstrInitialDir) {
        dlg.setDirectory(QString::fromLocal8Bit(ofn->lpstrInitialDir));
    }
    bool done = false, accepted = false;
    QObject::connect(&dlg, &QDialog::finished, [&](int r) {
        accepted = r == QDialog::Accepted;
        done = true;
        postMessage(nullptr, WM_NULL, 0, 0);
    });
    dlg.setWindowModality(Qt::ApplicationModal);
    dlg.show();
    dlg.activateWindow();
    modalLoop([&] { return done; });
    reactivateOwner(ofn->hwndOwner);
    if (!accepted || dlg.selectedFiles().isEmpty()) return FALSE;
    int idx = filters.indexOf(dlg.selectedNameFilter());
    if (idx >= 0) ofn->nFilterIndex = DWORD(idx + 1);
    return deliver(ofn, dlg.selectedFiles().first().toLocal8Bit().toStdString());
}
}  // namespace

namespace host {
std::vector<std::pair<std::string, std::string>> fileFilters(LPCSTR f) { return filterPairs(f); }
BOOL deliverTypedPath(LPOPENFILENAMEA ofn, const std::string &typed) { return deliver(ofn, completed(ofn, typed)); }
}  // namespace host

/* GetSaveFileNameA (comdlg32) */
BOOL WINAPI GetSaveFileNameA(LPOPENFILENAMEA ofn) { return runDialog(ofn, true); }

/* GetOpenFileNameA (comdlg32) */
BOOL WINAPI GetOpenFileNameA(LPOPENFILENAMEA ofn) { return runDialog(ofn, false); }
