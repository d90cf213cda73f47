// The extension's client: starts `vantrel lsp` for Vantrel configurations and hands it the
// editor's text; everything it shows comes from the server.
'use strict';
const fs = require('fs');
const path = require('path');
const vscode = require('vscode');
const { LanguageClient } = require('vscode-languageclient/node');

let client;

// The game folder's Tools\vantrel.exe, searched upward from `folder` (a configuration lives in
// GAME\Data\WOBK\Plugins).
function toolAbove(folder) {
  for (let dir = folder; ; dir = path.dirname(dir)) {
    const candidate = path.join(dir, 'Tools', 'vantrel.exe');
    if (fs.existsSync(candidate)) return candidate;
    if (path.dirname(dir) === dir) return undefined;
  }
}

function serverPath() {
  const configured = vscode.workspace.getConfiguration('vantrel').get('path');
  if (configured) return configured;
  if (process.platform !== 'win32') return 'vantrel';
  const folders = (vscode.workspace.workspaceFolders || []).map((folder) => folder.uri.fsPath);
  const documents = vscode.workspace.textDocuments
    .filter((document) => document.languageId === 'vantrel' && document.uri.scheme === 'file')
    .map((document) => path.dirname(document.uri.fsPath));
  for (const start of [...documents, ...folders]) {
    const found = toolAbove(start);
    if (found) return found;
  }
  return 'vantrel.exe';
}

async function start() {
  const command = serverPath();
  client = new LanguageClient('vantrel', 'Vantrel', { command, args: ['lsp'] }, {
    documentSelector: [{ language: 'vantrel' }],
  });
  try {
    await client.start();
  } catch (error) {
    client = undefined;
    vscode.window.showErrorMessage(
      `Vantrel: '${command} lsp' did not start (${error.message}). Set vantrel.path to the ` +
      'vantrel tool (Tools\\vantrel.exe in the game folder on Windows).');
  }
}

async function activate(context) {
  context.subscriptions.push(vscode.workspace.onDidChangeConfiguration(async (event) => {
    if (!event.affectsConfiguration('vantrel.path')) return;
    if (client) await client.stop();
    await start();
  }));
  await start();
}

function deactivate() {
  return client ? client.stop() : undefined;
}

module.exports = { activate, deactivate };
