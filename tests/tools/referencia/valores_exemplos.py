#!/usr/bin/env python3
"""Prints the rows of the calculator test's table for the delivered examples.

    valores_exemplos.py

Each row holds what the independent reference computes for one trace of an
example project: the number of points, the peak, its time, the volume, the time
of the last point and the sum of the discharges taken point after point (which
moves if any single point does), as C++ initialisers with every digit.
"""

import os
import sys

AQUI = os.path.dirname(os.path.abspath(__file__))
RAIZ = os.path.abspath(os.path.join(AQUI, '..', '..', '..'))
sys.path.insert(0, AQUI)
sys.dont_write_bytecode = True  # keep the source folder clean

import referencia_caudalente as ref  # noqa: E402

TRACADOS = [
    ('encosta_regular.cdt', None, None),
    ('encosta_regular.cdt', 50, None),
    ('encosta_regular.cdt', None, 150),
    ('encosta_irregular.cdt', None, None),
    ('encosta_irregular.cdt', 150, None),
    ('encosta_irregular.cdt', None, 100),
]


def main():
    for exemplo, linha, coluna in TRACADOS:
        codigo, s = ref.calcular_projeto(os.path.join(RAIZ, 'data', 'exemplos', exemplo),
                                         linha, coluna)
        if codigo != 0:
            print('%s: código %d' % (exemplo, codigo), file=sys.stderr)
            return 1
        opcoes = []
        if linha is not None:
            opcoes += ['"--linha"', '"%d"' % linha]
        if coluna is not None:
            opcoes += ['"--coluna"', '"%d"' % coluna]
        soma = 0.0
        for _, q in s['pontos']:
            soma += q
        valores = [len(s['pontos']), s['VazaoMaxima'], s['TempoPico'], s['Volume'],
                   s['pontos'][-1][0], soma]
        print('{"%s", {%s}, %s},' % (exemplo, ', '.join(opcoes), ', '.join(repr(v) for v in valores)))
    return 0


if __name__ == '__main__':
    sys.exit(main())
