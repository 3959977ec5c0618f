#!/usr/bin/env python3
"""Channel fed by a two-segment chain, solved along the characteristics.

    canal_cadeia.py [--passo 0.01]

Recomputes the reference numbers of the converged chain-fed channel test
(tests/model/test_canal_convergido_cadeia.cpp): the reference storm (Tr 10,
K 1000, a 0.2, b 10, c 0.8) on a steep bare segment (30 m, St 0.15, nt 0.02)
above a gentle rough one (50 m, St 0.01, nt 0.2), both with VIB 20 mm/h, feeding
a 300-m grassed channel (B 0.5, Sm 0.7, Sc 0.005, nc 0.025), trapezoidal with
Z 1 and triangular with Z 0.05. Prints, for each, the outlet's peak (L/s), its
time (min) and the outflow a minute after that time, at the step given and at
half of it, so that the digits that have settled can be read.

The kinematic wave dh/dt + dq/dx = e(t), q = alfa h^m is solved exactly along
its characteristics: on each, h = h0 + G(t) - G(t0), with G the cumulative
excess (mm of storm over the initial abstraction less VIB), and x is the
integral of the celerity m alfa h^(m-1) (Simpson's rule, h being exact). The
steep segment's outflow enters the gentle one with the same discharge and a
far greater depth: those characteristics overtake the gentle segment's own,
which form the level water ahead, and meet them in a shock that moves by the
jump condition ds/dt = (qL - qR)/(hL - hR). The channel takes the foot's
outflow per metre as a lateral inflow the same all along it, so its
characteristics never cross. Standard library only; the storm, the initial
abstraction and the channel's rating come from referencia_caudalente.py.
"""

import argparse
import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
sys.dont_write_bytecode = True  # keep the source folder clean

import referencia_caudalente as ref  # noqa: E402

VIB = 20.0
TRECHOS = [(30.0, 0.15, 0.02), (50.0, 0.01, 0.2)]  # length m, St, nt
CANAIS = [('trapezoidal', 0, 1.0), ('triangular', 1, 0.05)]
COMPRIMENTO_CANAL = 300.0
FIM = 22.0  # min; the peaks and a minute after them come before


def onda(tempos, topo, ganho, alfa, m, comprimento, choque):
    """Outflow (m^2/s or m^3/s) at x = comprimento at each of `tempos`.

    topo[k]: h entering at x = 0 at tempos[k]; ganho(t): cumulative source G(t) (m);
    the domain is dry at tempos[0]. Returns the outflows and, when a shock reaches the
    outlet, (its time, q ahead, q behind)."""
    def vazao(h):
        return alfa * h ** m if h > 0 else 0.0

    def celeridade(h):
        return m * alfa * h ** (m - 1) if h > 0 else 0.0

    t0 = tempos[0]
    g0 = ganho(t0)
    # Characteristics, the oldest first: [launch gain, h at launch, x].
    carac = [[g0, topo[0], 0.0]]
    frente = 0.0  # the shock, or the first characteristic
    saida = [0.0]
    salto = None

    def h_de(c, g):
        return c[1] + g - c[0]

    def estado_em(x, g):
        """h of the characteristics at x, linear between the two around it."""
        for i in range(len(carac) - 1):
            a, b = carac[i], carac[i + 1]
            if a[2] >= x >= b[2]:
                ha, hb = h_de(a, g), h_de(b, g)
                return hb if a[2] == b[2] else hb + (x - b[2]) / (a[2] - b[2]) * (ha - hb)
        return h_de(carac[0], g)

    def velocidade_choque(x, g):
        h_l, h_r = estado_em(x, g), g - g0
        if h_l - h_r <= 1e-12 * max(h_l, 1e-300):
            return celeridade(0.5 * (h_l + h_r))
        return (vazao(h_l) - vazao(h_r)) / (h_l - h_r)

    for k in range(1, len(tempos)):
        ta, tb = tempos[k - 1], tempos[k]
        dts = 60.0 * (tb - ta)
        ga, gm, gb = ganho(ta), ganho(0.5 * (ta + tb)), ganho(tb)
        v_a = velocidade_choque(frente, ga) if choque else 0.0
        for c in carac:
            c[2] += dts / 6.0 * (celeridade(h_de(c, ga)) + 4.0 * celeridade(h_de(c, gm)) +
                                 celeridade(h_de(c, gb)))
        carac.append([gb, topo[k], 0.0])
        for i in range(len(carac) - 1):
            if carac[i][2] < carac[i + 1][2] and (not choque or carac[i][2] < frente):
                raise ArithmeticError('characteristics cross behind the front at t = %g' % tb)
        antes = frente
        if choque:
            previsto = frente + dts * v_a
            frente = frente + 0.5 * dts * (v_a + velocidade_choque(previsto, gb))
            # Those the shock has taken in go, but for one ahead of it to read its state.
            while len(carac) > 2 and carac[1][2] >= frente:
                carac.pop(0)
        else:
            frente = carac[0][2]
        # Keep one characteristic past the outlet, to read the state there.
        while len(carac) > 2 and carac[1][2] >= comprimento:
            carac.pop(0)
        if frente < comprimento:
            saida.append(vazao(gb - g0))  # the level water
            continue
        if choque and antes < comprimento and salto is None:
            f = (comprimento - antes) / (frente - antes)
            tc = ta + f * (tb - ta)
            gc = ganho(tc)
            salto = (tc, vazao(gc - g0), vazao(estado_em(comprimento, gb)))
        saida.append(vazao(estado_em(comprimento, gb)))
    return saida, salto


