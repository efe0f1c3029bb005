// GDI32 printing: printer DCs and their documents, and the layer's own PDF printer.
//
// A printer DC has no surface: the drawing calls paint on the page being printed, through a
// painter whose transform is the DC's mapping, so the document holds vector paths and text (see
// lines.cpp, text.cpp, bitmap.cpp). Calls between pages draw nothing, as on a printer.
#include "gdi32.h"
#include "kernel32.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <memory>

namespace {

constexpr char kPdfPrinter[] = "Microsoft Print to PDF";
constexpr int kPdfResolution = 600;

// The PDF printer: A4 upright with no margins, as Windows' own PDF printer gives a page. The file
// is written beside its place and put there whole when the document ends, so a document that
// fails or is abandoned leaves what was there before.
class PdfPrinter : public gdi32::Printer {
public:
    PdfPrinter() : layout_(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()) {}
    QSize pagePixels() const override { return layout_.paintRectPixels(kPdfResolution).size(); }
    int resolution() const override { return kPdfResolution; }

    QPagedPaintDevice *open(const char *output, const char *title) override {
        std::string path;
        if (!output || !*output) {
            kernel32::setLastError(ERROR_PATH_NOT_FOUND);  // a file is the only place it prints to
            return nullptr;
        }
        if (!kernel32::systemName(output, path)) return nullptr;
        const QString name = QString::fromStdString(path);
        file_ = std::make_unique<QSaveFile>(name);
        if (!file_->open(QIODevice::WriteOnly)) {
            kernel32::setLastError(QFileInfo(QFileInfo(name).absolutePath()).isDir() ? ERROR_ACCESS_DENIED : ERROR_PATH_NOT_FOUND);
            file_.reset();
            return nullptr;
        }
        pdf_ = std::make_unique<QPdfWriter>(file_.get());
        pdf_->setResolution(kPdfResolution);
        pdf_->setPageLayout(layout_);
        pdf_->setCreator(QStringLiteral("Álgebra Vetorial"));
        if (title) pdf_->setTitle(host::fromAnsi(title, int(strlen(title))));
        return pdf_.get();
    }

    void abandon() override {
        if (file_) file_->cancelWriting();
    }

    bool close(bool keep) override {
        pdf_.reset();
        if (!file_) return !keep;
        const bool ok = !keep || file_->commit();
        if (!ok) kernel32::setLastError(file_->error() == QFileDevice::ResourceError ? ERROR_DISK_FULL : ERROR_WRITE_FAULT);
        file_.reset();
        return ok;
    }

private:
    QPageLayout layout_;
    std::unique_ptr<QSaveFile> file_;
    std::unique_ptr<QPdfWriter> pdf_;
};

gdi32::Dc *printerDc(HDC h) {
    gdi32::Dc *d = gdi32::dc(h);
    return d && d->printer ? d : nullptr;
}

}  // namespace

using namespace gdi32;

/* CreateDCA (gdi32) */
HDC WINAPI CreateDCA(LPCSTR, LPCSTR device, LPCSTR, const DEVMODEA *) {
    if (!device || strcmp(device, kPdfPrinter) != 0) {
        kernel32::setLastError(ERROR_INVALID_PRINTER_NAME);
        return nullptr;
    }
    host::ensureApplication();  // the fonts of its texts
    return makePrinterDc(new PdfPrinter);
}

/* GetDeviceCaps (gdi32) */
int WINAPI GetDeviceCaps(HDC h, int index) {
    Dc *d = dc(h);
    if (!d) return 0;
    const QSize size = d->printer ? d->printer->pagePixels() : logicalBounds(d).size();
    const int dpi = d->printer ? d->printer->resolution() : 96;
    switch (index) {
    case HORZRES: return size.width();
    case VERTRES: return size.height();
    case LOGPIXELSX:
    case LOGPIXELSY: return dpi;
    default: return 0;
    }
}

/* SetViewportOrgEx (gdi32) */
BOOL WINAPI SetViewportOrgEx(HDC h, int x, int y, LPPOINT prev) {
    Dc *d = dc(h);
    if (!d) return FALSE;
    if (prev) *prev = d->viewportOrg;
    d->viewportOrg = POINT{x, y};
    remap(d);
    return TRUE;
}

/* StartDocA (gdi32) */
int WINAPI StartDocA(HDC h, const DOCINFOA *info) {
    Dc *d = printerDc(h);
    if (!d || !info || d->document) return SP_ERROR;
    QPagedPaintDevice *device = d->printer->open(info->lpszOutput, info->lpszDocName);
    if (!device) return SP_ERROR;
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(device)) {
        d->printer->close(false);
        kernel32::setLastError(ERROR_WRITE_FAULT);
        return SP_ERROR;
    }
    d->document = painter.release();
    d->pages = 0;
    return 1;
}

/* StartPage (gdi32) */
int WINAPI StartPage(HDC h) {
    Dc *d = printerDc(h);
    if (!d || !d->document || d->page) return SP_ERROR;
    // The painter began the first page with the document; each later one starts a new page.
    if (d->pages > 0 && !static_cast<QPagedPaintDevice *>(d->document->device())->newPage()) return SP_ERROR;
    ++d->pages;
    d->page = d->document;
    remap(d);
    return 1;
}

/* EndPage (gdi32) */
int WINAPI EndPage(HDC h) {
    Dc *d = printerDc(h);
    if (!d || !d->page) return SP_ERROR;
    d->page = nullptr;
    return 1;
}

/* EndDoc (gdi32) */
int WINAPI EndDoc(HDC h) {
    Dc *d = printerDc(h);
    if (!d || !d->document) return SP_ERROR;
    return endDocument(d, true) ? 1 : SP_ERROR;
}

/* AbortDoc (gdi32) */
int WINAPI AbortDoc(HDC h) {
    Dc *d = printerDc(h);
    if (!d || !d->document) return SP_ERROR;
    endDocument(d, false);
    return 1;
}
