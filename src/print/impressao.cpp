// Printing the views: each drawn with the paint routine on a printer DC under MM_ISOTROPIC, so
// the printer's resolution makes it sharp, and each listing from its one source of lines.
#include "print/impressao.h"

#include "draw/display.h"
#include "draw/listagem.h"
#include "arquivo/arquivo.h"
#include "state/estado.h"
#include "trabalho/trabalho.h"

#include <string.h>

#include <algorithm>

namespace {

// The reference picture, in the units every view is drawn in.
constexpr int LARGURA = 1024;
constexpr int ALTURA = 768;

// The state a view is drawn from is the window's: its mode and client size are set for the page
// and given back after.
struct VistaDaPagina {
    int modo = num, x = maxX, y = maxY;
    VistaDaPagina(int m) { num = m, maxX = LARGURA, maxY = ALTURA; }
    ~VistaDaPagina() { num = modo, maxX = x, maxY = y; }
};

// A drawing: the picture as large as the printable area takes it, proportions kept, centred.
bool imprimedesenho(HDC hdc, int modo, int largura, int altura) {
    const double escala = std::min(double(largura) / LARGURA, double(altura) / ALTURA);
    if (StartPage(hdc) <= 0) return false;
    SetMapMode(hdc, MM_ISOTROPIC);
    SetWindowExtEx(hdc, LARGURA, ALTURA, NULL);
    SetViewportExtEx(hdc, largura, altura, NULL);
    SetViewportOrgEx(hdc, int((largura - LARGURA * escala) / 2), int((altura - ALTURA * escala) / 2), NULL);
    VistaDaPagina vista(modo);
    display(hdc, modo);
    return EndPage(hdc) > 0;
}

// A listing: the page as wide as the picture, so its lines stand where the window has them; as
// many lines a page as its height takes, below the first one's place, above the footer.
bool imprimelistagem(HDC hdc, int modo, int largura, int altura) {
    const std::vector<LinhaListagem> linhas = linhaslistagem(modo);
    const int alturapagina = int(double(altura) * LARGURA / largura);
    const int porpagina = std::max(1, (alturapagina - 2 * LISTA_Y - 2 * LISTA_PASSO) / LISTA_PASSO) * LISTA_PASSO;
    const int ultima = linhas.empty() ? 0 : linhas.back().y - LISTA_Y;
    const int paginas = std::max(0, ultima) / porpagina + 1;
    size_t proxima = 0;
    for (int p = 0; p < paginas; ++p) {
        if (StartPage(hdc) <= 0) return false;
        SetMapMode(hdc, MM_ISOTROPIC);
        SetWindowExtEx(hdc, LARGURA, LARGURA, NULL);
        SetViewportExtEx(hdc, largura, largura, NULL);
        SetViewportOrgEx(hdc, 0, 0, NULL);
        SelectObject(hdc, hFonte);
        for (; proxima < linhas.size() && linhas[proxima].y - LISTA_Y < (p + 1) * porpagina; ++proxima) {
            const LinhaListagem &l = linhas[proxima];
            TextOutA(hdc, l.x, l.y - p * porpagina, l.texto.c_str(), int(l.texto.size()));
        }
        const std::string r = rodape(p + 1, paginas);
        TextOutA(hdc, LISTA_X, alturapagina - LISTA_Y - LISTA_PASSO, r.c_str(), int(r.size()));
        if (EndPage(hdc) <= 0) return false;
    }
    return true;
}

}  // namespace

const std::vector<VistaImpressa> &vistasimpressas() {
    static const std::vector<VistaImpressa> vistas = {
        {"vetores", MODO_VETORES}, {"regiao", MODO_REGIAO},       {"lista", MODO_LISTAGEM},      {"angulos", MODO_ANGULOS},
        {"modulos", MODO_MODULOS}, {"escalares", MODO_ESCALARES}, {"vetoriais", MODO_VETORIAIS}, {"sistemas", MODO_SISTEMAS},
    };
    return vistas;
}

int modovista(const std::string &nome) {
    for (const VistaImpressa &v : vistasimpressas())
        if (nome == v.nome) return v.modo;
    return 0;
}

