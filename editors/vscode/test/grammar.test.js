// The grammar against golden scopes: the bundled configuration and a file of tricky lines.
// UPDATE_GOLDEN=1 writes the golden files anew (read the diff before committing it).
'use strict';
const assert = require('assert');
const fs = require('fs');
const path = require('path');
const { test } = require('node:test');
const { loadGrammar, scopesOf } = require('./tokenize');

const cases = {
  'examples.scopes': path.join(__dirname, '..', '..', '..', 'examples', 'Vantrel.txt'),
  'tricky.scopes': path.join(__dirname, 'tricky.vantrel'),
};

for (const [golden, source] of Object.entries(cases)) {
  test(`${path.basename(source)} tokenizes to ${golden}`, async () => {
    const grammar = await loadGrammar();
    const actual = scopesOf(grammar, fs.readFileSync(source, 'utf8'));
    const goldenPath = path.join(__dirname, 'golden', golden);
    if (process.env.UPDATE_GOLDEN) fs.writeFileSync(goldenPath, actual);
    assert.strictEqual(actual, fs.readFileSync(goldenPath, 'utf8'));
  });
}
