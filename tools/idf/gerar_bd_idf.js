#!/usr/bin/env node
// Builds the delivered IDF database from the source tables in data/idf/:
//   data/Arquivos Comuns/Estados_Nim21.bin      stations of the 27 states
//   data/Arquivos Comuns/Localidades_Nim21.bin  towns of the 27 states
//   data/Arquivos Comuns/{BA,ES,MG,PR,RJ,SP,TO}.bmp  state maps (state in RGB 0,0,255)
//   data/Arquivos Comuns/Brasil.bmp             map of Brazil, one colour per state
//   idf/CitacoesIdf.cpp                         the studies the stations come from
//   data/idf/excluidas.csv                      source rows left out, with the reason
// The output depends only on the tables, so a rerun gives the same bytes.
// Usage: node tools/idf/gerar_bd_idf.js [repository root]
'use strict';
const fs = require('fs');
const path = require('path');

const raiz = process.argv[2] || path.resolve(__dirname, '..', '..');
const fontes = path.join(raiz, 'data', 'idf');
const saida = path.join(raiz, 'data', 'Arquivos Comuns');

// ---------------------------------------------------------------- states
const ESTADOS = [
  ['AC', 'Acre'], ['AL', 'Alagoas'], ['AP', 'Amapá'], ['AM', 'Amazonas'], ['BA', 'Bahia'],
  ['CE', 'Ceará'], ['DF', 'Distrito Federal'], ['ES', 'Espírito Santo'], ['GO', 'Goiás'],
  ['MA', 'Maranhão'], ['MT', 'Mato Grosso'], ['MS', 'Mato Grosso do Sul'], ['MG', 'Minas Gerais'],
  ['PA', 'Pará'], ['PB', 'Paraíba'], ['PR', 'Paraná'], ['PE', 'Pernambuco'], ['PI', 'Piauí'],
  ['RJ', 'Rio de Janeiro'], ['RN', 'Rio Grande do Norte'], ['RS', 'Rio Grande do Sul'],
  ['RO', 'Rondônia'], ['RR', 'Roraima'], ['SC', 'Santa Catarina'], ['SP', 'São Paulo'],
  ['SE', 'Sergipe'], ['TO', 'Tocantins'],
];
const indicePorSigla = new Map(ESTADOS.map(([s], i) => [s, i]));
const indicePorNome = new Map(ESTADOS.map(([, n], i) => [n, i]));

// Map frames: x0, y0, width, height, east lon, west lon, north lat, south lat
// (degrees west and south as positive numbers), as the query window uses them.
const MOLDURAS = {
  BA: [16, 5, 414, 436, 37.339722, 46.629028, 8.532272, 18.349041],
  ES: [86, 10, 278, 429, 39.664805, 41.879249, 17.891117, 21.301478],
  MG: [16, 64, 420, 327, 39.856471, 51.04622, 14.232664, 22.922378],
  PR: [27, 101, 420, 267, 48.023056, 54.618958, 22.516105, 26.715944],
  RJ: [10, 82, 430, 284, 40.956445, 44.888529, 20.763474, 23.36849],
  SP: [10, 92, 430, 265, 44.160556, 53.109609, 19.779323, 25.311931],
  TO: [93, 7, 266, 437, 45.695667, 50.741611, 5.168047, 13.467389],
};

// Brazil map colours; Amapá, Distrito Federal, Roraima and Sergipe have no
// data and are painted in colours the window treats as "no state".
const CORES_BRASIL = {
  MG: [0, 0, 255], ES: [0, 255, 255], RJ: [0, 153, 255], SP: [0, 0, 153], RS: [102, 0, 0],
  SC: [153, 0, 0], PR: [204, 0, 0], MT: [161, 161, 161], MS: [67, 67, 67], GO: [102, 102, 102],
  BA: [255, 255, 153], AL: [255, 255, 0], PE: [204, 204, 0], PB: [255, 204, 102],
  RN: [255, 153, 0], CE: [204, 102, 0], PI: [153, 102, 0], MA: [102, 51, 0], AC: [0, 51, 0],
  AM: [0, 102, 0], PA: [0, 153, 0], RO: [102, 255, 51], TO: [153, 255, 153],
  AP: [51, 204, 0], RR: [0, 204, 0], SE: [102, 102, 0], DF: [13, 13, 13],
};

