#!/usr/bin/env python3
"""Compares caudalente-calc with the independent reference, point by point.

    comparar.py [--calc build/bin/caudalente-calc] [--casos 40] [--semente 2025]
                [--tolerancia 1e-9] [--manter PASTA] [--so-trabalhado]
    comparar.py --projetos A.cdt B.cdt ...   (given projects: foot, first and last column)

Generates varied valid projects (1 to 4 segments, both channel shapes, storms of the
delivered IDF table, a range of infiltration rates, slopes, roughness and covers, lines
and columns including 1 and the extremes), runs both programs on each and reports every
disagreement and the largest relative differences. The worked 40-m hillslope is checked
first against its published figures. Exit code 0 when everything agrees.
"""

import argparse
import csv
import json
import math
import os
import random
import subprocess
import sys
import tempfile

AQUI = os.path.dirname(os.path.abspath(__file__))
RAIZ = os.path.abspath(os.path.join(AQUI, '..', '..', '..'))
sys.path.insert(0, AQUI)
sys.dont_write_bytecode = True  # keep the source folder clean

import referencia_caudalente as ref  # noqa: E402

# The storm table delivered with the sources; the shared data folder beside the
# repository holds the same table where a checkout lacks it.
TABELA_IDF = os.path.join(RAIZ, 'data', 'idf', 'torres2025_raw.csv')
TABELA_IDF_ALTERNATIVA = os.path.join(RAIZ, '..', 'shared', 'data', 'idf', 'torres2025_raw.csv')

# Covers that have a curve number (land use, treatment, condition).
COBERTURAS = [
    (0, 0, 0), (0, 2, 1), (1, 1, 1), (1, 1, 3), (1, 2, 1), (1, 2, 3), (1, 3, 1), (1, 3, 3),
    (2, 1, 1), (2, 1, 3), (2, 2, 1), (2, 2, 2), (2, 2, 0), (2, 3, 1), (2, 3, 3),
    (3, 1, 1), (3, 1, 3), (3, 2, 1), (3, 2, 3), (3, 3, 1), (3, 3, 3),
    (4, 1, 1), (4, 1, 2), (4, 1, 3), (4, 2, 1), (4, 2, 2), (4, 2, 3),
    (5, 0, 1), (5, 1, 2), (5, 3, 3),
]


def escrever_projeto(caminho, chuva, segmentos, canal, versao_encosta='2', sep='.'):
    """Writes a project with the given decimal separator (the locale's, for the reader)."""
    def num(x):
        texto = repr(float(x)).replace('e', 'E') if x != int(x) else str(int(x))
        return texto.replace('.', sep)

    linhas = []

    def secao(nome, pares):
        linhas.append('[%s]' % nome)
        for k, v in pares:
            linhas.append('%s=%s' % (k, v))

    def solo(sufixo, s):
        secao('Cobertura' + sufixo, [('Versao', '1'), ('IndUso', s['uso']),
                                     ('IndCond', s['cond']), ('IndTrat', s['trat'])])
        secao('Terreno' + sufixo, [('Versao', '1'), ('VIB', num(s['VIB'])), ('St', num(s['St'])),
                                   ('nt', num(s['nt'])), ('Indnt', 0)])

    if versao_encosta == '1':
        s = segmentos[0]
        secao('Encosta', [('Versao', '1'), ('Comprimento', s['Comprimento'])])
        solo('', s)
    else:
        secao('Encosta', [('Versao', '2'), ('Count', len(segmentos))])
        for k, s in enumerate(segmentos, 1):
            sufixo = ': Trecho %d' % k
            solo(sufixo, s)
            secao('Encosta' + sufixo, [('Versao', '2'), ('Comprimento', s['Comprimento'])])
    secao('Canal', [('Versao', '1'), ('H', 0), ('Hr', 0), ('B', num(canal['B'])), ('CDu', 1),
                    ('IndZ', -1), ('ValorZ', num(canal['Z'])), ('IndSm', -1),
                    ('ValorSm', num(canal['Sm'])), ('TipoCanal', canal['Tipo'])])
    secao('CanalGradiente', [('Versao', '1'), ('Comprimento', canal['Comprimento']),
                             ('Sc', num(canal['Sc'])), ('Q', 0), ('Indnc', -1),
                             ('nc', num(canal['nc']))])
    secao('NIMBORA', [('Versao', '1'), ('Latitude', '20\xb045\'14"'),
                      ('Longitude', '42\xb052\'55"'), ('IndEstacao', -1), ('IndLocalidade', -1),
                      ('StrCidade', chuva.get('nome', '')), ('IndEstado', -1), ('StrEstado', '')])
    secao('PRECIPITACAO', [('Versao', '2'), ('Duracao', 0), ('PrecipitacaoTotal', 0)])
    secao('PREC_EXPONENCIAL_NEGATIVA', [('Versao', '2'), ('Tr', num(chuva['Tr'])),
                                        ('K', num(chuva['K'])), ('A', num(chuva['A'])),
                                        ('B', num(chuva['B'])), ('C', num(chuva['C']))])
    secao('UNIDADES', [('Versao', '1'), ('Declividade', 0), ('Comprimento', 0), ('VI', 0),
                       ('Estado', 0)])
    secao('VERSAO', [('Versao', '2')])
    with open(caminho, 'wb') as f:
        f.write(('\r\n'.join(linhas) + '\r\n').encode('cp1252'))