class Acumulada:
    """Integral from its first point of a series linear between its points."""

    def __init__(self, pontos):
        self.p = pontos
        self.soma = [0.0]
        for (ta, qa), (tb, qb) in zip(pontos, pontos[1:]):
            self.soma.append(self.soma[-1] + 0.5 * (qa + qb) * (tb - ta) * 60.0)

    def __call__(self, t):
        p = self.p
        lo, hi = 0, len(p) - 1
        if t <= p[0][0]:
            return 0.0
        if t >= p[-1][0]:
            return self.soma[-1]
        while hi - lo > 1:
            meio = (lo + hi) // 2
            if p[meio][0] <= t:
                lo = meio
            else:
                hi = meio
        (ta, qa), (tb, qb) = p[lo], p[hi]
        qt = qa + (t - ta) / (tb - ta) * (qb - qa) if tb > ta else qb
        return self.soma[lo] + 0.5 * (qa + qt) * (t - ta) * 60.0


def calcular(passo):
    chuva = ref.Chuva(10, 1000, 0.2, 10, 0.8)
    solo = {'uso': 0, 'trat': 0, 'cond': 0, 'VIB': VIB}
    tia = ref.tempo_abstracao_inicial(solo, chuva)
    p_tia = chuva.media(tia) * tia / 60.0

    def excesso(t):  # m
        return (chuva.media(t) * t / 60.0 - p_tia - VIB * (t - tia) / 60.0) / 1000.0

    if not chuva.instantanea(FIM) > VIB:
        raise ArithmeticError('the excess ends before the times of interest')
    n = int(math.ceil((FIM - tia) / passo))
    tempos = [tia + k * (FIM - tia) / n for k in range(n + 1)]

    (l1, st1, nt1), (l2, st2, nt2) = TRECHOS
    alfa1, alfa2 = math.sqrt(st1) / nt1, math.sqrt(st2) / nt2
    q1, _ = onda(tempos, [0.0] * len(tempos), excesso, alfa1, 5.0 / 3.0, l1, False)
    topo2 = [(q / alfa2) ** 0.6 for q in q1]
    q2, salto = onda(tempos, topo2, excesso, alfa2, 5.0 / 3.0, l2, True)

    # The foot's outflow as a series, its jump kept as one.
    pontos = []
    for t, q in zip(tempos, q2):
        if salto and pontos and pontos[-1][0] < salto[0] <= t:
            pontos += [(salto[0], salto[1]), (salto[0], salto[2])]
        pontos.append((t, q))
    entrada = Acumulada(pontos)

    resultados = {'salto': salto}
    for nome, tipo, z in CANAIS:
        canal = {'Tipo': tipo, 'B': 0.5, 'Z': z, 'Sm': 0.7, 'Sc': 0.005, 'nc': 0.025}
        alfa, beta = ref.coeficientes_canal(canal)
        q, _ = onda(tempos, [0.0] * len(tempos), entrada, alfa, beta, COMPRIMENTO_CANAL, False)
        k = max(range(len(q)), key=lambda i: q[i])
        # The top of a smooth peak by the parabola through it and its neighbours.
        pico, tempo_pico = q[k], tempos[k]
        if 0 < k < len(q) - 1:
            a, b, c = q[k - 1], q[k], q[k + 1]
            curvatura = a - 2 * b + c
            if curvatura < 0:
                d = 0.5 * (a - c) / curvatura
                pico = b - 0.25 * (a - c) * d
                tempo_pico = tempos[k] + d * (tempos[1] - tempos[0])
        # A minute after the time of peak as printed (the test reads it there).
        depois = round(tempo_pico, 3) + 1.0
        j = next(i for i in range(len(tempos)) if tempos[i] >= depois)
        f = (depois - tempos[j - 1]) / (tempos[j] - tempos[j - 1])
        recessao = q[j - 1] + f * (q[j] - q[j - 1])
        resultados[nome] = (1000.0 * pico, tempo_pico, 1000.0 * recessao)
    return resultados


def main():
    ap = argparse.ArgumentParser(description=__doc__.split('\n')[1])
    ap.add_argument('--passo', type=float, default=0.01, help='time step, min')
    opc = ap.parse_args()
    for passo in (opc.passo, opc.passo / 2):
        r = calcular(passo)
        tc, antes, depois = r['salto']
        print('passo %g min: choque no pé em %.4f min, de %.4f a %.4f L/s·m' %
              (passo, tc, 1000 * antes, 1000 * depois))
        for nome, _, _ in CANAIS:
            pico, tempo, recessao = r[nome]
            print('  %-12s pico %.2f L/s em %.3f min; %.2f L/s um minuto depois' %
                  (nome, pico, tempo, recessao))
    return 0


if __name__ == '__main__':
    sys.exit(main())