// ---------------------------------------------------------------- text
const CP1252_ALTOS = '€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F\u0090‘’“”•–—˜™š›œ\u009DžŸ';

// Windows-1252 bytes of a text, or null when a character has no byte.
function paraWin1252(texto) {
  const bytes = [];
  for (const ch of texto) {
    const cp = ch.codePointAt(0);
    if (cp < 0x80 || (cp >= 0xa0 && cp <= 0xff)) bytes.push(cp);
    else {
      const i = CP1252_ALTOS.indexOf(ch);
      if (i < 0) return null;
      bytes.push(0x80 + i);
    }
  }
  return Buffer.from(bytes);
}

// Order of the lists: letters without case and accents, ties by the bytes.
// The reader's NomeAntes uses the same table.
const DOBRA = 'aaaaaaaceeeeiiiidnooooo*ouuuuy**';
function dobrar(b) {
  if (b >= 0x41 && b <= 0x5a) return b + 0x20;
  if (b === 0xff) return 0x79;
  if (b >= 0xc0) {
    const d = DOBRA[(b - 0xc0) & 0x1f];
    if (d !== '*') return d.charCodeAt(0);
  }
  return b;
}
function compararNomes(a, b) {
  const wa = paraWin1252(a), wb = paraWin1252(b);
  const n = Math.min(wa.length, wb.length);
  for (let i = 0; i < n; i++) {
    const ca = dobrar(wa[i]), cb = dobrar(wb[i]);
    if (ca !== cb) return ca - cb;
  }
  if (wa.length !== wb.length) return wa.length - wb.length;
  return Buffer.compare(wa, wb);
}

// Coordinate text from degrees by truncation, as the reader's GrausParaTexto.
function grausParaTexto(v) {
  const parte = (x) => String(Math.trunc(x)).padStart(2, '0').slice(0, 2);
  const d = Math.trunc(v);
  const fm = (v - d) * 60;
  const m = Math.trunc(fm);
  const s = Math.trunc((fm - m) * 60);
  return parte(d) + '°' + parte(m) + "'" + parte(s) + '"';
}
function textoParaGraus(t) {
  return +t.slice(0, 2) + (+t.slice(3, 5) + +t.slice(6, 8) / 60) / 60;
}
const FORMATO_COORDENADA = /^\d\d°\d\d'\d\d"$/;

// ---------------------------------------------------------------- CSV
function lerCsv(arquivo) {
  const texto = fs.readFileSync(arquivo, 'utf8').replace(/^\uFEFF/, '');
  const linhas = [];
  let campo = '', linha = [], aspas = false;
  for (let i = 0; i < texto.length; i++) {
    const ch = texto[i];
    if (aspas) {
      if (ch === '"' && texto[i + 1] === '"') { campo += '"'; i++; }
      else if (ch === '"') aspas = false;
      else campo += ch;
    } else if (ch === '"') aspas = true;
    else if (ch === ',') { linha.push(campo); campo = ''; }
    else if (ch === '\n' || ch === '\r') {
      if (ch === '\r' && texto[i + 1] === '\n') i++;
      linha.push(campo); campo = '';
      if (linha.length > 1 || linha[0] !== '') linhas.push(linha);
      linha = [];
    } else campo += ch;
  }
  if (campo !== '' || linha.length) { linha.push(campo); linhas.push(linha); }
  const [cab, ...resto] = linhas;
  return resto.map((l) => Object.fromEntries(cab.map((c, i) => [c, l[i] ?? ''])));
}

// ---------------------------------------------------------------- stations
const excluidas = [];
function excluir(arquivo, estado, nome, motivo) {
  excluidas.push({ arquivo, estado, nome, motivo });
}

