// Saving without loss, and reading whole files.
#include "arquivo/arquivo.h"

#include "state/estado.h"

#include <stdio.h>
#include <string.h>

namespace {

// The name the system gives an open file, every link resolved. Windows prefixes it with \\?\ (or
// \\?\UNC\ for a share), which the ANSI file functions do not need.
std::string nomefinal(HANDLE h) {
    char caminho[4096];
    DWORD n = GetFinalPathNameByHandleA(h, caminho, sizeof caminho, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (n == 0 || n >= sizeof caminho) return std::string();
    std::string s(caminho, n);
    if (s.rfind("\\\\?\\UNC\\", 0) == 0) return "\\\\" + s.substr(8);
    if (s.rfind("\\\\?\\", 0) == 0) return s.substr(4);
    return s;
}

// The file the save must replace: the target itself, or what its link points to. False when the
// target exists but may not be written (or cannot be examined), so nothing may be saved.
bool destinode(const char *caminho, std::string &destino, bool &existe) {
    destino = caminho;
    existe = false;
    HANDLE h = CreateFileA(caminho, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, NULL);
    if (h == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
    std::string final = nomefinal(h);
    CloseHandle(h);
    if (final.empty()) return false;
    destino = final;
    existe = true;
    return true;
}

// A new file beside destino, created only if no file of that name exists, so no save ever
// writes over a file it did not make.
HANDLE temporario(const std::string &destino, std::string &nome) {
    const std::string pasta = pastade(destino);
    for (unsigned tentativa = 0; tentativa < 1000; ++tentativa) {
        char proprio[64];
        snprintf(proprio, sizeof proprio, ".orbix-%lx-%u.tmp", (unsigned long)GetCurrentProcessId(), tentativa);
        nome = pasta + proprio;
        HANDLE h = CreateFileA(nome.c_str(), GENERIC_WRITE, 0, NULL, CREATE_NEW, FILE_ATTRIBUTE_TEMPORARY, NULL);
        if (h != INVALID_HANDLE_VALUE) return h;
        DWORD e = GetLastError();
        if (e != ERROR_FILE_EXISTS && e != ERROR_ALREADY_EXISTS) break;
    }
    return INVALID_HANDLE_VALUE;
}

bool escrevetudo(HANDLE h, const char *dados, size_t n) {
    while (n > 0) {
        DWORD parte = n > 0x10000000 ? 0x10000000 : DWORD(n), escritos = 0;
        if (!WriteFile(h, dados, parte, &escritos, NULL) || escritos != parte) return false;
        dados += parte;
        n -= parte;
    }
    return true;
}

}  // namespace

std::string pastade(const std::string &caminho) {
    size_t barra = caminho.find_last_of("/\\");
    return barra == std::string::npos ? std::string() : caminho.substr(0, barra + 1);
}

bool gravaseguro(const char *caminho, const char *dados, size_t n, DWORD *erro) {
    DWORD semerro;
    if (!erro) erro = &semerro;
    *erro = ERROR_PATH_NOT_FOUND;
    if (!caminho || !*caminho) return false;
    std::string destino, nome;
    bool existe;
    if (!destinode(caminho, destino, existe)) return *erro = GetLastError(), false;
    HANDLE h = temporario(destino, nome);
    if (h == INVALID_HANDLE_VALUE) return *erro = GetLastError(), false;
    bool ok = escrevetudo(h, dados, n);
    // On disk before it takes the name: a crash then leaves the old file or the new one, whole.
    ok = FlushFileBuffers(h) && ok;
    ok = CloseHandle(h) && ok;
    if (ok) {
        ok = existe ? ReplaceFileA(destino.c_str(), nome.c_str(), NULL, 0, NULL, NULL)
                    : MoveFileExA(nome.c_str(), destino.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    }
    if (!ok) {
        *erro = GetLastError();
        DeleteFileA(nome.c_str());
    }
    return ok;
}

std::string motivogravacao(DWORD erro) {
    switch (erro) {
    case ERROR_ACCESS_DENIED:
    case ERROR_UNABLE_TO_REMOVE_REPLACED: return "Não há permissão para gravar esse arquivo ou nessa pasta.";
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return "A pasta não existe.";
    case ERROR_DISK_FULL: return "O disco está cheio.";
    case ERROR_FILENAME_EXCED_RANGE: return "O nome é longo demais.";
    case ERROR_INVALID_NAME: return "O nome tem caracteres que o programa não aceita.";
    default: return "Erro " + std::to_string(erro) + " do sistema.";
    }
}

Leitura learquivo(const char *caminho, size_t limite, std::string &conteudo) {
    conteudo.clear();
    HANDLE h = CreateFileA(caminho, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (h == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_INVALID_NAME ? Leitura::NomeInvalido : Leitura::NaoAbre;
    Leitura r = Leitura::Lido;
    // Read to the end rather than trust the size: a device or a growing file has none to trust.
    char bloco[8192];
    for (;;) {
        DWORD lidos = 0;
        if (!ReadFile(h, bloco, sizeof bloco, &lidos, NULL)) {
            r = Leitura::NaoAbre;
            break;
        }
        if (lidos == 0) break;
        if (conteudo.size() + lidos > limite) {
            r = Leitura::Grande;
            break;
        }
        conteudo.append(bloco, lidos);
    }
    CloseHandle(h);
    if (r != Leitura::Lido) conteudo.clear();
    return r;
}

void caminhorecusado(HWND hjan, const char *arquivo) {
    const DWORD erro = CommDlgExtendedError();
    if (erro == 0) return;
    char texto[TAMCAMINHO + 200];
    if (erro == FNERR_BUFFERTOOSMALL)
        snprintf(texto, sizeof texto, "O caminho escolhido é longo demais: o programa aceita até %d caracteres.", TAMCAMINHO - 1);
    else if (erro == FNERR_INVALIDFILENAME)
        snprintf(texto, sizeof texto, "O nome escolhido tem caracteres que o programa não aceita (no lugar de cada um, \"?\"):\n%s",
                 arquivo);
    else
        snprintf(texto, sizeof texto, "O arquivo escolhido não pode ser usado (erro %lu do diálogo).", (unsigned long)erro);
    MessageBoxA(hjan, texto, szNomeAplic, MB_OK | MB_ICONEXCLAMATION);
}
