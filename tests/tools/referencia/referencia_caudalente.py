#!/usr/bin/env python3
"""Independent reference of the numbers of caudalente-calc.

Written apart from the C++ model, from the model's own rules, so that the two can be
compared point by point (see comparar.py). Standard library only.

Units: time min, intensities mm/h, depths mm (storm) or m (flow), slopes m/m, lengths m,
discharge L/s (per metre of width on the hillslope), volume L.

Usage, like the calculator (JSON output only):
    referencia_caudalente.py PROJETO.cdt [--linha N] [--coluna C]
Exit codes: 0 done, 1 unreadable project or model error, 2 line/column out of range,
3 no surface runoff at that point.
"""

import json
import math
import sys


# How often the rarer paths ran, so that a comparison can show what it exercised.
CONTAGEM = {}


def contar(caminho):
    CONTAGEM[caminho] = CONTAGEM.get(caminho, 0) + 1


class ErroModelo(Exception):
    """An error the program would show to the user."""


# ---------------------------------------------------------------------------
# Design storm: i(t) = K Tr^A / (t + B)^C, I(t) = d(t i(t))/dt = i(t) (1 - C t / (t + B)).


class Chuva:
    def __init__(self, tr, k, a, b, c):
        self.Tr, self.K, self.A, self.B, self.C = tr, k, a, b, c
        if k > 0 and tr > 0 and a > 0:
            self.KTrA = tr ** a * k
        else:
            self.KTrA = -1.0

    def media(self, t):
        # Outside the storm's domain (t + B <= 0) the value is not a number, as in IEEE
        # arithmetic: a Newton iteration that wanders there simply does not converge.
        x = t + self.B
        if not x > 0:
            return math.nan
        return self.KTrA / math.exp(self.C * math.log(x))

    def instantanea(self, t):
        return self.media(t) * (1.0 - self.C * t / (t + self.B))

    def pico(self):
        """K Tr^A / B^C, a power of a zero base counting as 0."""
        def pot(x, y):
            return 0.0 if x == 0 else x ** y
        bc = pot(self.B, self.C)
        return self.K * pot(self.Tr, self.A) / bc


# ---------------------------------------------------------------------------
# Curve-number initial abstraction: Ia = (100/CN - 1) * 50.8 mm.

# (land use, treatment or None for any, condition or None for any) -> CN by VIB column
_TABELA_CN = [
    (0, None, None, (98, 97, 94, 89)),
    (1, 1, 1, (97, 95, 92, 86)),
    (1, 1, 3, (96, 94, 90, 83)),
    (1, 2, 1, (95, 93, 91, 85)),
    (1, 2, 3, (94, 92, 88, 82)),
    (1, 3, 1, (92, 91, 88, 82)),
    (1, 3, 3, (92, 90, 86, 79)),
    (2, 1, 1, (95, 93, 89, 82)),
    (2, 1, 3, (95, 93, 88, 80)),
    (2, 2, 1, (94, 92, 88, 80)),
    (2, 2, 'nao1', (93, 92, 87, 78)),
    (2, 3, 1, (92, 91, 86, 78)),
    (2, 3, 3, (92, 90, 85, 77)),
    (3, 1, 1, (96, 94, 89, 82)),
    (3, 1, 3, (94, 92, 86, 76)),
    (3, 2, 1, (94, 93, 88, 81)),
    (3, 2, 3, (93, 90, 84, 74)),
    (3, 3, 1, (93, 91, 87, 80)),
    (3, 3, 3, (91, 89, 83, 70)),
    (4, 1, 1, (96, 94, 91, 84)),
    (4, 1, 2, (93, 91, 84, 69)),
    (4, 1, 3, (91, 88, 78, 59)),
    (4, 2, 1, (95, 92, 83, 67)),
    (4, 2, 2, (93, 88, 77, 43)),
    (4, 2, 3, (91, 85, 55, 15)),
    (5, None, 1, (93, 89, 82, 65)),
    (5, None, 2, (91, 87, 78, 56)),
    (5, None, 3, (89, 85, 74, 43)),
]


