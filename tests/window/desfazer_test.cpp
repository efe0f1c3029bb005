// Undo and redo: every command that changes the work is one step, undone and redone bit for bit,
// whichever dialog or key made it; a command that changes nothing is no step.
#include "apoio/pasta.h"
#include "apoio/teste.h"
#include "report/relatorio.h"
#include "state/historico.h"
#include "trabalho/trabalho.h"

namespace {

using wintest::Dialog;

auto digita(std::vector<std::pair<int, const char *>> campos) {
    return [campos](Dialog &d) {
        for (auto [id, t] : campos) d.setFieldText(id, t);
        d.click(IDOK);
    };
}
auto clica(std::vector<int> ids) {
    return [ids](Dialog &d) {
        for (int id : ids) d.click(id);
    };
}

class Desfazer : public apoio::JanelaPrincipal {
protected:
    void SetUp() override {
        apoio::JanelaPrincipal::SetUp();
        // A work to change: three vectors, a region, a column beyond the vectors in use.
        apoio::guarda(CARTESIANO, GRAUS, {{2.0f / 3, 1, 4.0f / 3}, {1, 2, 3}, {-1, 0.5f, 7}});
        reg[0][1] = reg[1][1] = reg[2][1] = 2, vetores[0][7] = 9.5f, num = MODO_LISTAGEM;
        marcasalvo();  // as if just saved: opening another work asks nothing
    }
    // The work as a person could tell it apart: the report's bytes, the work file's, every column
    // of the vectors (a later series of dialogs shows them), the view and the file.
    std::string retrato() {
        std::string texto;
        textotrabalho(trabalhoatual(), texto);
        EXPECT_TRUE(gravarelatorio((pasta / "r.txt").c_str()));
        texto += apoio::le(pasta / "r.txt");
        texto.append(reinterpret_cast<const char *>(vetores), sizeof vetores);
        return texto + " vista " + std::to_string(num) + " arquivo " + fntrabalho;
    }
    apoio::Pasta pasta;
};

TEST_F(Desfazer, EveryChangeIsOneStepUndoneAndRedoneBitForBit) {
    // clang-format off
    const struct { const char *nome; int id; std::vector<std::function<void(Dialog &)>> dialogos; } linhas[] = {
        {"two vectors typed", IDM_PONTOS,
         {digita({{IDC_NPT, "2"}}), digita({{IDC_E1, "1"}, {IDC_E2, "2"}}), digita({{IDC_E1, "-4"}, {IDC_E3, "7"}})}},
        {"the number dialog cancelled, which leaves no vectors", IDM_PONTOS, {clica({IDCANCEL})}},
        {"every vector cancelled but the count", IDM_PONTOS,
         {digita({{IDC_NPT, "9"}}), clica({IDCANCEL}), clica({IDCANCEL}), clica({IDCANCEL}), clica({IDCANCEL}), clica({IDCANCEL}),
          clica({IDCANCEL}), clica({IDCANCEL}), clica({IDCANCEL}), clica({IDCANCEL})}},
        {"region limits", IDM_LIMITES, {digita({{IDC_LIM1, "-1"}, {IDC_LIM4, "3"}, {IDC_LIM6, "4"}})}},
        {"another system and unit", IDM_COORD, {clica({IDC_ESF, IDC_RAD, IDOK})}},
        {"a system clicked and cancelled, which stays", IDM_COORD, {clica({IDC_CIL, IDCANCEL})}},
        {"the mean scale labels", IDM_ESCMEDIA, {}},
        {"no scale labels", IDM_NAOMOSTRAR, {}},
        {"the view turned", IDM_DIREITA, {}},
        {"the view tilted", IDM_BAIXO, {}},
        {"a work file opened", IDM_ABRIRTRAB, {}},
    };
    // clang-format on
    for (const auto &l : linhas) {
        SCOPED_TRACE(l.nome);
        if (&l != linhas) TearDown(), SetUp();
        const std::string antes = retrato();
        {
            wintest::DialogDrivers dialogos;
            for (auto &d : l.dialogos) dialogos.then(d);
            wintest::OpenDialogDriver abrir;
            if (l.id == IDM_ABRIRTRAB) abrir.answer(ORBIX_DADOS "/trabalhos/escrito.orbix");
            comando(l.id);
            EXPECT_EQ(dialogos.pending(), 0);
        }
        const std::string depois = retrato();
        ASSERT_TRUE(depois != antes);
        EXPECT_TRUE(wintest::MenuItemEnabled(hjan, IDM_DESFAZER) && !wintest::MenuItemEnabled(hjan, IDM_REFAZER));
        comando(IDM_DESFAZER);
        EXPECT_TRUE(retrato() == antes);
        EXPECT_FALSE(wintest::MenuItemEnabled(hjan, IDM_DESFAZER));
        comando(IDM_REFAZER);
        EXPECT_TRUE(retrato() == depois);
        comando(IDM_DESFAZER);
        EXPECT_TRUE(retrato() == antes);
    }
}

TEST_F(Desfazer, WhatChangesNoWorkIsNoStepAndANewStepForgetsTheUndone) {
    wintest::SaveDialogDriver salvar;
    salvar.answer((pasta / "relatorio.txt").string());
    angulox = ANGULOX_MAX;  // at its limit: the view does not turn
    for (int id : {IDM_ANGULO, IDM_CALC, IDM_ESCVETORES, IDM_SALVAR, IDM_DIREITA, IDM_DESFAZER}) {
        comando(id);
        EXPECT_FALSE(podedesfazer() || wintest::MenuItemEnabled(hjan, IDM_DESFAZER)) << id;
    }
    EXPECT_EQ(angulox, ANGULOX_MAX);
    comando(IDM_ESCMEDIA);
    comando(IDM_DESFAZER);
    EXPECT_TRUE(poderefazer());
    comando(IDM_NAOMOSTRAR);
    EXPECT_FALSE(poderefazer());
}

TEST_F(Desfazer, TheKeysAreCtrlZCtrlYAndCtrlShiftZ) {
    comando(IDM_ESCMEDIA);
    using wintest::Ctrl, wintest::Shift;
    // clang-format off
    const struct { int vk; unsigned mods; int escala; } teclas[] = {
        {'Z', Ctrl, ESCALA_VETORES}, {'Y', Ctrl, ESCALA_MEDIA}, {'Z', Ctrl, ESCALA_VETORES},
        {'Z', Ctrl | Shift, ESCALA_MEDIA}, {'Z', 0, ESCALA_MEDIA}, {'Y', Ctrl | Shift, ESCALA_MEDIA}};
    // clang-format on
    for (const auto &t : teclas) {
        wintest::PressKey(hjan, t.vk, t.mods);
        bombeia();
        EXPECT_EQ(mostnum, t.escala) << char(t.vk) << " " << t.mods;
    }
}

TEST_F(Desfazer, TwoHundredStepsBackAndNoMore) {
    std::vector<double> depois;  // the view after each step: ten turns right, ten left, again
    angulox = 0.5;
    for (int i = 0; i < PASSOS_HISTORICO + 20; ++i) {
        comando(i / 10 % 2 ? IDM_ESQUERDA : IDM_DIREITA);
        depois.push_back(angulox);
    }
    for (int k = 1; k <= PASSOS_HISTORICO; ++k) {
        comando(IDM_DESFAZER);
        ASSERT_EQ(angulox, k < PASSOS_HISTORICO ? depois[depois.size() - 1 - size_t(k)] : depois[19]) << k;
    }
    EXPECT_FALSE(podedesfazer());
    comando(IDM_REFAZER);
    EXPECT_EQ(angulox, depois[20]);
}

}  // namespace
