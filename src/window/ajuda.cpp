// The help text, the help dialog and the about box.
#include "window/ajuda.h"

#include "resource.h"
#include "state/estado.h"

#include <vector>

namespace {

// Fourteen paragraphs, one empty line between two.
constexpr char AJUDA1[] =
    "\t\t\tORBIX - Programa de Álgebra Vetorial\r\n\r\n"
    "Este programa é utilizado para gerar gráficos de regiões e apresentação de vetores em três "
    "dimensões, com giro no eixo x, além de realizar cálculos vetoriais básicos. Os sistemas de "
    "coordenadas utilizados no mesmo são o Cartesiano, o Cilíndrico e o Esférico.\r\n\r\n"
    "\t\tMenu do ORBIX\r\n\r\n"
    "1) O menu Salvar Dados e Resultados, o programa gravará todos os dados inseridos, como "
    "vetores, regiões e cálculos de ângulos entre vetores e respectivos módulos, produtos "
    "escalares e vetoriais na coordenada definida, em arquivo .TXD que pode ser aberto como "
    "arquivo de texto. Por default, a coordenada inicial do programa é a cartesiana.\r\n\r\n";

constexpr char AJUDA2[] =
    "2) O menu Sair, sai do programa.\r\n\r\n"
    "3) O menu Entrar Pontos para Vetores, abre uma janela solicitando o número de vetores que "
    "será inserido. O valor máximo é 15, o qual se for ultrapassado, é colocado no limite "
    "definido. Daí, uma outra janela é aberta, solicitando os dados dos vetores, como "
    "coordenadas, valores 3 coordenadas dos vetores (cada vez que se pressiona o botão OK, é "
    "solicitado os dados do próximo vetor, até o último. Deve-se considerar que, a escolha nesta "
    "janela do sistema de coordenadas na entrada do último vetor, define o sistema de "
    "coordenadas de todos os demais vetores. Quando definido o sistema de coordenadas como "
    "cilíndrico ou esférico, deve-se escolher a entrada dos dados das coordenadas phi e theta "
    "como graus ou radianos. Por default, o programa trabalha inicialmente em graus.\r\n\r\n";

constexpr char AJUDA3[] =
    "4) O menu Entrar Limites para Região abre uma janela que solicita os dados dos limites "
    "inferiores e superiores das 3 coordenadas do sistema definido. Deve-se considerar que as "
    "coordenadas dos sistemas são: (x, y, z) para cartesiano; (r, phi, z) para cilíndrico e (r, "
    "theta, phi) para esférico. Nos casos em que se entra com um dado de um ângulo maior que o "
    "possível na coordenada, este é colocado no limite superior do mesmo. Além do mais, se os "
    "valores de entrada estiverem invertidos (o maior primeiro e o menor como o segundo dado), o "
    "programa os inverte automaticamente. Os valores limites dos ângulos nos sistemas de "
    "coordenadas cilíndricas e esféricas são 0<phi<360 (em graus) ou 0<phi<2pi (em radianos) e "
    "0<theta<180 (em graus) ou 0<theta<pi (em radianos).\r\n\r\n"
    "5) O menu Definir Sistema de Coordenadas abre uma janela em que se pode modificar o sistema "
    "de coordenadas inicial. Neste caso, os dados já inseridos inicialmente em vetores e em "
    "regiões, são convertidos imediatamente para o novo sistema definido.\r\n\r\n"
    "6) O menu Desenhar Vetores apresenta os vetores inseridos na forma gráfica em 3 dimensões "
    "no sistema, assim como suas projeções nos planos apresentados do lado direito da janela.\r\n\r\n";

constexpr char AJUDA4[] =
    "7) O menu Desenhar Região desenha o sistema de coordenadas com a região definida e os "
    "planos ao lado direito com suas projeções nos planos.\r\n\r\n"
    "8) O submenu de Escala permite mostrar os valores nos eixos de cada um dos vetores, ou os "
    "valores médios tomando como base o valor máximo entre todos os vetores inseridos, ou mesmo "
    "não apresentar nenhum desses dados.\r\n\r\n"
    "9) O menu Cálculos permite ver os dados dos vetores inseridos em sua respectiva coordenada, "
    "apresentar todos os cálculos de ângulos entre todos os vetores inseridos, seus produtos "
    "escalares, produtos vetoriais e módulos (magnitude).\r\n\r\n";

constexpr char AJUDA5[] =
    "10) O menu Realizar Cálculos de Equações Vetoriais desenha uma calculadora na janela, em "
    "que é possível trabalhar com cálculos entre os vetores inseridos, estando na ordem da "
    "seqüência de operações de cima para baixo: ponto, soma, subtração, produto vetorial, "
    "produto escalar, divisão, multiplicação, igualdade e limpar. Deve-se observar que a soma e "
    "a subtração são permitidas para escalares e vetores; a multiplicação e a divisão são "
    "permitidas para escalares e para escalares com vetores, respeitando a norma de que a "
    "divisão só é feita de um vetor por um escalar; e os produtos vetoriais e escalares só são "
    "permitidos entre dois vetores. Qualquer falha nestes casos, a calculadora apenas repete a "
    "última operação realizada.\r\n\r\n"
    "11) Os menus Esquerda, Direita, Cima e Baixo servem para girar o eixo x no sistema de "
    "coordenadas desenhado na janela, respectivamente para os lados desejados até os limites "
    "definidos pelo programa..";
static_assert(sizeof AJUDA1 + sizeof AJUDA2 + sizeof AJUDA3 + sizeof AJUDA4 + sizeof AJUDA5 - 5 < TAMAJUDA,
              "the assembled help text must fit ajuda with its terminator");

constexpr char SOBRE[] =
    "\t           ORBIX\n\n\tPrograma para Álgebra Vetorial Básica:\n\t        Gráficos e Cálculos\n\n"
    "\t\t Versão 1.0\n\n\n"
    "    Desenvolvido pela Equipe ORBIX"
    "\n\n\tDúvidas sobre o uso: menu Info, Ajuda"
    "\n\n\tSugestões e erros: fale com a Equipe ORBIX"
    "\n\n\tFeito para o ensino de Álgebra Vetorial";

// The help dialogs still open, oldest first. The main loop gives its keys (Tab, Enter) to the
// one hDlgnmodal names; when that one closes, the newest of the others takes its place, and
// with none left the loop dispatches everything itself instead of offering a dead handle.
std::vector<HWND> abertas;

}  // namespace