def numero_curva(uso, trat, cond, vib):
    if vib <= 3:
        col = 0
    elif vib <= 40:
        col = 1
    elif vib <= 190:
        col = 2
    else:
        col = 3
    for u, tr, co, cns in _TABELA_CN:
        if u != uso:
            continue
        if tr is not None and tr != trat:
            continue
        if co == 'nao1':
            if cond == 1:
                continue
        elif co is not None and co != cond:
            continue
        return cns[col]
    return 0


def abstracao_inicial(seg):
    cn = numero_curva(seg['uso'], seg['trat'], seg['cond'], seg['VIB'])
    if cn == 0:
        return 0.0
    return (100.0 / cn - 1.0) * 50.8


# ---------------------------------------------------------------------------
# Hydrograph series and its statistics.


class Serie:
    def __init__(self, local=0, funcao_profundidade=None):
        self.pontos = []
        self.local = local
        self.funcao = funcao_profundidade
        self.alfa = 0.0
        self.expoente = 0.0
        self.zerar_estatisticas()

    def zerar_estatisticas(self):
        self.vazao_maxima = 0.0
        self.tempo_pico = 0.0
        self.profundidade = 0.0
        self.velocidade = 0.0
        self.volume = 0.0
        self.lamina = 0.0

    def assign(self, origem):
        self.pontos = [list(p) for p in origem.pontos]
        self.alfa = origem.alfa
        self.expoente = origem.expoente
        self.lamina = origem.lamina

    def calcular_volume(self):
        p = self.pontos
        if len(p) <= 3:
            return 0.0
        s = 0.0
        for i in range(len(p) - 1):
            s += (p[i][1] + p[i + 1][1]) * (p[i + 1][0] - p[i][0])
        return s * 30.0

    def calcular(self, area):
        if self.local == 0:
            raise ErroModelo("Local do caudalente não definido (canal ou encosta).")
        if self.local == 2 and self.funcao is None:
            raise ErroModelo("Erro. Função de determinação da profundidade do canal não definida.")
        self.zerar_estatisticas()
        p = self.pontos
        if len(p) < 3:
            return
        for i in range(1, len(p) - 1):
            if p[i][1] > self.vazao_maxima:
                self.vazao_maxima = p[i][1]
                self.tempo_pico = p[i][0]
        if self.alfa > 0 and self.expoente > 0 and self.vazao_maxima > 0:
            self.profundidade = (self.vazao_maxima / (1000.0 * self.alfa)) ** (1.0 / self.expoente)
        if self.profundidade > 0:
            self.velocidade = self.vazao_maxima / (1000.0 * self.profundidade)
        if self.local == 2 and self.profundidade != 0:
            self.profundidade = self.funcao(self.profundidade)
        self.volume = self.calcular_volume()
        self.lamina = self.volume / area

    def vazao_em(self, tempo, intervalo):
        p = self.pontos
        if not p or tempo >= p[-1][0] or tempo <= p[0][0]:
            return 0.0
        k = round((tempo - p[0][0]) / intervalo - 0.4999)
        # A time within the tolerance before the last point would pick the last point and
        # read past the end: interpolate in the last interval instead.
        if k == len(p) - 1:
            k = len(p) - 2
            contar('interpolação no último intervalo')
        if k > len(p) - 2 or k < 0:
            raise AssertionError("série de entrada não uniforme: k = %d" % k)
        if tempo == p[k][0]:
            return p[k][1]
        return p[k][1] + (tempo - p[k][0]) / intervalo * (p[k + 1][1] - p[k][1])

    def intervalo(self):
        p = self.pontos
        if len(p) < 2:
            return 0.0
        return p[1][0] - p[0][0]

    def suavizar_recessao(self):
        p = self.pontos
        if not p:
            return
        subindo = True
        k = None
        for i in range(1, len(p)):
            if subindo:
                if p[i][1] < p[i - 1][1]:
                    subindo = False
            elif p[i][1] > p[i - 1][1]:
                k = i
                break
        if k is None:
            return
        t_ult = p[-1][0]
        incl = p[k - 1][1] / (t_ult - p[k - 1][0])
        contar('recessão retificada')
        for j in range(k, len(p) - 1):
            p[j][1] = (t_ult - p[j][0]) * incl


