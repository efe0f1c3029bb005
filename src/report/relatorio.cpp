// The report file and the command that saves it.
#include "report/relatorio.h"

#include "arquivo/arquivo.h"
#include "draw/listagem.h"
#include "state/estado.h"

#include <string.h>

#include <string>

namespace {

const char FILTROS[] =
    "Arquivos de Dados (*.TXD)\0*.txd\0"
    "Arquivos TXT (*.TXT)\0*.txt\0"
    "Todos os Arquivos (*.*)\0*.*\0";
const char TITULO_ERRO[] = "Não pode salvar o Arquivo";
const char FIM[] = "\r\n";
const char SEPARADOR[] = "++++++++++";

// The records in order, gathered before anything reaches the disk.
class Registros {
public:
    const std::string &bytes() const { return bytes_; }

    // One record: CR LF, the text, then fim (CR LF or nothing), cut at TAMREGISTRO bytes and
    // padded with spaces up to it.
    void escreve(const char *texto, const char *fim = FIM) {
        char registro[TAMREGISTRO];
        memset(registro, ' ', sizeof registro);
        size_t len = 0;
        acrescenta(registro, len, "\r\n");
        acrescenta(registro, len, texto);
        acrescenta(registro, len, fim);
        bytes_.append(registro, sizeof registro);
    }

private:
    static void acrescenta(char *registro, size_t &len, const char *s) {
        const size_t n = strlen(s);
        const size_t copia = n < TAMREGISTRO - len ? n : TAMREGISTRO - len;
        memcpy(registro + len, s, copia);
        len += copia;
    }
    std::string bytes_;
};

// The pairs (i, j) with i <= j, in the order the pair listings give them.
template <class F>
void porpares(int n, F f) {
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

}  // namespace

bool gravarelatorio(const char *caminho) {
    Registros r;
    escreverelatorio(r);
    return gravaseguro(caminho, r.bytes().data(), r.bytes().size());
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
    if (!GetSaveFileNameA(&fname)) {
        caminhorecusado(hjan, fn);
        return false;
    }
    if (gravarelatorio(fn)) return true;
    MessageBoxA(hjan, fn, TITULO_ERRO, MB_OK);
    return false;
}