// i at Tr = 10 years and t = 10 min; above this the row is taken for a
// transcription error (the heaviest Brazilian equations stay well below it).
const LIMITE_I10 = 350;
function motivoCoeficientes(K, a, b, c) {
  if (![K, a, b, c].every(Number.isFinite)) return 'coeficiente não numérico';
  if (!(K > 0 && a >= 0 && b >= 0 && c > 0)) return 'coeficiente fora do domínio da equação';
  const i10 = (K * Math.pow(10, a)) / Math.pow(10 + b, c);
  if (i10 > LIMITE_I10)
    return `intensidade implausível (i = ${i10.toFixed(0)} mm/h para Tr = 10 anos e t = 10 min)`;
  return null;
}

function coordenadaDeGraus(graus, eixo) {
  // South and west are stored as positive numbers; north or east cannot be.
  if (!Number.isFinite(graus)) return { erro: 'sem coordenadas' };
  if (graus > 0) return { erro: `${eixo} ${eixo === 'latitude' ? 'norte' : 'leste'} não representável` };
  const t = grausParaTexto(-graus);
  if (-graus >= 100) return { erro: `${eixo} com três dígitos de graus` };
  return { texto: t };
}

const estacoes = ESTADOS.map(() => []);
const TORRES = 'Torres et al. (2025)';
for (const r of lerCsv(path.join(fontes, 'torres2025_raw.csv'))) {
  const estado = indicePorSigla.get(r.State);
  const arquivo = 'torres2025_raw.csv';
  if (estado === undefined) { excluir(arquivo, r.State, r.Name, 'estado desconhecido'); continue; }
  const K = +r.K, a = +r.a, b = +r.b, c = +r.c;
  const motivo = motivoCoeficientes(K, a, b, c);
  if (motivo) { excluir(arquivo, r.State, r.Name, motivo); continue; }
  const lat = coordenadaDeGraus(r.Latitude === '' ? NaN : +r.Latitude, 'latitude');
  const lon = coordenadaDeGraus(r.Longitude === '' ? NaN : +r.Longitude, 'longitude');
  if (lat.erro || lon.erro) { excluir(arquivo, r.State, r.Name, lat.erro || lon.erro); continue; }
  estacoes[estado].push({
    nome: r.Name, K, a, b, c, fonte: TORRES, latitude: lat.texto, longitude: lon.texto,
    operador: r.Agency !== '-' ? r.Agency : '', codigo: r.Code !== '-' ? r.Code : '',
  });
}
for (const r of lerCsv(path.join(fontes, 'stations.csv'))) {
  const estado = indicePorNome.get(r.state);
  const arquivo = 'stations.csv';
  const sigla = estado === undefined ? r.state : ESTADOS[estado][0];
  if (estado === undefined) { excluir(arquivo, r.state, r.station, 'estado desconhecido'); continue; }
  const K = +r.K, a = +r.a, b = +r.b, c = +r.c;
  const motivo = motivoCoeficientes(K, a, b, c);
  if (motivo) { excluir(arquivo, sigla, r.station, motivo); continue; }
  if (r.latitude === '' || r.longitude === '') { excluir(arquivo, sigla, r.station, 'sem coordenadas'); continue; }
  if (!FORMATO_COORDENADA.test(r.latitude) || !FORMATO_COORDENADA.test(r.longitude)) {
    excluir(arquivo, sigla, r.station, 'coordenada fora do formato GG°MM\'SS"');
    continue;
  }
  estacoes[estado].push({
    nome: r.station, K, a, b, c, fonte: r.citation_key, latitude: r.latitude,
    longitude: r.longitude, operador: '', codigo: '',
  });
}

// Repeated names within a state get the gauge's operator and code, or the
// study's key, or a plain note, so that the sorted list tells them apart.
for (const lista of estacoes) {
  const porNome = new Map();
  for (const e of lista) porNome.set(e.nome, [...(porNome.get(e.nome) || []), e]);
  for (const grupo of porNome.values()) {
    if (grupo.length < 2) continue;
    for (const e of grupo) {
      if (e.codigo) e.nome += ` (${[e.operador, e.codigo].filter(Boolean).join(' ')})`;
      else if (grupo.some((o) => o !== e && o.fonte !== e.fonte)) e.nome += ` (${e.fonte})`;
      else e.nome += ' (sem código)';
    }
  }
}