# ---------------------------------------------------------------------------
# Hillslope segment: kinematic wave q = alpha h^(5/3), alpha = sqrt(St)/nt, on a 1-m strip.


def numero_linhas(comprimento):
    if comprimento <= 50:
        return 100
    return int(round(comprimento / 0.5))


def dt_encosta(vib):
    for limite, dt in ((10, 0.35), (30, 0.30), (60, 0.25), (90, 0.20), (120, 0.15)):
        if vib <= limite:
            return dt
    return 0.10


def tempo_final_escoamento(chuva, versao, tie):
    if not chuva.pico() > tie:
        if versao == '1':
            raise ErroModelo("Para as condições especificadas, não há ocorrência de escoamento.")
        return 0.0
    t = 1.0
    n = 0
    while True:
        if not t > 0:
            t = 0.0
        f = chuva.instantanea(t) - tie
        d = -chuva.C / (t + chuva.B) * (chuva.instantanea(t)
                                         + chuva.media(t) * chuva.B / (t + chuva.B))
        passo = f / d if d != 0 else math.nan
        t -= passo
        n += 1
        if abs(passo) <= 1e-10 or n > 200:
            break
    if n > 200:
        raise ErroModelo("Não houve convergência quando calculando o tempo final do escoamento.")
    return t


def tempo_abstracao_inicial(seg, chuva):
    ia = abstracao_inicial(seg)
    t = 1.0
    n = 0
    while True:
        f = chuva.media(t) * t - 60.0 * ia
        d = chuva.instantanea(t)
        passo = f / d if d != 0 else math.nan  # a flat step never converges
        t -= passo
        n += 1
        if abs(passo) < 1e-7 or n > 200:
            break
    if n <= 200:
        return t
    # No convergence: a storm whose cumulative depth never reaches Ia (its peak
    # at t = B/(C-1) when C > 1, its limit KTrA/60 when C = 1) never fills it.
    if chuva.C > 1:
        tmax = chuva.B / (chuva.C - 1)
        maxima = chuva.media(tmax) * tmax / 60.0
    elif chuva.C == 1:
        maxima = chuva.KTrA / 60.0
    else:
        maxima = math.inf
    return math.inf if maxima <= ia else 0.0


