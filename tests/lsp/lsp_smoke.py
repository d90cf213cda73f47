#!/usr/bin/env python3
"""Drives `vantrel lsp` as a client would over pipes: initialize, a document with a misspelt
value, its diagnostic, a hover, shutdown and exit. Used for the Windows tool under Wine.

usage: lsp_smoke.py COMMAND...   (the command that starts the server, `lsp` included)
"""
import json
import subprocess
import sys

TEXT = "!Set fFOVV 75\n[Combat]\n(bWeaponOut)\nSetTween fFOV 80 0.5\n"


def send(server, message):
    body = json.dumps(message).encode()
    server.stdin.write(b"Content-Length: %d\r\n\r\n" % len(body) + body)
    server.stdin.flush()


def receive(server):
    length = None
    while True:
        line = server.stdout.readline()
        if not line:
            raise SystemExit("the server closed its output")
        line = line.strip()
        if not line:
            break
        name, _, value = line.partition(b":")
        if name.lower() == b"content-length":
            length = int(value)
    return json.loads(server.stdout.read(length))


def answer(server, wanted_id=None, method=None):
    while True:
        message = receive(server)
        if wanted_id is not None and message.get("id") == wanted_id:
            return message
        if method is not None and message.get("method") == method:
            return message


def check(condition, what, message):
    if not condition:
        raise SystemExit(f"{what}: {json.dumps(message)}")


def main():
    server = subprocess.Popen(sys.argv[1:], stdin=subprocess.PIPE, stdout=subprocess.PIPE)
    uri = "file:///game/Data/WOBK/Plugins/Vantrel.txt"
    send(server, {"jsonrpc": "2.0", "id": 1, "method": "initialize",
                  "params": {"processId": None, "rootUri": None, "capabilities": {}}})
    init = answer(server, wanted_id=1)
    check(init["result"]["capabilities"].get("hoverProvider") is True, "initialize", init)
    send(server, {"jsonrpc": "2.0", "method": "initialized", "params": {}})
    send(server, {"jsonrpc": "2.0", "method": "textDocument/didOpen", "params": {
        "textDocument": {"uri": uri, "languageId": "vantrel", "version": 1, "text": TEXT}}})
    published = answer(server, method="textDocument/publishDiagnostics")
    diagnostics = published["params"]["diagnostics"]
    check(len(diagnostics) == 1 and "fFOVV" in diagnostics[0]["message"] and
          diagnostics[0]["range"] == {"start": {"line": 0, "character": 5},
                                      "end": {"line": 0, "character": 10}},
          "the diagnostic at fFOVV", published)
    send(server, {"jsonrpc": "2.0", "id": 2, "method": "textDocument/hover", "params": {
        "textDocument": {"uri": uri}, "position": {"line": 3, "character": 10}}})
    hover = answer(server, wanted_id=2)
    check("fFOV" in json.dumps(hover.get("result")), "hover", hover)
    send(server, {"jsonrpc": "2.0", "id": 3, "method": "shutdown"})
    answer(server, wanted_id=3)
    send(server, {"jsonrpc": "2.0", "method": "exit"})
    status = server.wait(timeout=120)
    check(status == 0, "exit status", status)
    print("lsp smoke: initialize, diagnostic, hover, shutdown: ok")


if __name__ == "__main__":
    main()
