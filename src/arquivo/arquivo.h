// arquivo.h - files written so that nothing is ever lost, and files read whole.
#ifndef ORBIX_ARQUIVO_H
#define ORBIX_ARQUIVO_H

#include <windows.h>

#include <stddef.h>

#include <string>

// Writes n bytes to caminho as one change: the bytes go to a new file of a unique name beside
// the target, reach the disk, and only then take the target's name. A link is followed and stays
// a link; an existing file keeps its permissions; a file the user may not write is left as it
// was, and so is any other file when the save fails. True once the file is saved and on disk.
// When it fails, erro (if given) holds the system's error code.
bool gravaseguro(const char *caminho, const char *dados, size_t n, DWORD *erro = NULL);
// Why a save failed, as a user reads it ("Não há permissão ..."), from gravaseguro's error code.
std::string motivogravacao(DWORD erro);

// The folder part of caminho with its separator ("" when it has none).
std::string pastade(const std::string &caminho);

// After a file dialog returned FALSE: a message box owned by hjan that says why when the dialog
// could not hand the file over (a path longer than the program takes, a name with a character
// the program's code page lacks, which arquivo then holds with '?' in its place); nothing when
// the person cancelled.
void caminhorecusado(HWND hjan, const char *arquivo);

enum class Leitura { Lido, NaoAbre, NomeInvalido, Grande };
// Reads the whole file into conteudo when it holds at most limite bytes. NaoAbre when it cannot
// be opened or read (missing, a folder, no permission), NomeInvalido when its name holds what no
// file name may ('?' where a character the program's code page lacks was), Grande when it is
// longer than limite; conteudo is then left empty.
Leitura learquivo(const char *caminho, size_t limite, std::string &conteudo);

#endif