def calcular_segmento(seg, chuva, entrada, linhas, sem_escoamento):
    """Outflow of the first `linhas` cells of one segment; `entrada` enters at the top."""
    versao = seg['versao']
    vib = seg['VIB']
    if versao == '1' and chuva.pico() < vib:
        sem_escoamento[0] = True
        return Serie(local=1)
    # With the list layout the end of rainfall excess only matters through its failure.
    tfe = tempo_final_escoamento(chuva, versao, vib)
    tia = tempo_abstracao_inicial(seg, chuva)
    if math.isinf(tia) and versao != '1':
        return Serie(local=1)
    if versao == '1' and tia > tfe:
        sem_escoamento[0] = True
        return Serie(local=1)

    comp = seg['Comprimento']
    alfa = math.sqrt(seg['St']) / seg['nt']
    alfa1000 = 1000.0 * alfa
    dx = min(comp / 100.0, 0.5)
    n = numero_linhas(comp)
    dt = dt_encosta(vib)
    dts = 60.0 * dt
    hest = (3.0 * dx / (5.0 * alfa * dts)) ** 1.5

    com_entrada = entrada is not None and len(entrada.pontos) > 0
    if com_entrada:
        s_entrada = entrada.intervalo()
        t_ult_entrada = entrada.pontos[-1][0]

    def montante(t):
        return entrada.vazao_em(t, s_entrada) if com_entrada else 0.0

    serie = Serie(local=1)
    if linhas == 1:
        contar('célula única' + (' com entrada' if com_entrada else ''))
        t = tia
        serie.pontos.append([t, 0.0])
        while True:
            t = t + dt
            q = (chuva.instantanea(t) - vib) * dx / 3600.0 + montante(t)
            serie.pontos.append([t, q if q > 0 else 0.0])
            if q <= 0:
                break
    else:
        h_ant = [0.0] * n
        h_nov = [0.0] * n
        r_ant = [0.0] * n
        r_nov = [0.0] * n
        t = tia
        serie.pontos.append([t, 0.0])
        t = t + dt
        q0 = (chuva.instantanea(t) - vib) * dx / 3600.0 + montante(t)
        parar = q0 < 0
        if q0 > 0:
            r_nov[0] = q0 / alfa1000
            h_nov[0] = r_nov[0] ** 0.6
        # Dry outlet steps between wet ones become zeros, so that a series fed downstream
        # stays evenly spaced (only a chained segment can dry and wet again); dry steps
        # before the first wet one are dropped, the opening zero moving to the last.
        preencher = versao == '2' and com_entrada
        secos = []
        ultima = linhas - 1
        while not parar:
            e = (chuva.instantanea(t) - vib) / 3600000.0
            m = 0.0
            for i in range(1, linhas):
                if h_nov[i - 1] + h_ant[i] > hest:
                    x = (h_ant[i - 1] - h_nov[i - 1]) * dx / (alfa * dts) + e * dx / alfa + r_nov[i - 1]
                    m = x ** 0.6 if x > 0 else 0.0
                else:
                    m = e * dts + h_ant[i] + (r_ant[i - 1] - r_ant[i]) * alfa * dts / dx
                if m <= 0 and i == ultima:
                    if versao == '1' or not com_entrada:
                        parar = True
                if m > 0:
                    h_nov[i] = m
                    r_nov[i] = m ** (5.0 / 3.0)
                else:
                    h_nov[i] = 0.0
                    r_nov[i] = 0.0
            t = t + dt
            if m > 0:
                if secos and len(serie.pontos) == 1:
                    # Dry steps before the first wet one: the opening zero moves
                    # to the last of them.
                    contar('passos secos iniciais descartados')
                    serie.pontos[0][0] = secos[-1]
                    secos = []
                if secos:
                    contar('passos secos preenchidos com zero')
                for ts in secos:
                    serie.pontos.append([ts, 0.0])
                secos = []
                serie.pontos.append([t - dt, alfa1000 * m ** (5.0 / 3.0)])
            elif preencher:
                secos.append(t - dt)
            h_ant[:] = h_nov
            r_ant[:] = r_nov
            q0 = (chuva.instantanea(t) - vib) * dx / 3600.0 + montante(t)
            if q0 > 0:
                r_nov[0] = q0 / alfa1000
                h_nov[0] = r_nov[0] ** 0.6
            else:
                r_nov[0] = 0.0
                h_nov[0] = 0.0
            for i in range(1, n):
                h_nov[i] = 0.0
                r_nov[i] = 0.0
            if versao == '2' and com_entrada and t > t_ult_entrada and not m > 0:
                parar = True
        if serie.pontos[-1][1] != 0:
            serie.pontos.append([serie.pontos[-1][0] + dt, 0.0])

    if len(serie.pontos) < 3:
        serie.pontos = []
        contar('trecho sem escoamento')
        return serie
    serie.alfa = alfa
    serie.expoente = 5.0 / 3.0
    serie.local = 1
    serie.calcular(1.0)
    seg['LaminaEscoada'] = serie.volume / (linhas * dx * 1.0 * 1000.0)
    serie.lamina = seg['LaminaEscoada']
    return serie


def soma_linhas(segmentos):
    return sum(numero_linhas(s['Comprimento']) for s in segmentos) & 0xFFFF


def calcular_encosta(segmentos, linha, chuva):
    """Hydrograph at line `linha` of the whole segment list."""
    sem_escoamento = [False]
    saida = Serie(local=1)
    entrada = Serie(local=1)
    lt = 0.0
    d = linha
    total = soma_linhas(segmentos)
    for seg in segmentos:
        if d == 0 or d > total:
            break
        if saida.pontos:
            entrada = Serie(local=1)
            entrada.assign(saida)
        n = numero_linhas(seg['Comprimento'])
        if n < d:
            saida = calcular_segmento(seg, chuva, entrada, n, sem_escoamento)
            lt += seg['Comprimento']
        else:
            saida = calcular_segmento(seg, chuva, entrada, d, sem_escoamento)
            if seg['Comprimento'] > 50:
                lt += d * 0.5
            else:
                lt += d * seg['Comprimento'] / 100.0
        if d > n:
            d -= n
        else:
            d = 0
    if sem_escoamento[0]:
        saida = Serie(local=1)
    saida.calcular(lt * 1.0 * 1000.0)
    return saida, lt