// Fields that do not fit the record are left out rather than cut.
function cabe(e, campos) {
  for (const [nome, cap] of campos) {
    const w = paraWin1252(e[nome]);
    if (w === null) return `${nome} com caractere fora do Windows-1252`;
    if (w.length > cap) return `${nome} com mais de ${cap} caracteres`;
  }
  return null;
}
for (let i = 0; i < estacoes.length; i++) {
  estacoes[i] = estacoes[i].filter((e) => {
    const m = cabe(e, [['nome', 68], ['fonte', 30], ['latitude', 9], ['longitude', 9]]);
    if (m) excluir('estações', ESTADOS[i][0], e.nome, m);
    return !m;
  });
  estacoes[i].sort((x, y) => compararNomes(x.nome, y.nome));
}

// ---------------------------------------------------------------- localities
const localidades = ESTADOS.map(() => []);
for (const r of lerCsv(path.join(fontes, 'localidades.csv'))) {
  const estado = indicePorSigla.get(r.estado);
  if (estado === undefined) { excluir('localidades.csv', r.estado, r.nome, 'estado desconhecido'); continue; }
  const lat = coordenadaDeGraus(r.latitude === '' ? NaN : +r.latitude, 'latitude');
  const lon = coordenadaDeGraus(r.longitude === '' ? NaN : +r.longitude, 'longitude');
  if (lat.erro || lon.erro) { excluir('localidades.csv', r.estado, r.nome, lat.erro || lon.erro); continue; }
  const l = { nome: r.nome, latitude: lat.texto, longitude: lon.texto };
  const m = cabe(l, [['nome', 68]]);
  if (m) { excluir('localidades.csv', r.estado, r.nome, m); continue; }
  localidades[estado].push(l);
}
for (const lista of localidades) lista.sort((x, y) => compararNomes(x.nome, y.nome));

// ---------------------------------------------------------------- files
function textoCurto(texto, capacidade) {
  const b = Buffer.alloc(capacidade + 1);
  const w = paraWin1252(texto);
  b[0] = w.length;
  w.copy(b, 1);
  return b;
}
function real(v) {
  const b = Buffer.alloc(8);
  b.writeDoubleLE(v);
  return b;
}
function arquivoPorEstado(listas, registro) {
  const partes = [Buffer.from([0])];
  for (const lista of listas) {
    if (lista.length > 65535) throw new Error('mais de 65535 registros num estado');
    const n = Buffer.alloc(2);
    n.writeUInt16LE(lista.length);
    partes.push(n, ...lista.map(registro));
  }
  return Buffer.concat(partes);
}
fs.mkdirSync(saida, { recursive: true });
fs.writeFileSync(path.join(saida, 'Estados_Nim21.bin'), arquivoPorEstado(estacoes, (e) =>
  Buffer.concat([textoCurto(e.nome, 68), real(e.K), real(e.a), real(e.b), real(e.c),
                 textoCurto(e.fonte, 30), textoCurto(e.latitude, 9), textoCurto(e.longitude, 9)])));
fs.writeFileSync(path.join(saida, 'Localidades_Nim21.bin'), arquivoPorEstado(localidades, (l) =>
  Buffer.concat([textoCurto(l.nome, 68), textoCurto(l.latitude, 9), textoCurto(l.longitude, 9)])));

// ---------------------------------------------------------------- maps
// Rings of a state in lon/lat, without far offshore islands (Trindade, Martim
// Vaz, Fernando de Noronha, Rocas, São Pedro e São Paulo lie east of 34.7° W).
function aneis(sigla) {
  const g = JSON.parse(fs.readFileSync(path.join(fontes, 'limites', `BR-${sigla}.json`), 'utf8')).geometry;
  const poligonos = g.type === 'Polygon' ? [g.coordinates] : g.coordinates;
  return poligonos
    .filter((p) => p[0].some(([lon]) => lon < -34.7))
    .flat();
}
const ANEIS = Object.fromEntries(ESTADOS.map(([s]) => [s, aneis(s)]));