def ler_chuvas(arquivo=None):
    if arquivo is None:
        arquivo = TABELA_IDF if os.path.exists(TABELA_IDF) else TABELA_IDF_ALTERNATIVA
    chuvas = []
    with open(arquivo, encoding='utf-8') as f:
        for linha in csv.DictReader(f):
            try:
                k, a, b, c = (float(linha[x]) for x in ('K', 'a', 'b', 'c'))
            except (TypeError, ValueError):
                continue
            if k > 0 and a > 0 and b > 0 and c > 0:
                chuvas.append({'K': k, 'A': a, 'B': b, 'C': c, 'nome': linha['Name']})
    return chuvas


def caso_trabalhado():
    """The worked 40-m hillslope, with a short triangular channel."""
    chuva = {'Tr': 10, 'K': 1000, 'A': 0.2, 'B': 10, 'C': 0.8, 'nome': 'Trabalhado'}
    seg = {'uso': 0, 'trat': 0, 'cond': 0, 'VIB': 20, 'St': 0.05, 'nt': 0.03, 'Comprimento': 40}
    canal = {'Tipo': 1, 'B': 0, 'Z': 0.05, 'Sm': 0.7, 'Comprimento': 30, 'Sc': 0.01, 'nc': 0.03}
    return chuva, [seg], canal