# ---------------------------------------------------------------------------
# Channel: Q = alpha A^beta, Manning with the wetted perimeter fitted as P = c A^m.


def pot(x, y):
    """The channel's power: 0 for a zero base, exp(y ln x) otherwise."""
    if x == 0:
        return 0.0
    return math.exp(y * math.log(x))


def ajuste_potencia(xs, ys):
    lx = [math.log10(x) for x in xs]
    ly = [math.log10(y) if y != 0 else 0.0 for y in ys]
    n = len(lx)
    sx = sy = sxy = sxx = 0.0
    for x, y in zip(lx, ly):
        sx += x
        sy += y
        sxy += x * y
        sxx += x * x
    b = (sxy - sx * sy / n) / (sxx - sx * sx / n)
    a = sy / n - b * sx / n
    return 10.0 ** a, b


def profundidade_da_area(canal, area):
    z = canal['Z']
    if canal['Tipo'] == 0:
        b = canal['B']
        return (math.sqrt(b * b + 4.0 * z * area) - b) / (2.0 * z)
    if canal['Tipo'] == 1:
        return math.sqrt(2.0 * area / (1.0 / z + 1.0 / canal['Sm']))
    raise ErroModelo("Erro. Seção transversal do canal não definida.")


def coeficientes_canal(canal):
    z = canal['Z']
    if canal['Tipo'] == 0:
        b = canal['B']
        xs, ys = [], []
        for k in range(1, 26):
            y = 0.2 * k
            xs.append(y * (b + z * y))
            ys.append(b + 2.0 * y * math.sqrt(z * z + 1.0))
        c, m = ajuste_potencia(xs, ys)
    else:
        sm = canal['Sm']
        w = math.sqrt(2.0 / (1.0 / sm + 1.0 / z))
        c = (math.sqrt((1.0 / z) ** 2 + 1.0) + math.sqrt((1.0 / sm) ** 2 + 1.0)) * w
        m = 0.5
    alfa = math.sqrt(canal['Sc']) / (canal['nc'] * pot(c, 2.0 / 3.0))
    beta = 5.0 / 3.0 - (2.0 / 3.0) * m
    return alfa, beta


def dt_canal(tie):
    for limite, dt in ((10, 0.15), (30, 0.12), (50, 0.10), (70, 0.08), (90, 0.06), (110, 0.04)):
        if tie <= limite:
            return dt / 2.0
    return 0.02 / 2.0


