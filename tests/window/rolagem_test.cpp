// Moving through a listing: the keys that move through text and the wheel scroll it, to its last
// line and no further, while in the drawings the arrows turn the view; a changed work's listing
// starts at its top.
#include "apoio/teste.h"
#include "draw/listagem.h"

namespace {

using Rolagem = apoio::JanelaPrincipal;

TEST_F(Rolagem, KeysAndWheelMoveAListingAndTurnTheDrawing) {
    numpt = MAXVETORES;
    // clang-format off
    const struct { int modo, tecla, roda, rolagem; bool gira; } linhas[] = {
        {MODO_ESCALARES, VK_NEXT, 0, 16, false},  {MODO_ESCALARES, VK_DOWN, 0, 17, false},
        {MODO_ESCALARES, VK_UP, 0, 16, false},    {MODO_ESCALARES, VK_END, 0, 359, false},
        {MODO_ESCALARES, VK_NEXT, 0, 359, false}, {MODO_ESCALARES, VK_HOME, 0, 0, false},
        {MODO_ESCALARES, 0, -1, 4, false},        {MODO_ESCALARES, 0, -2, 13, false},
        {MODO_ESCALARES, 0, 5, 0, false},         {MODO_MODULOS, VK_END, 0, 23, false},
        {MODO_VETORES, VK_DOWN, 0, 0, true},      {MODO_REGIAO, VK_UP, 0, 0, true},  // a turn changes the work
    };
    // clang-format on
    for (const auto &l : linhas) {
        num = l.modo;
        const double antes = anguloz;
        if (l.tecla)
            wintest::PressKey(hjan, l.tecla);
        else
            wintest::TurnWheel(hjan, l.roda);
        bombeia();
        EXPECT_EQ(SBPosy, l.rolagem) << l.modo << " " << l.tecla << " " << l.roda;
        EXPECT_EQ(anguloz != antes, l.gira) << l.modo << " " << l.tecla;
    }
    EXPECT_EQ(fimrolagem(MODO_LISTAGEM), 0);  // the vector list stays put
}

TEST_F(Rolagem, AChangedWorksListingStartsAtItsTop) {
    numpt = 4;
    num = MODO_VETORIAIS;
    SendMessageA(hjan, WM_VSCROLL, SB_BOTTOM, 0);
    ASSERT_EQ(SBPosy, 24);
    EXPECT_EQ(wintest::ScrollPos(hjan), 24);
    comando(IDM_VERVET);  // another view only
    EXPECT_EQ(SBPosy, 24);
    comando(IDM_ESCMEDIA);
    EXPECT_EQ(SBPosy, 0);
    EXPECT_EQ(wintest::ScrollPos(hjan), 0);
}

}  // namespace
