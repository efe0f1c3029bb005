// impressao.h - the views on paper or in a PDF, through the Win32 printing calls: a drawing is
// one page, the reference picture scaled to the printable area; a listing is every line of it,
// in pages, each with its footer.
#ifndef ORBIX_IMPRESSAO_H
#define ORBIX_IMPRESSAO_H

#include <windows.h>

#include <string>
#include <vector>

// The printer that makes PDF files, on Windows and in the layer alike.
constexpr char IMPRESSORA_PDF[] = "Microsoft Print to PDF";

// The views by the names the command line takes, in the order its help lists them.
struct VistaImpressa {
    const char *nome;
    int modo;
};
const std::vector<VistaImpressa> &vistasimpressas();
// The mode named nome, or 0 when no view has that name.
int modovista(const std::string &nome);
// The views of the work now that have something to show, in the order above.
std::vector<int> vistascomconteudo();

// Prints view modo on the printer DC hdc, between its StartDocA and EndDoc: its page, or pages.
// False when the printer refused a page.
bool imprimevista(HDC hdc, int modo);

// Prints the view on screen: the print dialog, then its page or pages on the printer chosen.
// Cancel prints nothing; a failure is told in a message box owned by hjan, and changes nothing.
void imprimir(HWND hjan);

// The text of a listing page's footer.
std::string rodape(int pagina, int paginas);

// Writes the views modos (every view with something to show when empty) of the work file
// trabalho to the PDF file saida, without a window. False with erro saying why in one line, and
// no file written (one that was there stays as it was).
bool pdfdotrabalho(const char *saida, const std::vector<int> &modos, const char *trabalho, std::string &erro);

#endif