// Fills a 450 x 450 grid of state indexes (-1 outside): a pixel belongs to a
// state when the point its integer coordinates map to lies inside (even-odd),
// the point the window reads for a rounded position.
function rasterizar(paraGeo, paraPixelX) {
  const grade = new Int8Array(450 * 450).fill(-1);
  ESTADOS.forEach(([sigla], indice) => {
    for (let y = 0; y < 450; y++) {
      const lat = paraGeo(y);
      const cortes = [];
      for (const anel of ANEIS[sigla]) {
        for (let k = 0; k + 1 < anel.length; k++) {
          const [x1, y1] = anel[k], [x2, y2] = anel[k + 1];
          if ((y1 > lat) !== (y2 > lat)) cortes.push(paraPixelX(x1 + ((lat - y1) * (x2 - x1)) / (y2 - y1)));
        }
      }
      cortes.sort((p, q) => p - q);
      for (let k = 0; k + 1 < cortes.length; k += 2) {
        const de = Math.max(0, Math.floor(cortes[k]) + 1), ate = Math.min(449, Math.floor(cortes[k + 1]));
        for (let x = de; x <= ate; x++) grade[y * 450 + x] = indice;
      }
    }
  });
  return grade;
}

function bmp(cor) {
  const linha = 450 * 3 + 2;  // rows padded to 4 bytes
  const b = Buffer.alloc(54 + linha * 450);
  b.write('BM', 0, 'latin1');
  b.writeUInt32LE(b.length, 2);
  b.writeUInt32LE(54, 10);
  b.writeUInt32LE(40, 14);
  b.writeInt32LE(450, 18);
  b.writeInt32LE(450, 22);
  b.writeUInt16LE(1, 26);
  b.writeUInt16LE(24, 28);
  b.writeUInt32LE(linha * 450, 34);
  b.writeInt32LE(3780, 38);  // 96 dpi
  b.writeInt32LE(3780, 42);
  for (let y = 0; y < 450; y++) {
    const base = 54 + (449 - y) * linha;  // bottom-up
    for (let x = 0; x < 450; x++) {
      const [r, g, bl] = cor(x, y);
      b[base + 3 * x] = bl;
      b[base + 3 * x + 1] = g;
      b[base + 3 * x + 2] = r;
    }
  }
  return b;
}

const verificacao = [];
for (const [sigla, [x0, y0, w, h, lesteLon, oesteLon, norteLat, sulLat]] of Object.entries(MOLDURAS)) {
  const alvo = indicePorSigla.get(sigla);
  const grade = rasterizar(
    (y) => -(norteLat + ((sulLat - norteLat) * (y - y0)) / h),
    (lon) => x0 + w - (w * (lesteLon + lon)) / (lesteLon - oesteLon));
  const em = (x, y) => (x < 0 || y < 0 || x > 449 || y > 449 ? -1 : grade[y * 450 + x]);
  fs.writeFileSync(path.join(saida, `${sigla}.bmp`), bmp((x, y) => {
    const e = em(x, y);
    if (e === alvo) return [0, 0, 255];
    const vizinhos = [em(x - 1, y), em(x + 1, y), em(x, y - 1), em(x, y + 1)];
    if (vizinhos.includes(alvo)) return [0, 0, 0];  // outline, outside the state
    if (e < 0) return [255, 255, 255];
    if (vizinhos.some((v) => v !== e)) return [150, 150, 150];
    return [225, 225, 225];
  }));
  // The same check the tests make on the delivered files.
  const pixel = (t) => ({
    x: Math.round(x0 + w - (w * (lesteLon - textoParaGraus(t.longitude))) / (lesteLon - oesteLon)),
    y: Math.round(y0 + (h * (textoParaGraus(t.latitude) - norteLat)) / (sulLat - norteLat)),
  });
  const fora = [...estacoes[alvo], ...localidades[alvo]].filter((t) => {
    const p = pixel(t);
    return em(p.x, p.y) !== alvo;
  });
  verificacao.push(`${sigla}: ${fora.length} de ${estacoes[alvo].length + localidades[alvo].length} fora do azul` +
                   (fora.length ? ` (${fora.map((t) => t.nome).join(', ')})` : ''));
}