def gerar_caso(rnd, chuvas, indice):
    base = rnd.choice(chuvas)
    chuva = dict(base, Tr=rnd.choice([2, 5, 10, 25, 50, 100]))
    pico = chuva['K'] * chuva['Tr'] ** chuva['A'] / chuva['B'] ** chuva['C']
    n = 1 + indice % 4
    segmentos = []
    for k in range(n):
        uso, trat, cond = rnd.choice(COBERTURAS)
        # Infiltration mostly below the storm's peak; now and then a lower segment that
        # infiltrates more than the storm can give, fed only by the segments above.
        if k > 0 and rnd.random() < 0.12:
            vib = round(pico * rnd.uniform(1.05, 1.5), 2)
        else:
            vib = round(pico * rnd.choice([0.03, 0.08, 0.15, 0.3, 0.5, 0.7]) *
                        rnd.uniform(0.8, 1.2), 2)
        vib = max(vib, 2.0)
        segmentos.append({
            'uso': uso, 'trat': trat, 'cond': cond, 'VIB': vib,
            'St': rnd.choice([0.01, 0.03, 0.05, 0.08, 0.12, 0.2, 0.35]),
            'nt': rnd.choice([0.02, 0.03, 0.05, 0.1, 0.15, 0.3]),
            'Comprimento': rnd.choice([1, 7, 20, 40, 50, 51, 65, 90, 120]),
        })
    if (indice // 4) % 2 == 0:
        canal = {'Tipo': 0, 'B': rnd.choice([0.3, 0.5, 1.0, 2.0]),
                 'Z': rnd.choice([0.5, 1.0, 1.5, 3.0]), 'Sm': 0}
    else:
        canal = {'Tipo': 1, 'B': 0, 'Z': rnd.choice([0.03, 0.06, 0.1, 0.2]),
                 'Sm': rnd.choice([0.2, 0.5, 0.9, 1.5])}
    canal.update({'Comprimento': rnd.choice([1, 2, 15, 60, 150]),
                  'Sc': rnd.choice([0.002, 0.005, 0.01, 0.02]),
                  'nc': rnd.choice([0.015, 0.025, 0.035, 0.05])})
    return chuva, segmentos, canal


def pedidos(rnd, segmentos, canal):
    """Lines and columns to trace: default, 1, the extremes and one inside."""
    total = sum(ref.numero_linhas(s['Comprimento']) for s in segmentos)
    col = canal['Comprimento']
    lista = [(None, None), (1, None), (rnd.randint(1, total), None), (None, col), (None, 1)]
    if col > 2:
        lista.append((rnd.randint(1, total), rnd.randint(2, col - 1)))
    if len(segmentos) > 1:
        # the last line of the first segment and the first one of the second
        n1 = ref.numero_linhas(segmentos[0]['Comprimento'])
        lista.append((n1, None))
        lista.append((n1 + 1, None))
        # a channel fed from higher up the slope, whose infiltration may differ from the foot's
        lista.append((n1, col))
    return lista


def rodar_calc(calc, projeto, linha, coluna, localidade='C'):
    cmd = [calc, projeto]
    if linha is not None:
        cmd += ['--linha', str(linha)]
    if coluna is not None:
        cmd += ['--coluna', str(coluna)]
    env = dict(os.environ, LC_ALL=localidade, LANG=localidade, LC_NUMERIC=localidade)
    r = subprocess.run(cmd, capture_output=True, text=True, env=env, timeout=600)
    saida = json.loads(r.stdout) if r.returncode == 0 and r.stdout.strip() else None
    return r.returncode, saida, r.stderr.strip()


def dif_relativa(a, b):
    if a == b:
        return 0.0
    if not (math.isfinite(a) and math.isfinite(b)):
        return math.inf
    return abs(a - b) / max(abs(a), abs(b))


ESTATISTICAS = ['VazaoMaxima', 'TempoPico', 'Volume', 'Lamina', 'Profundidade', 'Velocidade',
                'Alfa', 'Expoente', 'Local']


def comparar(calc_saida, ref_saida, tol):
    """Returns (list of problems, largest relative difference, where)."""
    problemas = []
    pior = (0.0, '')
    for k in ESTATISTICAS:
        d = dif_relativa(float(calc_saida[k]), float(ref_saida[k]))
        if d > pior[0]:
            pior = (d, k)
        if d > tol:
            problemas.append('%s: calc %r, ref %r (rel %.3g)' % (k, calc_saida[k], ref_saida[k], d))
    pc, pr = calc_saida['pontos'], ref_saida['pontos']
    if len(pc) != len(pr):
        problemas.append('pontos: calc %d, ref %d' % (len(pc), len(pr)))
    for i, (a, b) in enumerate(zip(pc, pr)):
        for eixo, x, y in (('t', a[0], b[0]), ('q', a[1], b[1])):
            d = dif_relativa(float(x), float(y))
            # a discharge that is zero within rounding on one side compares absolutely
            if eixo == 'q' and d > tol and abs(x - y) <= tol * max(1e-12, ref_saida['VazaoMaxima']):
                d = 0.0
            if d > pior[0]:
                pior = (d, 'ponto %d %s' % (i, eixo))
            if d > tol:
                problemas.append('ponto %d %s: calc %r, ref %r (rel %.3g)' % (i, eixo, x, y, d))
                break
        if len(problemas) > 12:
            problemas.append('...')
            break
    return problemas, pior[0], pior[1]


def verificar_trabalhado(calc, pasta):
    """The worked case must come out of both with its published figures."""
    chuva, segs, canal = caso_trabalhado()
    projeto = os.path.join(pasta, 'trabalhado.cdt')
    escrever_projeto(projeto, chuva, segs, canal)
    esperado = {'n': 198, 't0': 0.3869, 'tn': 59.487, 'VazaoMaxima': 1.655, 'TempoPico': 3.387,
                'Volume': 1245.4, 'Lamina': 0.03113}
    falhas = []
    cod_c, calc_s, erro = rodar_calc(calc, projeto, 100, None)
    cod_r, ref_s = ref.calcular_projeto(projeto, 100, None)
    for nome, cod, s in (('calc', cod_c, calc_s), ('ref', cod_r, ref_s)):
        if cod != 0 or s is None:
            falhas.append('%s: código %d %s' % (nome, cod, erro if nome == 'calc' else ''))
            continue
        p = s['pontos']
        obtido = {'n': len(p), 't0': p[0][0], 'tn': p[-1][0], 'VazaoMaxima': s['VazaoMaxima'],
                  'TempoPico': s['TempoPico'], 'Volume': s['Volume'], 'Lamina': s['Lamina']}
        for k, v in esperado.items():
            casas = 10 ** -max(0, len(repr(v).split('.')[-1]) if '.' in repr(v) else 0)
            if abs(obtido[k] - v) > casas * 0.5 + 1e-12:
                falhas.append('%s: %s = %r, esperado %r' % (nome, k, obtido[k], v))
        if s['pontos'][0][1] != 0 or s['pontos'][-1][1] != 0:
            falhas.append('%s: série não começa e termina em zero' % nome)
    if calc_s and ref_s:
        problemas, _, _ = comparar(calc_s, ref_s, 1e-9)
        falhas += ['calc x ref: ' + p for p in problemas]
    return falhas


def comparar_projetos(calc, projetos, tol):
    discordancias = 0
    for projeto in projetos:
        _, _, canal = ref.ler_projeto(projeto)
        for linha, coluna in ((None, None), (None, 1), (None, canal['Comprimento'])):
            cod_c, calc_s, erro = rodar_calc(calc, projeto, linha, coluna)
            cod_r, ref_s = ref.calcular_projeto(projeto, linha, coluna)
            rotulo = '%s --coluna %s' % (os.path.basename(projeto), coluna)
            problemas = ['código calc %d, ref %d %s' % (cod_c, cod_r, erro)] if cod_c != cod_r else []
            if not problemas and cod_c == 0:
                problemas = comparar(calc_s, ref_s, tol)[0]
            resumo = 'código %d' % cod_c
            if cod_c == 0:
                resumo += ', %d pontos, Volume %.6g' % (len(ref_s['pontos']), ref_s['Volume'])
            print('%s: %s%s' % (rotulo, resumo, '' if not problemas else ' DISCORDA'))
            for p in problemas:
                print('  ' + p)
            discordancias += bool(problemas)
    return 1 if discordancias else 0


def main():
    ap = argparse.ArgumentParser(description=__doc__.split('\n')[1])
    ap.add_argument('--calc', default=os.path.join(RAIZ, 'build', 'bin', 'caudalente-calc'))
    ap.add_argument('--casos', type=int, default=40)
    ap.add_argument('--semente', type=int, default=2025)
    ap.add_argument('--tolerancia', type=float, default=1e-9)
    ap.add_argument('--manter', help='keep the generated projects in this folder')
    ap.add_argument('--so-trabalhado', action='store_true')
    ap.add_argument('--projetos', nargs='+', metavar='CDT')
    ap.add_argument('--tabela-idf', metavar='CSV',
                    help='storm table (K, a, b, c columns); default data/idf/torres2025_raw.csv')
    opc = ap.parse_args()
    if not os.path.exists(opc.calc):
        print('calculadora não encontrada: ' + opc.calc, file=sys.stderr)
        return 2

    if opc.manter:
        os.makedirs(opc.manter, exist_ok=True)
        return executar(opc, opc.manter)
    with tempfile.TemporaryDirectory(prefix='caudalente-ref-') as pasta:
        return executar(opc, pasta)


def executar(opc, pasta):
    falhas = verificar_trabalhado(opc.calc, pasta)
    print('caso trabalhado: ' + ('ok' if not falhas else 'FALHOU'))
    for f in falhas:
        print('  ' + f)
    if opc.so_trabalhado:
        return 1 if falhas else 0
    if opc.projetos:
        return comparar_projetos(opc.calc, opc.projetos, opc.tolerancia) or bool(falhas)

    rnd = random.Random(opc.semente)
    chuvas = ler_chuvas(opc.tabela_idf)
    piores = []
    n_rodadas = 0
    codigos = {}
    discordancias = 0
    for indice in range(opc.casos):
        chuva, segs, canal = gerar_caso(rnd, chuvas, indice)
        # The older single-hillslope layout, once with a soil that takes all the rain.
        versao = '1' if len(segs) == 1 and indice % 8 == 0 else '2'
        if versao == '1' and indice % 16 == 8:
            ch = ref.Chuva(chuva['Tr'], chuva['K'], chuva['A'], chuva['B'], chuva['C'])
            segs[0]['VIB'] = round(ch.pico() * 1.2, 2)
        # Now and then a project written under a decimal comma, read under pt_BR.
        sep, localidade = (',', 'pt_BR.UTF-8') if indice % 10 == 3 else ('.', 'C')
        projeto = os.path.join(pasta, 'caso%02d.cdt' % indice)
        escrever_projeto(projeto, chuva, segs, canal, versao, sep)
        for linha, coluna in pedidos(rnd, segs, canal):
            n_rodadas += 1
            cod_c, calc_s, erro = rodar_calc(opc.calc, projeto, linha, coluna, localidade)
            codigos[cod_c] = codigos.get(cod_c, 0) + 1
            try:
                cod_r, ref_s = ref.calcular_projeto(projeto, linha, coluna, sep)
            except ref.ErroModelo as e:
                cod_r, ref_s = 1, None
                erro = erro + ' | ref: ' + str(e)
            except (AssertionError, ArithmeticError, ValueError) as e:
                cod_r, ref_s = -1, None
                erro = erro + ' | ref falhou: %s: %s' % (type(e).__name__, e)
            rotulo = '%s --linha %s --coluna %s' % (os.path.basename(projeto), linha, coluna)
            if cod_c != cod_r:
                discordancias += 1
                print('%s: código calc %d, ref %d %s' % (rotulo, cod_c, cod_r, erro))
                continue
            if cod_c != 0:
                continue
            problemas, pior, onde = comparar(calc_s, ref_s, opc.tolerancia)
            piores.append((pior, rotulo, onde, len(ref_s['pontos'])))
            if problemas:
                discordancias += 1
                print(rotulo + ':')
                for p in problemas:
                    print('  ' + p)
    print('códigos de saída da calculadora: ' +
          ', '.join('%d: %d' % kv for kv in sorted(codigos.items())))
    print('caminhos raros percorridos pela referência:')
    for caminho, n in sorted(ref.CONTAGEM.items()):
        print('  %6d  %s' % (n, caminho))
    piores.sort(reverse=True)
    print('%d rodadas em %d projetos (%s); %d discordâncias' %
          (n_rodadas, opc.casos, pasta, discordancias))
    print('maiores diferenças relativas:')
    for pior, rotulo, onde, n in piores[:8]:
        print('  %.3g  %s (%s; %d pontos)' % (pior, rotulo, onde, n))
    return 1 if falhas or discordancias else 0


if __name__ == '__main__':
    sys.exit(main())
