// historico.cpp - the steps of the work, kept as whole copies: a work is a few hundred bytes.
#include "state/historico.h"

#include <stdio.h>
#include <string.h>

#include <deque>
#include <vector>

namespace {

struct Passo {
    Instante antes, depois;
};
std::deque<Passo> feitos;
std::vector<Passo> desfeitos;
Instante salvo{};
bool salvoconhecido = false;  // before the first mark, the work at start

bool mesmotrabalho(const Instante &a, const Instante &b) {
    return memcmp(a.vetores, b.vetores, sizeof a.vetores) == 0 && memcmp(a.reg, b.reg, sizeof a.reg) == 0 && a.numpt == b.numpt &&
           a.Scoord == b.Scoord && a.Medgrau == b.Medgrau && a.mostnum == b.mostnum &&
           memcmp(&a.angulox, &b.angulox, sizeof a.angulox) == 0 && memcmp(&a.anguloz, &b.anguloz, sizeof a.anguloz) == 0;
}

void aplica(const Instante &i) {
    memcpy(vetores, i.vetores, sizeof vetores);
    memcpy(reg, i.reg, sizeof reg);
    numpt = i.numpt;
    Scoord = i.Scoord;
    Medgrau = i.Medgrau;
    mostnum = i.mostnum;
    angulox = i.angulox;
    anguloz = i.anguloz;
    snprintf(fntrabalho, sizeof fntrabalho, "%s", i.fntrabalho.c_str());
    // The start-up picture never comes back once its time is over.
    num = i.num == MODO_ABERTURA && inicia != 1 ? MODO_VETORES : i.num;
    SBPosy = 0;
}

}  // namespace

Instante instanteatual() {
    Instante i;
    memcpy(i.vetores, vetores, sizeof i.vetores);
    memcpy(i.reg, reg, sizeof i.reg);
    i.numpt = numpt;
    i.Scoord = Scoord;
    i.Medgrau = Medgrau;
    i.mostnum = mostnum;
    i.num = num;
    i.angulox = angulox;
    i.anguloz = anguloz;
    i.fntrabalho = fntrabalho;
    return i;
}

bool registrapasso(const Instante &antes) {
    const Instante agora = instanteatual();
    if (mesmotrabalho(antes, agora)) return false;
    feitos.push_back({antes, agora});
    if (feitos.size() > size_t(PASSOS_HISTORICO)) feitos.pop_front();
    desfeitos.clear();
    return true;
}

bool desfaz() {
    if (feitos.empty()) return false;
    desfeitos.push_back(feitos.back());
    feitos.pop_back();
    aplica(desfeitos.back().antes);
    return true;
}

bool refaz() {
    if (desfeitos.empty()) return false;
    feitos.push_back(desfeitos.back());
    desfeitos.pop_back();
    aplica(feitos.back().depois);
    return true;
}

bool podedesfazer() { return !feitos.empty(); }
bool poderefazer() { return !desfeitos.empty(); }

void esquecehistorico() {
    feitos.clear();
    desfeitos.clear();
    marcasalvo();
}

void marcasalvo() {
    salvo = instanteatual();
    salvoconhecido = true;
}

bool alterado() { return salvoconhecido ? !mesmotrabalho(salvo, instanteatual()) : algoentrado(); }

bool algoentrado() {
    if (numpt > 0) return true;
    for (const auto &limites : reg)
        for (float v : limites)
            if (v != 0) return true;
    return false;
}