{
  const grade = rasterizar((y) => 5.5 - (y - 5) / 11, (lon) => 5 + (lon + 74) * 11);
  const em = (x, y) => (x < 0 || y < 0 || x > 449 || y > 449 ? -1 : grade[y * 450 + x]);
  fs.writeFileSync(path.join(saida, 'Brasil.bmp'), bmp((x, y) => {
    const e = em(x, y);
    if (e < 0) return [255, 255, 255];
    if (em(x + 1, y) !== e || em(x, y + 1) !== e) return [0, 0, 0];  // borders
    return CORES_BRASIL[ESTADOS[e][0]];
  }));
}

// ---------------------------------------------------------------- citations
const usadas = new Set(estacoes.flat().map((e) => e.fonte));
const citacoes = lerCsv(path.join(fontes, 'citations.csv')).filter((c) => usadas.has(c.citation_key));
for (const chave of usadas)
  if (!citacoes.some((c) => c.citation_key === chave)) throw new Error(`citação sem referência: ${chave}`);
const cpp = (t) => JSON.stringify(t);  // a JSON string is a valid C++ literal for these texts
fs.writeFileSync(path.join(raiz, 'idf', 'CitacoesIdf.cpp'),
  '// Generated by tools/idf/gerar_bd_idf.js from data/idf/citations.csv: the\n' +
  '// studies the delivered stations come from. Do not edit; rerun the generator.\n' +
  '// The provenance column of the table stays out: it goes to data/README.md.\n' +
  '#include "idf/CitacoesIdf.h"\n\n' +
  'const std::vector<TCitacao>& CitacoesIdf() {\n' +
  '  // One line per text, as in the table.\n  // clang-format off\n' +
  '  static const std::vector<TCitacao> citacoes = {\n' +
  citacoes.map((c) => `      {${cpp(c.citation_key)},\n       ${cpp(c.authors)},\n       ${cpp(c.title)},\n       ${cpp(c.publication)}},\n`).join('') +
  '  };\n  // clang-format on\n  return citacoes;\n}\n\n' +
  'const TCitacao* ProcurarCitacao(const std::string& chave) {\n' +
  '  for (const TCitacao& c : CitacoesIdf())\n' +
  '    if (c.Chave == chave) return &c;\n' +
  '  return nullptr;\n}\n\n' +
  '// No delivered study is the Goiás and Distrito Federal disaggregation study\n' +
  '// that the query window warns about.\n' +
  'const char* const ChaveCitacaoAviso = "";\n');

// ---------------------------------------------------------------- report
const csvCampo = (t) => (/[",\n]/.test(t) ? '"' + t.replace(/"/g, '""') + '"' : t);
fs.writeFileSync(path.join(fontes, 'excluidas.csv'), 'arquivo,estado,nome,motivo\n' +
  excluidas.map((e) => [e.arquivo, e.estado, e.nome, e.motivo].map(csvCampo).join(',')).join('\n') + '\n');
const interp = [4, 7, 8, 12, 15, 18, 24, 26].reduce((s, i) => s + estacoes[i].length, 0);
console.log(`estações: ${estacoes.flat().length} (${interp} nos oito estados da interpolação); ` +
            `localidades: ${localidades.flat().length}; excluídas: ${excluidas.length}`);
for (const e of excluidas.filter((x) => x.arquivo !== 'localidades.csv'))
  console.log(`  excluída: ${e.arquivo} ${e.estado} ${e.nome}: ${e.motivo}`);
console.log(`  localidades excluídas: ${excluidas.filter((x) => x.arquivo === 'localidades.csv').length}`);
for (const v of verificacao) console.log('  ' + v);
