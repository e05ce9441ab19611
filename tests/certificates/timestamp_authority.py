#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
# SPDX-License-Identifier: GPL-3.0-or-later
"""A timestamp authority on 127.0.0.1 for the certificate tests: `openssl ts -reply` behind
HTTP. Prints its port, then answers until killed. The path chooses the answer:
/ok a token for the query, /refuse HTTP 500, /garbage bytes that are no reply, /other a
token for some other query (wrong imprint and nonce)."""

import http.server
import subprocess
import sys
import tempfile
import os

CONFIG = sys.argv[1]


def reply(query: bytes) -> bytes:
    with tempfile.TemporaryDirectory() as work:
        query_path = os.path.join(work, "query.tsq")
        reply_path = os.path.join(work, "reply.tsr")
        with open(query_path, "wb") as out:
            out.write(query)
        subprocess.run(["openssl", "ts", "-reply", "-config", CONFIG, "-queryfile", query_path,
                        "-out", reply_path], check=True, capture_output=True)
        with open(reply_path, "rb") as answer:
            return answer.read()


def other_query() -> bytes:
    return subprocess.run(["openssl", "ts", "-query", "-digest", "00" * 32, "-sha256", "-cert"],
                          check=True, capture_output=True).stdout


class Handler(http.server.BaseHTTPRequestHandler):
    def do_POST(self):
        query = self.rfile.read(int(self.headers.get("Content-Length", "0")))
        if self.path == "/refuse":
            self.send_error(500, "refused")
            return
        if self.headers.get("Content-Type") != "application/timestamp-query":
            self.send_error(415, "not a timestamp query")
            return
        body = {"/garbage": lambda: b"no timestamp here", "/other": lambda: reply(other_query())}.get(
            self.path, lambda: reply(query))()
        self.send_response(200)
        self.send_header("Content-Type", "application/timestamp-reply")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *args):
        pass


server = http.server.HTTPServer(("127.0.0.1", 0), Handler)
print(server.server_address[1], flush=True)
server.serve_forever()