def calcular_canal(canal, colunas, chuva, encosta, tie, comprimento_encosta):
    def funcao(area):
        return profundidade_da_area(canal, area)

    if not encosta.pontos:
        return Serie(local=2, funcao_profundidade=funcao)
    alfa, beta = coeficientes_canal(canal)
    dx = canal['DeltaX']
    res = Serie(funcao_profundidade=funcao)
    if colunas == 1:
        res.assign(encosta)
        for p in res.pontos:
            p[1] *= dx
    else:
        tri = canal['Tipo'] == 1
        z, b, sm = canal['Z'], canal['B'], canal['Sm']
        w = 1.0 if not tri else math.sqrt(2.0 * (1.0 / sm + 1.0 / z))
        t_fim = encosta.pontos[-1][0]
        dth = encosta.pontos[1][0] - encosta.pontos[0][0]
        dt = dt_canal(tie)
        n = int(round(canal['Comprimento'] / dx))
        a_ant = [0.0] * n
        a_nov = [0.0] * n
        f_ant = [0.0] * n
        f_nov = [0.0] * n
        dts = 60.0 * dt
        c1 = dx / alfa
        c2 = dx / (alfa * dts)
        c3 = alfa * dts / dx
        limiar = 2.0 * pot(dx / (beta * alfa * dts), 1.0 / (beta - 1.0))
        inv_beta = 1.0 / beta
        t = encosta.pontos[0][0]
        res.pontos.append([t, 0.0])
        t = t + dt
        passo = 0
        parar = False
        ultima = colunas - 1
        while not parar:
            e = encosta.vazao_em(t, dth) / 1000.0 if t < t_fim else 0.0
            passo += 1
            if e > 0:
                f_ant[0] = dx * e / alfa
                a_ant[0] = pot(f_ant[0], inv_beta)
            else:
                f_ant[0] = 0.0
                a_ant[0] = 0.0
            perda = t >= t_fim
            if perda:
                i_t = chuva.instantanea(t)
            a = 0.0
            for j in range(1, colunas):
                if a_nov[j - 1] + a_ant[j] > limiar:
                    a = e * c1 + (a_ant[j - 1] - a_nov[j - 1]) * c2 + f_nov[j - 1]
                    a = pot(a, inv_beta) if a > 0 else 0.0
                else:
                    a = a_ant[j] + e * dts + (f_ant[j - 1] - f_ant[j]) * c3
                if perda:
                    if tri:
                        raiz = math.sqrt(a) if a >= 0 else math.nan
                        e = (i_t - tie) * raiz * w / 3600000.0
                        a = a - pot(abs(e) / alfa, inv_beta)
                        if not math.isfinite(a):
                            a = 0.0  # a non-finite area counts as dry; e keeps its NaN
                            contar('canal triangular: área não finita')
                    else:
                        if a > 0:
                            y = profundidade_da_area(canal, a)
                            e = (i_t - tie) * (2.0 * y * z + b) / 3600000.0
                        else:
                            e = 0.0
                        base = -e / alfa
                        if base < 0 or math.isnan(base):
                            contar('canal trapezoidal: perda não avaliável')
                        else:
                            a = a - pot(base, inv_beta)
                if a <= 0 and j == ultima and passo > 1:
                    parar = True
                if a > 0:
                    a_nov[j] = a
                    f_nov[j] = pot(a, beta)
                else:
                    a_nov[j] = 0.0
                    f_nov[j] = 0.0
            if a > 0:
                res.pontos.append([t, 1000.0 * alfa * pot(a, beta)])
                t = t + dt
                a_ant[:] = a_nov
                f_ant[:] = f_nov
                for j in range(1, n):
                    a_nov[j] = 0.0
                    f_nov[j] = 0.0
        res.pontos.append([t + dt, 0.0])
        res.suavizar_recessao()
    if len(res.pontos) <= 2:
        res.pontos = []
    else:
        res.alfa = alfa
        res.expoente = beta
    res.local = 2
    if res.pontos:
        res.calcular(colunas * dx * comprimento_encosta * 1000.0)
    else:
        res.zerar_estatisticas()
    return res


# ---------------------------------------------------------------------------
# Project file (INI layout, Windows-1252; reals with the decimal separator given).


def ler_ini(caminho):
    with open(caminho, 'rb') as f:
        texto = f.read().decode('cp1252')
    secoes = {}
    atual = None
    for linha in texto.splitlines():
        s = linha.strip()
        if not s or s.startswith(';'):
            continue
        if s.startswith('[') and s.endswith(']'):
            atual = secoes.setdefault(s[1:-1].strip().lower(), {})
        elif atual is not None and '=' in s:
            k, v = s.split('=', 1)
            atual.setdefault(k.strip().lower(), v.strip())
    return secoes


def _real(secao, chave, sep):
    v = secao.get(chave.lower())
    if v is None:
        return 0.0
    if sep != '.':
        if '.' in v:
            return 0.0
        v = v.replace(sep, '.')
    try:
        return float(v)
    except ValueError:
        return 0.0


def _inteiro(secao, chave, padrao):
    try:
        return int(secao.get(chave.lower(), padrao))
    except ValueError:
        return padrao