std::vector<int> vistascomconteudo() {
    std::vector<int> modos;
    for (const VistaImpressa &v : vistasimpressas()) {
        const bool tem = v.modo == MODO_VETORES  ? numpt > 0
                         : v.modo == MODO_REGIAO ? std::any_of(&reg[0][0], &reg[0][0] + 6, [](float x) { return x != 0; })
                                                 : !linhaslistagem(v.modo).empty();
        if (tem) modos.push_back(v.modo);
    }
    return modos;
}

std::string rodape(int pagina, int paginas) {
    return "Álgebra Vetorial - página " + std::to_string(pagina) + " de " + std::to_string(paginas);
}

bool imprimevista(HDC hdc, int modo) {
    const int largura = GetDeviceCaps(hdc, HORZRES), altura = GetDeviceCaps(hdc, VERTRES);
    if (largura <= 0 || altura <= 0) return false;
    return elistagem(modo) ? imprimelistagem(hdc, modo, largura, altura) : imprimedesenho(hdc, modo, largura, altura);
}

namespace {

// Prints the views modos on hdc as one document (output: the file it goes to, or null for the
// printer's own); false with the system's error code in erro.
bool imprimedocumento(HDC hdc, const char *output, const std::vector<int> &modos, DWORD &erro) {
    DOCINFOA doc = {sizeof doc, "Álgebra Vetorial", output, NULL, 0};
    const bool comecou = StartDocA(hdc, &doc) > 0;
    bool ok = comecou;
    for (size_t i = 0; ok && i < modos.size(); ++i) ok = imprimevista(hdc, modos[i]);
    if (ok) ok = EndDoc(hdc) > 0;
    erro = GetLastError();
    if (comecou && !ok) AbortDoc(hdc);  // what was printed goes; a file that was there stays
    return ok;
}

}  // namespace

void imprimir(HWND hjan) {
    PRINTDLGA pd;
    memset(&pd, 0, sizeof pd);
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = hjan;
    pd.Flags = PD_RETURNDC | PD_NOSELECTION | PD_NOPAGENUMS;
    const BOOL escolhida = PrintDlgA(&pd);
    if (pd.hDevMode) GlobalFree(pd.hDevMode);
    if (pd.hDevNames) GlobalFree(pd.hDevNames);
    std::string motivo;
    DWORD erro = 0;
    if (!escolhida) {
        // With no printer at all the dialog has said so itself.
        const DWORD e = CommDlgExtendedError();
        if (e && e != PDERR_NODEFAULTPRN) motivo = "O diálogo de impressão falhou (erro " + std::to_string(e) + ").";
    } else if (!pd.hDC) {
        motivo = "A impressora escolhida não pode ser usada.";
    } else {
        if (!imprimedocumento(pd.hDC, NULL, {num}, erro)) motivo = motivogravacao(erro);
        DeleteDC(pd.hDC);
    }
    if (!motivo.empty()) MessageBoxA(hjan, ("A impressão falhou.\n\n" + motivo).c_str(), szNomeAplic, MB_OK | MB_ICONEXCLAMATION);
}

bool pdfdotrabalho(const char *saida, const std::vector<int> &modos, const char *trabalho, std::string &erro) {
    Trabalho t;
    std::string motivo;
    if (!lertrabalho(trabalho, t, motivo)) {
        erro = std::string(trabalho) + ": " + motivo;
        return false;
    }
    aplicatrabalho(t);
    const std::vector<int> vistas = modos.empty() ? vistascomconteudo() : modos;
    if (vistas.empty()) {
        erro = std::string(trabalho) + ": o trabalho não tem vetores nem região para mostrar.";
        return false;
    }
    HDC hdc = CreateDCA("WINSPOOL", IMPRESSORA_PDF, NULL, NULL);
    if (!hdc) {
        erro = std::string("não há a impressora \"") + IMPRESSORA_PDF + "\" para escrever o PDF.";
        return false;
    }
    const bool semferramentas = !hFonte;  // made here, unless a window has them already
    if (semferramentas) criaferramentas();
    DWORD e = 0;
    const bool ok = imprimedocumento(hdc, saida, vistas, e);
    if (!ok) erro = std::string(saida) + ": o PDF não pode ser escrito. " + motivogravacao(e);
    if (semferramentas) liberaferramentas();
    DeleteDC(hdc);
    return ok;
}
