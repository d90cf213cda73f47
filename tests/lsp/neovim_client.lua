-- Neovim's own language client (headless, no plug-ins) drives `vantrel lsp` on a configuration
-- and checks what a user would see. Run by neovim_client.sh; fails with `cquit`.
local vantrel = os.getenv('VANTREL')
local config = os.getenv('CONFIG')
local timeout = 10000

local function fail(what, detail)
  io.stderr:write('FAILED: ' .. what .. '\n' .. vim.inspect(detail) .. '\n')
  vim.cmd('cquit 1')
end

local function expect(condition, what, detail)
  if not condition then fail(what, detail) end
end

local function line(n) return vim.api.nvim_buf_get_lines(0, n, n + 1, true)[1] end

local function request(method, params)
  local answers = vim.lsp.buf_request_sync(0, method, params, timeout)
  expect(answers ~= nil, method .. ' answered', answers)
  for _, answer in pairs(answers) do
    expect(answer.err == nil, method .. ' without error', answer.err)
    return answer.result
  end
end

-- The parameters Neovim itself makes for the cursor at (row, col), both 0-based.
local function at(row, col)
  vim.api.nvim_win_set_cursor(0, { row + 1, col })
  return vim.lsp.util.make_position_params()
end

local function diagnostics()
  return vim.diagnostic.get(0)
end

local function run()
  vim.cmd('edit ' .. config)
  local client = vim.lsp.start_client({ name = 'vantrel', cmd = { vantrel, 'lsp' },
                                        root_dir = vim.fn.fnamemodify(config, ':h') })
  vim.lsp.buf_attach_client(0, client)

  -- The misspelt value, at the word.
  expect(vim.wait(timeout, function() return #diagnostics() > 0 end, 20), 'diagnostics', nil)
  local found = diagnostics()
  expect(#found == 1, 'one diagnostic', found)
  local d = found[1]
  expect(d.lnum == 1 and d.col == 5 and d.end_col == 10, 'the diagnostic at fFOVV', d)
  expect(d.severity == vim.diagnostic.severity.ERROR and d.message:find('fFOVV', 1, true),
         'an error naming fFOVV', d)

  -- Hover explains the value as `vantrel help fFOV` does.
  local hover = request('textDocument/hover', at(6, 10))
  local text = hover and hover.contents and hover.contents.value or ''
  expect(text:find('fFOV', 1, true) and text:find('setting', 1, true), 'hover on fFOV', hover)

  -- Completion of a value name in a condition.
  vim.api.nvim_buf_set_lines(0, 6, 6, true, { '(bSne' })
  local completion = request('textDocument/completion', at(6, 5))
  local items = completion.items or completion
  local labels = {}
  for _, item in ipairs(items) do labels[item.label] = true end
  expect(labels.bSneaking and not labels.SetTween, 'value names in a condition', items)
  vim.api.nvim_buf_set_lines(0, 6, 7, true, {})

  -- Go to definition: from the profile name after SetProfile to its header (past the "Ü",
  -- which is one UTF-16 unit and two bytes).
  local definition = request('textDocument/definition', at(11, 12))
  local location = definition[1] or definition
  vim.lsp.util.jump_to_location(location, 'utf-16')
  local cursor = vim.api.nvim_win_get_cursor(0)
  expect(cursor[1] == 5 and cursor[2] == 1, 'definition at the header', location)

  -- References: the header, the key binding and SetProfile.
  local params = at(4, 2)
  params.context = { includeDeclaration = true }
  local references = request('textDocument/references', params)
  local lines = {}
  for _, reference in ipairs(references) do table.insert(lines, reference.range.start.line) end
  table.sort(lines)
  expect(vim.deep_equal(lines, { 2, 4, 11 }), 'three references', references)

  -- The outline: the profiles with their kind.
  local symbols = request('textDocument/documentSymbol', { textDocument = params.textDocument })
  local names = {}
  for _, symbol in ipairs(symbols) do table.insert(names, symbol.name .. ':' .. (symbol.detail or '')) end
  expect(vim.deep_equal(names, { '__Default:default', 'Über:exclusive', 'Combat:exclusive' }),
         'document symbols', symbols)

  -- Rename the profile everywhere.
  vim.api.nvim_win_set_cursor(0, { 5, 2 })
  vim.lsp.buf.rename('Stealth mode')
  expect(vim.wait(timeout, function() return line(4) == '[Stealth mode]' end, 20), 'renamed header',
         vim.api.nvim_buf_get_lines(0, 0, -1, true))
  expect(line(2) == '!BindKey 112 1 "Stealth mode" 2' and line(11) == 'SetProfile "Stealth mode" 2',
         'renamed references', vim.api.nvim_buf_get_lines(0, 0, -1, true))

  -- An edit makes an error and its undoing clears it.
  vim.api.nvim_buf_set_lines(0, 12, 12, true, { 'Enable2' })
  expect(vim.wait(timeout, function() return #diagnostics() == 2 end, 20), 'a new error', diagnostics())
  vim.api.nvim_buf_set_lines(0, 12, 13, true, {})
  expect(vim.wait(timeout, function() return #diagnostics() == 1 end, 20), 'cleared', diagnostics())

  -- The quick fix repairs the name, and the diagnostic goes.
  local range = { start = { line = 1, character = 5 }, ['end'] = { line = 1, character = 10 } }
  local actions = request('textDocument/codeAction', {
    textDocument = params.textDocument, range = range,
    context = { diagnostics = vim.lsp.diagnostic.get_line_diagnostics(0, 1) } })
  expect(actions and actions[1] and actions[1].kind == 'quickfix', 'a quick fix', actions)
  vim.lsp.util.apply_workspace_edit(actions[1].edit, 'utf-16')
  expect(line(1) == '!Set fFOV 75', 'the fix applied', line(1))
  expect(vim.wait(timeout, function() return #diagnostics() == 0 end, 20), 'no diagnostics', diagnostics())

  vim.lsp.stop_client(client)
  io.stdout:write('neovim: diagnostics, hover, completion, definition, references, symbols, rename, quick fix: ok\n')
  vim.cmd('qall!')
end

local ok, err = pcall(run)
if not ok then fail('error', err) end
