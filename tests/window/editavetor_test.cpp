// One vector edited, added or removed: the work after each is the work of the same vectors typed
// from scratch, each is one undo step, and the index dialog takes only a vector in use.
#include "apoio/teste.h"
#include "apoio/pasta.h"
#include "draw/listagem.h"
#include "report/relatorio.h"
#include "state/historico.h"
#include "trabalho/trabalho.h"

#include <math.h>
#include <string.h>

namespace {

using wintest::Dialog;
using Vetores = std::vector<std::vector<float>>;

class UmVetor : public apoio::JanelaPrincipal {
protected:
    void SetUp() override {
        apoio::JanelaPrincipal::SetUp();
        poe({{2.0f / 3, 1, 4.0f / 3}, {0.1f, -0.0f, 1e-7f}, {7, 8, 9}});
        atualizajanela(hjan);
    }
    void poe(const Vetores &vs) { apoio::guarda(Scoord, Medgrau, vs); }
    std::string relatorio() {
        EXPECT_TRUE(gravarelatorio((pasta / "r.txt").c_str()));
        return apoio::le(pasta / "r.txt");
    }
    // The report of these vectors typed from scratch, with everything else as it is.
    std::string relatoriode(const Vetores &vs) {
        const Instante agora = instanteatual();
        poe(vs);
        const std::string r = relatorio();
        memcpy(vetores, agora.vetores, sizeof vetores), numpt = agora.numpt;
        return r;
    }
    apoio::Pasta pasta;
};

auto indice(const char *t) {
    return [t](Dialog &d) { d.setFieldText(IDC_NVT, t), d.click(IDOK); };
}
auto entradas(const char *a, const char *b, const char *c) {
    return [=](Dialog &d) { d.setFieldText(IDC_E1, a), d.setFieldText(IDC_E2, b), d.setFieldText(IDC_E3, c), d.click(IDOK); };
}

TEST_F(UmVetor, EachCommandGivesTheWorkOfTheVectorsTypedFromScratch) {
    // clang-format off
    const struct { const char *nome; int id; std::vector<std::function<void(Dialog &)>> dialogos; Vetores esperado; } linhas[] = {
        {"the middle one edited", IDM_EDITARVET, {indice("1"), entradas("5", "-6", "0.25")},
         {{2.0f / 3, 1, 4.0f / 3}, {5, -6, 0.25f}, {7, 8, 9}}},
        {"one added at the end", IDM_ACRESCVET, {entradas("1", "2", "3")},
         {{2.0f / 3, 1, 4.0f / 3}, {0.1f, -0.0f, 1e-7f}, {7, 8, 9}, {1, 2, 3}}},
        {"the first removed, the others moving down", IDM_REMOVERVET, {indice("0")}, {{0.1f, -0.0f, 1e-7f}, {7, 8, 9}}},
        {"the last removed", IDM_REMOVERVET, {indice("2")}, {{2.0f / 3, 1, 4.0f / 3}, {0.1f, -0.0f, 1e-7f}}},
    };
    // clang-format on
    for (const auto &l : linhas) {
        SCOPED_TRACE(l.nome);
        if (&l != linhas) TearDown(), SetUp();
        const std::string antes = relatorio(), esperado = relatoriode(l.esperado);
        num = MODO_LISTAGEM;
        {
            wintest::DialogDrivers d;
            for (auto &f : l.dialogos) d.then(f);
            wintest::ChooseMenuItem(hjan, l.id);
            bombeia();
            EXPECT_EQ(d.pending(), 0);
        }
        EXPECT_EQ(relatorio(), esperado);
        EXPECT_EQ(num, MODO_VETORES);
        comando(IDM_DESFAZER);
        EXPECT_EQ(relatorio(), antes);
    }
}

TEST_F(UmVetor, AnEditedVectorShowsItsOwnEntriesAndOkUnchangedChangesNothing) {
    for (const char *k : {"0", "1"}) {
        wintest::DialogDrivers d;
        std::vector<std::string> campos;
        d.then(indice(k)).then([&](Dialog &dlg) {
            for (int id : {IDC_E1, IDC_E2, IDC_E3}) campos.push_back(dlg.fieldText(id));
            dlg.click(IDOK);
        });
        comando(IDM_EDITARVET);
        const std::vector<std::string> esperado =
            k[0] == '0' ? std::vector<std::string>{"0.6666667", "1", "1.3333334"} : std::vector<std::string>{"0.1", "-0", "1e-07"};
        EXPECT_EQ(campos, esperado);
    }
    EXPECT_FALSE(podedesfazer());
}

TEST_F(UmVetor, TheIndexDialogTakesOnlyAVectorInUse) {
    for (const char *mau : {"", "abc", "3", "99", "-1", "1x"}) {
        wintest::MessageBoxLog caixas;
        wintest::DialogDrivers d;
        bool ficou = false;
        d.then([&](Dialog &dlg) {
            dlg.setFieldText(IDC_NVT, mau), dlg.click(IDOK);
            ficou = dlg.visible();
            dlg.click(IDCANCEL);
        });
        comando(IDM_REMOVERVET);
        EXPECT_TRUE(ficou) << mau;
        EXPECT_EQ(caixas.texts(), std::vector<std::string>{"Número do Vetor é de 0 a 2!"}) << mau;
        EXPECT_EQ(numpt, 3);
    }
}

TEST_F(UmVetor, AddingIsGreyedAtFifteenAndEditingAndRemovingWithNone) {
    EXPECT_TRUE(wintest::MenuItemEnabled(hjan, IDM_ACRESCVET));
    numpt = MAXVETORES;
    comando(IDM_NAOMOSTRAR);  // any command brings the menu up to date
    EXPECT_FALSE(wintest::MenuItemEnabled(hjan, IDM_ACRESCVET));
    wintest::ChooseMenuItem(hjan, IDM_ACRESCVET);  // greyed: no dialog opens
    bombeia();
    EXPECT_EQ(numpt, MAXVETORES);
    {
        wintest::DialogDrivers d;
        d.then([](Dialog &dlg) { dlg.click(IDCANCEL); });
        comando(IDM_PONTOS);  // Esc on the number dialog: no vectors
    }
    for (int id : {IDM_EDITARVET, IDM_REMOVERVET}) EXPECT_FALSE(wintest::MenuItemEnabled(hjan, id));
    EXPECT_TRUE(wintest::MenuItemEnabled(hjan, IDM_ACRESCVET));
}

// Every data dialog opens with the keyboard in its first number field, its text selected: typing
// replaces it and Enter confirms what was typed.
TEST_F(UmVetor, DataDialogsOpenReadyForTyping) {
    vet[0] = 1, reg[0][0] = 5;
    // clang-format off
    const struct { int id; std::function<bool()> tomou; } linhas[] = {
        {IDM_EDITARVET, [] { return vetores[0][2] == 2; }},                                   // the index dialog, then the vector's
        {IDM_PONTOS, [] { return numpt == 2 && vetores[0][0] == 2 && vetores[0][1] == 2; }},  // and each of the series
        {IDM_LIMITES, [] { return reg[0][0] == 2; }},
    };
    // clang-format on
    for (const auto &l : linhas) {
        wintest::DialogDrivers d;
        for (int i = 0; i < 3; ++i) d.then([](Dialog &dlg) { dlg.typeAtFocus("2"), dlg.pressEnter(); });
        comando(l.id);
        EXPECT_TRUE(l.tomou()) << l.id;
    }
}

// Converting: the same points in the system chosen (the three-systems listing says the same of
// them before and after), one undo step; there and back gives the entries within float rounding;
// Cancel changes nothing at all; the region stays as typed, and the user is told.
TEST_F(UmVetor, ConvertingKeepsThePointsAndTheRegionAsTyped) {
    auto escolhe = [](std::vector<int> ids) {
        return [ids](Dialog &d) {
            for (int id : ids) d.click(id);
        };
    };
    auto linhas = [](const std::string &sistema) {
        std::string out;
        for (const auto &l : linhaslistagem(MODO_SISTEMAS))
            if (l.texto.find(sistema) != std::string::npos) out += l.texto + "\n";
        return out;
    };
    auto mesmo = [](const Instante &a, const Instante &b) {
        return !memcmp(a.vetores, b.vetores, sizeof a.vetores) && !memcmp(a.reg, b.reg, sizeof a.reg) &&
               std::tuple(a.numpt, a.Scoord, a.Medgrau) == std::tuple(b.numpt, b.Scoord, b.Medgrau);
    };
    // clang-format off
    const struct { const char *nome; std::vector<int> ida; const char *sistema; int unidade; bool regiao; } linhas_[] = {
        {"to spherical degrees", {IDC_ESF, IDC_GRAUS, IDOK}, "Esféricas", GRAUS, false},
        {"to cylindrical radians, a region entered", {IDC_CIL, IDC_RAD, IDOK}, "Cilíndricas", RADIANOS, true},
    };
    // clang-format on
    for (const auto &l : linhas_) {
        SCOPED_TRACE(l.nome);
        TearDown(), SetUp();
        reg[2][1] = l.regiao ? 5 : 0, Medgrau = l.unidade, vetores[1][2] = -8;  // below the x axis: phi past a half turn
        const Instante antes = instanteatual();
        const std::string esperado = linhas(l.sistema);
        wintest::MessageBoxLog caixas;
        wintest::DialogDrivers d;
        d.then(escolhe({IDC_ESF, IDC_RAD, IDCANCEL})).then(escolhe(l.ida)).then(escolhe({IDC_CART, IDOK}));
        comando(IDM_CONVERTER);
        EXPECT_TRUE(mesmo(antes, instanteatual()) && !podedesfazer()) << "Cancel";
        comando(IDM_CONVERTER);
        EXPECT_EQ(linhas(l.sistema), esperado);
        EXPECT_NE(Scoord, CARTESIANO);
        comando(IDM_CONVERTER);
        for (int i = 0; i < 3; ++i)
            for (int e = 0; e < 3; ++e) EXPECT_NEAR(vetores[e][i], antes.vetores[e][i], 1e-6 * (1 + fabs(antes.vetores[e][i])));
        EXPECT_EQ(reg[2][1], l.regiao ? 5 : 0);
        ASSERT_EQ(caixas.calls().size(), l.regiao ? 2u : 0u);
        for (auto &c : caixas.calls()) EXPECT_EQ(std::tuple(c.caption, c.type), std::tuple("Orbix", UINT(MB_OK | MB_ICONINFORMATION)));
        comando(IDM_DESFAZER), comando(IDM_DESFAZER);
        EXPECT_TRUE(mesmo(antes, instanteatual()));
    }
}

}  // namespace
