/* resource.h - identifiers shared by orbix.rc and the program: menu commands and dialog
   controls. Kept to plain #defines so that C, C++ and the resource compilers all read it. */
#ifndef ORBIX_RESOURCE_H
#define ORBIX_RESOURCE_H

/* Menu commands (menu "Orbix"). 115 is deliberately unused. */
#define IDM_SALVAR 101
#define IDM_SAIR 102
#define IDM_DESENHARVET 103
#define IDM_MODULO 104
#define IDM_DESENHARREG 105
#define IDM_COORD 106
#define IDM_ANGULO 107
#define IDM_ESCALAR 108
#define IDM_VETORIAL 109
#define IDM_DIREITA 110
#define IDM_ESQUERDA 111
#define IDM_CIMA 112
#define IDM_BAIXO 113
#define IDM_CALC 114
#define IDM_AJUDA 116
#define IDM_SOBRE 117
#define IDM_VERVET 118
#define IDM_LIMITES 119
#define IDM_PONTOS 120
#define IDM_NAOMOSTRAR 121
#define IDM_ESCVETORES 122
#define IDM_ESCMEDIA 123
/* Work files and the clipboard. */
#define IDM_ABRIRTRAB 124
#define IDM_SALVARTRAB 125
#define IDM_COPIAR 126
#define IDM_DESFAZER 127
#define IDM_REFAZER 128
#define IDM_EDITARVET 129
#define IDM_ACRESCVET 130
#define IDM_REMOVERVET 131
#define IDM_SALVARCOMO 132
/* The three systems side by side, and the vectors converted to another. */
#define IDM_SISTEMAS 133
#define IDM_CONVERTER 134
#define IDM_IMPRIMIR 135

/* Coordinate system and angle unit radio buttons ("entvt", "entreg"). Their ids are also the
   values stored for the chosen system and unit, so the dialogs store the clicked id as is. */
#define IDC_CART 101
#define IDC_CIL 102
#define IDC_ESF 103
#define IDC_GRPCOORD 104
#define IDC_GRAUS 105
#define IDC_RAD 106
#define IDC_GRPANG 107

/* The three entries of one vector ("entvt"): IDC_E1 + k - 1 is entry k. */
#define IDC_E1 108
#define IDC_E2 109
#define IDC_E3 110

/* Number of vectors ("entnpt"). */
#define IDC_NPT 111

/* Which vector ("entidx"). */
#define IDC_NVT 118

/* Region limits ("entlim"): IDC_LIM1 + n is the n-th limit, lower then upper, coordinate by
   coordinate. */
#define IDC_LIM1 112
#define IDC_LIM2 113
#define IDC_LIM3 114
#define IDC_LIM4 115
#define IDC_LIM5 116
#define IDC_LIM6 117

/* Help text field ("Ajuda"). */
#define IDC_AJUDATXT 500

#endif
