// Undo and redo: every command that changes the work is one step, undone and redone bit for bit,
// whichever dialog or key made it; a command that changes nothing is no step.
#include "apoio/teste.h"
#include "apoio/pasta.h"
#include "report/relatorio.h"
#include "state/historico.h"
#include "trabalho/trabalho.h"

#include <string.h>

namespace {

using wintest::Dialog;

// The work as a person could tell it apart: the report's bytes, the work file's, every column
// of the vectors (a later series of dialogs shows them) and the view.
std::string retrato(const apoio::Pasta &pasta) {
    std::string texto;
    textotrabalho(trabalhoatual(), texto);
    EXPECT_TRUE(gravarelatorio((pasta / "r.txt").c_str()));
    texto += apoio::le(pasta / "r.txt");
    texto.append(reinterpret_cast<const char *>(vetores), sizeof vetores);
    return texto + " vista " + std::to_string(num) + " arquivo " + fntrabalho;
}

auto digita(std::vector<std::pair<int, const char *>> campos) {
    return [campos](Dialog &d) {
        for (auto [id, t] : campos) d.setFieldText(id, t);
        d.click(IDOK);
    };
}
auto clica(int id) {
    return [id](Dialog &d) { d.click(id); };
}

class Desfazer : public apoio::JanelaPrincipal {
protected:
    void SetUp() override {
        apoio::JanelaPrincipal::SetUp();
        // A work to change: three vectors, a region, columns beyond the vectors in use.
        Trabalho t;
        memset(&t, 0, sizeof t);
        t.sistema = CARTESIANO, t.unidade = GRAUS, t.quantos = 3;
        for (int i = 0; i < 3; ++i)
            for (int e = 0; e < 3; ++e) t.vetores[e][i] = float(i + 1) * float(e + 2) / 3;
        t.regiao[0][1] = t.regiao[1][1] = t.regiao[2][1] = 2;
        t.angulox = ANGULOX_INICIAL, t.anguloz = ANGULOZ_INICIAL, t.escala = ESCALA_VETORES;
        aplicatrabalho(t);
        vetores[0][7] = 9.5f;
        num = MODO_LISTAGEM;
        marcasalvo();  // as if just saved: opening another work asks nothing
    }
    apoio::Pasta pasta;
};

TEST_F(Desfazer, EveryChangeIsOneStepUndoneAndRedoneBitForBit) {
    const std::string trabalho = (pasta / "outro.orbix").string();
    apoio::escreve(trabalho, "ORBIX TRABALHO 1\nsistema esferico\nunidade radianos\nvetores 1\nvetor 0 1 2 3\nregiao 1 0 1\n"
                             "regiao 2 0 1\nregiao 3 0 1\nvista 1 0.5\nescala media\nfim\n");
    const struct {
        const char *nome;
        int id;
        std::vector<std::function<void(Dialog &)>> dialogos;
    } linhas[] = {
        {"two vectors typed", IDM_PONTOS, {digita({{IDC_NPT, "2"}}), digita({{IDC_E1, "1"}, {IDC_E2, "2"}, {IDC_E3, "3"}}),
                                           digita({{IDC_E1, "-4"}, {IDC_E2, "0.5"}, {IDC_E3, "7"}})}},
        {"the number dialog cancelled, which leaves no vectors", IDM_PONTOS, {clica(IDCANCEL)}},
        {"every vector cancelled but the count", IDM_PONTOS, {digita({{IDC_NPT, "9"}}), clica(IDCANCEL), clica(IDCANCEL),
                                                              clica(IDCANCEL), clica(IDCANCEL), clica(IDCANCEL),
                                                              clica(IDCANCEL), clica(IDCANCEL), clica(IDCANCEL), clica(IDCANCEL)}},
        {"region limits", IDM_LIMITES, {digita({{IDC_LIM1, "-1"}, {IDC_LIM2, "1"}, {IDC_LIM3, "0"}, {IDC_LIM4, "3"},
                                               {IDC_LIM5, "2"}, {IDC_LIM6, "4"}})}},
        {"another system and unit", IDM_COORD, {[](Dialog &d) { d.click(IDC_ESF), d.click(IDC_RAD), d.click(IDOK); }}},
        {"a system clicked and cancelled, which stays", IDM_COORD, {[](Dialog &d) { d.click(IDC_CIL), d.click(IDCANCEL); }}},
        {"the mean scale labels", IDM_ESCMEDIA, {}},
        {"no scale labels", IDM_NAOMOSTRAR, {}},
        {"the view turned", IDM_DIREITA, {}},
        {"the view tilted", IDM_BAIXO, {}},
        {"a work file opened", IDM_ABRIRTRAB, {}},
    };
    for (const auto &l : linhas) {
        SCOPED_TRACE(l.nome);
        if (&l != linhas) TearDown(), SetUp();
        const std::string antes = retrato(pasta);
        {
            wintest::DialogDrivers dialogos;
            for (auto &d : l.dialogos) dialogos.then(d);
            wintest::OpenDialogDriver abrir;
            if (l.id == IDM_ABRIRTRAB) abrir.answer(trabalho);
            comando(l.id);
            EXPECT_EQ(dialogos.pending(), 0);
        }
        const std::string depois = retrato(pasta);
        ASSERT_TRUE(depois != antes);
        EXPECT_TRUE(wintest::MenuItemEnabled(hjan, IDM_DESFAZER));
        EXPECT_FALSE(wintest::MenuItemEnabled(hjan, IDM_REFAZER));
        comando(IDM_DESFAZER);
        EXPECT_TRUE(retrato(pasta) == antes);
        EXPECT_FALSE(wintest::MenuItemEnabled(hjan, IDM_DESFAZER));
        comando(IDM_REFAZER);
        EXPECT_TRUE(retrato(pasta) == depois);
        comando(IDM_DESFAZER);
        EXPECT_TRUE(retrato(pasta) == antes);
    }
}

TEST_F(Desfazer, WhatChangesNoWorkIsNoStep) {
    const struct {
        const char *nome;
        int id;
    } linhas[] = {{"another view", IDM_ANGULO}, {"the calculator", IDM_CALC}, {"the scale labels it has", IDM_ESCVETORES},
                  {"a save of the report", IDM_SALVAR}};
    wintest::SaveDialogDriver salvar;
    salvar.answer((pasta / "relatorio.txt").string());
    for (const auto &l : linhas) {
        comando(l.id);
        EXPECT_FALSE(podedesfazer()) << l.nome;
    }
    angulox = ANGULOX_MAX;
    comando(IDM_DIREITA);  // at its limit: the view does not turn
    EXPECT_FALSE(podedesfazer());
    EXPECT_FALSE(wintest::MenuItemEnabled(hjan, IDM_DESFAZER));
    comando(IDM_DESFAZER);  // nothing to undo: nothing happens
    EXPECT_EQ(angulox, ANGULOX_MAX);
}

TEST_F(Desfazer, ANewStepForgetsTheStepsUndone) {
    comando(IDM_ESCMEDIA);
    comando(IDM_DESFAZER);
    EXPECT_TRUE(poderefazer());
    comando(IDM_NAOMOSTRAR);
    EXPECT_FALSE(poderefazer());
    comando(IDM_REFAZER);
    EXPECT_EQ(mostnum, ESCALA_NENHUMA);
}

TEST_F(Desfazer, TheKeysAreCtrlZCtrlYAndCtrlShiftZ) {
    comando(IDM_ESCMEDIA);
    const struct {
        int vk;
        unsigned mods;
        int escala;
    } teclas[] = {{'Z', wintest::Ctrl, ESCALA_VETORES}, {'Y', wintest::Ctrl, ESCALA_MEDIA},
                  {'Z', wintest::Ctrl, ESCALA_VETORES}, {'Z', wintest::Ctrl | wintest::Shift, ESCALA_MEDIA},
                  {'Z', 0, ESCALA_MEDIA}, {'Y', wintest::Ctrl | wintest::Shift, ESCALA_MEDIA}};
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
