// COMDLG32 save-file dialog over Qt's own (non-native) file dialog.
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

BOOL deliver(LPOPENFILENAMEA ofn, const std::string &path) {
    if (!ofn->lpstrFile || path.size() + 1 > ofn->nMaxFile) return FALSE;
    memcpy(ofn->lpstrFile, path.c_str(), path.size() + 1);
    size_t slash = path.find_last_of('/');
    size_t off = slash == std::string::npos ? 0 : slash + 1;
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
}  // namespace

namespace host {
std::vector<std::pair<std::string, std::string>> saveFilters(LPCSTR f) { return filterPairs(f); }
BOOL deliverSavePath(LPOPENFILENAMEA ofn, const std::string &path) { return deliver(ofn, path); }
}  // namespace host

/* GetSaveFileNameA (comdlg32) */
BOOL WINAPI GetSaveFileNameA(LPOPENFILENAMEA ofn) {
    if (!ofn) return FALSE;
    if (hooks().testMode) {
        if (hooks().saveFile) return hooks().saveFile(ofn);
        fail("unexpected save dialog (no driver installed)");
        return FALSE;
    }
    Window *o = win(ofn->hwndOwner);
    QFileDialog dlg(o && o->widget ? o->widget->window() : nullptr);
    dlg.setOption(QFileDialog::DontUseNativeDialog);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    if (!(ofn->Flags & OFN_OVERWRITEPROMPT)) dlg.setOption(QFileDialog::DontConfirmOverwrite);
    if (ofn->lpstrTitle) dlg.setWindowTitle(fromAnsi(ofn->lpstrTitle));
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
    modalLoop([&] { return done; });
    if (!accepted || dlg.selectedFiles().isEmpty()) return FALSE;
    int idx = filters.indexOf(dlg.selectedNameFilter());
    if (idx >= 0) ofn->nFilterIndex = DWORD(idx + 1);
    return deliver(ofn, dlg.selectedFiles().first().toLocal8Bit().toStdString());
}
