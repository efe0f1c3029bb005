// COMDLG32 print dialog: Qt's print dialog, in the user's language, with the printers CUPS knows
// and printing to a PDF file, which it always offers. The printer chosen becomes the printer DC
// that PD_RETURNDC asks for.
#include "comdlg32.h"
#include "gdi32.h"
#include "kernel32.h"
#include "user32.h"

#include <QPrintDialog>
#include <QPrinter>

#include <memory>

using namespace user32;

namespace {

// A printer of the dialog (or of a test driver), for a printer DC's pages.
class DialogPrinter : public gdi32::Printer {
public:
    explicit DialogPrinter(std::unique_ptr<QPrinter> printer) : printer_(std::move(printer)) {}
    QSize pagePixels() const override { return printer_->pageLayout().paintRectPixels(printer_->resolution()).size(); }
    int resolution() const override { return printer_->resolution(); }
    QPagedPaintDevice *open(const char *output, const char *title) override {
        if (output && *output) {
            std::string path;
            if (!kernel32::systemName(output, path)) return nullptr;
            printer_->setOutputFileName(QString::fromStdString(path));
        }
        if (title) printer_->setDocName(host::fromAnsi(title));
        return printer_.get();
    }
    void abandon() override { printer_->abort(); }
    bool close(bool) override { return true; }

private:
    std::unique_ptr<QPrinter> printer_;
};

}  // namespace

namespace comdlg32 {

HDC printerDc(std::unique_ptr<QPrinter> printer) { return gdi32::makePrinterDc(new DialogPrinter(std::move(printer))); }

}  // namespace comdlg32

/* PrintDlgA (comdlg32) */
BOOL WINAPI PrintDlgA(LPPRINTDLGA pd) {
    host::ensureApplication();
    comdlg32::extendedError() = 0;
    if (!pd || pd->lStructSize != sizeof(PRINTDLGA)) {
        comdlg32::extendedError() = CDERR_STRUCTSIZE;
        return FALSE;
    }
    if (host::hooks().testMode) {
        if (host::hooks().print) return host::hooks().print(pd);
        host::fail("unexpected print dialog (no driver installed)");
        return FALSE;
    }
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dlg(printer.get(), ownerWidget(pd->hwndOwner));
    dlg.setOption(QAbstractPrintDialog::PrintSelection, !(pd->Flags & PD_NOSELECTION));
    dlg.setOption(QAbstractPrintDialog::PrintPageRange, !(pd->Flags & PD_NOPAGENUMS));
    dlg.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (runModal(dlg, pd->hwndOwner) != QDialog::Accepted) return FALSE;
    pd->hDC = pd->Flags & PD_RETURNDC ? comdlg32::printerDc(std::move(printer)) : nullptr;
    return TRUE;
}