const char *const partesajuda[5] = {AJUDA1, AJUDA2, AJUDA3, AJUDA4, AJUDA5};

INT_PTR CALLBACK DlgProcAjuda(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    (void)lParam;
    switch (msg) {
    case WM_INITDIALOG:
        abertas.push_back(hDlg);
        SetDlgItemTextA(hDlg, IDC_AJUDATXT, ajuda);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) DestroyWindow(hDlg);
        return TRUE;  // Esc and the close box send IDCANCEL, which leaves the help open
    case WM_DESTROY:
        for (size_t i = 0; i < abertas.size(); i++)
            if (abertas[i] == hDlg) {
                abertas.erase(abertas.begin() + i);
                break;
            }
        if (hDlgnmodal == hDlg) hDlgnmodal = abertas.empty() ? NULL : abertas.back();
        return FALSE;
    }
    return FALSE;
}

void abreajuda(HWND hjan) {
    HWND h = CreateDialogParamA(hInst, "Ajuda", hjan, DlgProcAjuda, 0);
    // A dialog that could not be made leaves the loop with the one it had.
    if (h) hDlgnmodal = h;
}

void mostrasobre(HWND hjan) { MessageBoxA(hjan, SOBRE, szNomeAplic, MB_OK | MB_ICONINFORMATION); }