def ler_projeto(caminho, sep='.'):
    ini = ler_ini(caminho)

    def sec(nome):
        return ini.get(nome.lower(), {})

    p = sec('PREC_EXPONENCIAL_NEGATIVA')
    chuva = Chuva(*(_real(p, k, sep) for k in ('Tr', 'K', 'A', 'B', 'C')))
    c = sec('Canal')
    g = sec('CanalGradiente')
    canal = {
        'Tipo': _inteiro(c, 'TipoCanal', -1),
        'B': max(_real(c, 'B', sep), 0.0),
        'Z': _real(c, 'ValorZ', sep),
        'Sm': _real(c, 'ValorSm', sep),
        'Comprimento': max(_inteiro(g, 'Comprimento', 0), 0),
        'Sc': _real(g, 'Sc', sep),
        'nc': _real(g, 'nc', sep),
    }
    # The calculator applies the length through SetComprimento: 1-m nodes.
    canal['DeltaX'] = 1.0 if canal['Comprimento'] > 0 else 0.0
    e = sec('Encosta')
    segmentos = []
    if e.get('versao', '0') == '1':
        nomes = [('', '1')]
    else:
        nomes = [(': Trecho %d' % k, '2')
                 for k in range(1, (_inteiro(e, 'Count', 0) & 0xFF) + 1)]
    for sufixo, versao in nomes:
        co = sec('Cobertura' + sufixo)
        te = sec('Terreno' + sufixo)
        en = sec('Encosta' + sufixo)
        segmentos.append({
            'versao': versao,
            'uso': _inteiro(co, 'IndUso', -1),
            'cond': _inteiro(co, 'IndCond', -1),
            'trat': _inteiro(co, 'IndTrat', -1),
            'VIB': max(_real(te, 'VIB', sep), 0.0),
            'St': _real(te, 'St', sep),
            'nt': _real(te, 'nt', sep),
            'Comprimento': _inteiro(en, 'Comprimento', 0),
        })
    return chuva, segmentos, canal


# ---------------------------------------------------------------------------
# What the calculator computes.


def calcular_projeto(caminho, linha=None, coluna=None, sep='.'):
    """Returns (exit code, result dict or None)."""
    chuva, segmentos, canal = ler_projeto(caminho, sep)
    total = soma_linhas(segmentos)
    if linha is None:
        linha = total
    if not 1 <= linha <= total:
        return 2, None
    if coluna is None:
        res, _ = calcular_encosta(segmentos, linha, chuva)
    else:
        colunas = int(round(canal['Comprimento'] / canal['DeltaX'] + 0.4))
        if not 1 <= coluna <= colunas:
            return 2, None
        encosta, _ = calcular_encosta(segmentos, linha, chuva)
        comprimento = float(sum(s['Comprimento'] for s in segmentos))
        res = calcular_canal(canal, coluna, chuva, encosta, segmentos[-1]['VIB'], comprimento)
    if len(res.pontos) < 3:
        return 3, None
    saida = {
        'VazaoMaxima': res.vazao_maxima,
        'TempoPico': res.tempo_pico,
        'Volume': res.volume,
        'Lamina': res.lamina,
        'Profundidade': res.profundidade,
        'Velocidade': res.velocidade,
        'Alfa': res.alfa,
        'Expoente': res.expoente,
        'Local': res.local,
    }
    res.suavizar_recessao()
    saida['pontos'] = [[t, q] for t, q in res.pontos]
    return 0, saida


def main(argv):
    args = argv[1:]
    if not args:
        print(__doc__, file=sys.stderr)
        return 2
    caminho = args[0]
    linha = coluna = None
    i = 1
    while i < len(args):
        if args[i] == '--linha':
            linha = int(args[i + 1])
        elif args[i] == '--coluna':
            coluna = int(args[i + 1])
        else:
            print('argumento desconhecido: ' + args[i], file=sys.stderr)
            return 2
        i += 2
    try:
        codigo, saida = calcular_projeto(caminho, linha, coluna)
    except ErroModelo as erro:
        print(str(erro), file=sys.stderr)
        return 1
    if saida is not None:
        json.dump(saida, sys.stdout, indent=1)
        print()
    return codigo


if __name__ == '__main__':
    sys.exit(main(sys.argv))
