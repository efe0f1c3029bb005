// The report file and the command that saves it.
#include "report/relatorio.h"

#include "draw/listagem.h"
#include "state/estado.h"

#include <errno.h>
#include <stdio.h>
#include <string.h>

const char SUFIXO_TEMPORARIO[] = ".orbix-tmp";

namespace {

const char FILTROS[] =
    "Arquivos de Dados (*.TXD)\0*.txd\0"
    "Arquivos TXT (*.TXT)\0*.txt\0"
    "Todos os Arquivos (*.*)\0*.*\0";
const char TITULO_ERRO[] = "Não pode salvar o Arquivo";
const char FIM[] = "\r\n";
const char SEPARADOR[] = "++++++++++";

// Writes the records in order; the first failure sticks, and later records are not tried.
class Registros {
public:
    explicit Registros(FILE *f) : f_(f) {}
    bool ok() const { return ok_; }

    // One record: CR LF, the text, then fim (CR LF or nothing), cut at TAMREGISTRO bytes and
    // padded with spaces up to it.
    void escreve(const char *texto, const char *fim = FIM) {
        if (!ok_) return;
        char registro[TAMREGISTRO];
        memset(registro, ' ', sizeof registro);
        size_t len = 0;
        acrescenta(registro, len, "\r\n");
        acrescenta(registro, len, texto);
        acrescenta(registro, len, fim);
        if (fwrite(registro, 1, sizeof registro, f_) != sizeof registro) ok_ = false;
    }

private:
    static void acrescenta(char *registro, size_t &len, const char *s) {
        const size_t n = strlen(s);
        const size_t copia = n < TAMREGISTRO - len ? n : TAMREGISTRO - len;
        memcpy(registro + len, s, copia);
        len += copia;
    }
    FILE *f_;
    bool ok_ = true;
};

// The pairs (i, j) with i <= j, in the order the pair listings give them.
template <class F> void porpares(int n, F f) {
    for (int i = 0; i < n; ++i)
        for (int j = i; j < n; ++j) f(i, j);
}

void escreverelatorio(Registros &r) {
    const int n = vetoreslistados();
    char linha[TAMLINHA];
    // Without vectors the region is left out too, as in the listing.
    if (n > 0) {
        r.escreve(titulovetores());
        for (int i = 0; i < n; ++i) {
            linhavetor(linha, sizeof linha, i);
            r.escreve(linha);
        }
        r.escreve(tituloregiao());
        for (int k = 0; k < 3; ++k) {
            linharegiao(linha, sizeof linha, k);
            r.escreve(linha);
        }
    }
    r.escreve(SEPARADOR);
    if (n <= 0) return;
    porpares(n, [&](int i, int j) {
        linhaangulo(linha, sizeof linha, i, j);
        r.escreve(linha);
    });
    for (int i = 0; i < n; ++i) {
        linhamodulo(linha, sizeof linha, i);
        r.escreve(linha, "");
    }
    r.escreve("Produtos Escalares", "");
    porpares(n, [&](int i, int j) {
        linhaescalar(linha, sizeof linha, i, j);
        r.escreve(linha);
    });
    r.escreve("Produtos Vetoriais", "");
    porpares(n, [&](int i, int j) {
        linhavetorial(linha, sizeof linha, i, j);
        r.escreve(linha);
    });
    r.escreve(SEPARADOR);
}

// Puts the complete temporary file in the report's place.
bool substitui(const char *temporario, const char *caminho) {
    if (rename(temporario, caminho) == 0) return true;
    // Windows refuses to rename onto an existing file; the new report is complete by now, so
    // the old one may go.
    if (errno != EEXIST && errno != EACCES) return false;
    if (remove(caminho) != 0) return false;
    return rename(temporario, caminho) == 0;
}

}  // namespace

bool gravarelatorio(const char *caminho) {
    char temporario[sizeof fn + sizeof SUFIXO_TEMPORARIO];
    const int pedido = snprintf(temporario, sizeof temporario, "%s%s", caminho, SUFIXO_TEMPORARIO);
    if (pedido < 0 || size_t(pedido) >= sizeof temporario) return false;

    fp = fopen(temporario, "wb");
    if (!fp) return false;
    Registros r(fp);
    escreverelatorio(r);
    // A full disk may only show when the buffer is flushed or the file closed.
    bool ok = r.ok() && fflush(fp) == 0 && !ferror(fp);
    if (fclose(fp) != 0) ok = false;
    fp = NULL;
    if (ok && substitui(temporario, caminho)) return true;
    remove(temporario);
    return false;
}

bool salvadados(HWND hjan) {
    memset(&fname, 0, sizeof fname);
    fname.lStructSize = sizeof fname;
    fname.hwndOwner = hjan;
    fname.lpstrFilter = FILTROS;
    fname.nFilterIndex = 1;
    fname.lpstrFile = fn;  // still holds the last path, which the dialog proposes
    fname.nMaxFile = sizeof fn;
    fname.lpstrFileTitle = filename;
    fname.nMaxFileTitle = sizeof filename - 1;
    fname.Flags = OFN_HIDEREADONLY;
    if (!GetSaveFileNameA(&fname)) return false;
    if (gravarelatorio(fn)) return true;
    MessageBoxA(hjan, fn, TITULO_ERRO, MB_OK);
    return false;
}
