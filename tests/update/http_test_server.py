#!/usr/bin/env python3
"""The update tests' web server: http and https on 127.0.0.1, free ports.

    http_test_server.py <fixture folder> <certificate> <key>

Prints "READY <port> <tlsport>" once both listen; ends on SIGTERM or when its stdin closes, so a test
binary that dies leaves no server behind. Every request is logged; GET /log answers the log.
"""

import base64
import email.utils
import hashlib
import os
import signal
import socket
import ssl
import sys
import threading
import time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer
from urllib.parse import unquote, urlsplit

FIXTURES = sys.argv[1]
CERTIFICATE = sys.argv[2]
KEY = sys.argv[3]
LOGIN = ("updater", "s3cret")
PROXY_LOGIN = ("proxyuser", "proxypass")
PORTS = {}
LOG = []
LOG_LOCK = threading.Lock()


def basic(credentials):
    return "Basic " + base64.b64encode(("%s:%s" % credentials).encode()).decode()


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def record(self, proxied):
        lines = ["%s %s %s" % (self.command, self.path, "proxied" if proxied else "direct")]
        lines += ["  %s: %s" % (name, value) for name, value in self.headers.items()]
        with LOG_LOCK:
            LOG.append("\n".join(lines))

    def answer(self, status, body=b"", headers=(), length=True):
        self.send_response(status)
        for name, value in headers:
            self.send_header(name, value)
        if length:
            self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        if body and self.command != "HEAD":
            self.wfile.write(body)

    def do_GET(self):
        target = self.path
        proxied = target.startswith("http://") or target.startswith("https://")
        self.record(proxied)
        if proxied:
            url = urlsplit(target)
            if url.hostname == "needs-auth.test" and self.headers.get("Proxy-Authorization") != basic(PROXY_LOGIN):
                self.answer(407, b"proxy login", [("Proxy-Authenticate", 'Basic realm="Proxy"')])
                return
            target = url.path + ("?" + url.query if url.query else "")
        path = urlsplit(target).path
        parts = [unquote(part) for part in path.split("/") if part]
        route = getattr(self, "route_" + parts[0].replace(" ", "_"), None) if parts else None
        if route is None:
            self.answer(404, b"not found")
            return
        route(parts[1:])

    # Requests with a body go through the same routes.
    do_POST = do_GET

    # --- fixture files ---

    def fixture(self, name):
        fixture_path = os.path.join(FIXTURES, os.path.basename(name))
        with open(fixture_path, "rb") as fixture_file:
            return fixture_file.read(), os.path.getmtime(fixture_path)

    def route_files(self, parts):
        try:
            data, mtime = self.fixture(parts[0])
        except (OSError, IndexError):
            self.answer(404, b"no such file")
            return
        headers = [("Content-Type", "application/octet-stream"),
                   ("Last-Modified", email.utils.formatdate(mtime, usegmt=True)),
                   ("ETag", '"%s"' % hashlib.sha1(data).hexdigest()[:16]),
                   ("Accept-Ranges", "bytes")]
        wanted = self.headers.get("Range")
        if wanted and wanted.startswith("bytes="):
            first, _, last = wanted[6:].partition("-")
            first = int(first or 0)
            last = int(last) if last else len(data) - 1
            if first >= len(data):
                self.answer(416, b"", headers + [("Content-Range", "bytes */%d" % len(data))])
                return
            last = min(last, len(data) - 1)
            headers.append(("Content-Range", "bytes %d-%d/%d" % (first, last, len(data))))
            self.answer(206, data[first:last + 1], headers)
            return
        self.answer(200, data, headers)

    def route_dir_with_blank(self, parts):
        # Reached only when the client escaped the blanks: a raw blank breaks the request line.
        self.route_files(parts)

    def route_nolength(self, parts):
        data, _ = self.fixture(parts[0])
        self.send_response(200)
        self.send_header("Connection", "close")
        self.end_headers()
        self.wfile.write(data)
        self.close_connection = True

    def route_chunked(self, parts):
        data, _ = self.fixture(parts[0])
        self.send_response(200)
        self.send_header("Transfer-Encoding", "chunked")
        self.end_headers()
        for at in range(0, len(data), 7000):
            chunk = data[at:at + 7000]
            self.wfile.write(b"%x\r\n%s\r\n" % (len(chunk), chunk))
        self.wfile.write(b"0\r\n\r\n")

    # --- hostile answers ---

    def route_norange(self, parts):
        # Ignores a Range line: the whole file with 200.
        data, _ = self.fixture(parts[0])
        self.answer(200, data, [("Content-Type", "application/octet-stream")])

    def route_wholewithrange(self, parts):
        # The whole file with 200, under a Content-Range line for the part that was asked.
        data, _ = self.fixture(parts[0])
        first = int(self.headers.get("Range", "bytes=0-")[6:].partition("-")[0] or 0)
        self.answer(200, data, [("Content-Range", "bytes %d-%d/%d" % (first, len(data) - 1, len(data)))])

    def route_wrongrange(self, parts):
        # Answers a range request with a part that starts at half the asked start.
        data, _ = self.fixture(parts[0])
        wanted = self.headers.get("Range")
        if not wanted:
            self.answer(200, data, [("Content-Type", "application/octet-stream")])
            return
        first = int(wanted[6:].partition("-")[0] or 0) // 2
        self.answer(206, data[first:], [("Content-Range", "bytes %d-%d/%d" % (first, len(data) - 1, len(data)))])

    def route_truncated(self, parts):
        self.send_response(200)
        self.send_header("Connection", "close")
        self.send_header("Content-Length", "1000")
        self.end_headers()
        self.wfile.write(b"t" * 100)
        self.close_connection = True

    def route_overlong(self, parts):
        self.send_response(200)
        self.send_header("Connection", "close")
        self.send_header("Content-Length", "10")
        self.end_headers()
        self.wfile.write(b"0123456789" + b"x" * 20)
        self.close_connection = True

    def route_badlength(self, parts):
        self.send_response(200)
        self.send_header("Connection", "close")
        self.send_header("Content-Length", "12abc")
        self.end_headers()
        self.wfile.write(b"twelve bytes")
        self.close_connection = True

    def route_doublelength(self, parts):
        self.send_response(200)
        self.send_header("Connection", "close")
        self.send_header("Content-Length", "10")
        self.send_header("Content-Length", "20")
        self.end_headers()
        self.wfile.write(b"x" * 20)
        self.close_connection = True

    def route_hugeheader(self, parts):
        self.send_response(200)
        self.send_header("Connection", "close")
        self.send_header("X-Filler", "f" * (1 << 20))
        self.send_header("Content-Length", "2")
        self.end_headers()
        self.wfile.write(b"ok")
        self.close_connection = True

    def route_big(self, parts):
        # 17 MiB, announced by Content-Length or (with "nolength") only by the bytes themselves.
        self.send_response(200)
        if parts[:1] == ["nolength"]:
            self.send_header("Connection", "close")
        else:
            self.send_header("Content-Length", str(17 << 20))
        self.end_headers()
        try:
            block = b"\0" * 65536
            for _ in range((17 << 20) // 65536):
                self.wfile.write(block)
        except OSError:
            pass
        self.close_connection = True

    def route_garbage(self, parts):
        self.wfile.write(b"\x00\x01 this is not HTTP at all \xff\xfe\r\n\r\n")
        self.close_connection = True

    def route_status(self, parts):
        code = int(parts[0]) if parts else 500
        self.answer(code, b"status %d" % code, [("Content-Type", "text/plain")])

    def route_drip(self, parts):
        count = int(parts[0]) if parts else 50
        self.send_response(200)
        self.send_header("Connection", "close")
        self.send_header("Content-Length", str(count))
        self.end_headers()
        try:
            for _ in range(count):
                self.wfile.write(b"d")
                self.wfile.flush()
                time.sleep(0.2)
        except OSError:
            pass
        self.close_connection = True

    def route_stall(self, parts):
        self.send_response(200)
        self.send_header("Connection", "close")
        self.send_header("Content-Length", "100")
        self.end_headers()
        self.wfile.write(b"s" * 10)
        self.wfile.flush()
        # Nothing more until the client gives up.
        try:
            while not self.connection.recv(1, socket.MSG_PEEK) == b"":
                time.sleep(0.1)
        except OSError:
            pass
        self.close_connection = True

    def route_upload(self, parts):
        # Takes the request body whole, then answers after the delay its name gives in milliseconds.
        length = int(self.headers.get("Content-Length") or 0)
        received = 0
        while received < length:
            chunk = self.rfile.read(min(65536, length - received))
            if not chunk:
                break
            received += len(chunk)
        time.sleep(int(parts[0]) / 1000 if parts else 0)
        self.answer(200, b"received %d" % received, [("Content-Type", "text/plain")])

    # --- redirects and logins ---

    def route_redirect(self, parts):
        count = int(parts[0]) if parts else 1
        location = "/redirect/%d" % (count - 1) if count > 1 else "/files/small.txt"
        self.answer(302, b"", [("Location", location)])

    def route_loop(self, parts):
        self.answer(302, b"", [("Location", "/loop")])

    def route_tohttps(self, parts):
        self.answer(302, b"", [("Location", "https://127.0.0.1:%d/files/small.txt" % PORTS["https"])])

    def route_tohttp(self, parts):
        self.answer(302, b"", [("Location", "http://127.0.0.1:%d/files/small.txt" % PORTS["http"])])

    def route_login(self, parts):
        if self.headers.get("Authorization") != basic(LOGIN):
            self.answer(401, b"login first", [("WWW-Authenticate", 'Basic realm="Updates"')])
            return
        self.route_files(parts or ["small.txt"])

    def route_log(self, parts):
        with LOG_LOCK:
            text = "\n".join(LOG).encode("utf-8", "replace")
        self.answer(200, text, [("Content-Type", "text/plain")])


class Server(ThreadingHTTPServer):
    daemon_threads = True

    def handle_error(self, request, client_address):
        pass  # clients that hang up early are what several routes are about


def serve(server):
    server.serve_forever(poll_interval=0.1)


def main():
    plain = Server(("127.0.0.1", 0), Handler)
    secure = Server(("127.0.0.1", 0), Handler)
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(CERTIFICATE, KEY)
    secure.socket = context.wrap_socket(secure.socket, server_side=True)
    PORTS["http"] = plain.server_address[1]
    PORTS["https"] = secure.server_address[1]
    for server in (plain, secure):
        threading.Thread(target=serve, args=(server,), daemon=True).start()
    signal.signal(signal.SIGTERM, lambda *_: os._exit(0))
    print("READY %d %d" % (PORTS["http"], PORTS["https"]), flush=True)
    # The parent holds our stdin: when it goes, so do we.
    while sys.stdin.buffer.read(4096):
        pass
    os._exit(0)


if __name__ == "__main__":
    main()
