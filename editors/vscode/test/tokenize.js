// Tokenizes a file with the extension's grammar through the engine VS Code itself uses, and
// writes one line per token: the text and its scopes beyond the grammar's own.
'use strict';
const fs = require('fs');
const path = require('path');
const oniguruma = require('vscode-oniguruma');
const textmate = require('vscode-textmate');

const grammarPath = path.join(__dirname, '..', 'syntaxes', 'vantrel.tmLanguage.json');

async function loadGrammar() {
  const wasm = fs.readFileSync(require.resolve('vscode-oniguruma/release/onig.wasm'));
  await oniguruma.loadWASM(wasm.buffer.slice(wasm.byteOffset, wasm.byteOffset + wasm.byteLength));
  const registry = new textmate.Registry({
    onigLib: Promise.resolve({
      createOnigScanner: (patterns) => new oniguruma.OnigScanner(patterns),
      createOnigString: (text) => new oniguruma.OnigString(text),
    }),
    loadGrammar: async (scopeName) => scopeName === 'source.vantrel'
      ? textmate.parseRawGrammar(fs.readFileSync(grammarPath, 'utf8'), grammarPath)
      : null,
  });
  return registry.loadGrammar('source.vantrel');
}

function scopesOf(grammar, text) {
  const out = [];
  let stack = textmate.INITIAL;
  text.split(/\r?\n/).forEach((line, index) => {
    const result = grammar.tokenizeLine(line, stack);
    stack = result.ruleStack;
    out.push(`${index + 1}: ${line}`);
    for (const token of result.tokens) {
      const piece = line.slice(token.startIndex, token.endIndex);
      const scopes = token.scopes.slice(1);
      if (scopes.length === 0 && piece.trim() === '') continue;
      out.push(`  ${JSON.stringify(piece)} ${scopes.join(' ')}`.trimEnd());
    }
  });
  return out.join('\n') + '\n';
}

module.exports = { loadGrammar, scopesOf };
